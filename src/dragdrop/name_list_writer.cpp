// Writing name lists into blocks.
#include "dragdrop/name_list_writer.h"

#include "platform/ole/drop_files.h"

#include <cstring>

std::int64_t NameListSize(const QStringList& Names, bool Wide)
{
    return win::MakeNameList(Names, Wide).size();
}

bool WriteNameList(std::span<std::uint8_t> Block, bool Wide, const QStringList& Names)
{
    const std::size_t nul = Wide ? 2 : 1;
    if (Block.size() < nul)
        return false;
    std::size_t at = 0;
    for (const QString& name : Names) {
        // The name with its NUL: its own list without the list's closing NUL.
        const QByteArray entry = win::MakeNameList({name}, Wide).chopped(qsizetype(nul));
        if (at + std::size_t(entry.size()) + nul > Block.size())
            break;
        std::memcpy(Block.data() + at, entry.constData(), std::size_t(entry.size()));
        at += std::size_t(entry.size());
    }
    std::memset(Block.data() + at, 0, nul);
    return true;
}
