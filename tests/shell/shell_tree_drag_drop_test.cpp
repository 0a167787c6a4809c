// The shell tree's drag and drop over temporary folders: the data of a dragged node, a node
// dragged onto another through the scripted drag loop, drops from elsewhere, the effects a node
// allows, and Send To with the node's data.
#include "shell/data_object_shtv.h"
#include "shell/shell_init.h"
#include "shell/shell_tree.h"

#include "platform/ole/cida.h"
#include "platform/shellapi/ref.h"
#include "platform/ole/drop_files.h"

#include "platform/fake_data_object.h"
#include "shell/drag_drop_fixtures.h"
#include "support/qt_printers.h"
#include "support/scripted_menus.h"
#include "support/shell_fixtures.h"
#include "support/temp_tree.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace win;

namespace {

constexpr DWORD AllEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

TTreeNode* Child(TTreeNode* Node, const QString& Text)
{
    for (int index = 0; Node && index < Node->Count(); ++index) {
        if (Node->Item(index)->Text() == Text)
            return Node->Item(index);
    }
    return nullptr;
}

// A folder that answers as Real does, but denies move to the item named Denied, or fails every
// attribute request when Denied is empty.
class TMoveDenyingFolder final : public TRefCounted<IShellFolder> {
public:
    TMoveDenyingFolder(IShellFolder* Real, QString Denied) : real_(Real), denied_(std::move(Denied)) {}

    HRESULT GetAttributesOf(std::span<const LPCITEMIDLIST> Items, ULONG* Attributes) override
    {
        if (denied_.isEmpty())
            return E_FAIL;
        const HRESULT result = real_->GetAttributesOf(Items, Attributes);
        for (const LPCITEMIDLIST item : Items) {
            QString name;
            real_->GetDisplayNameOf(item, SHGDN_INFOLDER | SHGDN_FORPARSING, &name);
            if (name == denied_)
                *Attributes &= ~SFGAO_CANMOVE;
        }
        return result;
    }
    HRESULT ParseDisplayName(HWND Owner, const QString& Name, LPITEMIDLIST* Pidl, ULONG* Attributes) override
    {
        return real_->ParseDisplayName(Owner, Name, Pidl, Attributes);
    }
    HRESULT EnumObjects(HWND Owner, DWORD Flags, Ref<IEnumIDList>* List) override
    {
        return real_->EnumObjects(Owner, Flags, List);
    }
    HRESULT BindToObject(LPCITEMIDLIST Pidl, Ref<IShellFolder>* Folder) override { return real_->BindToObject(Pidl, Folder); }
    HRESULT CompareIDs(LPARAM Column, LPCITEMIDLIST Pidl1, LPCITEMIDLIST Pidl2) override
    {
        return real_->CompareIDs(Column, Pidl1, Pidl2);
    }
    HRESULT GetDisplayNameOf(LPCITEMIDLIST Pidl, DWORD Flags, QString* Name) override
    {
        return real_->GetDisplayNameOf(Pidl, Flags, Name);
    }
    HRESULT SetNameOf(HWND Owner, LPCITEMIDLIST Pidl, const QString& Name, DWORD Flags, LPITEMIDLIST* NewPidl) override
    {
        return real_->SetNameOf(Owner, Pidl, Name, Flags, NewPidl);
    }
    HRESULT GetUIObjectOf(HWND Owner, std::span<const LPCITEMIDLIST> Items, TUIObject Which, void** Object) override
    {
        return real_->GetUIObjectOf(Owner, Items, Which, Object);
    }

private:
    Ref<IShellFolder> real_;
    QString denied_;
};

class ShellTreeDragDrop : public ::testing::Test {
protected:
    ShellTreeDragDrop()
    {
        temp.File("base/src/inner.txt", "inner");
        temp.Folder("base/dst");
        temp.File("outside/x.txt", "x");
        tree.resize(300, 400);
        tree.show();
        tree.BaseFolder()->SetPath(temp.Path("base"));
        tree.CreateWnd();
        tree.FillRoot();
        tree.TopItem(0)->SetExpanded(true);
        QApplication::processEvents();
    }

    TTreeNode* Node(const QString& Name) { return Child(tree.TopItem(0), Name); }
    // The centre of Node's label in the viewport's and in screen coordinates.
    QPoint NodePoint(TTreeNode* Node) { return tree.visualRect(tree.IndexOfNode(Node)).center(); }
    POINTL Screen(TTreeNode* Node)
    {
        const QPoint global = tree.viewport()->mapToGlobal(NodePoint(Node));
        return {global.x(), global.y()};
    }

