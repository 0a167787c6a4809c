// Fuzz target: any text decodes as a date stamp; a stamp made from the decoded value decodes to
// the same bits; the first eight bytes as a date-time survive a stamp bit for bit.
#include "routines/date_stamp.h"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    const TDateTime decoded = DateStampDecode(text);
    const QString stamp = DateStampEncode(decoded);
    if (stamp.size() != 11 ||
        std::bit_cast<std::uint64_t>(DateStampDecode(stamp)) != std::bit_cast<std::uint64_t>(decoded))
        std::abort();
    if (size >= 8) {
        std::uint64_t bits;
        std::memcpy(&bits, data, sizeof bits);
        if (std::bit_cast<std::uint64_t>(DateStampDecode(DateStampEncode(std::bit_cast<TDateTime>(bits)))) !=
            bits)
            std::abort();
    }
    return 0;
}
