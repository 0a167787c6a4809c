// Fuzz target: any text compiled as a parser script either raises an Exception (a script error,
// a value out of range, a refused keyword or key) or gives tables whose "Parser" property reads
// into another parser that writes the same property again.
#include "highlighter/syntax_memo_parser.h"

#include "platform/rtl/exception.h"
#include "platform/rtl/streams.h"

#include <cstdint>
#include <cstdlib>

namespace {

QByteArray PropertyOf(const TSyntaxMemoParser& Parser)
{
    TMemoryStream stream;
    Parser.WriteData(stream);
    return QByteArray(static_cast<const char*>(stream.Memory()), qsizetype(stream.Size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TMemoryStream script;
    script.WriteBuffer(data, std::int64_t(size));
    script.SetPosition(0);
    TSyntaxMemoParser compiled;
    // Names in angle brackets are looked up in a folder that does not exist.
    compiled.SetScript(QStringLiteral("/nonexistent/fuzz.syn"));
    try {
        compiled.CompileScript(script);
    } catch (const Exception&) {
        return 0;
    }
    const QByteArray property = PropertyOf(compiled);
    TMemoryStream stream;
    stream.WriteBuffer(property.constData(), property.size());
    stream.SetPosition(0);
    TSyntaxMemoParser loaded;
    loaded.ReadData(stream);
    if (PropertyOf(loaded) != property)
        std::abort();
    return 0;
}
