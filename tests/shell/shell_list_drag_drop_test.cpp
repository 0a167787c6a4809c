// The shell list's drag and drop over temporary folders: the data of its drags, drops from other
// programs onto rows and onto the empty area, its own drags through the scripted drag loop, the
// menu of a right click after a right drag, and Send To with the list's data.
#include "shell/data_object_shlv.h"
#include "shell/shell_init.h"
#include "shell/shell_list.h"

#include "platform/ole/cida.h"
#include "platform/ole/drop_files.h"

#include "platform/fake_data_object.h"
#include "shell/drag_drop_fixtures.h"
#include "shell/shell_list_rows.h"
#include "support/launch_recorder.h"
#include "support/qt_printers.h"
#include "support/scripted_menus.h"
#include "support/shell_fixtures.h"
#include "support/temp_tree.h"
#include "support/tick_count_scope.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QMouseEvent>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace win;

namespace {

constexpr DWORD AllEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

class ShellListDragDrop : public ::testing::Test {
protected:
    ShellListDragDrop()
    {
        tree.File("work/a.txt", "a");
        tree.File("work/b b.txt", "b");
        tree.File("work/c.txt", "c");
        tree.Folder("work/sub");
        tree.File("work/run.sh", "#!/bin/sh\n");
        QFile::setPermissions(tree.Path("work/run.sh"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        tree.File("outside/x.txt", "x");
        tree.File("outside/y y.txt", "y");
        list.SetViewStyle(vsReport);
        list.SetMultiSelect(true);
        list.resize(400, 300);
        list.show();
        list.CreateWnd();
        list.Folder()->SetPath(tree.Path("work"));
        QApplication::processEvents();
    }

    void Select(const QStringList& Names)
    {
        list.ClearSelection();
        for (const QString& name : Names) {
            TListItem* item = list.Item(RowOf(list, name));
            item->SetSelected(true);
            item->SetFocused(true);
        }
    }
    // The centre of Name's row, in the list's and in screen coordinates.
    QPoint RowPoint(const QString& Name) { return list.ItemRect(list.Item(RowOf(list, Name))).center(); }
    POINTL Screen(QPoint Point)
    {
        const QPoint global = list.mapToGlobal(Point);
        return {global.x(), global.y()};
    }
    POINTL RowScreen(const QString& Name) { return Screen(RowPoint(Name)); }
    // A point of the list below its rows.
    static QPoint EmptyPoint() { return {200, 280}; }

    // Drops Data with KeyState at Pt after entering there with the left button.
    DWORD DropAt(IDataObject* Data, DWORD KeyState, POINTL Pt)
    {
        DWORD effect = AllEffects;
        EXPECT_EQ(list.DragEnter(Data, MK_LBUTTON | KeyState, Pt, effect), S_OK);
        effect = AllEffects;
        EXPECT_EQ(list.Drop(Data, KeyState, Pt, effect), S_OK);
        return effect;
    }

    TTempTree tree;
    TMountTableScope mounts{tree.Path("mounts"), MountLine(1, "/", "ext4", "/dev/sda1")};
    TDataHomeScope dataHome{tree.Path("data")};
    TPTShellList list;
};

} // namespace

TEST_F(ShellListDragDrop, TheDataOfADragIsTheSelectionInRowOrder)
{
    list.ClearSelection();
    EXPECT_FALSE(TDataObject_shlv::Create(list));

    const CLIPFORMAT idList = CLIPFORMAT(ShellIdListFormat());
    for (const QStringList& names : {QStringList{"b b.txt"}, QStringList{"c.txt", "a.txt", "sub"}}) {
        Select(names);
        const ComPtr<TDataObject_shlv> data = TDataObject_shlv::Create(list);
        ASSERT_TRUE(data);
        EXPECT_EQ(data->RefCount(), 1u);
        QStringList paths;
        std::vector<QByteArray> items{PidlBytes(list.FolderPidl())};
        for (const TListItem* item : list.SelectedItems()) {
            paths += static_cast<TPTShListData*>(item->Data)->GetPath();
            items.push_back(PidlBytes(static_cast<TPTShListData*>(item->Data)->RelPidl()));
        }
        ASSERT_EQ(paths.size(), names.size());
        EXPECT_EQ(DataBlock(data.Get(), idList), MakeCida(items));
        EXPECT_EQ(DataBlock(data.Get(), CF_HDROP), MakeDropFiles(paths, false));
        IEnumFORMATETC* enumerator = nullptr;
        ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &enumerator), S_OK);
        const std::vector<FORMATETC> formats = EnumerateFormats(ComPtr<IEnumFORMATETC>::Adopt(enumerator).Get());
        ASSERT_EQ(formats.size(), 2u);
        EXPECT_EQ(formats[0].cfFormat, idList);
        EXPECT_EQ(formats[1].cfFormat, CF_HDROP);
    }
}

