// Trim, TrimLeft and TrimRight.
#include "platform/rtl/trim.h"

namespace {

bool IsTrimmed(QChar c) { return c.unicode() <= u' '; }

qsizetype FirstKept(const QString& S)
{
    qsizetype i = 0;
    while (i < S.size() && IsTrimmed(S[i]))
        ++i;
    return i;
}

qsizetype EndOfKept(const QString& S, qsizetype from)
{
    qsizetype end = S.size();
    while (end > from && IsTrimmed(S[end - 1]))
        --end;
    return end;
}

} // namespace

QString Trim(const QString& S)
{
    const qsizetype first = FirstKept(S);
    const qsizetype end = EndOfKept(S, first);
    return first == 0 && end == S.size() ? S : S.mid(first, end - first);
}

QString TrimLeft(const QString& S)
{
    const qsizetype first = FirstKept(S);
    return first == 0 ? S : S.mid(first);
}

QString TrimRight(const QString& S)
{
    const qsizetype end = EndOfKept(S, 0);
    return end == S.size() ? S : S.left(end);
}
