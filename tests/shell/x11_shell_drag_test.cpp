// The shell list's drag and drop with thunar on a private X server: a row dragged into thunar's
// folder window with Ctrl held is copied there, and a file dragged from thunar onto a folder row
// with Ctrl held is copied into that folder. Both skip where thunar is missing.
#include "support/pump.h"
#include "support/server_process.h"
#include "support/x11_session.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPoint>
#include <QTemporaryDir>

namespace {

bool ThunarInstalled()
{
    return QFileInfo(QStringLiteral("/usr/bin/thunar")).isExecutable() &&
           QFileInfo(QStringLiteral("/usr/bin/dbus-run-session")).isExecutable();
}

// The shown window xdotool's search Criteria find, moved to X, Y; its id, or empty.
QString MovedWindow(X11Session& Session, const QStringList& Criteria, int X, int Y)
{
    QString ids;
    if (!Session.Xdotool(QStringList{"search", "--sync", "--onlyvisible"} + Criteria, &ids) || ids.isEmpty())
        return QString();
    const QString id = ids.section(QLatin1Char('\n'), 0, 0);
    return Session.Xdotool({"windowmove", "--sync", id, QString::number(X), QString::number(Y)}) ? id : QString();
}

bool Hover(X11Session& Session, const QString& Window, QPoint At)
{
    return Session.Xdotool({"mousemove", "--window", Window, QString::number(At.x()), QString::number(At.y())});
}

void WriteFile(const QString& Path, const QByteArray& Content)
{
    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << Path.toStdString();
    file.write(Content);
}

// Thunar showing one folder and the shell list window showing another, side by side, for one
// test; Ctrl is held from HoldCtrl until the test ends (thunar reads the keys again when it
// performs a drop, after the button is up).
class X11ShellDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        session = X11Session::Instance();
        HFTP_NEED_X11(session);
        if (!ThunarInstalled())
            GTEST_SKIP() << "thunar and dbus-run-session are not installed";
        ASSERT_TRUE(from.isValid() && to.isValid());
    }
    void TearDown() override
    {
        if (!session)
            return;
        if (ctrlHeld_)
            session->Xdotool({"keyup", "ctrl"});
        // Thunar ends with its connection to the display, and its bus session with it.
        if (!thunarWindow.isEmpty())
            session->Xdotool({"windowkill", thunarWindow});
    }

    void Start(const QString& ThunarFolder, const QString& ListFolder)
    {
        ASSERT_TRUE(session->Run(thunar, QStringLiteral("/usr/bin/dbus-run-session"),
                                 {"--", QStringLiteral("/usr/bin/thunar"), ThunarFolder}))
            << thunar.Error().toStdString();
        thunarWindow = MovedWindow(*session, {"--class", "Thunar"}, 0, 0);
        ASSERT_FALSE(thunarWindow.isEmpty()) << session->Error().toStdString();
        ASSERT_TRUE(session->Run(list, QStringLiteral(HFTP_SHELL_LIST_WINDOW), {ListFolder})) << list.Error().toStdString();
        for (QString line = list.ReadLineStartingWith("r"); line.startsWith("row "); line = list.ReadLineStartingWith("r")) {
            const QStringList parts = line.split(' ');
            ASSERT_EQ(parts.size(), 4) << line.toStdString();
            rows.insert(QString::fromUtf8(QByteArray::fromPercentEncoding(parts[1].toLatin1())),
                        QPoint(parts[2].toInt(), parts[3].toInt()));
        }
        listWindow = MovedWindow(*session, {"--name", "^shell-list$"}, 800, 100);
        ASSERT_FALSE(listWindow.isEmpty()) << session->Error().toStdString();
    }
    void HoldCtrl() { ASSERT_TRUE(ctrlHeld_ = session->Xdotool({"keydown", "ctrl"})); }

    X11Session* session = nullptr;
    QTemporaryDir from, to;
    ServerProcess thunar, list;
    QString thunarWindow, listWindow;
    // The centre of each row of the list, by name.
    QHash<QString, QPoint> rows;

