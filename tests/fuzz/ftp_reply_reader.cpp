// Fuzz target: the FTP reply reader fed in chunks. The first byte chooses LF-only line ends and
// the chunk size; every line taken must be a whole line without its end, and the buffer never
// holds more than it may.
#include "ftp/client/ftp_reply_reader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool acceptLF = data[0] & 1;
    const size_t chunk = 1 + (data[0] >> 1);
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    size = std::min<size_t>(size - 1, 2 * TFtpReplyReader::BufferSize);

    TFtpReplyReader reader;
    for (size_t at = 0; at < size; at += chunk) {
        if (reader.Room() <= 0)
            reader.Clear(); // the client gives such a connection up
        reader.Append(bytes + at, int(std::min(chunk, size - at)));
        if (reader.Buffered() > TFtpReplyReader::BufferSize - 1)
            std::abort();
        while (const auto line = reader.NextLine(acceptLF)) {
            const QByteArray& text = line->Text;
            if (text.endsWith('\r') || text.endsWith('\n') || (acceptLF && text.contains('\n')) ||
                (!acceptLF && text.contains("\r\n")))
                std::abort();
            if (line->Final && !line->StartsWithCode)
                std::abort();
            if (line->StartsWithCode && (text.isEmpty() || text[0] < '0' || text[0] > '9' || line->Code < 0))
                std::abort();
        }
    }
    return 0;
}