TEST_F(ShellListDragDrop, TheDataObjectAnswersWhatItDoesNotSupport)
{
    Select({"a.txt"});
    const ComPtr<TDataObject_shlv> data = TDataObject_shlv::Create(list);
    ASSERT_TRUE(data);
    FORMATETC text;
    text.cfFormat = CF_TEXT;
    text.tymed = TYMED_HGLOBAL;
    FORMATETC wrongMedium;
    wrongMedium.cfFormat = CF_HDROP;
    wrongMedium.tymed = TYMED_ISTREAM;
    FORMATETC out;
    out.ptd = reinterpret_cast<DVTARGETDEVICE*>(&out);
    STGMEDIUM medium;
    IEnumFORMATETC* formats = reinterpret_cast<IEnumFORMATETC*>(&out);
    DWORD connection = 0;
    IEnumSTATDATA* advises = nullptr;
    const struct {
        const char* Call;
        HRESULT Answer;
        HRESULT Expected;
    } cases[] = {
        {"GetData of text", data->GetData(&text, &medium), DV_E_FORMATETC},
        {"GetData on a stream", data->GetData(&wrongMedium, &medium), DV_E_TYMED},
        {"GetDataHere", data->GetDataHere(&text, &medium), E_NOTIMPL},
        {"QueryGetData of text", data->QueryGetData(&text), DV_E_FORMATETC},
        {"GetCanonicalFormatEtc", data->GetCanonicalFormatEtc(&text, &out), E_NOTIMPL},
        {"SetData", data->SetData(&text, &medium, TRUE), E_NOTIMPL},
        {"EnumFormatEtc to set", data->EnumFormatEtc(DATADIR_SET, &formats), E_NOTIMPL},
        {"DAdvise", data->DAdvise(&text, 0, nullptr, &connection), OLE_E_ADVISENOTSUPPORTED},
        {"DUnadvise", data->DUnadvise(1), OLE_E_ADVISENOTSUPPORTED},
        {"EnumDAdvise", data->EnumDAdvise(&advises), OLE_E_ADVISENOTSUPPORTED},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Answer, c.Expected) << c.Call;
    EXPECT_EQ(out.ptd, nullptr);
    EXPECT_EQ(formats, nullptr);
}

TEST_F(ShellListDragDrop, FilesFromElsewhereGoIntoTheFolderRowOrTheShownFolderByKey)
{
    const struct {
        const char* Over; // a row, or "" for the empty area
        DWORD Keys;
        QString Folder;
        bool Moved;
    } cases[] = {
        {"sub", MK_CONTROL, "work/sub", false},
        {"", MK_SHIFT, "work", true},
    };
    for (const auto& c : cases) {
        const QStringList sources{tree.Path("outside/x.txt"), tree.Path("outside/y y.txt")};
        const POINTL at = *c.Over ? RowScreen(c.Over) : Screen(EmptyPoint());
        const ComPtr<FakeDataObject> data = DroppedFiles(sources);
        EXPECT_EQ(DropAt(data.Get(), c.Keys, at), c.Moved ? DROPEFFECT_MOVE : DROPEFFECT_COPY) << c.Over;
        EXPECT_EQ(tree.Read(c.Folder + "/x.txt"), "x") << c.Over;
        EXPECT_EQ(tree.Read(c.Folder + "/y y.txt"), "y") << c.Over;
        EXPECT_EQ(tree.Exists("outside/x.txt"), !c.Moved) << c.Over;
        EXPECT_EQ(list.DropHighlighted(), nullptr);
        if (!c.Moved)
            continue;
        list.Refresh();
        EXPECT_NE(RowOf(list, "y y.txt"), -1);
    }
}

