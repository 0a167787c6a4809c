// FormatStrPos.
#include "shell/format_str_pos.h"

#include "platform/rtl/exception.h"

namespace {

constexpr int MaxStrings = 50;

} // namespace

QString FormatStrPos(const QString& Template, const QStringList& Strings)
{
    if (Template.isEmpty())
        return {};
    if (Strings.size() > MaxStrings)
        throw Exception(QStringLiteral("FormatStrPos: Too many substitution strings"));
    QString out;
    const qsizetype size = Template.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = Template[i];
        if (c != QLatin1Char('%') || i + 1 == size) {
            out += c;
            continue;
        }
        const QChar next = Template[i + 1];
        if (next == QLatin1Char('0'))
            break;
        if (!next.isDigit() || next.unicode() > '9') {
            out += (next == QLatin1Char('%') || next == QLatin1Char('.') || next == QLatin1Char('!') ||
                    next == QLatin1Char(' '))
                       ? next
                       : QString(c) + next;
            ++i;
            continue;
        }
        qsizetype end = i + 2;
        if (end < size && Template[end].isDigit() && Template[end].unicode() <= '9')
            ++end;
        const int number = Template.mid(i + 1, end - i - 1).toInt();
        if (end < size && Template[end] == QLatin1Char('!')) {
            const qsizetype close = Template.indexOf(QLatin1Char('!'), end + 1);
            if (close > 0)
                end = close + 1;
        }
        out += number <= Strings.size() ? Strings[number - 1] : Template.mid(i, end - i);
        i = end - 1;
    }
    return out;
}
