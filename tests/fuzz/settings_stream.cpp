// Fuzz target: any bytes either read as a settings stream or raise the stream's read error (or the
// error of a keyword table or key map that is refused); settings that were read write a stream
// which, once read back, writes itself again unchanged. (The first writing may differ from what
// it reads back into: reading starts from the defaults, and a stream may take style 0 out of use,
// which no stream can put back.)
#include "editor/language/sm_settings.h"

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

// The stream of the settings Data reads into.
QByteArray ReadAndWrite(const QByteArray& Data)
{
    TMemoryStream stream;
    stream.WriteBuffer(Data.constData(), Data.size());
    stream.SetPosition(0);
    TSM_Settings settings;
    settings.LoadFromStream(stream);
    return Bytes(settings);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray written;
    try {
        written = ReadAndWrite(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const Exception&) {
        // Bad data: a read error, a keyword table or end specification refused, clashing keys.
        return 0;
    }
    const QByteArray again = ReadAndWrite(written);
    if (ReadAndWrite(again) != again)
        std::abort();
    return 0;
}