TEST_F(ShellListDragDrop, AProgramRowStartsWithTheDroppedPaths)
{
    TLaunchRecorder launcher;
    const QStringList sources{tree.Path("outside/y y.txt"), tree.Path("outside/x.txt")};
    const ComPtr<FakeDataObject> data = DroppedFiles(sources);
    DWORD effect = AllEffects;
    ASSERT_EQ(list.DragEnter(data.Get(), MK_LBUTTON, RowScreen("run.sh"), effect), S_OK);
    EXPECT_EQ(list.DropHighlighted(), list.Item(RowOf(list, "run.sh")));
    effect = AllEffects;
    ASSERT_EQ(list.DragOver(MK_LBUTTON, RowScreen("run.sh"), effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_COPY | DROPEFFECT_SCROLL);
    effect = AllEffects;
    ASSERT_EQ(list.Drop(data.Get(), 0, RowScreen("run.sh"), effect), S_OK);
    ASSERT_EQ(launcher.launches.size(), 1u);
    EXPECT_EQ(launcher.launches[0].Program, tree.Path("work/run.sh"));
    EXPECT_EQ(launcher.launches[0].Arguments, sources);
    EXPECT_EQ(list.DropHighlighted(), nullptr);
}

TEST_F(ShellListDragDrop, ARowIsHighlightedOnlyWhileItTakesTheDrag)
{
    // A folder takes neither a copy nor a move of the files it holds, but a link.
    tree.File("work/sub/in.txt");
    const ComPtr<FakeDataObject> data = DroppedFiles({tree.Path("work/sub/in.txt")});
    TListItem* sub = list.Item(RowOf(list, "sub"));
    const struct {
        const char* Over;
        DWORD Offered;
        DWORD Effect;
        TListItem* Highlighted;
    } steps[] = {
        {"sub", DROPEFFECT_COPY, DROPEFFECT_NONE, nullptr},
        {"sub", DROPEFFECT_LINK, DROPEFFECT_LINK, sub},
        // A file is no target: the shown folder takes the drop, and no row is highlighted.
        {"a.txt", DROPEFFECT_COPY, DROPEFFECT_COPY, nullptr},
        {"", DROPEFFECT_COPY, DROPEFFECT_COPY, nullptr},
    };
    DWORD effect = DROPEFFECT_COPY;
    ASSERT_EQ(list.DragEnter(data.Get(), MK_LBUTTON, RowScreen("sub"), effect), S_OK);
    for (const auto& step : steps) {
        effect = step.Offered;
        const POINTL at = *step.Over ? RowScreen(step.Over) : Screen(EmptyPoint());
        ASSERT_EQ(list.DragOver(MK_LBUTTON, at, effect), S_OK);
        EXPECT_EQ(effect, step.Effect | DROPEFFECT_SCROLL) << step.Over << " " << step.Offered;
        EXPECT_EQ(list.DropHighlighted(), step.Highlighted) << step.Over << " " << step.Offered;
        EXPECT_EQ(sub->DropTarget(), step.Highlighted == sub);
    }
    ASSERT_EQ(list.DragLeave(), S_OK);
    EXPECT_EQ(list.DropHighlighted(), nullptr);
    EXPECT_FALSE(sub->DropTarget());
}

TEST_F(ShellListDragDrop, ADragWaitingAtTheBottomScrollsOneLineEvery100Ms)
{
    for (int index = 0; index < 40; ++index)
        tree.File(QStringLiteral("work/many %1.txt").arg(index, 2, 10, QLatin1Char('0')));
    list.Refresh();
    QApplication::processEvents();
    QScrollBar* bar = list.View()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 2);
    const QWidget* viewport = list.View()->viewport();
    const QPoint bottom = viewport->mapToGlobal(QPoint(100, viewport->height() - 5));
    const QPoint middle = viewport->mapToGlobal(viewport->rect().center());
    TTickCountScope clock;
    const ComPtr<FakeDataObject> data = DroppedFiles({tree.Path("outside/x.txt")});
    DWORD effect = AllEffects;
    ASSERT_EQ(list.DragEnter(data.Get(), MK_LBUTTON, {bottom.x(), bottom.y()}, effect), S_OK);
    const struct {
        std::uint32_t Wait;
        QPoint At;
        int Value;
    } steps[] = {{100, bottom, 0}, {1, bottom, 1}, {50, bottom, 1}, {60, bottom, 2}, {200, middle, 2}, {101, bottom, 3}};
    for (const auto& step : steps) {
        clock.Advance(step.Wait);
        effect = AllEffects;
        ASSERT_EQ(list.DragOver(MK_LBUTTON, {step.At.x(), step.At.y()}, effect), S_OK);
        EXPECT_TRUE(effect & DROPEFFECT_SCROLL);
        EXPECT_EQ(bar->value(), step.Value) << step.Wait;
    }
    list.DragLeave();
}

