// The map between clipboard formats and MIME types: file lists, text in both widths, HTML and
// named formats, both ways.
#include "fake_data_object.h"

#include "platform/graphics/clipboard_format.h"
#include "platform/ole/cf_html.h"
#include "platform/ole/drop_files.h"
#include "platform/ole/mime_data_object.h"
#include "platform/ole/mime_map.h"
#include "platform/ole/uri_list.h"
#include "platform/rtl/ansi_codec.h"
#include "platform/system/name_encoding.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QMimeData>

using namespace win;

namespace {

CLIPFORMAT Named(const char* Name)
{
    return CLIPFORMAT(RegisterClipboardFormat(QLatin1String(Name)));
}

QByteArray Wide(const QString& Text)
{
    return QByteArray(reinterpret_cast<const char*>(Text.utf16()), Text.size() * 2);
}

// The block of a format read from the data object over Data, through an HGLOBAL medium.
std::optional<QByteArray> Block(const QMimeData& Data, CLIPFORMAT Format, DWORD Tymed = TYMED_HGLOBAL)
{
    const auto object = MakeComObject<QtDataObject>(&Data);
    FORMATETC request{Format, nullptr, DVASPECT_CONTENT, -1, Tymed};
    STGMEDIUM medium;
    if (object->GetData(&request, &medium) != S_OK)
        return std::nullopt;
    std::optional<QByteArray> bytes = BytesOfMedium(medium);
    ReleaseStgMedium(&medium);
    return bytes;
}

std::vector<CLIPFORMAT> Offered(const QMimeData& Data)
{
    const auto object = MakeComObject<QtDataObject>(&Data);
    ComPtr<IEnumFORMATETC> formats;
    EXPECT_EQ(object->EnumFormatEtc(DATADIR_GET, formats.Put()), S_OK);
    std::vector<CLIPFORMAT> ids;
    for (const FORMATETC& format : EnumerateFormats(formats.Get())) {
        EXPECT_EQ(format.tymed, TYMED_HGLOBAL | TYMED_ISTREAM);
        ids.push_back(format.cfFormat);
    }
    return ids;
}

} // namespace

TEST(UriList, FileUrlsBecomeLocalPathsByteForByte)
{
    const QString latin1Byte = QString("/tmp/caf") + QChar(char16_t(0xDCE9)) + ".txt";
    const QByteArray list = "# a comment\r\n"
                            "file:///tmp/a%20b.txt\r\n"
                            "file:///tmp/100%25%20done\r\n"
                            "file:///tmp/hash%23tag\r\n"
                            "file:///tmp/caf%E9.txt\r\n"
                            "file:///tmp/caf%C3%A9\r\n"
                            "FILE://LocalHost/tmp/host\n"
                            "file:/tmp/short\n"
                            "file:///tmp/query?x=1#part\r\n"
                            "file:///tmp/bad%zz%4\r\n"
                            "http://example.com/file.txt\r\n"
                            "file://server/share/remote.txt\r\n"
                            "file:///tmp/nul%00byte\r\n"
                            "file:relative\r\n"
                            "\r\n";
    EXPECT_EQ(FileNamesOfUriList(list),
              (QStringList{"/tmp/a b.txt", "/tmp/100% done", "/tmp/hash#tag", latin1Byte, QString::fromUtf8("/tmp/caf\xC3\xA9"),
                           "/tmp/host", "/tmp/short", "/tmp/query", "/tmp/bad%zz%4"}));
}

TEST(UriList, PathsWriteAsUrlsThatReadBack)
{
    const QStringList paths = {"/tmp/a b.txt", "/tmp/100% #1?", QString("/tmp/caf") + QChar(char16_t(0xDCE9)),
                               QString::fromUtf8("/tmp/\xE4\xB8\x80")};
    const QByteArray list = UriListOfFileNames(paths + QStringList{"relative/name"});
    EXPECT_TRUE(list.startsWith("file:///tmp/a%20b.txt\r\nfile:///tmp/100%25%20%231%3F\r\nfile:///tmp/caf%E9\r\n"));
    EXPECT_EQ(FileNamesOfUriList(list), paths) << "a relative name is left out";
}

