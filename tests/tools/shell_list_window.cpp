// A test-only program: a window showing the shell list of a folder in report view, which drags
// its rows to other programs and takes their drops as the program's local list does.
//
//   shell_list_window <folder>
//
// Once its window is shown it prints "row <percent-encoded name> <x> <y>" for each row (the
// centre of the row's name in the window's coordinates), then "ready". It prints "over" at the
// first DragOver of each drag over the list, and "drag started" and "drag ended <result>
// <effect>" (in hexadecimal) around each drag of its own.
#include "shell/shell_list.h"

#include "platform/ole/drag_loop.h"
#include "platform/rtl/application.h"
#include "platform/system/name_encoding.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

void runFolderInits(); // generated for the program

using namespace win;

namespace {

// One line to the test, at once.
void Say(const QByteArray& Line)
{
    std::fputs((Line + '\n').constData(), stdout);
    std::fflush(stdout);
}

class TAnnouncedDragLoop : public QtDragLoop {
public:
    HRESULT Run(IDataObject* DataObject, IDropSource* DropSource, DWORD OkEffects, DWORD* Effect) override
    {
        Say("drag started");
        const HRESULT result = QtDragLoop::Run(DataObject, DropSource, OkEffects, Effect);
        Say("drag ended " + QByteArray::number(quint32(result), 16) + ' ' + QByteArray::number(quint32(*Effect), 16));
        return result;
    }
};

class TAnnouncedShellList : public TPTShellList {
public:
    HRESULT DragEnter(IDataObject* DataObj, DWORD KeyState, POINTL Pt, DWORD& Effect) override
    {
        overSaid_ = false;
        return TPTShellList::DragEnter(DataObj, KeyState, Pt, Effect);
    }
    HRESULT DragOver(DWORD KeyState, POINTL Pt, DWORD& Effect) override
    {
        if (!std::exchange(overSaid_, true))
            Say("over");
        return TPTShellList::DragOver(KeyState, Pt, Effect);
    }

private:
    bool overSaid_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    TApplication app;
    runFolderInits();
    if (argc != 2) {
        std::fprintf(stderr, "usage: shell_list_window <folder>\n");
        return 2;
    }
    TAnnouncedDragLoop loop;
    SetDragLoop(&loop);
    TAnnouncedShellList list;
    list.setWindowTitle(QStringLiteral("shell-list"));
    list.SetViewStyle(vsReport);
    list.SetMultiSelect(true);
    list.resize(400, 300);
    list.show();
    list.Folder()->SetPath(DecodeName(argv[1]));
    QTimer::singleShot(0, [&list] {
        for (int row = 0; row < list.Count(); ++row) {
            const QPoint centre = list.ItemRect(list.Item(row)).center();
            const QByteArray name = EncodeName(list.GetItemData(row)->GetFileName()).toPercentEncoding();
            Say("row " + name + ' ' + QByteArray::number(centre.x()) + ' ' + QByteArray::number(centre.y()));
        }
        Say("ready");
    });
    const int result = qt.exec();
    SetDragLoop(nullptr);
    return result;
}
