// Drag and drop with other programs on a private X server: a file dragged with the pointer from a
// peer program onto a window holding a file drop target.
#include "support/server_process.h"
#include "support/x11_session.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Finds the window of a title and puts it at X, Y; its id, or empty.
QString PlaceWindow(X11Session& Session, const QString& Title, int X, int Y)
{
    QString id;
    if (!Session.Xdotool({"search", "--sync", "--name", "^" + Title + "$"}, &id) || id.isEmpty())
        return QString();
    id = id.section(QLatin1Char('\n'), 0, 0);
    if (!Session.Xdotool({"windowmove", "--sync", id, QString::number(X), QString::number(Y)}))
        return QString();
    return id;
}

bool PointAt(X11Session& Session, const QString& Window, int X, int Y)
{
    return Session.Xdotool({"mousemove", "--window", Window, QString::number(X), QString::number(Y)});
}

} // namespace

TEST(X11Drop, APeersFileArrivesInGetFilesWithItsExactPath)
{
    X11Session* session = X11Session::Instance();
    HFTP_NEED_X11(session);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QByteArray path = QFile::encodeName(folder.path()) + "/two  blanks \xff.txt";
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);

    ServerProcess peer, target;
    ASSERT_TRUE(session->Run(peer, QStringLiteral(HFTP_DND_PEER),
                             {QStringLiteral("dnd-peer"), QStringLiteral("file"), QString::fromLatin1(path.toPercentEncoding())}))
        << peer.Error().toStdString();
    ASSERT_TRUE(session->Run(target, QStringLiteral(HFTP_DROP_FILE_TARGET_WINDOW), {QStringLiteral("drop-target")}))
        << target.Error().toStdString();
    ASSERT_FALSE(peer.ReadLineStartingWith(QStringLiteral("ready")).isEmpty()) << peer.Error().toStdString();
    ASSERT_FALSE(target.ReadLineStartingWith(QStringLiteral("ready")).isEmpty()) << target.Error().toStdString();
    const QString peerWindow = PlaceWindow(*session, QStringLiteral("dnd-peer"), 0, 0);
    const QString targetWindow = PlaceWindow(*session, QStringLiteral("drop-target"), 400, 0);
    ASSERT_FALSE(peerWindow.isEmpty() || targetWindow.isEmpty()) << session->Error().toStdString();

    ASSERT_TRUE(PointAt(*session, peerWindow, 100, 100));
    ASSERT_TRUE(session->Xdotool({"mousedown", "1"}));
    ASSERT_TRUE(PointAt(*session, peerWindow, 120, 120));
    ASSERT_FALSE(peer.ReadLineStartingWith(QStringLiteral("drag started")).isEmpty()) << peer.Error().toStdString();
    ASSERT_TRUE(PointAt(*session, targetWindow, 100, 100));
    ASSERT_TRUE(PointAt(*session, targetWindow, 110, 110));
    ASSERT_FALSE(target.ReadLineStartingWith(QStringLiteral("over")).isEmpty()) << target.Error().toStdString();
    ASSERT_TRUE(session->Xdotool({"mouseup", "1"}));

    const QString dropped = target.ReadLineStartingWith(QStringLiteral("dropped "));
    EXPECT_EQ(dropped, QStringLiteral("dropped ") + QString::fromLatin1(path.toPercentEncoding("/")))
        << target.Error().toStdString();
    EXPECT_FALSE(target.ReadLineStartingWith(QStringLiteral("drop done")).isEmpty());
    // The folder's own removal reads names as UTF-8 and cannot reach this one.
    ::unlink(path.constData());
}
