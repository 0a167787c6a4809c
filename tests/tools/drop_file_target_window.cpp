// A test-only program: a window holding a registered file drop target, which prints each dropped
// file and what the drag asked of it; given a path, the window also starts a drag of that file
// (as CF_HDROP, through DoDragDrop) when the pointer is pressed and moved on it.
//
//   drop_file_target_window <title> [drag <percent-encoded path>]
//
// It prints "ready" once its window is shown, "over" at the first DragOver of each drag, and at
// a drop one line "dropped <path>" per file, the path's bytes percent-encoded, then "drop done".
// A drag it starts prints "drag started", then "drag ended <result> <effect>" in hexadecimal.
#include "../platform/fake_data_object.h"
#include "dragdrop/drop_file_target.h"
#include "platform/ole/drag_loop.h"
#include "platform/ole/drop_files.h"
#include "platform/rtl/application.h"
#include "platform/rtl/string_list.h"
#include "platform/system/name_encoding.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

void runFolderInits(); // generated for the program

namespace {

using namespace win;

void Say(const QByteArray& Line)
{
    std::printf("%s\n", Line.constData());
    std::fflush(stdout);
}

// Drops when the left button is released; Escape cancels.
class ButtonDropSource : public ComObject, public IDropSource {
public:
    HRESULT QueryInterface(const IID& riid, void** ppv) override
    {
        return FindInterface(this, riid, ppv,
                             {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IDropSource, static_cast<IDropSource*>(this)}});
    }
    HRESULT QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override
    {
        if (fEscapePressed)
            return DRAGDROP_S_CANCEL;
        return grfKeyState & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

class TargetWindow : public QWidget {
public:
    explicit TargetWindow(QString DragPath) : dragPath_(std::move(DragPath)) {}

protected:
    void mousePressEvent(QMouseEvent* Event) override { pressed_ = Event->button() == Qt::LeftButton; }
    void mouseMoveEvent(QMouseEvent*) override
    {
        if (!std::exchange(pressed_, false) || dragPath_.isEmpty())
            return;
        const auto data = MakeComObject<FakeDataObject>();
        data->Offer(CF_HDROP, MakeDropFiles({dragPath_}, true));
        const auto source = MakeComObject<ButtonDropSource>();
        Say("drag started");
        DWORD effect = DROPEFFECT_NONE;
        const HRESULT result = DoDragDrop(data.Get(), source.Get(), DROPEFFECT_COPY, &effect);
        Say("drag ended " + QByteArray::number(quint32(result), 16) + ' ' + QByteArray::number(quint32(effect), 16));
    }

private:
    QString dragPath_;
    bool pressed_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    TApplication app;
    runFolderInits();
    if (argc != 2 && !(argc == 4 && qstrcmp(argv[2], "drag") == 0)) {
        std::fprintf(stderr, "usage: drop_file_target_window <title> [drag <percent-encoded path>]\n");
        return 2;
    }
    TargetWindow window(argc == 4 ? DecodeName(QByteArray::fromPercentEncoding(argv[3])) : QString());
    window.setWindowTitle(QString::fromUtf8(argv[1]));
    window.resize(200, 200);
    TDropFileTarget target(nullptr);
    bool overSaid = false;
    target.OnEnter = [&](TObject*, TShiftState, QPoint, DWORD&) { overSaid = false; };
    target.OnDragOver = [&](TObject*, TShiftState, QPoint, DWORD&) {
        if (!std::exchange(overSaid, true))
            Say("over");
    };
    target.OnDrop = [&](TObject*, TShiftState, QPoint, DWORD&) {
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