    TTempTree temp;
    TMountTableScope mounts{temp.Path("mounts"), MountLine(1, "/", "ext4", "/dev/sda1")};
    TDataHomeScope dataHome{temp.Path("data")};
    TPTShellTree tree;
};

} // namespace

TEST_F(ShellTreeDragDrop, TheDataOfANodeIsItsParentsListItsItemAndItsPath)
{
    TTreeNode* src = Node("src");
    ASSERT_TRUE(src);
    const ComPtr<TDataObject_shtv> data = TDataObject_shtv::Create(src);
    ASSERT_TRUE(data);
    TPTShTreeData* item = TPTCustomShellTree::NodeData(src);
    EXPECT_EQ(DataBlock(data.Get(), CLIPFORMAT(ShellIdListFormat())),
              MakeCida({PidlBytes(item->ParentData()->AbsolutePidl()), PidlBytes(item->RelativePidl())}));
    EXPECT_EQ(DataBlock(data.Get(), CF_HDROP), MakeDropFiles({temp.Path("base/src")}, false));
    // The top node has no parent node to drag it from.
    EXPECT_FALSE(TDataObject_shtv::Create(tree.TopItem(0)));
    EXPECT_EQ(tree.AllowedEffects(src), AllEffects);
    EXPECT_EQ(tree.AllowedEffects(tree.TopItem(0)), AllEffects);
}

TEST_F(ShellTreeDragDrop, TheEffectsANodeOffersAreThoseItsFolderAllowsIt)
{
    TPTShTreeData* top = TPTCustomShellTree::NodeData(tree.TopItem(0));
    const Ref<IShellFolder> real(top->Folder());
    top->SetFolder(new TMoveDenyingFolder(real.get(), "src"));
    EXPECT_EQ(tree.AllowedEffects(Node("src")), DROPEFFECT_COPY | DROPEFFECT_LINK);
    EXPECT_EQ(tree.AllowedEffects(Node("dst")), AllEffects);
    struct TOfferedLoop : DragLoop {
        DWORD Offered = 0;
        HRESULT Run(IDataObject*, IDropSource*, DWORD OkEffects, DWORD* Effect) override
        {
            Offered = OkEffects;
            *Effect = DROPEFFECT_NONE;
            return DRAGDROP_S_CANCEL;
        }
    } loop;
    SetDragLoop(&loop);
    tree.StartOleDrag(Node("src"), 0);
    SetDragLoop(nullptr);
    EXPECT_EQ(loop.Offered, DROPEFFECT_COPY | DROPEFFECT_LINK);
    // A folder that cannot be asked leaves every effect.
    top->SetFolder(new TMoveDenyingFolder(real.get(), QString()));
    EXPECT_EQ(tree.AllowedEffects(Node("src")), AllEffects);
    top->SetFolder(real.get());
}

TEST_F(ShellTreeDragDrop, ANodeDraggedOntoAnotherIsCopiedOrMovedThereByKey)
{
    const struct {
        DWORD Keys;
        bool Moved;
    } cases[] = {{MK_CONTROL, false}, {MK_SHIFT, true}};
    for (const auto& c : cases) {
        TTreeNode* src = Node("src");
        TTreeNode* dst = Node("dst");
        ASSERT_TRUE(src && dst);
        QWidget* viewport = tree.viewport();
        {
            TDragScript script({{viewport, NodePoint(src), MK_LBUTTON | c.Keys},
                                {viewport, NodePoint(dst), MK_LBUTTON | c.Keys},
                                {viewport, NodePoint(dst), c.Keys}});
            tree.StartOleDrag(src, 0);
        }
        EXPECT_EQ(temp.Read("base/dst/src/inner.txt"), "inner") << c.Keys;
        EXPECT_EQ(temp.Exists("base/src"), !c.Moved) << c.Keys;
        // The tree refreshed: a moved folder's node went.
        EXPECT_EQ(Node("src") != nullptr, !c.Moved) << c.Keys;
        EXPECT_EQ(tree.DropHighlighted(), nullptr);
        if (!c.Moved)
            QDir(temp.Path("base/dst/src")).removeRecursively();
    }
}

