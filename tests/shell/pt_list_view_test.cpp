// TPTListView and TPTCustomDraw: the answers of a custom-draw pass, the header's geometry and
// sort arrow, what the header repaints, custom-drawn rows, and context menus by mouse and key.
#include "shell/pt_list_view.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QHeaderView>
#include <QPaintEvent>
#include <QContextMenuEvent>
#include <QTest>
#include <QTreeView>

namespace {

// Pointers standing for menus: the list only hands them on.
TPopupMenu* const OwnMenu = reinterpret_cast<TPopupMenu*>(std::uintptr_t(0x1000));
TPopupMenu* const ItemMenu = reinterpret_cast<TPopupMenu*>(std::uintptr_t(0x2000));

struct TShownMenu {
    TPopupMenu* Menu;
    QPoint ScreenPos;
    bool operator==(const TShownMenu&) const = default;
};

// A report of items "a" to "d" in one column, shown, with its menus recorded.
class PTListView : public ::testing::Test {
protected:
    PTListView()
    {
        list.SetViewStyle(vsReport);
        list.SetMultiSelect(true);
        list.AddColumn({"Name", 120});
        list.AddColumn({"Size", 80});
        for (const char* caption : {"a", "b", "c", "d"})
            list.Add()->SetCaption(caption);
        list.PopupMenu = OwnMenu;
        list.OnShowPopupMenu = [this](TObject* Sender, TPopupMenu* Menu, const QPoint& ScreenPos) {
            EXPECT_EQ(Sender, &list);
            shown.push_back({Menu, ScreenPos});
        };
        list.resize(300, 200);
        list.show();
    }

    QPoint IconCentre(int Index) { return list.ItemIconRect(list.Item(Index)).center(); }
    QPoint Screen(const QPoint& Pos) { return list.mapToGlobal(Pos); }
    QWidget* Viewport() { return list.View()->viewport(); }
    // A right click at Pos of the viewport, with the context-menu event the window system sends.
    void RightClick(const QPoint& Pos)
    {
        QTest::mousePress(Viewport(), Qt::RightButton, {}, Pos);
        QContextMenuEvent event(QContextMenuEvent::Mouse, Pos, Viewport()->mapToGlobal(Pos));
        QCoreApplication::sendEvent(Viewport(), &event);
        QTest::mouseRelease(Viewport(), Qt::RightButton, {}, Pos);
    }
    QImage RowImage(int Index)
    {
        const QRect row = list.View()->visualRect(list.View()->model()->index(Index, 0));
        return Viewport()->grab(QRect(0, row.top(), Viewport()->width(), row.height())).toImage();
    }

    TPTListView list;
    std::vector<TShownMenu> shown;
};

int PixelsOf(const QImage& Image, const std::function<bool(const QColor&)>& Is)
{
    int count = 0;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            count += Is(Image.pixelColor(x, y));
    return count;
}

bool Reddish(const QColor& Color)
{
    return Color.red() > 150 && Color.green() < 100 && Color.blue() < 100;
}

} // namespace

