// The map between clipboard formats and MIME types, both ways.
#include "platform/ole/mime_map.h"

#include "platform/graphics/clipboard_format.h"
#include "platform/ole/cf_html.h"
#include "platform/ole/drop_files.h"
#include "platform/ole/format_enumerator.h"
#include "platform/ole/medium.h"
#include "platform/ole/uri_list.h"
#include "platform/rtl/ansi_codec.h"
#include "platform/system/name_encoding.h"

#include <QMimeData>
#include <QRegularExpression>
#include <cstring>
#include <map>

namespace win {

namespace {

const QString UriListType = QStringLiteral("text/uri-list");
const QString PlainTextType = QStringLiteral("text/plain");
const QString HtmlType = QStringLiteral("text/html");

// Names longer than this are not registered from outside data (a registered name has at most
// 255 characters).
constexpr qsizetype MaxFormatName = 255;

CLIPFORMAT Named(const char* Name)
{
    return CLIPFORMAT(RegisterClipboardFormat(QLatin1String(Name)));
}

CLIPFORMAT FileNameFormat() { return Named("FileName"); }
CLIPFORMAT FileNameWFormat() { return Named("FileNameW"); }
CLIPFORMAT HtmlFormat() { return Named("HTML Format"); }

bool IsMapped(CLIPFORMAT Format)
{
    return Format == CF_HDROP || Format == CF_UNICODETEXT || Format == CF_TEXT || Format == FileNameFormat() ||
           Format == FileNameWFormat() || Format == HtmlFormat();
}

QStringList FileNames(const QMimeData& Data)
{
    return Data.hasFormat(UriListType) ? FileNamesOfUriList(Data.data(UriListType)) : QStringList();
}

QByteArray Wide(const QString& Text)
{
    return QByteArray(reinterpret_cast<const char*>(Text.utf16()), Text.size() * 2);
}

// Registers the name of a MIME type that stands for a Windows format, so the map can find it.
void RegisterNameOfType(const QString& Type)
{
    static const QRegularExpression WindowsType(QStringLiteral("^application/x-qt-windows-mime;value=\"(.*)\"$"));
    const QRegularExpressionMatch match = WindowsType.match(Type);
    if (match.hasMatch() && match.capturedLength(1) > 0 && match.capturedLength(1) <= MaxFormatName)
        RegisterClipboardFormat(match.captured(1));
}

// The plain text of Data, from its UTF-8 "text/plain" entries only (Qt would also make text of
// URLs).
std::optional<QString> PlainText(const QMimeData& Data)
{
    for (const QString& type : {QStringLiteral("text/plain;charset=utf-8"), PlainTextType})
        if (Data.hasFormat(type))
            return QString::fromUtf8(Data.data(type));
    return std::nullopt;
}

// Text up to its first NUL.
QString WideText(const QByteArray& Block)
{
    QString text(Block.size() / 2, Qt::Uninitialized);
    std::memcpy(text.data(), Block.constData(), std::size_t(text.size()) * 2);
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QByteArray ByteText(const QByteArray& Block)
{
    const qsizetype nul = Block.indexOf('\0');
    return nul < 0 ? Block : Block.left(nul);
}

// The formats Source offers: those it enumerates, or, from an object that enumerates none, the
// mapped ones it answers QueryGetData for as HGLOBAL blocks (as OLE's own targets ask).
std::vector<FORMATETC> OfferedFormats(IDataObject* Source)
{
    ComPtr<IEnumFORMATETC> formats;
    if (SUCCEEDED(Source->EnumFormatEtc(DATADIR_GET, formats.Put())) && formats)
        return EnumerateFormats(formats.Get());
    std::vector<FORMATETC> offered;
    for (const CLIPFORMAT mapped : {CF_HDROP, FileNameWFormat(), FileNameFormat(), CF_UNICODETEXT, CF_TEXT, HtmlFormat()}) {
        FORMATETC format{mapped, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        if (Source->QueryGetData(&format) == S_OK)
            offered.push_back(format);
    }
    return offered;
}

// The bytes of every readable format of Source, by format.
std::map<CLIPFORMAT, QByteArray> ReadBlocks(IDataObject* Source)
{
    std::map<CLIPFORMAT, QByteArray> blocks;
    if (!Source)
        return blocks;
    for (FORMATETC format : OfferedFormats(Source)) {
        format.tymed &= TYMED_HGLOBAL | TYMED_ISTREAM;
        if (!format.tymed || blocks.count(format.cfFormat))
            continue;
        STGMEDIUM medium;
        if (Source->GetData(&format, &medium) != S_OK)
            continue;
        if (std::optional<QByteArray> bytes = BytesOfMedium(medium))
            blocks[format.cfFormat] = *bytes;
        ReleaseStgMedium(&medium);
    }
    return blocks;
}

QStringList FileNamesOfBlocks(const std::map<CLIPFORMAT, QByteArray>& Blocks)
{
    if (const auto it = Blocks.find(CF_HDROP); it != Blocks.end())
        if (const std::optional<TDropFiles> files = ReadDropFiles(ByteSpan(it->second)))
            return files->Names;
    if (const auto it = Blocks.find(FileNameWFormat()); it != Blocks.end())
        if (const QString name = WideText(it->second); !name.isEmpty())
            return {name};
    if (const auto it = Blocks.find(FileNameFormat()); it != Blocks.end())
        if (const QByteArray name = ByteText(it->second); !name.isEmpty())
            return {DecodeName(name)};
    return {};
}

} // namespace

std::vector<CLIPFORMAT> FormatsOfMimeData(const QMimeData& Data)
{
    std::vector<CLIPFORMAT> formats;
    if (!FileNames(Data).isEmpty())
        formats = {CF_HDROP, FileNameWFormat(), FileNameFormat()};
    else if (PlainText(Data))
        formats = {CF_UNICODETEXT, CF_TEXT};
    if (Data.hasFormat(HtmlType))
        formats.push_back(HtmlFormat());
    const QStringList types = Data.formats();
    for (const QString& type : types)
        RegisterNameOfType(type);
    // Registered formats are numbered on from 0xC000 without gaps.
    for (unsigned format = 0xC000; !ClipboardFormatName(format).isEmpty(); ++format)
        if (!IsMapped(CLIPFORMAT(format)) && types.contains(ClipboardFormatMimeType(format)))
            formats.push_back(CLIPFORMAT(format));
    return formats;
}

std::optional<QByteArray> FormatOfMimeData(const QMimeData& Data, CLIPFORMAT Format)
{
    const QStringList files = FileNames(Data);
    if (Format == CF_HDROP || Format == FileNameWFormat() || Format == FileNameFormat()) {
        if (files.isEmpty())
            return std::nullopt;
        if (Format == CF_HDROP)
            return MakeDropFiles(files, true);
        if (Format == FileNameWFormat())
            return Wide(files.first()) + QByteArray(2, '\0');
        return EncodeName(files.first()) + QByteArray(1, '\0');
    }
    if (Format == CF_UNICODETEXT || Format == CF_TEXT) {
        const std::optional<QString> text = PlainText(Data);
        if (!files.isEmpty() || !text)
            return std::nullopt;
        return Format == CF_TEXT ? EncodeAnsi(*text) + QByteArray(1, '\0') : Wide(*text) + QByteArray(2, '\0');
    }
    if (Format == HtmlFormat()) {
        if (!Data.hasFormat(HtmlType))
            return std::nullopt;
        return MakeCfHtml(HtmlAsUtf8(Data.data(HtmlType)));
    }
    const QString type = ClipboardFormatMimeType(Format);
    if (type.isEmpty() || !Data.hasFormat(type))
        return std::nullopt;
    return Data.data(type);
}

void RenderDataObject(IDataObject* Source, QMimeData& Target)
{
    const std::map<CLIPFORMAT, QByteArray> blocks = ReadBlocks(Source);
    const QStringList files = FileNamesOfBlocks(blocks);
    if (const QByteArray list = UriListOfFileNames(files); !list.isEmpty())
        Target.setData(UriListType, list);
    if (const auto it = blocks.find(CF_UNICODETEXT); it != blocks.end()) {
        Target.setText(WideText(it->second));
    } else if (const auto ansi = blocks.find(CF_TEXT); ansi != blocks.end()) {
        Target.setText(DecodeAnsi(ByteText(ansi->second)));
    } else if (!files.isEmpty()) {
        QByteArray paths;
        for (const QString& file : files)
            paths += (paths.isEmpty() ? "" : "\n") + EncodeName(file);
        Target.setData(PlainTextType, paths);
    }
    if (const auto it = blocks.find(HtmlFormat()); it != blocks.end())
        if (const std::optional<QByteArray> html = HtmlOfCfHtml(it->second))
            Target.setData(HtmlType, *html);
    for (const auto& [format, bytes] : blocks) {
        const QString type = ClipboardFormatMimeType(format);
        if (!IsMapped(format) && !type.isEmpty())
            Target.setData(type, bytes);
    }
}

} // namespace win
