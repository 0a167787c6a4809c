// The text store: records made by inserts and deletes, line-end normalisation, long lines,
// change events, the words a rebuilt line carries, and line lookups.
#include "editor/document/text_store.h"
#include "memo_fixture.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

TEST(TextStore, InsertsIntoAnEmptyStoreMakeRecordsOnlyWhenTextFollowsALineEnd)
{
    TTestMemo memo;
    const TTextStore& store = memo.TextStore();
    EXPECT_EQ(store.FirstLine(), nullptr);
    EXPECT_EQ(store.LongestLine(), 1);

    struct Step {
        const char* insert;
        Strings records;
    };
    const Step steps[] = {
        {"abc", {"abc"}},
        {"\r\n", {"abc\r"}},
        {"x", {"abc\r", "x"}},
    };
    for (const Step& step : steps) {
        memo.Replace(memo.TextLength(), memo.TextLength(), step.insert);
        EXPECT_EQ(Records(store), step.records) << "after inserting " << testing::PrintToString(step.insert);
        EXPECT_EQ(store.CheckInvariants(), "");
    }
    EXPECT_EQ(store.LineCount(), 2);
    EXPECT_EQ(store.LongestLine(), 4);
}

TEST(TextStore, LineEndsAndControlCharactersAreNormalised)
{
    struct Case {
        std::string source;
        std::string stored;
    };
    const Case cases[] = {
        {"a\r\nb", "a\rb"},
        {"a\n\rb", "a\rb"},
        {"a\nb", "a\rb"},
        {"a\rb", "a\rb"},
        {"a\r\n\r\nb", "a\r\rb"},
        {"a\tb", "a\tb"},
        {"a\x07z", "a.z"},
        // Deliberately lossy: a form feed is saved back as ".".
        {"a\x0c", "a."},
        {std::string("a\0b", 3), "a.b"},
        {"ab\n", "ab\r"},
        {"\xe9\x7f", "\xe9\x7f"},
    };
    for (const Case& c : cases) {
        std::string normalised;
        EXPECT_EQ(NormalizeLineEnds(normalised, c.source), int(c.stored.size()));
        EXPECT_EQ(normalised, c.stored) << testing::PrintToString(c.source);

        TTestMemo memo;
        memo.ReplaceSelection(c.source);
        EXPECT_EQ(StoreText(memo.TextStore()), c.stored) << testing::PrintToString(c.source);
    }
}

TEST(TextStore, OneCharacterIsNormalisedLikeLongerText)
{
    TTestMemo memo;
    memo.ReplaceSelection("ab");
    memo.Replace(1, 1, "\x07");
    memo.Replace(3, 3, "\n");
    memo.Replace(0, 0, std::string(1, '\0'));
    EXPECT_EQ(Records(memo.TextStore()), (Strings{".a.b\r"}));
}

TEST(TextStore, ANulByteNeverCutsOffTheRestOfItsBlock)
{
    std::string pasted(10000, 'x');
    pasted[3] = '\0';
    pasted[9000] = '\0';
    TTestMemo memo;
    memo.ReplaceSelection(pasted);
    std::string expected = pasted;
    expected[3] = expected[9000] = '.';
    EXPECT_EQ(StoreText(memo.TextStore()), expected);
    EXPECT_EQ(memo.TextLength(), 10000);
}

TEST(TextStore, LongLinesAreCutInto2047CharacterContinuationRecords)
{
    TTestMemo memo;
    memo.ReplaceSelection(std::string(5000, 'a'));
    const TTextStore& store = memo.TextStore();
    ASSERT_EQ(store.LineCount(), 3);
    const int lengths[] = {2047, 2047, 906};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(RecordAt(store, i)->Length(), lengths[i]);
        EXPECT_EQ(RecordAt(store, i)->IsContinuation(), i > 0);
    }
    EXPECT_EQ(store.LongestLine(), 2047);
    EXPECT_EQ(memo.FullReWraps, 0);
    EXPECT_EQ(store.CheckInvariants(), "");
}

TEST(TextStore, TypingIntoA2047CharacterRecordRewrapsItsOwnLineOnly)
{
    TTestMemo memo;
    memo.ReplaceSelection(Repeated(2046, 'a', "\r\nb"));
    memo.ReWraps = memo.FullReWraps = 0;
    memo.Replace(10, 10, "z");
    EXPECT_EQ(RecordAt(memo.TextStore(), 0)->Length(), 2048);
    EXPECT_EQ(memo.TextStore().LongestLine(), 2048);
    EXPECT_EQ(memo.TextStore().LineCount(), 2);
    EXPECT_EQ(memo.ReWraps, 1);
    EXPECT_EQ(memo.FullReWraps, 0);
}

TEST(TextStore, WordWrapRewrapsTheEditedRecords)
{
    TTestMemo memo;
    memo.WordWrap = true;
    memo.ReplaceSelection("one\r\ntwo");
    memo.ReWraps = 0;
    memo.Replace(1, 1, "x");
    memo.Replace(1, 3, "");
    EXPECT_EQ(memo.ReWraps, 2);
    EXPECT_EQ(memo.FullReWraps, 0);
}

