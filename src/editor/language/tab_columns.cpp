// Tab columns to and from text.
#include "editor/language/tab_columns.h"

#include "editor/document/syntax_memo_error.h"

#include "platform/rtl/resource_strings.h"

#include <limits>

TTabColumns StrToTabColumns(const QString& Text)
{
    TTabColumns columns;
    columns.fill(-1);
    std::size_t count = 0;
    qsizetype i = 0;
    const qsizetype length = Text.size();
    while (true) {
        while (i < length && (Text[i] == QLatin1Char(' ') || Text[i] == QLatin1Char(';')))
            ++i;
        if (i >= length)
            return columns;
        if (count == columns.size())
            throw ESyntaxMemo(LoadStr(4208) + QString::number(columns.size()));
        if (!Text[i].isDigit() || Text[i].unicode() > '9')
            throw ESyntaxMemo(LoadStr(4205));
        std::int64_t value = 0;
        for (; i < length && Text[i].unicode() >= '0' && Text[i].unicode() <= '9'; ++i) {
            value = value * 10 + (Text[i].unicode() - '0');
            if (value > std::numeric_limits<std::int32_t>::max())
                throw ESyntaxMemo(LoadStr(4205));
        }
        if (count > 0 && value - 1 <= columns[count - 1])
            throw ESyntaxMemo(LoadStr(4206));
        if (value < 2)
            throw ESyntaxMemo(LoadStr(4207));
        columns[count++] = std::int32_t(value - 1);
    }
}

QString TabColumnsToStr(const TTabColumns& Columns)
{
    QString text;
    for (const std::int32_t column : Columns) {
        if (column < 0)
            break;
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += QString::number(column + 1);
    }
    return text;
}
