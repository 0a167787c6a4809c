// TListView: items and columns, the view styles sharing rows, selection and focus, sorting,
// deletion events, width limits of columns, texts asked when drawn, rows whose items are made on
// demand, and caption editing.
#include "platform/widgets/list_view.h"

#include "support/pump.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTreeView>

namespace {

// A list view of items with the given captions.
void Fill(TListView& List, const QStringList& Captions)
{
    for (const QString& caption : Captions)
        List.Add()->SetCaption(caption);
}

QStringList Captions(const TListView& List)
{
    QStringList captions;
    for (int i = 0; i < List.Count(); ++i)
        captions << List.Item(i)->Caption();
    return captions;
}

QStringList Shown(const TListView& List, int Column = 0)
{
    QStringList texts;
    QAbstractItemModel* model = List.View()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, Column).data().toString();
    return texts;
}

} // namespace

TEST(ListView, StylesShareRowsSelectionAndFocus)
{
    TListView list;
    list.SetMultiSelect(true);
    list.AddColumn({"Name", 120});
    list.AddColumn({"Size", 60, 0, 0, taRightJustify});
    Fill(list, {"a", "b", "c", "d"});
    list.Item(1)->SetSubItems({"10"});
    list.Item(1)->SetSelected(true);
    list.Item(3)->SetSelected(true);
    list.SetItemFocused(list.Item(2));
    list.resize(300, 200);
    list.show();

    for (TViewStyle style : {vsReport, vsList, vsSmallIcon, vsIcon, vsReport}) {
        SCOPED_TRACE(int(style));
        list.SetViewStyle(style);
        EXPECT_EQ(bool(qobject_cast<QTreeView*>(list.View())), style == vsReport);
        EXPECT_EQ(Shown(list), QStringList({"a", "b", "c", "d"}));
        EXPECT_EQ(list.SelectedItems(), (std::vector<TListItem*>{list.Item(1), list.Item(3)}));
        EXPECT_EQ(list.ItemFocused(), list.Item(2));
        EXPECT_TRUE(list.ItemRect(list.Item(2)).isValid());
        EXPECT_EQ(list.ItemAt(list.ItemRect(list.Item(2)).center()), list.Item(2));
    }
    EXPECT_EQ(Shown(list, 1), QStringList({"", "10", "", ""}));
    EXPECT_EQ(list.Selected(), list.Item(1));
    EXPECT_EQ(list.SelCount(), 2);
    EXPECT_EQ(list.View()->model()->index(1, 1).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, Qt::AlignRight);
}

TEST(ListView, SortingKeepsSelectionFocusAndIndexes)
{
    TListView list;
    Fill(list, {"c", "a", "b"});
    TListItem* a = list.Item(1);
    TListItem* c = list.Item(0);
    a->SetSelected(true);
    c->SetFocused(true);
    list.AlphaSort();
    EXPECT_EQ(Captions(list), QStringList({"a", "b", "c"}));
    EXPECT_EQ(Shown(list), QStringList({"a", "b", "c"}));
    EXPECT_EQ(a->Index(), 0);
    EXPECT_EQ(c->Index(), 2);
    EXPECT_EQ(list.Selected(), a);
    EXPECT_EQ(list.ItemFocused(), c);

    list.OnCompare = [](TObject*, TListItem* Item1, TListItem* Item2, int& Compare) {
        Compare = QString::compare(Item2->Caption(), Item1->Caption());
    };
    list.AlphaSort();
    EXPECT_EQ(Captions(list), QStringList({"c", "b", "a"}));
    EXPECT_TRUE(a->Selected());
}

TEST(ListView, DeletionFiresOncePerItem)
{
    TListView list;
    Fill(list, {"a", "b", "c"});
    QStringList deleted;
    list.OnDeletion = [&](TObject* Sender, TListItem* Item) {
        EXPECT_EQ(Sender, &list);
        deleted << Item->Caption();
    };
    list.Delete(1);
    EXPECT_EQ(deleted, QStringList({"b"}));
    EXPECT_EQ(list.Item(1)->Index(), 1);
    list.Delete(5);
    list.Clear();
    EXPECT_EQ(deleted, QStringList({"b", "a", "c"}));
    EXPECT_EQ(list.Count(), 0);
}

TEST(ListView, DeletingTheFocusedRowLeavesTheOtherRowsSelectionAlone)
{
    struct Case {
        bool multiSelect;
        TViewStyle style;
        std::vector<int> selected;
        int focused;
    } cases[] = {
        {true, vsReport, {0, 2, 3}, 2},
        {true, vsList, {0, 2, 3}, 2},
        {false, vsReport, {2}, 2},
        {false, vsReport, {0}, 2},
        {false, vsIcon, {3}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "multi " << c.multiSelect << ", style " << int(c.style) << ", focused "
                                        << c.focused);
        TListView list;
        list.SetMultiSelect(c.multiSelect);
        list.SetViewStyle(c.style);
        Fill(list, {"a", "b", "c", "d"});
        for (int row : c.selected)
            list.Item(row)->SetSelected(true);
        list.SetItemFocused(list.Item(c.focused));
        list.resize(300, 200);
        list.show();
        std::vector<TListItem*> kept;
        for (int row : c.selected)
            if (row != c.focused)
                kept.push_back(list.Item(row));
        const TListItem* deleted = list.Item(c.focused);
        int othersChanged = 0;
        list.OnSelectItem = [&](TObject*, TListItem* Item, bool) { othersChanged += Item != deleted; };

        list.Delete(c.focused);
        EXPECT_EQ(list.SelectedItems(), kept);
        EXPECT_EQ(othersChanged, 0);
        EXPECT_NE(list.ItemFocused(), nullptr) << "the focus moves to a neighbour";
    }
}

