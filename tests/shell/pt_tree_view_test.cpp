// TPTTreeView: custom-drawn nodes and context menus by mouse and key.
#include "shell/pt_tree_view.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QTest>

namespace {

TPopupMenu* const OwnMenu = reinterpret_cast<TPopupMenu*>(std::uintptr_t(0x1000));

class PTTreeView : public ::testing::Test {
protected:
    PTTreeView()
    {
        for (const char* text : {"WWWWWW", "WWWWWW", "c"})
            tree.AddChild(nullptr, text);
        tree.PopupMenu = OwnMenu;
        tree.OnShowPopupMenu = [this](TObject* Sender, TPopupMenu* Menu, const QPoint& ScreenPos) {
            EXPECT_EQ(Sender, &tree);
            EXPECT_EQ(Menu, OwnMenu);
            shown.push_back(ScreenPos);
        };
        tree.resize(200, 150);
        tree.show();
    }
    QRect NodeRect(int Index) { return tree.visualRect(tree.IndexOfNode(tree.TopItem(Index))); }
    int RedPixels(int Index)
    {
        const QImage image = tree.viewport()->grab(NodeRect(Index)).toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.red() > 150 && c.green() < 100 && c.blue() < 100;
            }
        return count;
    }

    TPTTreeView tree;
    std::vector<QPoint> shown;
};

} // namespace

TEST_F(PTTreeView, CustomDrawnNodesTakeTheHandlersFont)
{
    tree.OnPTCustomDraw = [&](TObject*, TPTCustomDraw* CD, TTreeNode* Node) {
        EXPECT_EQ(CD->Stage(), 4);
        if (Node->Index() < 2)
            CD->GetFont().SetColor(0x0000FF);
        if (Node->Index() == 0)
            CD->GetFont().SetBold(true);
    };
    EXPECT_GT(RedPixels(0), RedPixels(1));
    EXPECT_GT(RedPixels(1), 0);
    EXPECT_EQ(RedPixels(2), 0);
}

TEST_F(PTTreeView, MenusByMouseAndKey)
{
    std::vector<TTreeNode*> asked;
    bool clear = true;
    tree.OnNodeContextMenu = [&](TObject*, TTreeNode* Node, QPoint&, TPopupMenu*& Menu) {
        asked.push_back(Node);
        if (clear)
            Menu = nullptr;
    };
    // A right click on a node asks for its menu; a cleared menu shows none.
    const QPoint onNode = NodeRect(1).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, onNode, tree.viewport()->mapToGlobal(onNode));
    QCoreApplication::sendEvent(tree.viewport(), &click);
    EXPECT_EQ(asked, std::vector<TTreeNode*>{tree.TopItem(1)});
    EXPECT_TRUE(shown.empty());

    // The menu key: the selected node's menu at the centre of its label; with none selected, the
    // control's menu at its corner.
    clear = false;
    tree.setFocus();
    tree.TopItem(2)->SetSelected(true);
    QTest::keyClick(&tree, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(asked.back(), tree.TopItem(2));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], tree.viewport()->mapToGlobal(tree.NodeTextRect(tree.TopItem(2)).center()));
    tree.SetSelected(nullptr);
    QTest::keyClick(&tree, Qt::Key_Menu);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1], tree.mapToGlobal(QPoint(0, 0)));
    EXPECT_EQ(asked.size(), 2u);
}
