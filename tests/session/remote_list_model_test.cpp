// The remote list model: the fill from a listing, hostile names, the sort, lookups by caption and
// collecting rows into the transfer queue.
#include "session_fixture.h"

#include "platform/rtl/date_time.h"
#include "session/remote_list_model.h"
#include "session/session_log.h"

#include <QDir>
#include <QMimeDatabase>

namespace {

class RemoteList : public TSessionTest {
protected:
    QStringList Captions() const
    {
        QStringList captions;
        for (int i = 0; i < Model.Count(); ++i)
            captions.append(Model.Row(i).Caption());
        return captions;
    }

    TSessionLog Log{Window};
    TRemoteListModel Model{Window, Log};
};

const QStringList UnixListing = {
    "total 24",
    "-rw-r--r--   1 user group     3000 Jan 15 10:30 b.txt",
    "drwxr-xr-x   2 user group     4096 Jan 15 10:30 zeta",
    "-rw-r--r--   1 user group       10 Feb 01  2020 a file.txt",
    "lrwxrwxrwx   1 user group       10 Jan 15 10:30 my link -> /etc",
    "drwxr-xr-x   2 user group     4096 Jan 15 10:30 alpha",
    "-rw-r--r--   1 user group 3000000000 Mar 03  2021 big.iso",
};

TEST_F(RemoteList, FillPutsFoldersAfterTheParentInListingOrderThenFiles)
{
    Model.FillRemoteList(UnixListing, false);
    EXPECT_EQ(Captions(), (QStringList{"..", "zeta", "my link", "alpha", "b.txt", "a file.txt", "big.iso"}));
    EXPECT_EQ(Model.ListingFormat, 1);
    EXPECT_TRUE(Model.Row(0).IsParent());
    EXPECT_EQ(Model.Row(0).Data->Kind, 1999);
    EXPECT_TRUE(Model.Row(2).IsFolder());
    EXPECT_EQ(Model.Row(2).SizeText(), "");
    EXPECT_EQ(Model.Row(4).SizeText(), "2 KB");
    EXPECT_EQ(Model.Row(0).DateText(), "");
    EXPECT_EQ(Model.Row(1).DateText(), FormatDateTime("ddddd t", Model.Row(1).Data->DateTime));
    // A link keeps its line, which names its target.
    EXPECT_EQ(Model.Row(2).Data->Line, UnixListing[4]);
    EXPECT_EQ(Model.GetRemoteFileSize("b.txt"), 3000);
    EXPECT_EQ(Model.GetRemoteFileSize("big.iso"), 3000000000LL);
    EXPECT_EQ(Model.GetRemoteFileSize("zeta"), 0);
    EXPECT_EQ(Model.GetRemoteFileSize("missing"), 0);
    EXPECT_EQ(Model.CountFileItems(), 3);
    EXPECT_TRUE(Log.Lines().isEmpty());

    Model.FillRemoteList(UnixListing, true);
    EXPECT_EQ(Captions(), (QStringList{"..", "zeta", "my link", "alpha"}));
}

TEST_F(RemoteList, IconsAndTypesComeFromTheNamesAloneNeverFromLocalFiles)
{
    // Local entries named as remote ones, in the current folder, change nothing.
    Tree.Folder("b.txt");
    Tree.File("zeta", "a file, not a folder");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Tree.Path()));
    Model.FillRemoteList(UnixListing, false);
    QDir::setCurrent(before);
    const TRemoteRow& folder = Model.Row(1);
    EXPECT_EQ(folder.Caption(), "zeta");
    EXPECT_EQ(folder.TypeName(), "Folder");
    EXPECT_EQ(folder.ImageIndex(), Model.Row(0).ImageIndex());
    const TRemoteRow& text = Model.Row(4);
    EXPECT_EQ(text.Caption(), "b.txt");
    EXPECT_EQ(text.TypeName(), QMimeDatabase().mimeTypeForName("text/plain").comment());
    EXPECT_NE(text.ImageIndex(), folder.ImageIndex());
    EXPECT_EQ(Model.Row(5).TypeName(), text.TypeName());
    EXPECT_EQ(Model.Row(5).ImageIndex(), text.ImageIndex());
    EXPECT_EQ(Model.Row(6).TypeName(), QMimeDatabase().mimeTypeForFile("big.iso", QMimeDatabase::MatchExtension).comment());
}

TEST_F(RemoteList, HostileNamesNeverBecomeRows)
{
    Model.FillRemoteList({"drwxr-xr-x   2 user group     4096 Jan 15 10:30 .",
                          "drwxr-xr-x   2 user group     4096 Jan 15 10:30 ..",
                          "drwxr-xr-x   2 user group     4096 Jan 15 10:30 ../escape",
                          "-rw-r--r--   1 user group       10 Jan 15 10:30 a/b",
                          "lrwxrwxrwx   1 user group       10 Jan 15 10:30 root -> /",
                          QString("-rw-r--r--   1 user group       10 Jan 15 10:30 nul") + QChar(0) + "x",
                          "-rw-r--r--   1 user group       10 Jan 15 10:30 fine"},
                         false);
    EXPECT_EQ(Captions(), (QStringList{"..", "root", "fine"}));
    ASSERT_EQ(Log.Lines().size(), 5);
    for (const QString& line : Log.Lines())
        EXPECT_TRUE(line.startsWith("* ")) << line.toStdString();
}

