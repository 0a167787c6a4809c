// Replacement texts and the compile error message.
#include "editor/search/replacement.h"

#include "editor/search/editor_text.h"
#include "editor/search/escapes.h"

#include "platform/rtl/resource_strings.h"

#include <algorithm>
#include <cctype>

std::string ExpandReplacement(std::string_view Replacement, const TLoggedText& LoggedText)
{
    std::string result;
    const std::size_t size = Replacement.size();
    std::size_t i = 0;
    while (i < size) {
        const char c = Replacement[i++];
        if (c == '%') {
            if (i >= size) {
                result += '%';
            } else if (std::isdigit(static_cast<unsigned char>(Replacement[i]))) {
                int n = 0;
                while (i < size && std::isdigit(static_cast<unsigned char>(Replacement[i]))) {
                    n = std::min(n * 10 + (Replacement[i] - '0'), 1000);
                    ++i;
                }
                if (n >= 1 && n <= 255)
                    result += LoggedText(n);
            } else {
                result += Replacement[i++];
            }
        } else if (c == '\\') {
            if (i >= size) {
                result += '\\';
                break;
            }
            const TEscape escape = ReadEscape(Replacement, i, true);
            if (escape.Result != TEscapeResult::Char)
                return result;
            result += escape.Char;
        } else {
            result += c;
        }
    }
    return result;
}

QString RegexErrorText(int Code, std::string_view Pattern, int Column)
{
    return LoadStr(Code) + QStringLiteral("\r\n") + EditorString(Pattern) + QStringLiteral("\r\n") +
           QString(std::max(Column - 1, 0), QLatin1Char(' ')) + QLatin1Char('^');
}
