// Reading and writing file URL lists.
#include "platform/ole/uri_list.h"

#include "platform/system/name_encoding.h"

#include <initializer_list>
#include <optional>

namespace win {

namespace {

int HexValue(char Ch)
{
    if (Ch >= '0' && Ch <= '9')
        return Ch - '0';
    if (Ch >= 'a' && Ch <= 'f')
        return Ch - 'a' + 10;
    if (Ch >= 'A' && Ch <= 'F')
        return Ch - 'A' + 10;
    return -1;
}

// "%XX" becomes the byte XX; a "%" without two hex digits stays as it is.
QByteArray PercentDecoded(const QByteArray& Text)
{
    QByteArray bytes;
    bytes.reserve(Text.size());
    for (qsizetype i = 0; i < Text.size(); ++i) {
        if (Text[i] == '%' && i + 2 < Text.size() && HexValue(Text[i + 1]) >= 0 && HexValue(Text[i + 2]) >= 0) {
            bytes.append(char(HexValue(Text[i + 1]) * 16 + HexValue(Text[i + 2])));
            i += 2;
        } else {
            bytes.append(Text[i]);
        }
    }
    return bytes;
}

// The path bytes of one URL line, when it names a local file.
std::optional<QByteArray> LocalPath(const QByteArray& Url)
{
    if (!Url.left(5).toLower().startsWith("file:"))
        return std::nullopt;
    QByteArray rest = Url.mid(5);
    for (const char delimiter : {'?', '#'}) {
        const qsizetype at = rest.indexOf(delimiter);
        if (at >= 0)
            rest.truncate(at);
    }
    if (rest.startsWith("//")) {
        const qsizetype slash = rest.indexOf('/', 2);
        const QByteArray host = rest.mid(2, (slash < 0 ? rest.size() : slash) - 2).toLower();
        if (!host.isEmpty() && host != "localhost")
            return std::nullopt;
        rest = slash < 0 ? QByteArray() : rest.mid(slash);
    }
    const QByteArray path = PercentDecoded(rest);
    if (!path.startsWith('/') || path.contains('\0'))
        return std::nullopt;
    return path;
}

bool KeptInUrl(char Ch)
{
    return (Ch >= 'A' && Ch <= 'Z') || (Ch >= 'a' && Ch <= 'z') || (Ch >= '0' && Ch <= '9') || Ch == '-' ||
           Ch == '.' || Ch == '_' || Ch == '~' || Ch == '/';
}

} // namespace

QStringList FileNamesOfUriList(const QByteArray& List)
{
    QStringList names;
    for (const QByteArray& line : List.split('\n')) {
        const QByteArray url = line.trimmed();
        if (url.isEmpty() || url.startsWith('#'))
            continue;
        if (const std::optional<QByteArray> path = LocalPath(url))
            names.append(DecodeName(*path));
    }
    return names;
}

QByteArray UriListOfFileNames(const QStringList& Names)
{
    static const char Hex[] = "0123456789ABCDEF";
    QByteArray list;
    for (const QString& name : Names) {
        const QByteArray path = EncodeName(name);
        if (!path.startsWith('/') || path.contains('\0'))
            continue;
        list += "file://";
        for (const char ch : path) {
            if (KeptInUrl(ch)) {
                list += ch;
            } else {
                list += '%';
                list += Hex[static_cast<unsigned char>(ch) >> 4];
                list += Hex[static_cast<unsigned char>(ch) & 0xF];
            }
        }
        list += "\r\n";
    }
    return list;
}

} // namespace win