private:
    bool ctrlHeld_ = false;
};

} // namespace

TEST_F(X11ShellDrag, ARowDraggedIntoThunarWithCtrlIsCopiedIntoItsFolder)
{
    ASSERT_NO_FATAL_FAILURE(WriteFile(from.path() + "/dragged file.txt", "what the copy holds\n"));
    ASSERT_NO_FATAL_FAILURE(Start(to.path(), from.path()));
    ASSERT_TRUE(rows.contains("dragged file.txt"));
    const QPoint row = rows.value("dragged file.txt");

    ASSERT_TRUE(Hover(*session, listWindow, row));
    ASSERT_NO_FATAL_FAILURE(HoldCtrl());
    ASSERT_TRUE(session->Xdotool({"mousedown", "1"}));
    for (int step : {5, 10, 20, 30})
        ASSERT_TRUE(Hover(*session, listWindow, row + QPoint(step, 0)));
    ASSERT_FALSE(list.ReadLineStartingWith("drag started").isEmpty()) << list.Error().toStdString();
    // The empty folder's view fills thunar's window right of its side pane.
    for (int step : {0, 5, 10, 20})
        ASSERT_TRUE(Hover(*session, thunarWindow, QPoint(400 + step, 250 + step)));
    ASSERT_TRUE(session->Xdotool({"mouseup", "1"}));

    EXPECT_EQ(list.ReadLineStartingWith("drag ended"), "drag ended 40100 1") << list.Error().toStdString();
    const QString copy = to.path() + "/dragged file.txt";
    ASSERT_TRUE(pumpUntil([&] { return QFileInfo(copy).size() == 20; }, 20000)) << "no copy in thunar's folder";
    QFile copied(copy);
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), "what the copy holds\n");
    EXPECT_TRUE(QFileInfo::exists(from.path() + "/dragged file.txt")) << "a copy leaves the original";
}

TEST_F(X11ShellDrag, AFileDraggedFromThunarOntoAFolderRowWithCtrlIsCopiedIntoIt)
{
    ASSERT_NO_FATAL_FAILURE(WriteFile(from.path() + "/only file.txt", "from thunar\n"));
    ASSERT_TRUE(QDir(to.path()).mkdir("target"));
    ASSERT_NO_FATAL_FAILURE(Start(from.path(), to.path()));
    ASSERT_TRUE(rows.contains("target"));
    const QPoint row = rows.value("target");

    // The folder's one item is the first icon of thunar's view; the drag starts past GTK's
    // threshold, and the pointer is moved over the row until the list sees the drag.
    ASSERT_TRUE(Hover(*session, thunarWindow, QPoint(218, 150)));
    ASSERT_TRUE(session->Xdotool({"mousedown", "1"}));
    for (int step : {5, 10, 20, 40, 80})
        ASSERT_TRUE(Hover(*session, thunarWindow, QPoint(218 + step, 150)));
    ASSERT_NO_FATAL_FAILURE(HoldCtrl());
    bool over = false;
    for (int attempt = 0; attempt < 20 && !over; ++attempt) {
        ASSERT_TRUE(Hover(*session, listWindow, row + QPoint(attempt % 5, 0)));
        over = !list.ReadLineStartingWith("over", false, 500).isEmpty();
    }
    ASSERT_TRUE(over) << "the drag from thunar never reached the list";
    ASSERT_TRUE(Hover(*session, listWindow, row));
    ASSERT_TRUE(session->Xdotool({"mouseup", "1"}));

    const QString copy = to.path() + "/target/only file.txt";
    ASSERT_TRUE(pumpUntil([&] { return QFileInfo(copy).size() == 12; }, 20000)) << "no copy in the folder of the row";
    EXPECT_TRUE(QFileInfo::exists(from.path() + "/only file.txt")) << "a copy leaves the original";
}
