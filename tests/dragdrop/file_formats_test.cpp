// Files and shell items: which format a file list comes from, single names, the item list array
// made from files of a folder and turned back into their paths, and the conversions' failures.
#include "format_media.h"

#include "dragdrop/file_clipboard_formats.h"
#include "dragdrop/file_data_formats.h"
#include "dragdrop/id_lists.h"
#include "dragdrop/pidl_clipboard_format.h"
#include "dragdrop/string_lines.h"
#include "platform/ole/drop_files.h"
#include "platform/rtl/exception.h"
#include "support/qt_printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>

using namespace win;

namespace {

CLIPFORMAT IdOf(const TClipboardFormat& Format)
{
    return Format.FormatEtc().cfFormat;
}

// A folder with the files a and b.
struct TwoFiles {
    TwoFiles()
    {
        for (const QString& name : {A(), B()}) {
            QFile file(name);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        }
    }
    QString Folder() const { return folder.path(); }
    QString A() const { return folder.filePath("a"); }
    QString B() const { return folder.filePath("b b"); }

    QTemporaryDir folder;
};

} // namespace

TEST(FileFormats, AFileListComesFromTheFirstFormatInOrderThatGivesNames)
{
    TFilenameClipboardFormat name;
    TFilenameWClipboardFormat wideName;
    struct Case {
        const char* what;
        std::vector<std::pair<CLIPFORMAT, QByteArray>> offered;
        QStringList files;
    };
    const Case cases[] = {
        {"CF_HDROP before FileName",
         {{IdOf(name), "/tmp/single"}, {CF_HDROP, MakeDropFiles({"/tmp/x", "/tmp/y"}, false)}},
         {"/tmp/x", "/tmp/y"}},
        {"FileNameW alone, cut at its first NUL",
         {{IdOf(wideName), QByteArray("/\0t\0\0\0z\0\0\0", 10)}},
         {"/t"}},
        {"FileNameW before FileName",
         {{IdOf(name), "/tmp/ansi"}, {IdOf(wideName), QByteArray("/\0w\0\0\0", 6)}},
         {"/w"}},
        {"FileName as the names' bytes", {{IdOf(name), "/tmp/\xC3\xA9t\xFF"}}, {QStringLiteral("/tmp/\u00E9t") + QChar(0xDCFF)}},
        {"a FileNameW of NULs gives nothing", {{IdOf(wideName), QByteArray(4, '\0')}}, {}},
    };
    for (const Case& c : cases) {
        auto object = MakeComObject<MediaDataObject>();
        for (const auto& [format, bytes] : c.offered)
            object->OfferBlock(format, bytes);
        TFileDataFormat files(nullptr);
        EXPECT_EQ(files.GetData(object.Get()), !c.files.isEmpty()) << c.what;
        EXPECT_EQ(LinesOf(files.Files), c.files) << c.what;
    }
}

TEST(FileFormats, ItemListsOfTwoFilesAreTheirFolderAndTheirNamesAndGiveBackTheirPaths)
{
    TwoFiles files;
    TPIDLClipboardFormat pidls;
    TStringList names;
    SetLines(names, {files.A(), files.B()});
    pidls.Filenames.Assign(names);
    ASSERT_EQ(pidls.PIDLs.Count(), 3);
    const QByteArray parent = IdListOfLine(pidls.PIDLs.Strings(0));
    // Compared as paths: the lists' items also carry each folder's change time, which changes
    // whenever anything is made in /tmp.
    EXPECT_EQ(PathOfIdList(parent), files.Folder());
    EXPECT_EQ(PathOfIdList(ConcatIdLists(parent, IdListOfLine(pidls.PIDLs.Strings(1)))), files.A());
    EXPECT_EQ(LinesOf(pidls.Filenames), (QStringList{files.A(), files.B()}));

    // The block: cidl, the offsets from 4 × (lists + 1), the lists back to back.
    const std::optional<QByteArray> block = Encoded(pidls);
    ASSERT_TRUE(block);
    const QByteArray itemA = IdListOfLine(pidls.PIDLs.Strings(1));
    std::uint32_t header[4];
    std::memcpy(header, block->constData(), sizeof header);
    EXPECT_EQ(header[0], 2u);
    EXPECT_EQ(header[1], 16u);
    EXPECT_EQ(header[2], 16u + parent.size());
    EXPECT_EQ(header[3], 16u + parent.size() + itemA.size());
    EXPECT_EQ(block->size(), pidls.BlockSize());

    // Read back through the file data format, the block gives the two paths.
    auto object = MakeComObject<MediaDataObject>();
    object->OfferBlock(IdOf(pidls), *block);
    TFileDataFormat dropped(nullptr);
    ASSERT_TRUE(dropped.GetData(object.Get()));
    EXPECT_EQ(LinesOf(dropped.Files), (QStringList{files.A(), files.B()}));
}

