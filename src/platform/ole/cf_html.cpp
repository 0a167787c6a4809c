// Building and reading "HTML Format" blocks.
#include "platform/ole/cf_html.h"

#include <QByteArrayView>
#include <QString>
#include <string>

namespace win {

namespace {

constexpr QByteArrayView StartMarker = "<!--StartFragment-->";
constexpr QByteArrayView EndMarker = "<!--EndFragment-->";
constexpr const char* const OffsetNames[] = {"StartHTML", "EndHTML", "StartFragment", "EndFragment"};
// Where the header stops being searched: a real header is about 100 bytes.
constexpr qsizetype HeaderLimit = 1024;

QByteArray Digits(qsizetype Value)
{
    return QByteArray::number(qlonglong(Value)).rightJustified(10, '0');
}

QByteArray Header(qsizetype StartHtml, qsizetype EndHtml, qsizetype StartFragment, qsizetype EndFragment)
{
    const qsizetype values[] = {StartHtml, EndHtml, StartFragment, EndFragment};
    QByteArray header = "Version:0.9\r\n";
    for (int i = 0; i < 4; ++i)
        header += QByteArray(OffsetNames[i]) + ':' + Digits(values[i]) + "\r\n";
    return header;
}

// The HTML with the fragment markers around its body's content, or wrapped around all of it;
// HTML that has its markers already keeps them.
QByteArray WithMarkers(const QByteArray& Html)
{
    const qsizetype start = Html.indexOf(StartMarker);
    if (start >= 0 && Html.indexOf(EndMarker, start) >= 0)
        return Html;
    const QByteArray lower = Html.toLower();
    const qsizetype bodyTag = lower.indexOf("<body");
    const qsizetype bodyOpenEnd = bodyTag < 0 ? -1 : lower.indexOf('>', bodyTag);
    const qsizetype bodyClose = lower.lastIndexOf("</body");
    if (bodyOpenEnd >= 0 && bodyClose > bodyOpenEnd)
        return Html.left(bodyOpenEnd + 1) + StartMarker.toByteArray() + Html.mid(bodyOpenEnd + 1, bodyClose - bodyOpenEnd - 1) +
               EndMarker.toByteArray() + Html.mid(bodyClose);
    return "<html><body>\r\n" + StartMarker.toByteArray() + Html + EndMarker.toByteArray() + "\r\n</body></html>";
}

// The value of "Name:" in the header, or -1 when it is absent or not a number.
qsizetype HeaderValue(const QByteArray& Header, const char* Name)
{
    const QByteArray key = QByteArray(Name) + ':';
    qsizetype at = 0;
    while ((at = Header.indexOf(key, at)) >= 0) {
        if (at == 0 || Header[at - 1] == '\n' || Header[at - 1] == '\r')
            break;
        at += key.size();
    }
    if (at < 0)
        return -1;
    const qsizetype start = at + key.size();
    qsizetype end = start;
    while (end < Header.size() && Header[end] != '\r' && Header[end] != '\n')
        ++end;
    bool ok = false;
    const qlonglong value = Header.mid(start, end - start).trimmed().toLongLong(&ok);
    return ok ? qsizetype(value) : -1;
}

} // namespace

QByteArray MakeCfHtml(const QByteArray& Html)
{
    const QByteArray document = WithMarkers(Html);
    const qsizetype headerSize = Header(0, 0, 0, 0).size();
    const qsizetype startFragment = headerSize + document.indexOf(StartMarker) + StartMarker.size();
    const qsizetype endFragment = headerSize + document.indexOf(EndMarker, startFragment - headerSize);
    QByteArray block = Header(headerSize, headerSize + document.size(), startFragment, endFragment);
    block += document;
    block += '\0';
    return block;
}

std::optional<QByteArray> HtmlOfCfHtml(const QByteArray& Block)
{
    const qsizetype nul = Block.indexOf('\0');
    const QByteArray text = nul < 0 ? Block : Block.left(nul);
    const QByteArray header = text.left(HeaderLimit);
    const auto range = [&](const char* StartName, const char* EndName) -> std::optional<QByteArray> {
        const qsizetype start = HeaderValue(header, StartName);
        const qsizetype end = HeaderValue(header, EndName);
        if (start < 0 || end < start || end > text.size())
            return std::nullopt;
        return text.mid(start, end - start);
    };
    if (auto html = range("StartHTML", "EndHTML"))
        return html;
    return range("StartFragment", "EndFragment");
}

QByteArray HtmlAsUtf8(const QByteArray& Html)
{
    if (Html.startsWith("\xEF\xBB\xBF"))
        return Html.mid(3);
    const bool little = Html.startsWith("\xFF\xFE");
    if (!little && !Html.startsWith("\xFE\xFF"))
        return Html;
    std::u16string units;
    units.reserve(std::size_t(Html.size() / 2));
    for (qsizetype i = 2; i + 1 < Html.size(); i += 2) {
        const auto first = static_cast<unsigned char>(Html[i]);
        const auto second = static_cast<unsigned char>(Html[i + 1]);
        units.push_back(char16_t(little ? first | second << 8 : first << 8 | second));
    }
    return QString::fromStdU16String(units).toUtf8();
}

} // namespace win