TEST_F(RemoteList, EmptyAndUnknownListingsKeepOnlyTheParent)
{
    Model.FillRemoteList({"total 0"}, false);
    EXPECT_EQ(Captions(), QStringList{".."});
    EXPECT_EQ(Model.ListingFormat, 0);

    Model.FillRemoteList({"this is not a listing line of any kind"}, false);
    EXPECT_EQ(Captions(), QStringList{".."});
    EXPECT_EQ(Window.Panels[3], QStringList{"Unable to determine the remote host type directory listing"});
    EXPECT_EQ(Log.Lines(),
              QStringList{"* Unable to determine the remote host type directory listing. Only Standard UNIX, "
                          "Apple UNIX, DOS/Windows Apple WebStar are currently supported."});
}

TEST_F(RemoteList, SortKeepsParentAndFoldersAndOrdersFilesStably)
{
    struct Case {
        int column;
        bool ascending;
        QStringList files;
    };
    const Case cases[] = {
        {0, true, {"a file.txt", "b.txt", "big.iso"}},
        {0, false, {"big.iso", "b.txt", "a file.txt"}},
        {1, true, {"a file.txt", "b.txt", "big.iso"}},
        {1, false, {"big.iso", "b.txt", "a file.txt"}},
        {3, true, {"a file.txt", "big.iso", "b.txt"}},
        {9, true, {"b.txt", "a file.txt", "big.iso"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "column " << c.column << " ascending " << c.ascending);
        Model.FillRemoteList(UnixListing, false);
        Model.SortRemoteList(c.column, c.ascending);
        EXPECT_EQ(Captions(), QStringList({"..", "zeta", "my link", "alpha"}) + c.files);
    }
}

TEST_F(RemoteList, LookupsByCaptionFollowSortRenameAndRemoval)
{
    Model.FillRemoteList(UnixListing + QStringList{"-rw-r--r--   1 user group      500 Jan 15 10:30 b.txt"}, false);
    EXPECT_EQ(Model.IndexOfCaption(".."), -1);
    EXPECT_EQ(Model.IndexOfCaption("b.txt"), 4); // the first of two rows
    EXPECT_EQ(Model.GetRemoteFileSize("b.txt"), 3000);

    Model.SortRemoteList(1, true);
    EXPECT_EQ(Model.IndexOfCaption("b.txt"), 5);
    EXPECT_EQ(Model.GetRemoteFileSize("b.txt"), 500);

    Model.RenameCaption("b.txt", "c.txt");
    EXPECT_EQ(Model.IndexOfCaption("c.txt"), 5);
    EXPECT_EQ(Model.IndexOfCaption("b.txt"), 6);

    Model.RemoveCaption("alpha");
    EXPECT_EQ(Model.IndexOfCaption("alpha"), -1);
    EXPECT_EQ(Model.IndexOfCaption("c.txt"), 4);
    EXPECT_EQ(Model.IndexOfCaption("big.iso"), 6);
    for (int i = 1; i < Model.Count(); ++i)
        EXPECT_EQ(Model.IndexOfCaption(Model.Row(i).Caption()), i);

    Model.FillRemoteList({"total 0"}, false);
    EXPECT_EQ(Model.IndexOfCaption("c.txt"), -1);
}

TEST_F(RemoteList, CollectSelectionTakesTheFocusedRowOrEverySelectedOne)
{
    Model.FillRemoteList(UnixListing, false);
    std::vector<TQueueEntry> queue{{"/old", false}};
    Model.FocusedIndex = 4;
    Model.CollectSelection(queue, "/pub/", false);
    EXPECT_EQ(queue, (std::vector<TQueueEntry>{{"/old", false}, {"/pub/b.txt", false}}));

    Model.SetSelected(0, true);
    Model.SetSelected(1, true);
    Model.SetSelected(5, true);
    Model.CollectSelection(queue, "/pub/", true);
    EXPECT_EQ(queue, (std::vector<TQueueEntry>{{"/pub/zeta/", true}, {"/pub/a file.txt", false}}));

    // The parent entry alone gives nothing.
    Model.SetSelected(1, false);
    Model.SetSelected(5, false);
    Model.FocusedIndex = 0;
    Model.CollectSelection(queue, "/pub/", true);
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(Model.GetSelectedRemoteFile(), "");

    Model.CollectAllItems(queue, "/");
    EXPECT_EQ(queue.size(), 6u);
    EXPECT_EQ(queue[1], (TQueueEntry{"/my link/", true, true, "/etc"}));
}

} // namespace
