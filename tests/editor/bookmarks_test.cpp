// Numbered and named bookmarks, marks and breakpoints, and how they follow inserts and deletes
// before, inside, across and after them.
#include "editor/document/syntax_memo_error.h"
#include "memo_fixture.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

// Ten lines "line0\r\n" .. "line9\r\n", 6 characters each in the store.
TTestMemo* TenLines(TTestMemo& Memo)
{
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += "line" + std::to_string(i) + "\r\n";
    Memo.ReplaceSelection(text);
    return &Memo;
}

int BookmarkBits(const TTestMemo& Memo, int Line)
{
    return RecordAt(Memo.TextStore(), Line)->Bookmarks & bmNumbered;
}

} // namespace

TEST(NumberedBookmarks, ToggleMoveAndOnePerLine)
{
    TTestMemo memo;
    TenLines(memo);
    std::vector<int> set;
    memo.OnBookmarkSet = [&](TObject*, int N) { set.push_back(N); };

    memo.SetBookmark(3, 5, 2);
    EXPECT_EQ(BookmarkBits(memo, 4), 1 << 3);
    int line = 0;
    int column = 0;
    ASSERT_TRUE(memo.GetBookmarkPos(3, line, column));
    EXPECT_EQ(std::pair(line, column), std::pair(5, 2));

    memo.SetBookmark(4, 5, 1); // the line's bookmark 3 gives way
    EXPECT_EQ(BookmarkBits(memo, 4), 1 << 4);
    EXPECT_FALSE(memo.GetBookmarkPos(3, line, column));

    memo.SetBookmark(4, 5, 1); // the same line again: removed
    EXPECT_EQ(BookmarkBits(memo, 4), 0);
    EXPECT_FALSE(memo.GetBookmarkPos(4, line, column));

    memo.SetBookmark(4, 2, 9); // moved to another line, column limited to the line
    memo.SetBookmark(4, 7, 9);
    EXPECT_EQ(BookmarkBits(memo, 1), 0);
    EXPECT_EQ(BookmarkBits(memo, 6), 1 << 4);
    ASSERT_TRUE(memo.GetBookmarkPos(4, line, column));
    EXPECT_EQ(std::pair(line, column), std::pair(7, 6));
    EXPECT_EQ(set, (std::vector<int>{3, 4, 4, 4}));

    // A line below 1 counts as 1, as does a column; -1 means the caret.
    memo.SetBookmark(0, -4, -4);
    EXPECT_EQ(BookmarkBits(memo, 0), 1);
    memo.SetSelection(21, 21); // line 3, column 4
    memo.SetBookmark(1, -1, 0);
    ASSERT_TRUE(memo.GetBookmarkPos(1, line, column));
    EXPECT_EQ(std::pair(line, column), std::pair(4, 4));

    for (const int bad : {10, 255, -1}) {
        try {
            memo.SetBookmark(bad, 1, 1);
            ADD_FAILURE() << bad;
        } catch (const ESyntaxMemo& e) {
            EXPECT_EQ(e.Message, "Bookmark index range error");
        }
        EXPECT_THROW(memo.GotoBookmark(bad), ESyntaxMemo);
        EXPECT_THROW(memo.GetBookmarkPos(bad, line, column), ESyntaxMemo);
    }
    memo.SetBookmark(0x105, 9, 1); // only the low byte counts
    EXPECT_EQ(BookmarkBits(memo, 8), 1 << 5);
}

TEST(NumberedBookmarks, BookmarksRideOnTheirLinesThroughEdits)
{
    TTestMemo memo;
    TenLines(memo);
    memo.SetBookmark(2, 6, 3);
    memo.Replace(0, 0, "new\r\n");                                    // before: the line moves down
    memo.Replace(memo.LineIndex(6) + 1, memo.LineIndex(6) + 1, "xx"); // inside the line
    int line = 0;
    int column = 0;
    ASSERT_TRUE(memo.GetBookmarkPos(2, line, column));
    EXPECT_EQ(line, 7);
    // Deleting whole lines from the bookmarked one on leaves the bookmark at that place.
    memo.Replace(memo.LineIndex(6), memo.LineIndex(8), "");
    ASSERT_TRUE(memo.GetBookmarkPos(2, line, column));
    EXPECT_EQ(line, 7);
    // A delete that starts on the line before takes the bookmark's line with it.
    memo.Replace(memo.LineIndex(6) - 1, memo.LineIndex(7) - 1, "");
    EXPECT_FALSE(memo.GetBookmarkPos(2, line, column));
}

