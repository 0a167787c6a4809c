// Fuzz target: blocks dropped from other programs (CF_HDROP, name lists, "Shell IDList Array",
// "HTML Format", file URL lists) are read without a read outside the block, and what reads back
// writes again to a block that reads the same.
#include "platform/ole/cf_html.h"
#include "platform/ole/cida.h"
#include "platform/ole/drop_files.h"
#include "platform/ole/uri_list.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact copy, so a read past the end is a read outside the allocation.
    const std::vector<uint8_t> copy(data, data + size);
    const std::span<const uint8_t> block(copy.data(), copy.size());

    if (const auto files = win::ReadDropFiles(block)) {
        const auto again = win::ReadDropFiles(win::ByteSpan(win::MakeDropFiles(files->Names, files->Wide)));
        if (!again || again->Names != files->Names)
            std::abort();
    }
    for (const bool wide : {false, true}) {
        const QStringList names = win::ReadNameList(block, wide);
        if (win::ReadNameList(win::ByteSpan(win::MakeNameList(names, wide)), wide) != names)
            std::abort();
    }
    if (const auto lists = win::ReadCida(block)) {
        const auto again = win::ReadCida(win::ByteSpan(win::MakeCida(*lists)));
        if (!again || *again != *lists)
            std::abort();
    }
    const QByteArray bytes(reinterpret_cast<const char*>(copy.data()), qsizetype(copy.size()));
    if (const auto html = win::HtmlOfCfHtml(bytes)) {
        if (html->size() > bytes.size())
            std::abort();
        win::HtmlOfCfHtml(win::MakeCfHtml(win::HtmlAsUtf8(*html)));
    }
    const QStringList paths = win::FileNamesOfUriList(bytes);
    if (win::FileNamesOfUriList(win::UriListOfFileNames(paths)) != paths)
        std::abort();
    return 0;
}
