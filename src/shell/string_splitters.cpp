// EnsureTrailingChar, AppendCharAt, ExtractToken and SplitToStrings.
#include "shell/string_splitters.h"

#include "platform/rtl/string_list.h"

QString EnsureTrailingChar(const QString& S, QChar C)
{
    if (S.isEmpty() || S.back() == C)
        return S;
    return S + C;
}

void AppendCharAt(int& Pos, const QString& Source, QString& Dest)
{
    const QChar c = Source[Pos - 1];
    Dest += c;
    ++Pos;
    if (c.isHighSurrogate() && Pos <= Source.size() && Source[Pos - 1].isLowSurrogate()) {
        Dest += Source[Pos - 1];
        ++Pos;
    }
}

QString ExtractToken(int& Pos, const QString& Source, QChar Separator)
{
    QString token;
    while (Pos <= Source.size() && Source[Pos - 1] != Separator)
        AppendCharAt(Pos, Source, token);
    return token;
}

void SplitToStrings(const QString& Source, TStrings& List)
{
    int pos = 1;
    while (pos <= Source.size()) {
        const QString token = ExtractToken(pos, Source, QLatin1Char(';'));
        ++pos;
        if (!token.isEmpty())
            List.Add(token);
    }
}