TEST(NumberedBookmarks, GotoCentresTheLineInTheWindow)
{
    TTestMemo memo;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "row\r\n";
    memo.ReplaceSelection(text);
    memo.VisibleLines = 15; // a client height of 15 line heights (or a bit more)
    memo.SetBookmark(7, 51, 3);
    memo.SetSelection(0, 0);
    memo.GotoBookmark(7);
    EXPECT_EQ(memo.SelStart(), 50 * 4 + 2);
    EXPECT_EQ(memo.SelEnd(), 50 * 4 + 2);
    EXPECT_EQ(memo.TopLine(), 50 - 7);
    memo.GotoBookmark(8); // not set: nothing happens
    EXPECT_EQ(memo.TopLine(), 43);
}

TEST(NamedBookmarks, FollowInsertsAndDeletes)
{
    struct Case {
        const char* edit;
        int pos;
        int count; // > 0 inserted, < 0 removed
        std::vector<int> positions;
        QStringList freed;
    };
    const Case cases[] = {
        {"delete 10..19", 10, -10, {5, 20}, {QStringLiteral("twelve")}},
        {"delete before all", 0, -3, {2, 9, 27}, {}},
        {"delete from a bookmark", 5, -7, {5, 23}, {QStringLiteral("five")}},
        {"delete after all", 31, -5, {5, 12, 30}, {}},
        {"insert before", 8, 3, {5, 15, 33}, {}},
        {"insert at one", 12, 2, {5, 14, 32}, {}},
        {"insert after all", 31, 4, {5, 12, 30}, {}},
        {"nothing", 12, 0, {5, 12, 30}, {}},
    };
    for (const Case& c : cases) {
        QStringList freed; // before the list, whose destruction reports to it
        TCustomBookmarks bookmarks;
        bookmarks.OnFree = [&](const QString& Name) { freed << Name; };
        bookmarks.Add(QStringLiteral("thirty"), 30);
        bookmarks.Add(QStringLiteral("five"), 5);
        bookmarks.Add(QStringLiteral("twelve"), 12);
        if (c.count > 0)
            bookmarks.AdjustForInsert(c.count, c.pos);
        else
            bookmarks.AdjustForDelete(-c.count, c.pos);
        std::vector<int> positions;
        for (int i = 0; i < bookmarks.Count(); ++i)
            positions.push_back(bookmarks.Position(i));
        EXPECT_EQ(positions, c.positions) << c.edit;
        EXPECT_EQ(freed, c.freed) << c.edit;
    }
}

TEST(NamedBookmarks, StoreEditsMoveThemAndTheEditorHearsOfFreedOnes)
{
    TTestMemo memo;
    memo.ReplaceSelection(std::string(40, 'x'));
    QStringList freed;
    memo.OnCustomBookmarkFree = [&](TObject* Sender, const QString& Name) {
        EXPECT_EQ(Sender, &memo);
        freed << Name;
    };
    TCustomBookmarks& bookmarks = memo.TextStore().NamedBookmarks();
    bookmarks.Add(QStringLiteral("a"), 5);
    bookmarks.Add(QStringLiteral("b"), 12);
    bookmarks.Add(QStringLiteral("B"), 30); // one bookmark per name, compared without case
    EXPECT_EQ(bookmarks.Count(), 2);
    memo.Replace(10, 20, "");
    int pos = 0;
    EXPECT_TRUE(bookmarks.Find(QStringLiteral("b"), pos));
    EXPECT_EQ(pos, 20);
    memo.Replace(0, 0, "123");
    EXPECT_TRUE(bookmarks.Find(QStringLiteral("a"), pos));
    EXPECT_EQ(pos, 8);
    memo.Clear();
    EXPECT_EQ(freed, (QStringList{QStringLiteral("a"), QStringLiteral("B")}));
}

