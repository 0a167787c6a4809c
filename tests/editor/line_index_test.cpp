// The text store's line index: after random edits, positions and line numbers find the same
// records as a walk from the first line, and the index holds every record once.
#include "memo_fixture.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

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
            const int line = int(random() % unsigned(store.LineCount()));
            EXPECT_EQ(store.LineByIndex(line, &start), RecordAt(store, line)) << line;
        }
    }
    // Emptied and filled again.
    memo.Replace(0, store.TextLength(), "");
    memo.ReplaceSelection("one\rtwo");
    EXPECT_EQ(store.CheckInvariants(), "");
    EXPECT_EQ(store.LineByIndex(1)->Text, "two");
}
