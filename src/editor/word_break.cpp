// The default word-break rule.
#include "editor/word_break.h"

bool IsWordBreakDelimiter(char C)
{
    const auto code = static_cast<unsigned char>(C);
    return code < 33 || code == 160;
}

int DefaultWordBreak(const char* Text, int Current, int Count, int Code)
{
    const auto delimiterAt = [&](int I) { return I >= Count || IsWordBreakDelimiter(Text[I]); };
    int i = Current;
    switch (Code) {
    case WB_LEFT:
        if (delimiterAt(i)) {
            while (i < Count && delimiterAt(i))
                ++i;
            return i;
        }
        while (i > 0 && !delimiterAt(i - 1))
            --i;
        return i > 0 ? i : Current;
    case WB_RIGHT:
        while (i < Count && !delimiterAt(i))
            ++i;
        while (i < Count && delimiterAt(i))
            ++i;
        return i;
    case WB_ISDELIMITER: return delimiterAt(i) ? 1 : 0;
    default: return 0;
    }
}
