// A test-only program: a window holding a registered file drop target, which prints each dropped
// file and what the drag asked of it.
//
//   drop_file_target_window <title>
//
// It prints "ready" once its window is shown, "over" at the first DragOver of each drag, and at
// a drop one line "dropped <path>" per file, the path's bytes percent-encoded, then "drop done".
#include "dragdrop/drop_file_target.h"
#include "platform/rtl/application.h"
#include "platform/rtl/string_list.h"
#include "platform/system/name_encoding.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

void runFolderInits(); // generated for the program

namespace {

void Say(const QByteArray& Line)
{
    std::printf("%s\n", Line.constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    TApplication app;
    runFolderInits();
    if (argc != 2) {
        std::fprintf(stderr, "usage: drop_file_target_window <title>\n");
        return 2;
    }
    QWidget window;
    window.setWindowTitle(QString::fromUtf8(argv[1]));
    window.resize(200, 200);
    TDropFileTarget target(nullptr);
    bool overSaid = false;
    target.OnEnter = [&](TObject*, TShiftState, QPoint, win::DWORD&) { overSaid = false; };
    target.OnDragOver = [&](TObject*, TShiftState, QPoint, win::DWORD&) {
        if (!std::exchange(overSaid, true))
            Say("over");
    };
    target.OnDrop = [&](TObject*, TShiftState, QPoint, win::DWORD&) {
        const TStrings& files = target.GetFiles();
        for (int i = 0; i < files.Count(); ++i)
            Say("dropped " + EncodeName(files.Strings(i)).toPercentEncoding("/"));
        Say("drop done");
    };
    target.Register(&window);
    window.show();
    QTimer::singleShot(0, [] { Say("ready"); });
    return qt.exec();
}