TEST_F(ShellTreeDragDrop, APressOnANodeMovedFarEnoughDragsItAndARightClickMenuWaitsForTheRelease)
{
    struct TRecordingLoop : DragLoop {
        std::vector<std::pair<QByteArray, DWORD>> Drags;
        HRESULT Run(IDataObject* Data, IDropSource* Source, DWORD OkEffects, DWORD* Effect) override
        {
            // The drag's button: the source goes on only while it alone is down.
            const DWORD button = Source->QueryContinueDrag(FALSE, MK_RBUTTON) == S_OK ? MK_RBUTTON : MK_LBUTTON;
            Drags.emplace_back(DataBlock(Data, CF_HDROP), button | (OkEffects << 8));
            *Effect = DROPEFFECT_NONE;
            return DRAGDROP_S_CANCEL;
        }
    } loop;
    SetDragLoop(&loop);
    QWidget* viewport = tree.viewport();
    const QPoint at = NodePoint(Node("src"));
    const auto mouse = [&](QEvent::Type Type, QPoint Pos, Qt::MouseButton Button, Qt::MouseButtons Buttons) {
        QMouseEvent event(Type, Pos, viewport->mapToGlobal(Pos), Button, Buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    };
    TScriptedMenus menus;
    menus.Then(CloseMenu());
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        mouse(QEvent::MouseButtonPress, at, button, button);
        if (button == Qt::RightButton) {
            QContextMenuEvent menu(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
            QApplication::sendEvent(viewport, &menu);
        }
        mouse(QEvent::MouseMove, at + QPoint(2, 0), Qt::NoButton, button);
        EXPECT_EQ(loop.Drags.size(), button == Qt::LeftButton ? 0u : 1u) << "not yet past the drag distance";
        mouse(QEvent::MouseMove, at + QPoint(30, 0), Qt::NoButton, button);
        mouse(QEvent::MouseButtonRelease, at + QPoint(30, 0), button, Qt::NoButton);
    }
    SetDragLoop(nullptr);
    const QByteArray path = MakeDropFiles({temp.Path("base/src")}, false);
    const std::vector<std::pair<QByteArray, DWORD>> expected{{path, MK_LBUTTON | (AllEffects << 8)},
                                                             {path, MK_RBUTTON | (AllEffects << 8)}};
    EXPECT_EQ(loop.Drags, expected);
    EXPECT_TRUE(menus.Shown().empty()) << "a right press that became a drag shows no menu";

    // A right click that stays put shows the node's menu once, at the release.
    mouse(QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &menu);
    EXPECT_TRUE(menus.Shown().empty());
    mouse(QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(menus.Shown().size(), 1u);
}

TEST_F(ShellTreeDragDrop, FilesFromElsewhereGoIntoTheNodeUnderThePointer)
{
    const ComPtr<FakeDataObject> data = MakeComObject<FakeDataObject>();
    data->Offer(CF_HDROP, MakeDropFiles({temp.Path("outside/x.txt")}, true));
    TTreeNode* dst = Node("dst");
    DWORD effect = AllEffects;
    ASSERT_EQ(tree.DragEnter(data.Get(), MK_LBUTTON | MK_CONTROL, Screen(dst), effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_EQ(tree.DropHighlighted(), dst);
    EXPECT_TRUE(dst->DropTarget());
    // Over the top node (which has no parent node) the drag has no target.
    effect = AllEffects;
    const QPoint top = tree.viewport()->mapToGlobal(NodePoint(tree.TopItem(0)));
    ASSERT_EQ(tree.DragOver(MK_LBUTTON, {top.x(), top.y()}, effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_SCROLL);
    EXPECT_EQ(tree.DropHighlighted(), nullptr);
    effect = AllEffects;
    ASSERT_EQ(tree.DragOver(MK_LBUTTON | MK_CONTROL, Screen(dst), effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_COPY | DROPEFFECT_SCROLL);
    effect = AllEffects;
    ASSERT_EQ(tree.Drop(data.Get(), MK_SHIFT, Screen(dst), effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_EQ(temp.Read("base/dst/x.txt"), "x");
    EXPECT_FALSE(temp.Exists("outside/x.txt"));
    EXPECT_EQ(tree.DropHighlighted(), nullptr);
}

TEST_F(ShellTreeDragDrop, TheDropTargetIsRegisteredWithTheOption)
{
    ExpectDropRegistrationFollows(tree, ptstoOleDrop);
}

TEST_F(ShellTreeDragDrop, ASendToFolderEntryCopiesTheNode)
{
    MakeSendToInbox(temp);
    TScriptedMenus menus;
    menus.Then(ChooseMenuItem("inbox"));
    tree.ShowNodeMenuAt(Node("src"), NodePoint(Node("src")));
    EXPECT_EQ(temp.Read("inbox/src/inner.txt"), "inner");
    EXPECT_TRUE(temp.Exists("base/src/inner.txt"));
}
