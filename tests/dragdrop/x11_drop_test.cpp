// Drag and drop with other programs on a private X server: a file dragged with the pointer from a
// peer program and from thunar onto a window holding a file drop target, a file list dragged
// from that window with DoDragDrop onto the peer and into thunar, and text and HTML between the
// peer and the editor.
#include "support/pump.h"
#include "support/server_process.h"
#include "support/x11_session.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPoint>
#include <QTemporaryDir>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Finds the shown window of a class (xdotool's --class) and puts it at X, Y; its id, or empty.
QString PlaceWindowOfClass(X11Session& Session, const QString& Class, int X, int Y)
{
    QString id;
    if (!Session.Xdotool({"search", "--sync", "--onlyvisible", "--class", Class}, &id) || id.isEmpty())
        return QString();
    id = id.section(QLatin1Char('\n'), 0, 0);
    if (!Session.Xdotool({"windowmove", "--sync", id, QString::number(X), QString::number(Y)}))
        return QString();
    return id;
}

// A file with blanks and a byte that is not UTF-8 in its name, in a folder of its own.
class OddlyNamedFile {
    QTemporaryDir folder_;

public:
    OddlyNamedFile() : Path(QFile::encodeName(folder_.path()) + "/two  blanks \xff.txt")
    {
        const int fd = ::open(Path.constData(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0)
            ::close(fd);
    }
    // The folder's own removal reads names as UTF-8 and cannot reach this one.
    ~OddlyNamedFile() { ::unlink(Path.constData()); }

    bool Exists() const { return ::access(Path.constData(), F_OK) == 0; }
    QString Encoded() const { return QString::fromLatin1(Path.toPercentEncoding("/")); }

    const QByteArray Path;
};

// The two programs of a drag on the session, their windows placed side by side.
struct DragPrograms {
    ServerProcess Peer, Target;
    QString PeerWindow, TargetWindow;

    // Starts the peer offering PeerFile and the drop-target window, dragging TargetFile when given.
    void Start(X11Session& Session, const QString& PeerFile, const QString& TargetFile = QString())
    {
        ASSERT_TRUE(Session.Run(Peer, QStringLiteral(HFTP_DND_PEER), {"dnd-peer", "file", PeerFile}))
            << Peer.Error().toStdString();
        QStringList arguments{"drop-target"};
        if (!TargetFile.isEmpty())
            arguments << "drag" << TargetFile;
        ASSERT_TRUE(Session.Run(Target, QStringLiteral(HFTP_DROP_FILE_TARGET_WINDOW), arguments))
            << Target.Error().toStdString();
        ASSERT_FALSE(Peer.ReadLineStartingWith("ready").isEmpty()) << Peer.Error().toStdString();
        ASSERT_FALSE(Target.ReadLineStartingWith("ready").isEmpty()) << Target.Error().toStdString();
        PeerWindow = Session.PlaceWindow("dnd-peer", 0, 0);
        TargetWindow = Session.PlaceWindow("drop-target", 400, 0);
        ASSERT_FALSE(PeerWindow.isEmpty() || TargetWindow.isEmpty()) << Session.Error().toStdString();
    }
};

// Presses on the From window at Press and moves onto To at Over; the drag has started once From's
// program says so.
void StartDrag(X11Session& Session, const QString& From, ServerProcess& FromProgram, const QString& To,
               QPoint Over = QPoint(100, 100), QPoint Press = QPoint(100, 100))
{
    ASSERT_TRUE(Session.PointAt(From, Press.x(), Press.y()));
    ASSERT_TRUE(Session.Xdotool({"mousedown", "1"}));
    ASSERT_TRUE(Session.PointAt(From, Press.x() + 20, Press.y() + 20));
    ASSERT_FALSE(FromProgram.ReadLineStartingWith("drag started").isEmpty()) << FromProgram.Error().toStdString();
    ASSERT_TRUE(Session.PointAt(To, Over.x(), Over.y()));
    ASSERT_TRUE(Session.PointAt(To, Over.x() + 10, Over.y() + 10));
}

// The peer offering Kind and Value, and the editor's window holding Text, side by side.
struct EditorPrograms {
    ServerProcess Peer, Editor;
    QString PeerWindow, EditorWindow;
    // A point of the editor's window inside its selected text.
    QPoint InSelection;

    void Start(X11Session& Session, const QString& Kind, const QString& Value, const QString& Text)
    {
        ASSERT_TRUE(Session.Run(Peer, QStringLiteral(HFTP_DND_PEER), {"dnd-peer", Kind, Value}))
            << Peer.Error().toStdString();
        ASSERT_TRUE(Session.Run(Editor, QStringLiteral(HFTP_EDITOR_DND_WINDOW), {"editor-dnd", Text}))
            << Editor.Error().toStdString();
        ASSERT_FALSE(Peer.ReadLineStartingWith("ready").isEmpty()) << Peer.Error().toStdString();
        const QStringList ready = Editor.ReadLineStartingWith("ready ").split(' ');
        ASSERT_EQ(ready.size(), 3) << Editor.Error().toStdString();
        InSelection = QPoint(ready[1].toInt(), ready[2].toInt());
        PeerWindow = Session.PlaceWindow("dnd-peer", 0, 0);
        EditorWindow = Session.PlaceWindow("editor-dnd", 400, 0);
        ASSERT_FALSE(PeerWindow.isEmpty() || EditorWindow.isEmpty()) << Session.Error().toStdString();
    }
};

// Thunar, another desktop's file manager, run in a bus session of its own: a check on machines
// that have it (its layout and start-up time are its own, so the build does not install it).
struct Thunar {
    ServerProcess Process;
    QString Window;