TEST(Marks, FollowInsertsAndDeletes)
{
    struct Case {
        const char* edit;
        int pos;
        int count; // > 0 inserted, < 0 removed
        std::vector<std::pair<int, int>> marks;
        int freed;
        int changed;
    };
    // Marks 5..9, 10..15 and 12..30.
    const Case cases[] = {
        {"insert before all", 2, 3, {{8, 12}, {13, 18}, {15, 33}}, 0, 3},
        {"insert inside", 8, 3, {{5, 12}, {13, 18}, {15, 33}}, 0, 3},
        {"insert at an end", 9, 1, {{5, 10}, {11, 16}, {13, 31}}, 0, 3},
        {"insert after all", 31, 5, {{5, 9}, {10, 15}, {12, 30}}, 0, 0},
        {"delete before all", 0, -4, {{1, 5}, {6, 11}, {8, 26}}, 0, 3},
        {"delete across starts", 10, -10, {{5, 9}, {10, 20}}, 1, 1},
        {"delete across an end", 7, -5, {{5, 7}, {7, 10}, {7, 25}}, 0, 3},
        {"delete inside one", 20, -5, {{5, 9}, {10, 15}, {12, 25}}, 0, 1},
        {"delete after all", 31, -5, {{5, 9}, {10, 15}, {12, 30}}, 0, 0},
        {"delete touching a mark", 9, -1, {{5, 9}, {9, 14}, {11, 29}}, 0, 2},
        {"nothing", 9, 0, {{5, 9}, {10, 15}, {12, 30}}, 0, 0},
    };
    for (const Case& c : cases) {
        int freed = 0;
        int changed = 0;
        TMarkList marks;
        marks.OnFree = [&](TMark*) { ++freed; };
        marks.OnChange = [&](TMark*) { ++changed; };
        marks.Add(15, 10, 2); // ordered: 10..15
        marks.Add(5, 9, 1);
        marks.Add(12, 30, 3);
        if (c.count >= 0)
            marks.AdjustForInsert(c.pos, c.count);
        else
            marks.AdjustForDelete(c.pos, -c.count);
        std::vector<std::pair<int, int>> ranges;
        for (int i = 0; i < marks.Count(); ++i)
            ranges.emplace_back(marks.Items(i)->Start, marks.Items(i)->End);
        EXPECT_EQ(ranges, c.marks) << c.edit;
        EXPECT_EQ(freed, c.freed) << c.edit;
        EXPECT_EQ(changed, c.changed) << c.edit;
    }
}