TEST(CfHtml, BuildsByteExactOffsetsAroundTheFragment)
{
    const QByteArray body = QByteArray("<b>caf\xC3\xA9</b>");
    const QByteArray block = MakeCfHtml(body);
    ASSERT_TRUE(block.endsWith('\0'));
    const QByteArray text = block.left(block.size() - 1);
    const auto value = [&](const char* name) {
        const qsizetype at = text.indexOf(QByteArray(name) + ':');
        return text.mid(at + qsizetype(std::strlen(name)) + 1, 10).toInt();
    };
    EXPECT_TRUE(text.startsWith("Version:0.9\r\nStartHTML:"));
    EXPECT_EQ(text.mid(value("StartHTML"), 6), "<html>");
    EXPECT_EQ(value("EndHTML"), text.size());
    EXPECT_EQ(text.mid(value("StartFragment"), value("EndFragment") - value("StartFragment")), body);
    EXPECT_EQ(text.mid(value("StartFragment") - 20, 20), "<!--StartFragment-->");
    EXPECT_EQ(HtmlOfCfHtml(block), text.mid(value("StartHTML")));

    const QByteArray document = "<html><head><title>t</title></head><BODY class=x>text</body></html>";
    const QByteArray marked = MakeCfHtml(document);
    EXPECT_TRUE(HtmlOfCfHtml(marked)->contains("<BODY class=x><!--StartFragment-->text<!--EndFragment--></body>"));
}

TEST(CfHtml, ReadsOnlyRangesInsideTheBlock)
{
    const QByteArray html = "<p>x</p>";
    const auto number = [](int value) {
        return value < 0 ? "-" + QByteArray::number(-value).rightJustified(9, '0') : QByteArray::number(value).rightJustified(10, '0');
    };
    const auto block = [&](int startHtml, int endHtml, int startFragment, int endFragment) {
        return "Version:0.9\r\nStartHTML:" + number(startHtml) + "\r\nEndHTML:" + number(endHtml) +
               "\r\nStartFragment:" + number(startFragment) + "\r\nEndFragment:" + number(endFragment) + "\r\n" + html;
    };
    const int start = int(block(100, 100, 100, 100).size() - html.size());
    const int end = start + int(html.size());
    EXPECT_EQ(HtmlOfCfHtml(block(start, end, start, end)), html);
    EXPECT_EQ(HtmlOfCfHtml(block(-1, -1, start + 3, start + 4)), "x") << "no document range: the fragment";
    EXPECT_EQ(HtmlOfCfHtml(block(start, end + 1, start + 3, start + 4)), "x") << "a document range past the end";
    EXPECT_FALSE(HtmlOfCfHtml(block(start, end + 1, start, 100000)));
    EXPECT_FALSE(HtmlOfCfHtml(block(end, start, end, start)));
    EXPECT_FALSE(HtmlOfCfHtml("<p>no header</p>"));
}

TEST(MimeMap, AFileDragIsOfferedAsFilesOnly)
{
    QMimeData data;
    data.setData("text/uri-list", "file:///tmp/a%20b.txt\r\nfile:///tmp/caf%E9\r\nhttp://example.com/\r\n");
    data.setText("/tmp/a b.txt");
    EXPECT_EQ(Offered(data), (std::vector<CLIPFORMAT>{CF_HDROP, Named("FileNameW"), Named("FileName")}));
    EXPECT_FALSE(Block(data, CF_UNICODETEXT));
    EXPECT_FALSE(Block(data, CF_TEXT));

    const QString escaped = QString("/tmp/caf") + QChar(char16_t(0xDCE9));
    const std::optional<QByteArray> hdrop = Block(data, CF_HDROP);
    ASSERT_TRUE(hdrop);
    const std::optional<TDropFiles> files = ReadDropFiles(ByteSpan(*hdrop));
    ASSERT_TRUE(files);
    EXPECT_TRUE(files->Wide);
    EXPECT_EQ(files->Names, (QStringList{"/tmp/a b.txt", escaped}));
    EXPECT_EQ(Block(data, Named("FileNameW")), Wide("/tmp/a b.txt") + QByteArray(2, '\0'));
    EXPECT_EQ(Block(data, Named("FileName")), QByteArray("/tmp/a b.txt", 13));

    QMimeData remoteOnly;
    remoteOnly.setData("text/uri-list", "file://server/share/x\r\nhttp://example.com/\r\n");
    remoteOnly.setText("http://example.com/");
    EXPECT_EQ(Offered(remoteOnly), (std::vector<CLIPFORMAT>{CF_UNICODETEXT, CF_TEXT}))
        << "without a local file the drag is text";
}

