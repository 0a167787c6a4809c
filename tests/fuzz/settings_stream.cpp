// Fuzz target: any bytes either read as a settings stream or raise the stream's read error (or the
// keyword tables' own error); settings that were read write a stream that reads back to the same
// bytes.
#include "editor/sm_settings.h"
#include "editor/syntax_memo_error.h"

#include "platform/rtl/streams.h"

#include <cstdint>
#include <cstdlib>

namespace {

QByteArray Bytes(const TSM_Settings& Settings)
{
    TMemoryStream stream;
    Settings.SaveToStream(stream);
    return QByteArray(stream.Memory(), qsizetype(stream.Size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TMemoryStream input;
    input.WriteBuffer(data, std::int64_t(size));
    input.SetPosition(0);
    TSM_Settings settings;
    try {
        settings.LoadFromStream(input);
    } catch (const EReadError&) {
        return 0;
    } catch (const EKeywords&) {
        return 0;
    } catch (const Exception&) {
        // A keyword table's end specification that does not parse, or a key map whose bindings
        // clash: refused like bad data.
        return 0;
    }
    const QByteArray written = Bytes(settings);
    TMemoryStream again;
    again.WriteBuffer(written.constData(), written.size());
    again.SetPosition(0);
    TSM_Settings copy;
    copy.LoadFromStream(again);
    if (Bytes(copy) != written)
        std::abort();
    return 0;
}