TEST_F(ShellListDragDrop, OwnDragsOntoTheEmptyAreaDropNothingWithTheLeftButton)
{
    Select({"a.txt", "b b.txt"});
    EXPECT_EQ(list.SelectedDropEffects(), AllEffects);
    const QStringList before = tree.List();
    {
        TDragScript script({{&list, RowPoint("a.txt"), MK_LBUTTON}, {&list, EmptyPoint(), MK_LBUTTON}, {&list, EmptyPoint(), 0}});
        list.StartOleDrag(0);
    }
    EXPECT_EQ(tree.List(), before);
    EXPECT_FALSE(list.OwnDragRunning());

    // With the right button the drop reaches the shown folder without move; the folder holding
    // the files offers only a link.
    TScriptedMenus menus;
    menus.Then(ChooseMenuItem("Cancel"));
    {
        TDragScript script({{&list, EmptyPoint(), MK_RBUTTON}, {&list, EmptyPoint(), 0}});
        list.StartOleDrag(1);
    }
    ASSERT_EQ(menus.Shown().size(), 1u);
    EXPECT_EQ(DescribeMenu(menus.Shown()[0]), "*Create Link Here, -, Cancel");
    EXPECT_EQ(tree.List(), before);
}

TEST_F(ShellListDragDrop, AnOwnDragOntoAFolderRowMovesAndTheListRefreshes)
{
    Select({"c.txt"});
    TDragScript script({{&list, RowPoint("c.txt"), MK_LBUTTON}, {&list, RowPoint("sub"), MK_LBUTTON}, {&list, RowPoint("sub"), 0}});
    list.StartOleDrag(0);
    EXPECT_EQ(tree.Read("work/sub/c.txt"), "c");
    EXPECT_FALSE(tree.Exists("work/c.txt"));
    EXPECT_EQ(RowOf(list, "c.txt"), -1);
}

TEST_F(ShellListDragDrop, NoSelectionStartsNoDrag)
{
    list.ClearSelection();
    EXPECT_EQ(list.SelectedDropEffects(), DROPEFFECT_NONE);
    struct TNoDrag : DragLoop {
        HRESULT Run(IDataObject*, IDropSource*, DWORD, DWORD*) override
        {
            ADD_FAILURE() << "a drag started";
            return DRAGDROP_S_CANCEL;
        }
    } loop;
    SetDragLoop(&loop);
    list.StartOleDrag(0);
    SetDragLoop(nullptr);
}

TEST_F(ShellListDragDrop, AfterAnOwnRightDragARightClickShowsTheItemMenuOnce)
{
    Select({"a.txt"});
    QWidget* viewport = list.View()->viewport();
    const QPoint row = viewport->mapFrom(&list, RowPoint("a.txt"));
    const auto mouse = [&](QEvent::Type Type, QPoint At, Qt::MouseButton Button, Qt::MouseButtons Buttons) {
        QMouseEvent event(Type, At, viewport->mapToGlobal(At), Button, Buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    };
    // The press asks for the menu at once, as X11 does; it waits for the release.
    const auto rightPress = [&] {
        mouse(QEvent::MouseButtonPress, row, Qt::RightButton, Qt::RightButton);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, RowPoint("a.txt"), list.mapToGlobal(RowPoint("a.txt")));
        QApplication::sendEvent(&list, &menu);
    };
    int drags = 0;
    struct TCountingLoop : DragLoop {
        int& Count;
        explicit TCountingLoop(int& C) : Count(C) {}
        HRESULT Run(IDataObject*, IDropSource*, DWORD, DWORD* Effect) override
        {
            ++Count;
            *Effect = DROPEFFECT_NONE;
            return DRAGDROP_S_CANCEL;
        }
    } loop(drags);
    SetDragLoop(&loop);
    {
        TScriptedMenus menus;
        rightPress();
        mouse(QEvent::MouseMove, row + QPoint(30, 0), Qt::NoButton, Qt::RightButton);
        mouse(QEvent::MouseButtonRelease, row + QPoint(30, 0), Qt::RightButton, Qt::NoButton);
        EXPECT_EQ(drags, 1);
        EXPECT_TRUE(menus.Shown().empty());
    }
    SetDragLoop(nullptr);
    TScriptedMenus menus;
    menus.Then(CloseMenu());
    rightPress();
    EXPECT_TRUE(menus.Shown().empty()) << "the menu waits for the release";
    mouse(QEvent::MouseButtonRelease, row, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(menus.Shown().size(), 1u);
    EXPECT_EQ(drags, 1);
}

TEST_F(ShellListDragDrop, TheDropTargetIsRegisteredWithTheOption)
{
    ExpectDropRegistrationFollows(list, ptsloOleDrop);
}

TEST_F(ShellListDragDrop, ASendToFolderEntryCopiesTheSelection)
{
    MakeSendToInbox(tree);
    Select({"a.txt", "b b.txt"});
    TScriptedMenus menus;
    menus.Then(ChooseMenuItem("inbox"));
    list.ShowItemMenuAt(RowPoint("a.txt"));
    EXPECT_EQ(tree.Read("inbox/a.txt"), "a");
    EXPECT_EQ(tree.Read("inbox/b b.txt"), "b");
    EXPECT_TRUE(tree.Exists("work/a.txt"));
}