    ~Thunar()
    {
        // Thunar ends with its connection to the display, and its bus session with it.
        if (!Window.isEmpty())
            X11Session::Instance()->Xdotool({"windowkill", Window});
    }
    static bool Installed()
    {
        return QFileInfo(QStringLiteral("/usr/bin/thunar")).isExecutable() &&
               QFileInfo(QStringLiteral("/usr/bin/dbus-run-session")).isExecutable();
    }
    // Opens Folder in a window placed at the screen's top left.
    void Open(X11Session& Session, const QString& Folder)
    {
        ASSERT_TRUE(Session.Run(Process, QStringLiteral("/usr/bin/dbus-run-session"),
                                {"--", QStringLiteral("/usr/bin/thunar"), Folder}))
            << Process.Error().toStdString();
        Window = PlaceWindowOfClass(Session, "Thunar", 0, 0);
        ASSERT_FALSE(Window.isEmpty()) << Session.Error().toStdString();
    }
};

} // namespace

TEST(X11Drop, APeersFileArrivesInGetFilesWithItsExactPath)
{
    X11Session* session = X11Session::Instance();
    HFTP_NEED_X11(session);
    OddlyNamedFile file;
    ASSERT_TRUE(file.Exists());
    DragPrograms programs;
    ASSERT_NO_FATAL_FAILURE(programs.Start(*session, QString::fromLatin1(file.Path.toPercentEncoding())));

    ASSERT_NO_FATAL_FAILURE(StartDrag(*session, programs.PeerWindow, programs.Peer, programs.TargetWindow));
    ASSERT_FALSE(programs.Target.ReadLineStartingWith("over").isEmpty()) << programs.Target.Error().toStdString();
    ASSERT_TRUE(session->Xdotool({"mouseup", "1"}));

    EXPECT_EQ(programs.Target.ReadLineStartingWith("dropped "), "dropped " + file.Encoded())
        << programs.Target.Error().toStdString();
    EXPECT_FALSE(programs.Target.ReadLineStartingWith("drop done").isEmpty());
}

// On X11 the drag ends when the drop is sent; the peer asks for the data after that.
TEST(X11Drop, AFileListDraggedWithDoDragDropReachesThePeerAsAUriList)
{
    X11Session* session = X11Session::Instance();
    HFTP_NEED_X11(session);
    OddlyNamedFile file;
    DragPrograms programs;
    ASSERT_NO_FATAL_FAILURE(programs.Start(*session, "%2Fnothing", QString::fromLatin1(file.Path.toPercentEncoding())));

    ASSERT_NO_FATAL_FAILURE(StartDrag(*session, programs.TargetWindow, programs.Target, programs.PeerWindow));
    ASSERT_FALSE(programs.Peer.ReadLineStartingWith("enter").isEmpty()) << programs.Peer.Error().toStdString();
    ASSERT_TRUE(session->Xdotool({"mouseup", "1"}));

    const QString uriList = programs.Peer.ReadLineStartingWith("drop text/uri-list ");
    EXPECT_EQ(QByteArray::fromPercentEncoding(uriList.section(' ', 2).toLatin1()),
              "file://" + file.Path.toPercentEncoding("/") + "\r\n")
        << programs.Peer.Error().toStdString();
    EXPECT_EQ(programs.Target.ReadLineStartingWith("drag ended"), "drag ended 40100 1");
}

TEST(X11Drop, AFileDraggedFromThunarArrivesInGetFiles)
{
    X11Session* session = X11Session::Instance();
    HFTP_NEED_X11(session);
    if (!Thunar::Installed())
        GTEST_SKIP() << "thunar and dbus-run-session are not installed";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.path() + "/only file.txt";
    ASSERT_TRUE(QFile(path).open(QIODevice::WriteOnly));

    Thunar files;
    ServerProcess target;
    ASSERT_NO_FATAL_FAILURE(files.Open(*session, folder.path()));
    ASSERT_TRUE(session->Run(target, QStringLiteral(HFTP_DROP_FILE_TARGET_WINDOW), {"drop-target"}))
        << target.Error().toStdString();
    ASSERT_FALSE(target.ReadLineStartingWith("ready").isEmpty()) << target.Error().toStdString();
    const QString& filesWindow = files.Window;
    const QString targetWindow = session->PlaceWindow("drop-target", 800, 100);
    ASSERT_FALSE(targetWindow.isEmpty()) << session->Error().toStdString();

    // The folder's one item is the first icon of thunar's view; the drag starts past GTK's
    // threshold, and the pointer is moved over the target until the target sees the drag.
    ASSERT_TRUE(session->PointAt(filesWindow, 218, 150));
    ASSERT_TRUE(session->Xdotool({"mousedown", "1"}));
    for (int step : {5, 10, 20, 40, 80})
        ASSERT_TRUE(session->PointAt(filesWindow, 218 + step, 150));
    bool over = false;
    for (int attempt = 0; attempt < 20 && !over; ++attempt) {
        ASSERT_TRUE(session->PointAt(targetWindow, 50 + attempt, 50));
        over = !target.ReadLineStartingWith("over", false, 500).isEmpty();
    }
    ASSERT_TRUE(over) << "the drag from thunar never reached the target";
    ASSERT_TRUE(session->Xdotool({"mouseup", "1"}));

    EXPECT_EQ(target.ReadLineStartingWith("dropped "),
              "dropped " + QString::fromLatin1(QFile::encodeName(path).toPercentEncoding("/")))
        << target.Error().toStdString();
}

