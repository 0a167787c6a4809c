// The text store's line index: after random edits, positions and line numbers find the same
// records as a walk from the first line, and the index holds every record once; its running
// totals, partly recounted after blocks split or go, equal totals counted afresh.
#include "editor/document/prefix_sums.h"
#include "memo_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// The record, index and start of Pos found by walking from the first record.
struct TWalked {
    const TLineRecord* Line = nullptr;
    int Index = 0;
    int Start = 0;
};

TWalked WalkTo(const TTextStore& Store, int Pos)
{
    TWalked found{Store.FirstLine(), 0, 0};
    while (found.Line->Next && Pos >= found.Start + found.Line->Length()) {
        found.Start += found.Line->Length();
        found.Line = found.Line->Next;
        ++found.Index;
    }
    return found;
}

} // namespace

TEST(LineIndex, LookupsAgreeWithAWalkAfterRandomEdits)
{
    std::mt19937 random(7);
    TTestMemo memo;
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += std::string(random() % 30, 'a') + "\r";
    memo.ReplaceSelection(text);
    TTextStore& store = memo.TextStore();
    const char* const pieces[] = {"x", "\r", "abc\rdef\r", "\r\r\r\r"};
    for (int round = 0; round < 4000; ++round) {
        const int length = store.TextLength();
        const int pos = int(random() % unsigned(length + 1));
        if (round % 3 == 0)
            memo.Replace(pos, std::min(length, pos + int(random() % 20)), "");
        else
            memo.Replace(pos, pos, pieces[random() % 4]);
        if (round % 50 != 0)
            continue;
        ASSERT_EQ(store.CheckInvariants(), "") << round;
        for (int probe = 0; probe < 20; ++probe) {
            const int at = int(random() % unsigned(store.TextLength() + 1));
            const TWalked walked = WalkTo(store, at);
            int index = -1;
            int start = -1;
            EXPECT_EQ(store.LineAt(at, &index, &start), walked.Line) << at;
            EXPECT_EQ(start, walked.Start);
            EXPECT_EQ(store.StartOf(walked.Line), walked.Start);
            const int line = int(random() % unsigned(store.LineCount()));
            EXPECT_EQ(store.LineByIndex(line, &start), RecordAt(store, line)) << line;
        }
        // The lookups counted the blocks that split or went since the last one.
        ASSERT_EQ(store.CheckInvariants(), "") << round;
    }
    // Emptied and filled again.
    memo.Replace(0, store.TextLength(), "");
    memo.ReplaceSelection("one\rtwo");
    EXPECT_EQ(store.CheckInvariants(), "");
    EXPECT_EQ(store.LineByIndex(1)->Text, "two");
}

// Replacing the counts from some entry on gives the totals of counting the whole row afresh, for
// rows around powers of two (where the tree's entries change shape) and tails that grow or shrink.
TEST(LineIndex, PartialRecountEqualsACountAfresh)
{
    std::mt19937 random(3);
    auto counts = [&random](std::size_t Size) {
        std::vector<int> row(Size);
        for (int& count : row)
            count = 1 + int(random() % 9);
        return row;
    };
    for (const std::size_t size : {0, 1, 2, 3, 7, 8, 9, 16, 31, 33}) {
        const std::vector<int> row = counts(size);
        for (std::size_t from = 0; from <= size; ++from) {
            for (const std::size_t tailSize : {0, 1, 6, 40}) {
                const std::vector<int> tail = counts(tailSize);
                TPrefixSums partly;
                partly.Replace(0, row);
                partly.Replace(int(from), tail);
                std::vector<int> whole(row.begin(), row.begin() + std::ptrdiff_t(from));
                whole.insert(whole.end(), tail.begin(), tail.end());
                TPrefixSums afresh;
                afresh.Replace(0, whole);
                ASSERT_EQ(partly.Size(), int(whole.size()));
                for (int i = 0; i <= partly.Size(); ++i)
                    ASSERT_EQ(partly.Before(i), afresh.Before(i))
                        << size << " " << from << " " << tailSize << " " << i;
                for (int target = 0; target < afresh.Before(afresh.Size()); target += 3)
                    ASSERT_EQ(partly.Find(target), afresh.Find(target))
                        << size << " " << from << " " << target;
            }
        }
    }
}

// An edit flags the records of the next screenful for highlighting, through block boundaries and
// up to the end of the text, and no record outside them.
TEST(LineIndex, EditsFlagTheNextScreenfulAcrossBlocks)
{
    TTestMemo memo;
    memo.VisibleLines = 150;
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += std::to_string(i) + "\r\n";
    memo.ReplaceSelection(text);
    TTextStore& store = memo.TextStore();
    for (const int line : {0, 31, 100, 300, 399}) {
        for (TLineRecord* record = store.FirstLine(); record; record = record->Next)
            record->SettledFlags() = 0;
        memo.Replace(memo.LineIndex(line), memo.LineIndex(line), "x");
        const int last = std::min(store.LineCount() - 1, line + memo.VisibleLines + 1);
        for (int index = 0; index < store.LineCount(); ++index) {
            const bool flagged = (RecordAt(store, index)->SettledFlags() & lfHighlightIncomplete) != 0;
            ASSERT_EQ(flagged, index >= line && index <= last)
                << "edit at line " << line << ", record " << index;
        }
    }
}

// The flags an edit leaves owed by the blocks come out the same as flags set at once, whatever
// edits follow: inserts and deletes that shift the records, split blocks and empty them.
TEST(LineIndex, OwedHighlightFlagsEqualFlagsSetAtOnce)
{
    std::mt19937 random(11);
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += std::to_string(i) + "\r\n";
    TTestMemo owed;
    TTestMemo settled;
    for (TTestMemo* memo : {&owed, &settled})
        memo->ReplaceSelection(text);
    const std::string pieces[] = {"x", "a\r\nb\r\n", std::string(40, '\r'), "\r\n"};
    for (int round = 0; round < 3000; ++round) {
        if (round % 4 == 0) {
            // Flags cleared, so that the flags of the next few edits are all owed ones.
            for (TTestMemo* memo : {&owed, &settled}) {
                for (TLineRecord* line = memo->TextStore().FirstLine(); line; line = line->Next)
                    line->SettledFlags() &= ~lfHighlightIncomplete;
            }
        }
        const int length = owed.TextStore().TextLength();
        const int pos = int(random() % unsigned(length + 1));
        const bool deletes = random() % 3 == 0;
        const int end = deletes ? std::min(length, pos + int(random() % 200)) : pos;
        const std::string piece = deletes ? std::string() : pieces[random() % 4];
        // A short screen leaves older owed flags after the edit; a long one reaches the next block.
        const int visible = random() % 2 == 0 ? 3 : 70;
        for (TTestMemo* memo : {&owed, &settled}) {
            memo->VisibleLines = visible;
            memo->Replace(pos, end, piece);
        }
        for (TLineRecord* line = settled.TextStore().FirstLine(); line; line = line->Next)
            line->SettledFlags();
        ASSERT_EQ(owed.TextStore().CheckInvariants(), "") << round;
        if (round % 4 != 3)
            continue;
        ASSERT_EQ(owed.TextStore().LineCount(), settled.TextStore().LineCount());
        for (int index = 0; index < owed.TextStore().LineCount(); ++index) {
            ASSERT_EQ(RecordAt(owed.TextStore(), index)->SettledFlags(),
                      RecordAt(settled.TextStore(), index)->SettledFlags())
                << "round " << round << ", record " << index;
        }
    }
}
