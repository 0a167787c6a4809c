// Reading tab columns from their text.
#include "highlighter/tab_columns_text.h"

#include "editor/document/syntax_memo_error.h"

#include "platform/rtl/resource_strings.h"

#include <limits>

std::array<std::int32_t, 32> StrToTabColumns(const QByteArray& Text)
{
    std::array<std::int32_t, 32> columns;
    columns.fill(-1);
    std::size_t count = 0;
    std::int64_t previous = 0;
    qsizetype i = 0;
    for (;;) {
        while (i < Text.size() && (Text[i] == ' ' || Text[i] == ';'))
            ++i;
        if (i >= Text.size())
            return columns;
        if (count == columns.size())
            throw ESyntaxMemo(LoadStr(4208) + QString::number(columns.size()));
        if (Text[i] < '0' || Text[i] > '9')
            throw ESyntaxMemo(LoadStr(4205));
        std::int64_t value = 0;
        while (i < Text.size() && Text[i] >= '0' && Text[i] <= '9') {
            value = value * 10 + (Text[i++] - '0');
            if (value > std::numeric_limits<std::int32_t>::max())
                throw ESyntaxMemo(LoadStr(4205));
        }
        if (value <= previous)
            throw ESyntaxMemo(LoadStr(4206));
        if (value < 2)
            throw ESyntaxMemo(LoadStr(4207));
        columns[count++] = std::int32_t(value - 1);
        previous = value;
    }
}