TEST(TextStore, ABlockBoundaryBetweenCrAndLfKeepsOneLineEnd)
{
    // The 8192nd byte is CR and the 8193rd LF.
    const std::string text = Repeated(8191, 'a', "\r\nb");
    TTestMemo memo;
    memo.ReplaceSelection(text);
    EXPECT_EQ(StoreText(memo.TextStore()), Repeated(8191, 'a', "\rb"));
    EXPECT_EQ(memo.TextChanges, (std::vector<std::pair<int, int>>{{0, 8191}, {8191, 2}}));
}

TEST(TextStore, ChangeEventsReportEachInsertedBlockAndEachDelete)
{
    TTestMemo memo;
    memo.ReplaceSelection(std::string(9000, 'a'));
    memo.Replace(100, 300, "xy");
    EXPECT_EQ(memo.TextChanges,
              (std::vector<std::pair<int, int>>{{0, 8192}, {8192, 808}, {100, -200}, {100, 2}}));
    EXPECT_EQ(memo.SelStart(), 102);
    EXPECT_EQ(memo.SelEnd(), 102);
}

TEST(TextStore, DeletingEverythingLeavesAnEmptyStore)
{
    TTestMemo memo;
    memo.ReplaceSelection("one\r\ntwo\r\nthree");
    TTextStore& store = memo.TextStore();
    store.NamedBookmarks().Add(QStringLiteral("b"), 5);
    memo.SetTopLine(2);
    memo.TextChanges.clear();
    memo.Replace(0, memo.TextLength(), "");
    EXPECT_EQ(store.FirstLine(), nullptr);
    EXPECT_EQ(store.LineCount(), 0);
    EXPECT_EQ(store.TextLength(), 0);
    EXPECT_EQ(store.LongestLine(), 0);
    EXPECT_EQ(store.TopLine(), 0);
    EXPECT_EQ(store.NamedBookmarks().Count(), 0);
    EXPECT_EQ(memo.TextChanges, (std::vector<std::pair<int, int>>{{0, 0}}));
    EXPECT_EQ(memo.SelEnd(), 0);

    memo.ReplaceSelection("again");
    EXPECT_EQ(Records(store), (Strings{"again"}));
    EXPECT_EQ(store.LongestLine(), 5);
}

TEST(TextStore, DeletingAcrossRecordsJoinsTheFirstAndTheLast)
{
    TTestMemo memo;
    memo.ReplaceSelection("first\r\nmiddle\r\nla\tst\r\nnext");
    TTextStore& store = memo.TextStore();
    TLineRecord* first = store.FirstLine();
    first->Bookmarks |= 0x0004;
    first->MarkGlyphs = 0x0100;
    first->Background = 0x112233;
    first->TextColor = 0x445566;
    auto track = std::make_unique<TLineTrack>();
    TLineTrack* tracked = track.get();
    first->TakeTrack(std::move(track));
    first->SettledFlags() = 0;

    memo.Replace(2, 15, ""); // "fi" + "\tst\r"
    EXPECT_EQ(Records(store), (Strings{"fi\tst\r", "next"}));
    TLineRecord* joined = store.FirstLine();
    EXPECT_EQ(joined->Bookmarks, 0x0004);
    EXPECT_EQ(joined->MarkGlyphs, 0x0100);
    EXPECT_EQ(joined->Background, 0x112233);
    EXPECT_EQ(joined->TextColor, 0x445566);
    EXPECT_EQ(joined->Track.get(), tracked);
    EXPECT_EQ(tracked->Line, joined);
    EXPECT_EQ(joined->SettledFlags(), lfHighlightIncomplete | lfHasTab);
    EXPECT_EQ(joined->Tokens, nullptr);
    EXPECT_EQ(store.CheckInvariants(), "");
}

TEST(TextStore, AnEditedLineHandsItsColoursToItsFirstRecord)
{
    TTestMemo memo;
    memo.ReplaceSelection("abc\r\nnext");
    TLineRecord* line = memo.TextStore().FirstLine();
    line->Background = 7;
    line->TextColor = 9;
    memo.Replace(1, 1, "1\r\n2\r\n");
    const TTextStore& store = memo.TextStore();
    ASSERT_EQ(Records(store), (Strings{"a1\r", "2\r", "bc\r", "next"}));
    EXPECT_EQ(RecordAt(store, 0)->Background, 7);
    EXPECT_EQ(RecordAt(store, 0)->TextColor, 9);
    for (int i : {1, 2}) {
        EXPECT_EQ(RecordAt(store, i)->Background, clNoLineColor);
        EXPECT_EQ(RecordAt(store, i)->TextColor, 9);
        EXPECT_EQ(RecordAt(store, i)->SettledFlags() & (lfRepaint | lfHighlightIncomplete),
                  lfRepaint | lfHighlightIncomplete);
    }
}