TEST(X11Drop, AFileListDraggedWithDoDragDropIntoThunarIsCopiedIntoItsFolder)
{
    X11Session* session = X11Session::Instance();
    HFTP_NEED_X11(session);
    if (!Thunar::Installed())
        GTEST_SKIP() << "thunar and dbus-run-session are not installed";
    QTemporaryDir from, to;
    ASSERT_TRUE(from.isValid() && to.isValid());
    const QString source = from.path() + "/dragged file.txt";
    {
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("what the copy holds\n");
    }
    const QString copy = to.path() + "/dragged file.txt";

    Thunar files;
    ServerProcess target;
    ASSERT_NO_FATAL_FAILURE(files.Open(*session, to.path()));
    ASSERT_TRUE(session->Run(target, QStringLiteral(HFTP_DROP_FILE_TARGET_WINDOW),
                             {"drop-target", "drag", QString::fromLatin1(QFile::encodeName(source).toPercentEncoding())}))
        << target.Error().toStdString();
    ASSERT_FALSE(target.ReadLineStartingWith("ready").isEmpty()) << target.Error().toStdString();
    const QString targetWindow = session->PlaceWindow("drop-target", 800, 100);
    ASSERT_FALSE(targetWindow.isEmpty()) << session->Error().toStdString();

    // The empty folder's view fills thunar's window right of its side pane.
    ASSERT_NO_FATAL_FAILURE(StartDrag(*session, targetWindow, target, files.Window, QPoint(400, 250)));
    for (int step : {5, 10, 20})
        ASSERT_TRUE(session->PointAt(files.Window, 420 + step, 270));
    ASSERT_TRUE(session->Xdotool({"mouseup", "1"}));

    EXPECT_EQ(target.ReadLineStartingWith("drag ended"), "drag ended 40100 1");
    ASSERT_TRUE(pumpUntil([&] { return QFileInfo(copy).size() == QFileInfo(source).size(); }, 20000))
        << "no copy in thunar's folder";
    QFile copied(copy);
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), "what the copy holds\n");
    EXPECT_TRUE(QFileInfo::exists(source)) << "a copy leaves the original";
}

TEST(X11Drop, TextDraggedFromTheEditorReachesThePeerAsPlainText)
{
    X11Session* session = X11Session::Instance();
    HFTP_NEED_X11(session);
    EditorPrograms programs;
    ASSERT_NO_FATAL_FAILURE(programs.Start(*session, "text", "unused", "alpha beta"));

    ASSERT_NO_FATAL_FAILURE(StartDrag(*session, programs.EditorWindow, programs.Editor, programs.PeerWindow,
                                      QPoint(100, 100), programs.InSelection));
    ASSERT_FALSE(programs.Peer.ReadLineStartingWith("enter").isEmpty()) << programs.Peer.Error().toStdString();
    ASSERT_TRUE(session->Xdotool({"mouseup", "1"}));

    const QString text = programs.Peer.ReadLineStartingWith("drop text/plain ");
    EXPECT_EQ(QByteArray::fromPercentEncoding(text.section(' ', 2).toLatin1()), "alpha beta")
        << programs.Peer.Error().toStdString();
    EXPECT_FALSE(programs.Editor.ReadLineStartingWith("drag ended").isEmpty());
}

TEST(X11Drop, HtmlDroppedOnTheEditorIsTrimmedToItsFragment)
{
    X11Session* session = X11Session::Instance();
    HFTP_NEED_X11(session);
    EditorPrograms programs;
    ASSERT_NO_FATAL_FAILURE(programs.Start(*session, "html", "<b>bold</b> text", ""));

    ASSERT_NO_FATAL_FAILURE(StartDrag(*session, programs.PeerWindow, programs.Peer, programs.EditorWindow));
    ASSERT_FALSE(programs.Editor.ReadLineStartingWith("over").isEmpty()) << programs.Editor.Error().toStdString();
    ASSERT_TRUE(session->Xdotool({"mouseup", "1"}));

    const QString text = programs.Editor.ReadLineStartingWith("text ");
    EXPECT_EQ(QByteArray::fromPercentEncoding(text.section(' ', 1).toLatin1()), "<b>bold</b> text")
        << programs.Editor.Error().toStdString();
}
