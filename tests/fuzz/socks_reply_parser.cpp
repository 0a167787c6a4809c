// Fuzz target: the SOCKS reply parser. The first byte chooses the phase and the level; the reply
// is parsed whole and byte by byte, and every answer must be consistent with the bytes it saw.
#include "ftp/socket/socks_reply_parser.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(const TSocksReply& reply, qsizetype size)
{
    switch (reply.Result) {
    case TSocksReply::NeedMore:
        if (reply.Need <= size || reply.Need > 262)
            std::abort();
        break;
    case TSocksReply::Failed:
        if (reply.ErrorCode < 20001 || reply.ErrorCode > 20016 || reply.ErrorText.isEmpty())
            std::abort();
        break;
    default:
        if (reply.Length < 2 || reply.Length > size)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const auto phase = TSocksPhase(data[0] & 3);
    const bool level5 = data[0] & 4;
    const QByteArray reply(reinterpret_cast<const char*>(data + 1),
                           qsizetype(std::min<size_t>(size - 1, 1024)));
    for (qsizetype length = 0; length <= reply.size(); ++length) {
        const TSocksReply result = ParseSocksReply(phase, level5, reply.left(length));
        Check(result, length);
        if (result.Result != TSocksReply::NeedMore)
            break;
    }
    Check(ParseSocksReply(phase, level5, reply), reply.size());
    return 0;
}