TEST(TextStore, DeletingTheLastLineLeavesNoEmptyRecord)
{
    TTestMemo memo;
    memo.ReplaceSelection("ab\r\ncd");
    memo.Replace(3, 5, "");
    EXPECT_EQ(Records(memo.TextStore()), (Strings{"ab\r"}));
    EXPECT_EQ(memo.TextStore().CheckInvariants(), "");
    EXPECT_EQ(memo.LineFromChar(3), 0);
}

TEST(TextStore, EditsRestartHighlightingAtTheFirstChangedRecord)
{
    TTestMemo memo;
    memo.VisibleLines = 2;
    memo.ReplaceSelection("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7");
    TTextStore& store = memo.TextStore();
    for (TLineRecord* line = store.FirstLine(); line; line = line->Next)
        line->SettledFlags() = 0;
    store.SetHighlightFrom(nullptr);
    memo.Replace(2, 2, "x");
    EXPECT_EQ(store.HighlightFrom(), RecordAt(store, 1));
    int flagged = 0;
    for (TLineRecord* line = store.FirstLine(); line; line = line->Next)
        flagged += (line->SettledFlags() & lfHighlightIncomplete) ? 1 : 0;
    EXPECT_EQ(flagged, 4); // the changed record and the next VisibleLines + 1
    EXPECT_EQ(RecordAt(store, 1)->Flags & lfRepaint, lfRepaint);

    // A rebuilt record that was the first to highlight is replaced there by its successor.
    memo.Replace(2, 4, "yz\r\n");
    EXPECT_EQ(store.HighlightFrom(), RecordAt(store, 1));
}

TEST(TextStore, LookupsAgreeFromEveryCachedTopLine)
{
    TTestMemo memo;
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += std::string(std::size_t(i % 7), char('a' + i % 26)) + "\r\n";
    memo.ReplaceSelection(text);
    TTextStore& store = memo.TextStore();
    for (const int top : {0, 25, 49, 500}) {
        memo.SetTopLine(top);
        int start = 0;
        int index = 0;
        for (const TLineRecord* line = store.FirstLine(); line;
             start += line->Length(), line = line->Next, ++index) {
            for (const int pos : {start, start + line->Length() - 1}) {
                int foundIndex = -1;
                int foundStart = -1;
                EXPECT_EQ(store.LineAt(pos, &foundIndex, &foundStart), line)
                    << "top " << top << " pos " << pos;
                EXPECT_EQ(foundIndex, index);
                EXPECT_EQ(foundStart, start);
            }
            EXPECT_EQ(store.LineByIndex(index), line);
            EXPECT_EQ(memo.LineIndex(index), start);
        }
        EXPECT_EQ(store.LineAt(memo.TextLength()), store.LastLine());
        EXPECT_EQ(store.LineByIndex(9999), store.LastLine());
        EXPECT_EQ(memo.LineIndex(store.LineCount()), memo.TextLength());
        EXPECT_EQ(store.TopLineRecord(), RecordAt(store, std::min(top, store.LineCount() - 1)));
    }
}

TEST(TextStore, EditsBeforeTheTopLineDropItsCachedRecord)
{
    TTestMemo memo;
    memo.ReplaceSelection("a\r\nb\r\nc\r\nd");
    TTextStore& store = memo.TextStore();
    memo.SetTopLine(2);
    EXPECT_EQ(store.TopLineRecord(), RecordAt(store, 2));
    memo.Replace(memo.LineIndex(3), memo.LineIndex(3), "x");
    EXPECT_NE(store.CachedLine(), nullptr); // an edit after the top line keeps it
    memo.Replace(0, 0, "y\r\n");
    EXPECT_EQ(store.CachedLine(), nullptr);
    EXPECT_EQ(store.TopLineRecord()->Text, "b\r"); // found again from the remembered index
}

TEST(TextStore, LineQueriesOfTheEditor)
{
    TTestMemo memo;
    EXPECT_EQ(memo.LineCount(), 1);
    EXPECT_EQ(memo.LineIndex(0), 0);
    EXPECT_EQ(memo.LineLength(0), 0);
    EXPECT_EQ(memo.GetLine(0, 10), "");

    memo.ReplaceSelection("alpha\r\nbe\r\ngamma");
    memo.SetSelection(8, 8);
    EXPECT_EQ(memo.LineCount(), 3);
    EXPECT_EQ(memo.LineIndex(-1), 6);
    EXPECT_EQ(memo.LineFromChar(-1), 1);
    EXPECT_EQ(memo.LineFromChar(9), 2);
    EXPECT_EQ(memo.LineLength(7), 2);
    EXPECT_EQ(memo.LineLength(12), 5);
    EXPECT_EQ(memo.GetLine(0, 3), "alp");
    EXPECT_EQ(memo.GetLine(1, 100), "be");
    EXPECT_EQ(memo.GetLine(3, 100), "");
    EXPECT_EQ(memo.GetText(), "alpha\r\nbe\r\ngamma");
    memo.TextStore().SelLineStyle = lsLF;
    EXPECT_EQ(memo.GetText(), "alpha\rbe\rgamma");
}
