// PasvReplyPort.
#include "ftp/client/pasv_reply.h"

#include <QStringList>

std::optional<int> PasvReplyPort(const QString& Reply)
{
    const qsizetype Open = Reply.indexOf(u'(');
    const qsizetype Close = Open < 0 ? -1 : Reply.indexOf(u')', Open);
    if (Close < 0)
        return std::nullopt;
    const QStringList Fields = Reply.mid(Open + 1, Close - Open - 1).split(u',');
    if (Fields.size() != 6)
        return std::nullopt;
    int Numbers[6];
    for (int i = 0; i < 6; ++i) {
        const QString Field = Fields[i].trimmed();
        bool Ok = !Field.isEmpty() && Field.size() <= 3;
        for (const QChar C : Field)
            Ok = Ok && C >= u'0' && C <= u'9';
        Numbers[i] = Ok ? Field.toInt() : 256;
        if (Numbers[i] > 255)
            return std::nullopt;
    }
    const int Port = Numbers[4] * 256 + Numbers[5];
    if (Port == 0)
        return std::nullopt;
    return Port;
}
