// TTreeView: nodes and their deletion events, children made when a node first opens, the images
// asked once per drawing, selection, and label editing.
#include "platform/widgets/tree_view.h"

#include "support/pump.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

TEST(TreeView, NodesAndTheirDeletion)
{
    TTreeView tree;
    TTreeNode* a = tree.AddChild(nullptr, "a");
    TTreeNode* b = tree.AddChild(nullptr, "b");
    TTreeNode* a1 = tree.AddChild(a, "a1");
    tree.AddChild(a1, "a1x");
    tree.AddChild(a, "a2");
    EXPECT_EQ(tree.TopCount(), 2);
    EXPECT_EQ(a->Count(), 2);
    EXPECT_EQ(a1->Level(), 1);
    EXPECT_EQ(tree.model()->rowCount(tree.IndexOfNode(a)), 2);
    EXPECT_EQ(tree.NodeOfIndex(tree.model()->index(1, 0, tree.IndexOfNode(a)))->Text(), "a2");

    QStringList deleted;
    tree.OnDeletion = [&](TObject* Sender, TTreeNode* Node) {
        EXPECT_EQ(Sender, &tree);
        deleted << Node->Text();
    };
    tree.Delete(a1);
    EXPECT_EQ(deleted, QStringList({"a1x", "a1"}));
    EXPECT_EQ(a->Item(0)->Text(), "a2");
    EXPECT_EQ(a->Item(0)->Index(), 0);
    tree.Clear();
    EXPECT_EQ(deleted, QStringList({"a1x", "a1", "a2", "a", "b"}));
    EXPECT_EQ(tree.TopCount(), 0);
    EXPECT_EQ(tree.model()->rowCount(), 0);
    (void)b;
}

TEST(TreeView, ChildrenAreMadeWhenANodeFirstOpens)
{
    TTreeView tree;
    TTreeNode* folder = tree.AddChild(nullptr, "folder");
    TTreeNode* empty = tree.AddChild(nullptr, "empty");
    folder->SetHasChildren(true);
    empty->SetHasChildren(true);
    EXPECT_TRUE(tree.model()->hasChildren(tree.IndexOfNode(folder)));
    tree.show();

    QStringList events;
    bool allow = true;
    tree.OnExpanding = [&](TObject*, TTreeNode* Node, bool& AllowExpansion) {
        events << "expanding " + Node->Text();
        if (Node->Text() == "folder" && Node->Count() == 0)
            tree.AddChild(Node, "child");
        AllowExpansion = allow;
    };
    tree.OnExpanded = [&](TObject*, TTreeNode* Node) { events << "expanded " + Node->Text(); };
    tree.OnCollapsed = [&](TObject*, TTreeNode* Node) { events << "collapsed " + Node->Text(); };

    folder->SetExpanded(true);
    EXPECT_EQ(events, QStringList({"expanding folder", "expanded folder"}));
    EXPECT_EQ(folder->Count(), 1);
    EXPECT_TRUE(folder->Expanded());

    // Opened again, the node is asked again, and may refuse.
    events.clear();
    folder->SetExpanded(false);
    allow = false;
    folder->SetExpanded(true);
    EXPECT_EQ(events, QStringList({"collapsed folder", "expanding folder"}));
    EXPECT_FALSE(folder->Expanded());

    // A node that opens and finds nothing loses its expand button.
    allow = true;
    events.clear();
    empty->SetExpanded(true);
    EXPECT_EQ(events.value(0), "expanding empty");
    EXPECT_FALSE(empty->HasChildren());
}

TEST(TreeView, ImagesAreAskedOncePerDrawing)
{
    TImageList images;
    images.Add(QImage(16, 16, QImage::Format_ARGB32));
    images.Add(QImage(16, 16, QImage::Format_ARGB32));
    TTreeView tree;
    tree.SetImages(&images);
    TTreeNode* node = tree.AddChild(nullptr, "node");
    tree.AddChild(nullptr, "other");
    int normal = 0, selected = 0;
    tree.OnGetImageIndex = [&](TObject*, TTreeNode* Node) {
        ++normal;
        Node->SetImageIndex(0);
    };
    tree.OnGetSelectedIndex = [&](TObject*, TTreeNode* Node) {
        ++selected;
        Node->SetSelectedIndex(1);
    };
    const QModelIndex index = tree.IndexOfNode(node);
    EXPECT_FALSE(index.data(Qt::DecorationRole).value<QPixmap>().isNull());
    EXPECT_EQ(normal, 1);
    EXPECT_EQ(selected, 0);

    TTreeNode* changed = nullptr;
    tree.OnChange = [&](TObject*, TTreeNode* Node) { changed = Node; };
    node->SetSelected(true);
    EXPECT_EQ(changed, node);
    EXPECT_EQ(tree.Selected(), node);
    index.data(Qt::DecorationRole);
    EXPECT_EQ(normal, 1);
    EXPECT_EQ(selected, 1);
}

TEST(TreeView, LabelEditingAsksAndTellsTheOwner)
{
    TTreeView tree;
    TTreeNode* node = tree.AddChild(nullptr, "old");
    tree.show();
    bool allow = false;
    tree.OnEditing = [&](TObject*, TTreeNode*, bool& AllowEdit) { AllowEdit = allow; };
    tree.OnEdited = [&](TObject*, TTreeNode*, QString& S) { S += "!"; };
    tree.EditText(node);
    EXPECT_FALSE(tree.IsEditing());
    allow = true;
    tree.EditText(node);
    ASSERT_TRUE(tree.IsEditing());
    auto* editor = tree.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("new");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(pumpUntil([&] { return !tree.IsEditing(); }));
    EXPECT_EQ(node->Text(), "new!");
}