TEST(ListView, ColumnWidthsKeepTheirLimits)
{
    TListView list;
    list.SetViewStyle(vsReport);
    list.AddColumn({"Limited", 80, 40, 100});
    list.AddColumn({"Free", 80, 0, 0});
    const struct {
        int Column, Asked, Kept;
    } cases[] = {{0, 10, 40}, {0, 300, 100}, {0, 70, 70}, {1, 5, 5}, {1, 900, 900}};
    for (const auto& c : cases) {
        list.Header()->resizeSection(c.Column, c.Asked);
        EXPECT_EQ(list.ColumnWidth(c.Column), c.Kept) << c.Column << " " << c.Asked;
        EXPECT_EQ(list.Column(c.Column).Width, c.Kept);
    }
}

TEST(ListView, TextsAreAskedWhenShown)
{
    struct TAsking : TListView {
        QString ItemText(TListItem& Item, int Column) override
        {
            ++Asked;
            return QStringLiteral("%1:%2").arg(Item.Index()).arg(Column);
        }
        int Asked = 0;
    } list;
    list.AddColumn({"One"});
    list.AddColumn({"Two"});
    list.Add();
    list.Add();
    EXPECT_EQ(list.Asked, 0);
    EXPECT_EQ(list.View()->model()->index(1, 1).data().toString(), "1:1");
    EXPECT_EQ(list.Asked, 1);
}

TEST(ListView, RowsAddedAtOnceGetTheirItemsWhenAskedFor)
{
    TListView list;
    Fill(list, {"first"});
    list.AddRows(3);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.View()->model()->rowCount(), 4);
    QStringList deleted;
    list.OnDeletion = [&](TObject*, TListItem* Item) { deleted << QString::number(Item->Index()); };

    // Items made on demand know their place, stay the same, and follow the rows they stand for.
    TListItem* third = list.Item(2);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->Index(), 2);
    EXPECT_EQ(list.Item(2), third);
    third->SetSelected(true);
    list.Item(3)->SetFocused(true);
    EXPECT_EQ(list.SelectedItems(), std::vector<TListItem*>{third});
    list.Insert(0)->SetCaption("new");
    EXPECT_EQ(third->Index(), 3);
    EXPECT_EQ(list.Item(2)->Index(), 2);
    EXPECT_EQ(list.ItemFocused()->Index(), 4);
    list.Delete(1);
    EXPECT_EQ(deleted, QStringList({"1"}));
    EXPECT_EQ(third->Index(), 2);

    // Sorting makes every item first; clearing tells of each item that was made.
    list.CustomSort([](TListItem* A, TListItem* B) { return B->Index() - A->Index(); });
    EXPECT_EQ(list.Item(0)->Caption(), "");
    EXPECT_EQ(list.Item(3)->Caption(), "new");
    EXPECT_EQ(list.Selected(), third);
    deleted.clear();
    list.Clear();
    EXPECT_EQ(deleted.size(), 4);
    EXPECT_EQ(list.Count(), 0);
}

TEST(ListView, CaptionEditingAsksAndTellsTheOwner)
{
    TListView list;
    list.SetViewStyle(vsReport);
    Fill(list, {"old", "other"});
    list.show();
    bool allow = false;
    int asked = 0;
    list.OnEditing = [&](TObject*, TListItem* Item, bool& AllowEdit) {
        EXPECT_EQ(Item, list.Item(0));
        ++asked;
        AllowEdit = allow;
    };
    list.OnEdited = [&](TObject*, TListItem*, QString& S) { S = S.toUpper(); };

    list.EditCaption(list.Item(0));
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(list.IsEditing());

    allow = true;
    list.EditCaption(list.Item(0));
    ASSERT_TRUE(list.IsEditing());
    auto* editor = list.View()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("new");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(pumpUntil([&] { return !list.IsEditing(); }));
    EXPECT_EQ(list.Item(0)->Caption(), "NEW");

    list.SetReadOnly(true);
    list.EditCaption(list.Item(1));
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(asked, 2);
}

TEST(ListView, SelectionChangesAreReported)
{
    TListView list;
    Fill(list, {"a", "b"});
    QStringList events;
    list.OnSelectItem = [&](TObject*, TListItem* Item, bool Selected) {
        events << Item->Caption() + (Selected ? "+" : "-");
    };
    list.Item(0)->SetSelected(true);
    list.Item(1)->SetSelected(true); // single selection: a goes
    list.ClearSelection();
    EXPECT_EQ(events, QStringList({"a+", "a-", "b+", "b-"}));
}

TEST(ListView, HeaderClicksAndDoubleClicksAreReported)
{
    TListView list;
    list.SetViewStyle(vsReport);
    list.AddColumn({"One", 80});
    list.AddColumn({"Two", 80});
    Fill(list, {"a"});
    list.show();
    std::vector<int> clicked;
    int doubleClicks = 0;
    list.OnColumnClick = [&](TObject* Sender, int Column) {
        EXPECT_EQ(Sender, &list);
        clicked.push_back(Column);
    };
    list.OnDblClick = [&](TObject*) { ++doubleClicks; };
    QHeaderView* header = list.Header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 10, 5));
    EXPECT_EQ(clicked, std::vector<int>{1});
    const QPoint onItem = list.View()->visualRect(list.View()->model()->index(0, 0)).center();
    QTest::mouseDClick(list.View()->viewport(), Qt::LeftButton, {}, onItem);
    EXPECT_EQ(doubleClicks, 1);
}