TEST(FileFormats, OneNameOrANameWithItsFolderKeepAFolderAndNonEmptyItems)
{
    TwoFiles files;
    const struct {
        const char* what;
        QStringList names;
        QString folder;
    } cases[] = {
        {"one file", {files.A()}, files.Folder()},
        {"a folder and a file in it", {files.Folder(), files.A()}, QFileInfo(files.Folder()).path()},
    };
    for (const auto& c : cases) {
        TStringList pidls;
        ASSERT_TRUE(IdListsFromNames(c.names, pidls)) << c.what;
        EXPECT_EQ(PathOfIdList(IdListOfLine(pidls.Strings(0))), c.folder) << c.what;
        for (int i = 1; i < pidls.Count(); ++i)
            EXPECT_GT(IdListOfLine(pidls.Strings(i)).size(), 2) << c.what << " item " << i;
        TPIDLsToFilenamesStrings paths(pidls);
        EXPECT_EQ(LinesOf(paths), c.names) << c.what;
    }
}

TEST(FileFormats, ThePathViewOfAFolderAloneIsEmptyAndRefusesIndexes)
{
    TStringList pidls;
    pidls.Add(IdListLine(QByteArray(2, '\0')));
    TPIDLsToFilenamesStrings paths(pidls);
    EXPECT_EQ(paths.Count(), 0);
    try {
        paths.Strings(0);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Filename index out of range");
    }
    paths.Add("ignored");
    paths.Delete(0);
    EXPECT_EQ(pidls.Count(), 1) << "the view changes nothing but by Assign";
}

TEST(FileFormats, NamesThatNameNothingAreRefusedWithoutAnExceptionReachingTheCaller)
{
    const QString missing = QDir::temp().filePath("no such folder/file");
    try {
        EnclosingFolderIdList({missing});
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Invalid filename: " + missing);
    }
    TFileDataFormat files(nullptr);
    files.Files.Add(missing);
    TPIDLClipboardFormat pidls;
    EXPECT_FALSE(files.AssignTo(&pidls));
    EXPECT_EQ(pidls.PIDLs.Count(), 0);
    STGMEDIUM medium;
    EXPECT_FALSE(pidls.EncodeMedium(RecordFor(pidls, TYMED_HGLOBAL), medium)) << "nothing to encode";
}

TEST(FileFormats, AnItemListDataFormatTakesFilesAsItemLists)
{
    TwoFiles files;
    auto object = MakeComObject<MediaDataObject>();
    object->OfferBlock(CF_HDROP, MakeDropFiles({files.A(), files.B()}, true));
    TPIDLDataFormat pidls(nullptr);
    ASSERT_TRUE(pidls.GetData(object.Get()));
    EXPECT_EQ(pidls.PIDLs.Count(), 3);
    EXPECT_EQ(LinesOf(pidls.Filenames), (QStringList{files.A(), files.B()}));

    TFileClipboardFormat list;
    ASSERT_TRUE(pidls.AssignTo(&list));
    EXPECT_EQ(LinesOf(list.Files), (QStringList{files.A(), files.B()}));
}