TEST(Marks, TheEditorAddsFindsAndMovesThem)
{
    TTestMemo memo;
    memo.ReplaceSelection(std::string(50, 'm'));
    EXPECT_EQ(memo.TextStore().Marks(), nullptr);
    TMark* found = nullptr;
    EXPECT_FALSE(memo.FindMark(0, 50, found));

    std::vector<std::int32_t> changes;
    std::vector<std::int32_t> frees;
    memo.OnMarkChange = [&](TObject*, TMark* Mark) { changes.push_back(Mark->Data); };
    memo.OnMarkFree = [&](TObject*, TMark* Mark) { frees.push_back(Mark->Data); };
    TMark* late = memo.AddMark(30, 5, 1);
    TMark* early = memo.AddMark(20, -5, 2); // 15..20
    EXPECT_EQ(memo.TextStore().Marks()->Items(0), early);
    EXPECT_EQ(memo.GetMarkStart(early), 15);
    EXPECT_EQ(memo.GetMarkEnd(early), 20);
    ASSERT_TRUE(memo.FindMark(21, 20, found));
    EXPECT_EQ(found, late);
    EXPECT_TRUE(memo.FindMark(0, 15, found)); // ends count
    EXPECT_EQ(found, early);
    EXPECT_FALSE(memo.FindMark(21, 5, found));

    memo.SetMarkStart(late, 40); // past its end: the ends swap
    EXPECT_EQ(std::pair(late->Start, late->End), std::pair(35, 40));
    memo.SetMarkEnd(early, 45);
    memo.SetMarkStart(early, 37); // re-sorted behind the other
    EXPECT_EQ(std::pair(early->Start, early->End), std::pair(37, 45));
    EXPECT_EQ(memo.TextStore().Marks()->Items(1), early);
    EXPECT_EQ(memo.TextStore().Marks()->Overlapping(36, 38), (std::vector<TMark*>{late, early}));
    EXPECT_EQ(memo.TextStore().Marks()->Overlapping(0, 14), std::vector<TMark*>{});

    memo.Replace(14, 46, ""); // swallows both
    EXPECT_EQ(frees, (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(memo.TextStore().Marks()->Count(), 0);
    memo.Replace(0, 0, "x");
    EXPECT_TRUE(changes.empty());
}

TEST(Breakpoints, FollowEditsByTheirLines)
{
    struct Case {
        const char* edit;
        int pos;
        int count;
        bool wholeLines;
        std::vector<int> positions;
        int freed;
    };
    // Breakpoints on the lines starting at 6, 12 and 18 (lines of 6 characters).
    const Case cases[] = {
        {"delete the line", 12, -6, true, {6, 12}, 1},
        {"delete two lines", 6, -12, true, {6}, 2},
        {"delete inside a line", 13, -2, false, {6, 12, 16}, 0},
        {"delete a line end", 11, -1, false, {6, 17}, 1},
        {"delete before", 0, -3, false, {3, 9, 15}, 0},
        {"delete text from a line start", 12, -2, false, {6, 12, 16}, 0},
        {"insert lines before", 12, 6, true, {6, 18, 24}, 0},
        {"type at a line start", 12, 1, false, {6, 12, 19}, 0},
        {"nothing", 12, 0, true, {6, 12, 18}, 0},
    };
    for (const Case& c : cases) {
        int freed = 0;
        TSM_Breakpoints breakpoints;
        breakpoints.OnBreakpointFree = [&](TObject*, TSM_BreakpointData* Entry) {
            EXPECT_FALSE(Entry->Valid);
            ++freed;
        };
        for (const int pos : {18, 6, 12}) {
            auto entry = std::make_unique<TSM_BreakpointData>(0, false, QString(), 0);
            entry->Position = pos;
            breakpoints.Add(std::move(entry));
        }
        breakpoints.AdjustForEdit(c.pos, c.count, c.wholeLines);
        std::vector<int> positions;
        for (int i = 0; i < breakpoints.Count(); ++i)
            positions.push_back(breakpoints.Items(i)->Position);
        std::sort(positions.begin(), positions.end());
        EXPECT_EQ(positions, c.positions) << c.edit;
        EXPECT_EQ(freed, c.freed) << c.edit;
    }
}

TEST(Breakpoints, StylesStatesAndTheExecutionPoint)
{
    TTestMemo memo;
    TenLines(memo);
    TTextStore& store = memo.TextStore();
    std::vector<TSM_BreakpointData*> freed;
    std::vector<TSM_BreakpointData*> states;
    memo.OnBreakpointFree = [&](TObject* Sender, TSM_BreakpointData* Entry) {
        EXPECT_EQ(Sender, &memo);
        freed.push_back(Entry);
    };
    memo.OnBreakpointStateChange = [&](TObject*, TSM_BreakpointData* Entry) { states.push_back(Entry); };

    auto entry = std::make_unique<TSM_BreakpointData>(7, false, QStringLiteral("cond"), 3);
    EXPECT_EQ(entry->Value1, 3);
    EXPECT_EQ(entry->Value2, 7);
    EXPECT_EQ(entry->Position, 0);
    entry->Position = 24;
    TSM_BreakpointData* breakpoint = store.Breakpoints().Add(std::move(entry));
    TBreakpointStyle style{};
    ASSERT_TRUE(store.Breakpoints().GetBreakpointStyle(24, style));
    EXPECT_EQ(style.Image, 12);
    EXPECT_EQ(style.Color1, 0x00FFFF);
    EXPECT_EQ(style.Color2, 0x008000);
    EXPECT_FALSE(store.Breakpoints().GetBreakpointStyle(25, style));
    store.Breakpoints().Changed = false;
    breakpoint->SetActive(true);
    breakpoint->SetActive(true);
    EXPECT_EQ(states.size(), 1u);
    EXPECT_TRUE(store.Breakpoints().Changed);
    ASSERT_TRUE(store.Breakpoints().GetBreakpointStyle(24, style));
    EXPECT_EQ(style.Image, 11);
    EXPECT_EQ(style.Color1, 0xFFFFFF);
    EXPECT_EQ(style.Color2, 0x0000FF);

    TSM_BreakpointData* point = store.CodeBreaks().Marker();
    point->Position = 24;
    EXPECT_FALSE(store.CodeBreaks().GetBreakpointStyle(24, style)); // inactive
    point->SetActive(true);
    ASSERT_TRUE(store.CodeBreaks().GetBreakpointStyle(24, style));
    EXPECT_EQ(style.Image, 12);
    EXPECT_EQ(style.Color1, 0xFFFFFF);
    EXPECT_EQ(style.Color2, 0x800000);

    // Deleting the line: the breakpoint is freed, the execution point only turns inactive.
    memo.Replace(24, 30, "");
    EXPECT_EQ(freed, std::vector<TSM_BreakpointData*>{breakpoint});
    EXPECT_EQ(store.Breakpoints().Count(), 0);
    EXPECT_EQ(store.CodeBreaks().Marker(), point);
    EXPECT_FALSE(point->Active());
}

TEST(Breakpoints, ParkedStoresStopReportingToTheEditor)
{
    TTestMemo memo;
    int freed = 0;
    memo.OnBreakpointFree = [&](TObject*, TSM_BreakpointData*) { ++freed; };
    memo.OnCustomBookmarkFree = [&](TObject*, const QString&) { ++freed; };
    memo.TextStore().Breakpoints().Add(std::make_unique<TSM_BreakpointData>(0, false, QString(), 0));
    memo.TextStore().NamedBookmarks().Add(QStringLiteral("x"), 0);
    std::unique_ptr<TTextStore> parked = memo.ExchangeTextStore(std::make_unique<TTextStore>());
    EXPECT_FALSE(memo.PaintingEnabled());
    parked.reset();
    EXPECT_EQ(freed, 0);
}
