// Trim, TrimLeft and TrimRight.
#include "platform/rtl/trim.h"

namespace {

bool IsTrimmed(QChar c)
{
    return c.unicode() <= u' ';
}

qsizetype FirstKept(QStringView S)
{
    qsizetype i = 0;
    while (i < S.size() && IsTrimmed(S[i]))
        ++i;
    return i;
}

qsizetype EndOfKept(QStringView S, qsizetype from)
{
    qsizetype end = S.size();
    while (end > from && IsTrimmed(S[end - 1]))
        --end;
    return end;
}

} // namespace

QStringView Trim(QStringView S)
{
    const qsizetype first = FirstKept(S);
    return S.sliced(first, EndOfKept(S, first) - first);
}

QString Trim(const QString& S)
{
    const QStringView kept = Trim(QStringView(S));
    return kept.size() == S.size() ? S : kept.toString();
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
