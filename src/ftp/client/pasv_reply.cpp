// PasvReplyPort.
#include "ftp/client/pasv_reply.h"

namespace {

bool IsDigit(QChar C)
{
    return C >= u'0' && C <= u'9';
}

void SkipBlanks(const QString& Text, qsizetype& i)
{
    while (i < Text.size() && Text[i].isSpace())
        ++i;
}

} // namespace

std::optional<int> PasvReplyPort(const QString& Reply)
{
    // The numbers start after the first "(", or, without one, at the first digit after the code.
    const qsizetype Open = Reply.indexOf(u'(');
    qsizetype i = 0;
    if (Open >= 0) {
        i = Open + 1;
    } else {
        while (i < Reply.size() && IsDigit(Reply[i]))
            ++i;
        while (i < Reply.size() && !IsDigit(Reply[i]))
            ++i;
    }
    int Numbers[6];
    for (int n = 0; n < 6; ++n) {
        SkipBlanks(Reply, i);
        const qsizetype Start = i;
        while (i < Reply.size() && IsDigit(Reply[i]) && i - Start < 4)
            ++i;
        const qsizetype Digits = i - Start;
        if (Digits == 0 || Digits > 3)
            return std::nullopt;
        Numbers[n] = Reply.mid(Start, Digits).toInt();
        if (Numbers[n] > 255)
            return std::nullopt;
        SkipBlanks(Reply, i);
        if (n < 5 || Open >= 0) {
            // A comma between the numbers, the ")" after the last one.
            if (i >= Reply.size() || Reply[i] != (n < 5 ? u',' : u')'))
                return std::nullopt;
            ++i;
        } else if (i < Reply.size() && (Reply[i] == u',' || IsDigit(Reply[i]))) {
            return std::nullopt; // a seventh number
        }
    }
    const int Port = Numbers[4] * 256 + Numbers[5];
    if (Port == 0)
        return std::nullopt;
    return Port;
}
