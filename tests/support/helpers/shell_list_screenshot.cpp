// A review program, not a test: shows a shell list in report view over a folder it makes (files of
// several types and sizes, a folder, hidden entries, a link), sorted by size from the largest, and
// saves a picture of the screen. Run it on an X server with a window manager:
//   xvfb-run -a -s "-screen 0 1024x768x24" sh -c 'openbox & shell_list_screenshot <picture.png>'
#include "shell/shell_list.h"

#include "platform/platform_init.h"
#include "platform/rtl/application.h"
#include "platform/widgets/platform_widgets_init.h"
#include "shell/shell_init.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void MakeFile(const QString& Path, qint64 Size)
{
    QFile file(Path);
    if (file.open(QIODevice::WriteOnly))
        file.resize(Size);
}

void PumpFor(int Ms)
{
    const QDeadlineTimer deadline(Ms);
    while (!deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    TApplication app;
    initPlatform();
    initPlatformWidgets();
    initShell();
    if (argc != 2) {
        std::fprintf(stderr, "usage: shell_list_screenshot <picture.png>\n");
        return 2;
    }

    QTemporaryDir folder;
    const QString path = folder.path();
    QDir(path).mkdir(QStringLiteral("Documents"));
    QDir(path).mkdir(QStringLiteral(".cache"));
    MakeFile(path + QStringLiteral("/notes.txt"), 1025);
    MakeFile(path + QStringLiteral("/photo.png"), 2500000);
    MakeFile(path + QStringLiteral("/archive.zip"), 5LL << 30);
    MakeFile(path + QStringLiteral("/index.html"), 0);
    MakeFile(path + QStringLiteral("/.profile"), 700);
    QFile::link(path + QStringLiteral("/notes.txt"), path + QStringLiteral("/link to notes"));

    TPTShellList list;
    list.setWindowTitle(QStringLiteral("Shell list"));
    list.SetViewStyle(vsReport);
    list.resize(640, 300);
    list.move(40, 40);
    list.show();
    list.Folder()->SetPath(path);
    list.SetSignedSortColumn(-2);
    list.Item(0)->SetSelected(true);
    list.Item(0)->SetFocused(true);
    PumpFor(1500);

    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    if (!screen.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
