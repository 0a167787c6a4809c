// A test-only program: a window holding the editor control with a text, all of it selected, which
// takes drops as the program's main window has them (dropped HTML trimmed to its fragment) and
// drags its selection out.
//
//   editor_dnd_window <title> <text>
//
// It prints "ready <x> <y>" once its window is shown, with a window point inside the selected
// text; "over" at the first DragOver of each drag; "text <percent-encoded text>" after each change
// of the text; and for a drag of the selection "drag started", then "drag ended <action>".
#include "editor/syntax_memo.h"
#include "editor/syn_memo_drop_target.h"
#include "platform/rtl/application.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <utility>

void runFolderInits(); // generated for the program

namespace {

void Say(const QByteArray& Line)
{
    std::printf("%s\n", Line.constData());
    std::fflush(stdout);
}

class DragReportingMemo : public TSyntaxMemo {
public:
    Qt::DropAction DragSelectionText(Qt::DropActions Allowed, bool& IntoSelf) override
    {
        Say("drag started");
        const Qt::DropAction action = TSyntaxMemo::DragSelectionText(Allowed, IntoSelf);
        Say("drag ended " + QByteArray::number(int(action)));
        return action;
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    TApplication app;
    runFolderInits();
    if (argc != 3) {
        std::fprintf(stderr, "usage: editor_dnd_window <title> <text>\n");
        return 2;
    }
    DragReportingMemo memo;
    memo.setWindowTitle(QString::fromUtf8(argv[1]));
    memo.resize(300, 200);
    memo.SetOptions(memo.Options() | (TSyntaxMemoOptions(1) << smoOLEDragSource));
    memo.SetTextBuffer(argv[2]);
    memo.SelectAll();
    memo.OnDataDrop = [](TObject*, unsigned& Types) {
        if (Types & htmlTrim)
            Types = (Types & ~htmlKeepWhole) | htmlFragmentOnly;
    };
    bool overSaid = false;
    memo.OnOLEDragOver = [&](TObject*, win::IDataObject*, win::DWORD&, QPoint) {
        if (!std::exchange(overSaid, true))
            Say("over");
    };
    memo.OnChange = [&](TObject*) {
        overSaid = false;
        const std::string text = memo.TextStore().GetText(0, memo.TextLength());
        Say("text " + QByteArray::fromStdString(text).toPercentEncoding());
    };
    memo.show();
    QTimer::singleShot(0, [&] {
        const QPoint inside = memo.PointFromPosition(1) + QPoint(2, memo.Metrics().LineHeight / 2);
        const QPoint point = memo.viewport()->mapTo(&memo, inside);
        Say("ready " + QByteArray::number(point.x()) + ' ' + QByteArray::number(point.y()));
    });
    return qt.exec();
}