TEST(MimeMap, TextComesInBothWidthsAndInAnyMedium)
{
    QMimeData data;
    data.setText(QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC \xE4\xB8\x80"));
    EXPECT_EQ(Offered(data), (std::vector<CLIPFORMAT>{CF_UNICODETEXT, CF_TEXT}));
    EXPECT_EQ(Block(data, CF_UNICODETEXT), Wide(data.text()) + QByteArray(2, '\0'));
    EXPECT_EQ(Block(data, CF_TEXT), QByteArray("caf\xE9 \x80 ?\0", 9));
    EXPECT_EQ(Block(data, CF_TEXT, TYMED_ISTREAM), Block(data, CF_TEXT)) << "a stream when that is all it asks for";
    EXPECT_FALSE(Block(data, CF_HDROP));
    EXPECT_FALSE(Block(data, CF_TEXT, TYMED_ISTORAGE));
}

TEST(MimeMap, HtmlAndNamedFormatsComeFromTheirTypes)
{
    QMimeData data;
    QByteArray utf16 = "\xFF\xFE";
    utf16 += Wide(QString::fromUtf8("<i>\xC3\xA9</i>"));
    data.setData("text/html", utf16);
    data.setData(ClipboardFormatMimeType(Named("Preferred DropEffect")), QByteArray("\x05\0\0\0", 4));
    data.setData(R"(application/x-qt-windows-mime;value="Never Registered Before")", "raw");
    const CLIPFORMAT gif = Named("GIF Image");
    data.setData("image/gif", "GIF89a");

    const std::vector<CLIPFORMAT> offered = Offered(data);
    const CLIPFORMAT fresh = Named("Never Registered Before");
    for (const CLIPFORMAT format : {Named("HTML Format"), Named("Preferred DropEffect"), fresh, gif})
        EXPECT_NE(std::find(offered.begin(), offered.end(), format), offered.end()) << ClipboardFormatName(format).toStdString();
    EXPECT_EQ(std::find(offered.begin(), offered.end(), CF_TEXT), offered.end()) << "no plain text offered";

    EXPECT_EQ(HtmlOfCfHtml(*Block(data, Named("HTML Format"))),
              QByteArray("<html><body>\r\n<!--StartFragment--><i>\xC3\xA9</i><!--EndFragment-->\r\n</body></html>"))
        << "UTF-16 with a byte-order mark becomes UTF-8";
    EXPECT_EQ(Block(data, Named("Preferred DropEffect")), QByteArray("\x05\0\0\0", 4));
    EXPECT_EQ(Block(data, fresh), "raw");
    EXPECT_EQ(Block(data, gif), "GIF89a");
}

TEST(MimeMap, RenderingADataObjectFillsTheMimeTypes)
{
    const auto files = MakeComObject<FakeDataObject>();
    const QString escaped = QString("/tmp/caf") + QChar(char16_t(0xDCE9));
    files->Offer(CF_HDROP, MakeDropFiles({"/tmp/a b", escaped}, false));
    files->Offer(Named("Shell IDList Array"), "opaque ids");
    files->Offer(2, "a bitmap has no MIME type here");
    QMimeData fileData;
    RenderDataObject(files.Get(), fileData);
    EXPECT_EQ(fileData.data("text/uri-list"), "file:///tmp/a%20b\r\nfile:///tmp/caf%E9\r\n");
    EXPECT_EQ(fileData.data("text/plain"), "/tmp/a b\n/tmp/caf\xE9") << "the paths as text, byte for byte";
    EXPECT_EQ(fileData.data(ClipboardFormatMimeType(Named("Shell IDList Array"))), "opaque ids");
    EXPECT_EQ(fileData.formats().size(), 3);
    EXPECT_EQ(files->Counter.Releases, files->Counter.MediaMade);

    const auto text = MakeComObject<FakeDataObject>();
    text->Offer(CF_TEXT, QByteArray("caf\xE9\x80\0junk", 10));
    text->Offer(Named("FileNameW"), Wide("/tmp/one") + QByteArray(2, '\0'));
    text->Offer(Named("HTML Format"), MakeCfHtml("<b>bold</b>"));
    QMimeData textData;
    RenderDataObject(text.Get(), textData);
    EXPECT_EQ(textData.text(), QString::fromUtf8("caf\xC3\xA9\xE2\x82\xAC"));
    EXPECT_EQ(textData.data("text/uri-list"), "file:///tmp/one\r\n");
    EXPECT_TRUE(textData.data("text/html").contains("<!--StartFragment--><b>bold</b><!--EndFragment-->"));

    const auto unicode = MakeComObject<FakeDataObject>();
    unicode->Offer(CF_TEXT, QByteArray("ansi", 5));
    unicode->Offer(CF_UNICODETEXT, Wide(QString(QChar(0x4E00))) + QByteArray(2, '\0'));
    QMimeData unicodeData;
    RenderDataObject(unicode.Get(), unicodeData);
    EXPECT_EQ(unicodeData.text(), QString(QChar(0x4E00))) << "Unicode text wins over ANSI text";
}

TEST(MimeMap, FormatsSetOnTheDataObjectAreKeptAsideAndOfferedBack)
{
    QMimeData data;
    data.setText("text");
    const auto object = MakeComObject<QtDataObject>(&data);
    const CLIPFORMAT performed = Named("Performed DropEffect");
    FORMATETC format{performed, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium;
    ASSERT_TRUE(MediumFromBytes(QByteArray("\x02\0\0\0", 4), TYMED_HGLOBAL, medium));
    ASSERT_EQ(object->SetData(&format, &medium, TRUE), S_OK);
    EXPECT_EQ(object->QueryGetData(&format), S_OK);
    STGMEDIUM back;
    ASSERT_EQ(object->GetData(&format, &back), S_OK);
    EXPECT_NE(back.hGlobal, medium.hGlobal) << "a copy for the caller";
    EXPECT_EQ(BytesOfMedium(back), QByteArray("\x02\0\0\0", 4));
    ReleaseStgMedium(&back);
    EXPECT_FALSE(data.hasFormat(ClipboardFormatMimeType(performed))) << "the QMimeData is left alone";

    ReleaseCounter counter;
    STGMEDIUM lent = counter.Medium("lent");
    ASSERT_EQ(object->SetData(&format, &lent, FALSE), S_OK);
    EXPECT_EQ(counter.Releases, 0) << "a lent medium is copied, not taken";
    ReleaseStgMedium(&lent);

    STGMEDIUM storage;
    storage.tymed = TYMED_ISTORAGE;
    EXPECT_EQ(object->SetData(&format, &storage, TRUE), DV_E_TYMED);
}

TEST(MimeMap, ADataObjectOverDragDataFailsOnceTheDataIsGone)
{
    auto* data = new QMimeData;
    data->setText("short-lived");
    const auto object = MakeComObject<QtDataObject>(data);
    FORMATETC format{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(object->QueryGetData(&format), S_OK);
    delete data;
    EXPECT_EQ(object->QueryGetData(&format), E_UNEXPECTED);
    STGMEDIUM medium;
    EXPECT_EQ(object->GetData(&format, &medium), E_UNEXPECTED);
    EXPECT_EQ(medium.tymed, TYMED_NULL);

    FORMATETC icon = format;
    icon.dwAspect = DVASPECT_ICON;
    EXPECT_EQ(object->QueryGetData(&icon), DV_E_DVASPECT);
}
