// The string routine library.
#include "routines/string_routines.h"

#include <algorithm>

namespace {

bool IsAsciiLetter(QChar C)
{
    const char16_t u = C.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

// The 0-based index of a 1-based position, or -1 when it lies outside the text.
qsizetype IndexOf(const QString& Text, int Position)
{
    return Position >= 1 && Position <= Text.size() ? Position - 1 : -1;
}

} // namespace

QChar StrUpCaseChar(QChar C)
{
    return C.unicode() >= u'a' && C.unicode() <= u'z' ? QChar(C.unicode() - 32) : C;
}

QChar StrLoCaseChar(QChar C)
{
    return C.unicode() >= u'A' && C.unicode() <= u'Z' ? QChar(C.unicode() + 32) : C;
}

int StrScanPattern(const QString& Text, const QString& Pattern, int Start)
{
    if (Text.isEmpty() || Pattern.isEmpty() || Start == 0)
        return 0;
    const bool anyCase = Start < 0;
    const qsizetype first = qsizetype(anyCase ? -qint64(Start) : Start) - 1;
    const qsizetype last = Text.size() - Pattern.size();
    for (qsizetype at = first; at <= last; ++at) {
        qsizetype k = 0;
        for (; k < Pattern.size(); ++k) {
            const QChar p = Pattern[k];
            const QChar t = Text[at + k];
            if (p == u'?' || p == t)
                continue;
            if (anyCase && IsAsciiLetter(p) && StrUpCaseChar(p) == StrUpCaseChar(t))
                continue;
            break;
        }
        if (k == Pattern.size())
            return int(at + 1);
    }
    return 0;
}

int StrPosFrom(const QString& Text, const QString& Sub, int Start)
{
    if (Sub.isEmpty() || Start > Text.size())
        return 0;
    return int(Text.indexOf(Sub, std::max(Start, 1) - 1) + 1);
}

int StrScanChar(const QString& Text, QChar C, int Start)
{
    const qsizetype from = IndexOf(Text, Start);
    return from < 0 ? 0 : int(Text.indexOf(C, from) + 1);
}

int StrScanCharBack(const QString& Text, QChar C, int Start)
{
    const qsizetype from = Start <= 0 || Start > Text.size() ? Text.size() - 1 : Start - 1;
    return from < 0 ? 0 : int(Text.lastIndexOf(C, from) + 1);
}

int StrLastNotChar(const QString& Text, QChar C)
{
    qsizetype i = Text.size();
    while (i > 0 && Text[i - 1] == C)
        --i;
    return int(i);
}

QString StrTrimRightChar(const QString& Text, QChar C)
{
    return Text.left(StrLastNotChar(Text, C));
}

QString StrLeft(const QString& Text, int Count)
{
    return Count < 1 ? QString() : Text.left(Count);
}

QString StrMid(const QString& Text, int Start, int Count)
{
    const qsizetype from = std::max(Start, 1) - 1;
    if (Count < 1 || from >= Text.size())
        return {};
    return Text.mid(from, Count);
}

QString StrCopyFrom(const QString& Text, int Start)
{
    return Start < 1 || Start > Text.size() ? QString() : Text.mid(Start - 1);
}

void StrPadLeft(QString& Text, QChar C, int Width)
{
    if (Text.size() < Width)
        Text.prepend(QString(Width - Text.size(), C));
}

void StrUpperRange(QString& Text, int Start, int Count)
{
    const qsizetype from = std::max(Start, 1) - 1;
    const qsizetype end = std::min<qint64>(qint64(Start) - 1 + std::max(Count, 0), Text.size());
    for (qsizetype i = from; i < end; ++i)
        Text[i] = StrUpCaseChar(Text[i]);
}

int StrDeleteChar(QString& Text, QChar C)
{
    qsizetype kept = 0;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        if (Text[i] != C)
            Text[kept++] = Text[i];
    }
    for (qsizetype i = kept; i < Text.size(); ++i)
        Text[i] = u' ';
    return int(kept);
}

void StrReplaceChar(QString& Text, QChar Old, QChar New)
{
    if (Old != New)
        Text.replace(Old, New);
}

bool StrAllInCharSet(const QString& Text)
{
    return !Text.isEmpty() && std::all_of(Text.begin(), Text.end(), [](QChar c) {
        return c == u' ' || (c.unicode() >= u'0' && c.unicode() <= u'9');
    });
}

int StrScanDelimiter(const QString& Text, const QString& Delimiters, int Start)
{
    qsizetype i = IndexOf(Text, Start);
    if (i < 0)
        return 0;
    bool quoted = false;
    for (; i < Text.size(); ++i) {
        const QChar c = Text[i];
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && Delimiters.contains(c))
            return int(i + 1);
    }
    return 0;
}

QString StrNextToken(const QString& Text, const QString& Delimiters, int& Position)
{
    if (Delimiters.isEmpty() || IndexOf(Text, Position) < 0) {
        Position = 0;
        return {};
    }
    const int start = Position;
    const int delimiter = StrScanDelimiter(Text, Delimiters, start);
    if (delimiter == 0) {
        Position = 0;
        return Text.mid(start - 1);
    }
    Position = delimiter + 1;
    return Text.mid(start - 1, delimiter - start);
}