TEST(PTCustomDraw, StagesAndAnswers)
{
    const struct {
        int DrawStage, Stage;
    } stages[] = {{CDDS_PREPAINT, 1}, {CDDS_POSTPAINT, 2}, {CDDS_ITEMPREPAINT, 4}, {CDDS_ITEMPOSTPAINT, 5}, {0x3, 0}};
    for (const auto& s : stages) {
        TCustomDrawNotification notification{nullptr, s.DrawStage, {}, QFont(), clWindowText, clWindow};
        int result = 0;
        EXPECT_EQ(TPTLvCustomDraw(QFont(), notification, result).Stage(), s.Stage);
    }

    enum TChange { None, Bold, Colour, Brush, Skip };
    const struct {
        const char* Name;
        bool Tree;
        int DrawStage;
        TChange Change;
        bool KeepResult;
        int Before, Result;
    } cases[] = {
        {"list pre-paint", false, CDDS_PREPAINT, None, false, 0x40, 0},
        {"tree pre-paint", true, CDDS_PREPAINT, None, false, 0x40, CDRF_NOTIFYITEMDRAW},
        {"tree pre-paint kept", true, CDDS_PREPAINT, None, true, 0x40, 0x40 | CDRF_NOTIFYITEMDRAW},
        {"item untouched", false, CDDS_ITEMPREPAINT, None, false, 0, 0},
        {"item bold", false, CDDS_ITEMPREPAINT, Bold, false, 0, CDRF_NEWFONT},
        {"item colour only", false, CDDS_ITEMPREPAINT, Colour, false, 0, 0},
        {"item brush", false, CDDS_ITEMPREPAINT, Brush, false, 0, 0},
        {"item skipped", false, CDDS_ITEMPREPAINT, Skip, false, 0, CDRF_SKIPDEFAULT},
        {"tree item skipped", true, CDDS_ITEMPREPAINT, Skip, false, 0, CDRF_SKIPDEFAULT},
        {"tree item skipped, kept", true, CDDS_ITEMPREPAINT, Skip, true, 0x40, 0x40},
        {"tree item bold, kept", true, CDDS_ITEMPREPAINT, Bold, true, 0x40, 0x40 | CDRF_NEWFONT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        QFont font;
        font.setBold(false);
        TCustomDrawNotification notification{nullptr, c.DrawStage, {}, font, clWindowText, clWindow};
        int result = c.Before;
        std::unique_ptr<TPTCustomDraw> cd;
        if (c.Tree)
            cd = std::make_unique<TPTTvCustomDraw>(font, notification, result);
        else
            cd = std::make_unique<TPTLvCustomDraw>(font, notification, result);
        cd->KeepResult = c.KeepResult;
        switch (c.Change) {
        case Bold: cd->GetFont().SetBold(true); break;
        case Colour: cd->GetFont().SetColor(0x0000FF); break;
        case Brush: cd->GetBrush().SetColor(0x00FF00); break;
        case Skip: cd->SkipDefault = true; break;
        case None: break;
        }
        cd->Apply();
        EXPECT_EQ(result, c.Result);
        EXPECT_EQ(notification.Font.bold(), c.Change == Bold);
        EXPECT_EQ(notification.TextColor, c.Change == Colour ? 0x0000FF : clWindowText);
        EXPECT_EQ(notification.TextBkColor, c.Change == Brush ? 0x00FF00 : clWindow);
    }
}

TEST(HeaderSortGeometry, ModesAlignmentsSortColumnsAndWidths)
{
    // An item 20 pixels high: text from 2 to 18, so the arrow box is 10 wide, 9 high, at top 4.
    const QRect none;
    const struct {
        const char* Name;
        TPTLvHeaderSortDisplayMode Mode;
        TAlignment Alignment;
        bool Sorted;
        int Width;
        QRect Text, Box;
        bool Shown;
    } cases[] = {
        {"none", ptlvNone, taLeftJustify, true, 100, {6, 2, 88, 16}, none, false},
        {"left", ptlvLeftAlign, taLeftJustify, true, 100, {21, 2, 73, 16}, {6, 4, 10, 9}, true},
        {"left, not sorted", ptlvLeftAlign, taLeftJustify, false, 100, {6, 2, 88, 16}, none, false},
        {"left, 15 wide", ptlvLeftAlign, taLeftJustify, true, 15, {6, 2, 3, 16}, none, false},
        {"left, 20 wide", ptlvLeftAlign, taLeftJustify, true, 20, {21, 2, -7, 16}, {6, 4, 10, 9}, false},
        {"left, 21 wide", ptlvLeftAlign, taLeftJustify, true, 21, {21, 2, -6, 16}, {6, 4, 10, 9}, true},
        {"right of text", ptlvRightOfText, taLeftJustify, true, 100, {6, 2, 88, 16}, {41, 4, 10, 9}, true},
        {"right of text, not sorted", ptlvRightOfText, taLeftJustify, false, 100, {6, 2, 88, 16}, {41, 4, 10, 9}, false},
        {"right of centred text", ptlvRightOfText, taCenter, true, 100, {6, 2, 88, 16}, {70, 4, 10, 9}, true},
        {"right of right text", ptlvRightOfText, taRightJustify, true, 100, {6, 2, 69, 16}, {79, 4, 10, 9}, true},
        {"right", ptlvRightAlign, taLeftJustify, true, 100, {6, 2, 69, 16}, {79, 4, 10, 9}, true},
        {"right, not sorted", ptlvRightAlign, taLeftJustify, false, 100, {6, 2, 88, 16}, {79, 4, 10, 9}, false},
        {"right, 20 wide", ptlvRightAlign, taLeftJustify, true, 20, {6, 2, -11, 16}, {-1, 4, 10, 9}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const THeaderSortGeometry geometry = HeaderSortGeometry(QRect(0, 0, c.Width, 20), c.Mode, c.Alignment, c.Sorted, 30);
        EXPECT_EQ(geometry.Fill, QRect(2, 2, c.Width - 4, 16));
        EXPECT_EQ(geometry.Text, c.Text);
        EXPECT_EQ(geometry.ArrowBox, c.Box);
        EXPECT_EQ(geometry.ArrowShown, c.Shown);
    }
    // The arrow: odd width, apex first.
    EXPECT_EQ(HeaderSortArrow(QRect(6, 4, 10, 9), true), QPolygon({{10, 6}, {6, 10}, {14, 10}}));
    EXPECT_EQ(HeaderSortArrow(QRect(6, 4, 10, 9), false), QPolygon({{10, 10}, {6, 6}, {14, 6}}));
}

TEST_F(PTListView, TheArrowPointsByTheSortDirection)
{
    QHeaderView* header = list.Header();
    list.SetSortColumn(0);
    const THeaderSortGeometry geometry =
        HeaderSortGeometry(QRect(0, 0, header->sectionSize(0), header->height()), ptlvRightOfText, taLeftJustify, true,
                           QFontMetrics(list.font()).horizontalAdvance("Name"));
    ASSERT_TRUE(geometry.ArrowShown);
    const QPolygon arrow = HeaderSortArrow(geometry.ArrowBox, true);
    const QRect box = arrow.boundingRect();
    // The rows of the arrow that are not the button face: the apex row has one such pixel, the
    // base a whole row.
    const auto outlineRow = [&](int Y) {
        const QImage image = header->viewport()->grab().toImage();
        int count = 0;
        for (int x = box.left(); x <= box.right(); ++x)
            count += image.pixelColor(x, Y) != ColorToQColor(clBtnFace);
        return count;
    };
    list.SetSortDirection(1);
    EXPECT_EQ(outlineRow(box.top()), 1);
    EXPECT_EQ(outlineRow(box.bottom()), box.width());
    list.SetSortDirection(0);
    EXPECT_EQ(outlineRow(box.top()), box.width());
    EXPECT_EQ(outlineRow(box.bottom()), 1);

    // No sort column: no arrow in any mode (no lit edge where the sort column's arrow is).
    const QColor light = ColorToQColor(clSystemColor | win::COLOR_BTNHIGHLIGHT);
    for (auto mode : {ptlvLeftAlign, ptlvRightOfText, ptlvRightAlign}) {
        list.SetHeaderSortDisplayMode(mode);
        const QRect place =
            HeaderSortGeometry(QRect(0, 0, header->sectionSize(0), header->height()), mode, taLeftJustify, true,
                               QFontMetrics(list.font()).horizontalAdvance("Name"))
                .ArrowBox;
        const auto litPixels = [&] {
            return PixelsOf(header->viewport()->grab(place).toImage(), [&](const QColor& Color) { return Color == light; });
        };
        list.SetSortColumn(0);
        EXPECT_GT(litPixels(), 0) << int(mode);
        list.SetSortColumn(-1);
        EXPECT_EQ(litPixels(), 0) << int(mode);
    }
}

TEST_F(PTListView, SortColumnChangesRepaintOnlyTheirHeaderItems)
{
    list.AddColumn({"Type", 60});
    list.AddColumn({"Modified", 60});
    QWidget* headerPort = list.Header()->viewport();
    struct TRegions : QObject {
        QRegion Painted;
        bool eventFilter(QObject*, QEvent* E) override
        {
            if (E->type() == QEvent::Paint)
                Painted += static_cast<QPaintEvent*>(E)->region();
            return false;
        }
    } regions;
    list.SetSortColumn(1);
    QCoreApplication::processEvents();
    headerPort->installEventFilter(&regions);
    const auto section = [&](int Column) {
        return QRect(list.Header()->sectionViewportPosition(Column), 0, list.Header()->sectionSize(Column),
                     headerPort->height());
    };
    list.SetSortColumn(2);
    QCoreApplication::processEvents();
    EXPECT_EQ(regions.Painted, QRegion(section(1)) + section(2));

    regions.Painted = {};
    list.SetSortDirection(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(regions.Painted, QRegion(section(2)));
}

TEST_F(PTListView, CustomDrawnRowsTakeTheHandlersFontAndColours)
{
    list.Item(1)->SetCaption("WWWWWW");
    list.Item(2)->SetCaption("WWWWWW");
    const QImage plain = RowImage(1);
    int calls = 0;
    list.OnPTCustomDraw = [&](TObject* Sender, TPTCustomDraw* CD, TListItem* Item) {
        EXPECT_EQ(Sender, &list);
        EXPECT_EQ(CD->Stage(), 4);
        ++calls;
        if (Item->Index() == 1) {
            CD->GetFont().SetColor(0x0000FF);
            CD->GetFont().SetBold(true);
        } else if (Item->Index() == 2) {
            CD->GetFont().SetColor(0x0000FF);
        }
    };
    list.View()->viewport()->update();
    const QImage bold = RowImage(1), thin = RowImage(2);
    EXPECT_GT(calls, 0);
    EXPECT_GT(PixelsOf(bold, Reddish), PixelsOf(thin, Reddish));
    EXPECT_GT(PixelsOf(thin, Reddish), 0);
    EXPECT_EQ(PixelsOf(RowImage(0), Reddish), 0);

    // A handler that changes nothing leaves the row as it was.
    list.OnPTCustomDraw = [&](TObject*, TPTCustomDraw*, TListItem*) { ++calls; };
    EXPECT_EQ(RowImage(1), plain);

    // The extended event sees the control's stage with no item, and the items' stage.
    QList<int> stages;
    list.OnPTCustomDraw = nullptr;
    list.OnPTCustomDrawEx = [&](TObject*, TPTCustomDraw* CD, TListItem* Item) {
        stages << CD->Stage();
        EXPECT_EQ(Item == nullptr, CD->Stage() == 1);
    };
    list.View()->viewport()->grab();
    EXPECT_EQ(stages.value(0), 1);
    EXPECT_TRUE(stages.contains(4));
}

TEST_F(PTListView, AClearedMenuShowsNoneAndNoSecondOne)
{
    int asked = 0;
    list.OnItemContextMenu = [&](TObject*, TListItem* Item, QPoint&, TPopupMenu*& Menu) {
        ++asked;
        EXPECT_EQ(Item, list.Item(1));
        EXPECT_EQ(Menu, OwnMenu);
        Menu = nullptr;
    };
    const QPoint onItem = list.View()->visualRect(list.View()->model()->index(1, 0)).center();
    RightClick(onItem);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(shown.empty());

    // A handler that replaces the menu and its place has that menu shown there, once.
    list.OnItemContextMenu = [&](TObject*, TListItem*, QPoint& Pos, TPopupMenu*& Menu) {
        ++asked;
        Pos += QPoint(3, 4);
        Menu = ItemMenu;
    };
    RightClick(onItem);
    EXPECT_EQ(asked, 2);
    const QPoint inList = Viewport()->mapTo(&list, onItem);
    EXPECT_EQ(shown, (std::vector<TShownMenu>{{ItemMenu, Screen(inList + QPoint(3, 4))}}));
}

TEST_F(PTListView, KeyboardMenusArePlacedByFocusAndSelection)
{
    std::vector<TListItem*> asked;
    list.OnItemContextMenu = [&](TObject*, TListItem* Item, QPoint&, TPopupMenu*&) { asked.push_back(Item); };
    list.View()->setFocus();
    QCoreApplication::processEvents();

    // Nothing focused or selected: the control's menu at its corner, no item event.
    list.ClearSelection();
    list.SetItemFocused(nullptr);
    QTest::keyClick(list.View(), Qt::Key_Menu);
    EXPECT_EQ(shown, (std::vector<TShownMenu>{{OwnMenu, Screen({0, 0})}}));
    EXPECT_TRUE(asked.empty());

    const struct {
        const char* Name;
        int Focused;
        std::vector<int> Selected;
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        int PlacedAt; // the item whose image centre the menu is shown at
    } cases[] = {
        {"focused and selected", 2, {0, 2}, Qt::Key_Menu, Qt::NoModifier, 2},
        {"focused, not selected", 3, {1, 2}, Qt::Key_F10, Qt::ShiftModifier, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        shown.clear();
        asked.clear();
        list.ClearSelection();
        for (int index : c.Selected)
            list.Item(index)->SetSelected(true);
        list.SetItemFocused(list.Item(c.Focused));
        QTest::keyClick(list.View(), c.Key, c.Modifiers);
        EXPECT_EQ(asked, std::vector<TListItem*>{list.Item(c.Focused)});
        EXPECT_EQ(shown, (std::vector<TShownMenu>{{OwnMenu, Screen(IconCentre(c.PlacedAt))}}));
    }
}
