// The local file of a download where the name is a link that leads nowhere, a plain file or a
// link to one, and where no temporary file can be made beside the file it would replace.
#include "ftp/client/download_file.h"
#include "platform/rtl/streams.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// While it lives, no entry can be made in Folder, whose files stay writable: for a user, the
// folder's write bit is cleared; for root, whom that does not stop, the folder is made immutable.
class NoNewEntries {
public:
    explicit NoNewEntries(const QString& Folder) : folder_(QFile::encodeName(Folder))
    {
        if (geteuid() != 0) {
            active_ = ::chmod(folder_.constData(), 0555) == 0;
            return;
        }
        const int fd = ::open(folder_.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        int flags = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            active_ = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        if (fd >= 0)
            ::close(fd);
    }
    ~NoNewEntries()
    {
        if (!active_)
            return;
        if (geteuid() != 0) {
            ::chmod(folder_.constData(), 0755);
            return;
        }
        const int fd = ::open(folder_.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        int flags = 0;
        if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        ::close(fd);
    }
    NoNewEntries(const NoNewEntries&) = delete;
    NoNewEntries& operator=(const NoNewEntries&) = delete;

    // False where the file system or the user's rights allow neither.
    bool Active() const { return active_; }

private:
    QByteArray folder_;
    bool active_ = false;
};

unsigned NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

TEST(DownloadFile, ALinkThatLeadsNowhereIsReplacedOnlyBySuccessAndNothingIsMadeWhereItPoints)
{
    for (const bool succeeds : {true, false}) {
        SCOPED_TRACE(succeeds ? "succeeded" : "failed");
        TTempTree tree(succeeds ? "kept" : "discarded");
        tree.Folder("elsewhere");
        tree.Link("in/f", tree.Path("elsewhere/missing"));
        {
            TDownloadFile file(tree.Path("in/f"), 0);
            file.Write("downloaded", 10);
            if (succeeds)
                file.Keep();
            else
                file.Discard();
        }
        EXPECT_FALSE(tree.Exists("elsewhere/missing"));
        if (succeeds) {
            EXPECT_FALSE(tree.IsLink("in/f"));
            EXPECT_EQ(tree.Read("in/f"), "downloaded");
            struct stat st {};
            ASSERT_EQ(::lstat(QFile::encodeName(tree.Path("in/f")).constData(), &st), 0);
            EXPECT_EQ(st.st_mode & 07777, NewFileMode());
        } else {
            EXPECT_TRUE(tree.IsLink("in/f"));
            EXPECT_EQ(QFileInfo(tree.Path("in/f")).symLinkTarget(), tree.Path("elsewhere/missing"));
        }
        EXPECT_EQ(tree.List("in"), QStringList{"f"}); // no temporary file left
    }
}

TEST(DownloadFile, APlainFileIsReplacedWithItsPermissionsAndALinkToOneStays)
{
    for (const bool throughLink : {false, true}) {
        SCOPED_TRACE(throughLink ? "through a link" : "plain file");
        TTempTree tree;
        tree.File("old", "the old file");
        ASSERT_EQ(::chmod(QFile::encodeName(tree.Path("old")).constData(), 0640), 0);
        const QString name = throughLink ? QStringLiteral("link") : QStringLiteral("old");
        if (throughLink)
            tree.Link("link", tree.Path("old"));
        {
            TDownloadFile file(tree.Path(name), 0);
            file.Write("downloaded", 10);
            file.Keep();
        }
        EXPECT_EQ(tree.IsLink("link"), throughLink);
        EXPECT_EQ(tree.Read("old"), "downloaded");
        struct stat st {};
        ASSERT_EQ(::lstat(QFile::encodeName(tree.Path("old")).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0640u);
        EXPECT_EQ(tree.List().size(), throughLink ? 2 : 1); // no temporary file left
    }
}

TEST(DownloadFile, NoRoomForATemporaryFileFailsAtOnceAndKeepsTheOldFile)
{
    TTempTree tree;
    tree.File("f", "the old file");
    QString message;
    {
        NoNewEntries locked(tree.Path());
        if (!locked.Active())
            GTEST_SKIP() << "this file system cannot refuse new entries to this user";
        try {
            TDownloadFile file(tree.Path("f"), 0);
        } catch (const EFCreateError& e) {
            message = e.Message;
        }
    }
    EXPECT_TRUE(message.startsWith(QString("Cannot create a temporary file in \"%1/\" to receive \"%2\". ")
                                       .arg(tree.Path(), tree.Path("f"))))
        << message.toStdString();
    EXPECT_EQ(tree.Read("f"), "the old file");
    EXPECT_EQ(tree.List(), QStringList{"f"});
}

} // namespace
