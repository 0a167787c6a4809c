// The undo log: the stack under it, block rules, undo and redo, Modified, trimming, the
// undo-list walk and its errors.
#include "editor/document/syntax_memo_error.h"
#include "editor/document/undo_stack.h"
#include "memo_fixture.h"

#include "platform/rtl/streams.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// A number that reports its destruction: a stack destroys the values it discards.
struct TTrackedNumber {
    long Value = 0;
    std::vector<long>* Disposed = nullptr;

    TTrackedNumber() = default;
    TTrackedNumber(long AValue, std::vector<long>* ADisposed) : Value(AValue), Disposed(ADisposed) {}
    TTrackedNumber(TTrackedNumber&& Other) noexcept
        : Value(Other.Value), Disposed(std::exchange(Other.Disposed, nullptr))
    {
    }
    TTrackedNumber& operator=(TTrackedNumber&& Other) noexcept
    {
        Value = Other.Value;
        Disposed = std::exchange(Other.Disposed, nullptr);
        return *this;
    }
    ~TTrackedNumber()
    {
        if (Disposed)
            Disposed->push_back(Value);
    }
};

// A stack of numbers that reports what it disposes.
struct TNumberStack : TStack<TTrackedNumber> {
    explicit TNumberStack(std::vector<long>& Disposed) : disposed_(Disposed) {}
    void PushNumber(long Value, std::uint32_t Size) { Push({Value, &disposed_}, Size); }
    long Back() { return StepBack().Value; }
    long Forward() { return StepForward().Value; }
    long PopNumber()
    {
        TTrackedNumber number = Pop();
        number.Disposed = nullptr;
        return number.Value;
    }

private:
    std::vector<long>& disposed_;
};

// Types Text one character at a time, each character as its own typing block.
void TypeChars(TTestMemo& Memo, std::string_view Text)
{
    for (const char c : Text) {
        Memo.BeginUndoBlock(ubTyping);
        Memo.ReplaceSelection(std::string_view(&c, 1));
        Memo.EndUndoBlock(ubTyping);
    }
}

std::pair<int, int> Selection(const TMemoCore& Memo)
{
    return {Memo.SelStart(), Memo.SelEnd()};
}

} // namespace

TEST(UndoStack, StackStepsWithACursorAndDiscardsTheRedoPartOnPush)
{
    std::vector<long> disposed;
    TNumberStack stack(disposed);
    EXPECT_THROW(stack.PopNumber(), EStackError);
    EXPECT_THROW(stack.StepBack(), EStackError);
    EXPECT_THROW(stack.StepForward(), EStackError);
    stack.PushNumber(1, 0);
    stack.PushNumber(2, 10);
    stack.PushNumber(3, 20);
    EXPECT_EQ(stack.ByteTotal(), 16u * 3 + 30);
    EXPECT_EQ(stack.Count(), 3);
    EXPECT_TRUE(stack.AtTop());

    EXPECT_EQ(stack.Back(), 3);
    EXPECT_EQ(stack.Back(), 2);
    EXPECT_EQ(stack.Count(), 1);
    EXPECT_FALSE(stack.AtTop());
    EXPECT_EQ(stack.Forward(), 2);
    EXPECT_EQ(stack.Back(), 2);
    EXPECT_EQ(stack.Back(), 1);
    EXPECT_EQ(stack.Current(), nullptr);
    EXPECT_EQ(stack.Count(), 0);
    EXPECT_THROW(stack.StepBack(), EStackError);
    EXPECT_EQ(stack.Forward(), 1); // from nothing onto the bottom

    stack.PushNumber(4, 5); // discards 3 then 2
    EXPECT_EQ(disposed, (std::vector<long>{3, 2}));
    EXPECT_EQ(stack.ByteTotal(), 16u * 2 + 5);
    EXPECT_EQ(stack.Count(), 2);
    EXPECT_THROW(stack.StepForward(), EStackError);

    stack.Back();
    stack.ResetToTop();
    EXPECT_TRUE(stack.AtTop());
    EXPECT_EQ(stack.Count(), 1); // the number of nodes less one
    EXPECT_EQ(stack.PopNumber(), 4);
    EXPECT_EQ(stack.ByteTotal(), 16u);
}

TEST(UndoStack, RecordsCountSixteenBytesPlusTheirText)
{
    TUndoStack log;
    log.PushEdit(0, 0, "", "hello", 5, 5);
    // Six nodes of 16 bytes; each record is given 16 bytes plus its text.
    EXPECT_EQ(log.ByteTotal(), 6u * 16 + 6 * 16 + 5);
    log.PushBlockMarker(umBlockBegin, ubPaste, 1, 2);
    EXPECT_EQ(log.ByteTotal(), 6u * 32 + 5 + 3 * 32);
    EXPECT_EQ(log.TopEntryID(), umBlockBegin);
}

TEST(UndoStack, EachReplacementUndoesInOneCallRestoringTextAndSelection)
{
    TTestMemo memo;
    memo.ReplaceSelection("hello world");
    memo.SetSelection(11, 6); // a reversed selection stays reversed
    memo.ReplaceSelection("there\r\nfriend");
    memo.SetSelection(0, 5);
    memo.ReplaceSelection("");

    memo.Undo();
    EXPECT_EQ(memo.GetText(), "hello there\r\nfriend");
    EXPECT_EQ(Selection(memo), std::pair(0, 5));
    memo.Undo();
    EXPECT_EQ(memo.GetText(), "hello world");
    EXPECT_EQ(Selection(memo), std::pair(11, 6));
    memo.Redo();
    EXPECT_EQ(memo.GetText(), "hello there\r\nfriend");
    EXPECT_EQ(Selection(memo), std::pair(18, 18));

    // A new edit after an undo discards what could be redone.
    memo.Undo();
    EXPECT_TRUE(memo.CanRedo());
    memo.ReplaceSelection("!");
    EXPECT_FALSE(memo.CanRedo());
    memo.Redo();
    EXPECT_EQ(memo.GetText(), "hello !");
}

TEST(UndoStack, BlocksDoNotNestAndUndoAsOneStep)
{
    TTestMemo memo;
    memo.ReplaceSelection("one two three");
    TUndoStack& log = *memo.GetUndoStack();

    // A cut: block 17 around two replacements, each of which tries to open block 24.
    memo.BeginUndoBlock(ubCut);
    memo.SetSelection(3, 7);
    memo.ReplaceSelection("");
    memo.SetSelection(0, 0);
    memo.ReplaceSelection(">");
    memo.BeginUndoBlock(ubPaste); // ignored: block 17 is open
    EXPECT_EQ(log.OpenBlockID, ubCut);
    memo.EndUndoBlock(ubPaste); // ignored
    EXPECT_TRUE(log.BlockOpen);
    memo.EndUndoBlock(ubCut);
    EXPECT_FALSE(log.BlockOpen);
    EXPECT_EQ(memo.GetText(), ">one three");

    memo.Undo();
    EXPECT_EQ(memo.GetText(), "one two three");
    EXPECT_EQ(Selection(memo), std::pair(13, 13)); // as when the block began
    memo.Redo();
    EXPECT_EQ(memo.GetText(), ">one three");
    EXPECT_EQ(Selection(memo), std::pair(1, 1));
    memo.Undo();
    memo.Undo();
    EXPECT_EQ(memo.GetText(), "");
    EXPECT_FALSE(memo.CanUndo());
}

TEST(UndoStack, ModifiedFollowsTheSavePointAndEveryEmptying)
{
    TTestMemo memo;
    EXPECT_FALSE(memo.Modified());
    memo.SetText("loaded\r\ntext");
    EXPECT_FALSE(memo.Modified()); // loading empties the log
    EXPECT_FALSE(memo.CanUndo());

    memo.ReplaceSelection("x");
    EXPECT_TRUE(memo.Modified());
    memo.SetModified(true);
    EXPECT_TRUE(memo.Modified());
    memo.SetModified(false);
    EXPECT_FALSE(memo.Modified());
    EXPECT_FALSE(memo.CanUndo());
    // Marked modified with nothing to undo, it stays so until the next save.
    memo.SetModified(true);
    EXPECT_TRUE(memo.Modified());
    memo.SetModified(false);
    EXPECT_FALSE(memo.Modified());

    memo.ReplaceSelection("y");
    TMemoryStream saved;
    memo.SaveToStream(saved);
    EXPECT_FALSE(memo.Modified());
    EXPECT_EQ(memo.GetUndoStack()->SaveCount(), -1);

    // A save point: unmodified there, modified away from it, unmodified back at it.
    memo.ReplaceSelection("1");
    memo.GetUndoStack()->SetSavePoint();
    EXPECT_FALSE(memo.Modified());
    memo.ReplaceSelection("2");
    EXPECT_TRUE(memo.Modified());
    memo.Undo();
    EXPECT_FALSE(memo.Modified());
    memo.Undo();
    EXPECT_TRUE(memo.Modified());
}

TEST(UndoStack, ByteLimitDropsWholeStepsFromTheBottom)
{
    // One typed block: a begin triple (96 bytes), an edit step (202) and an end triple (96).
    TUndoStack log;
    log.ByteLimit = 400;
    for (int i = 0; i < 5; ++i) {
        log.PushBlockMarker(umBlockBegin, ubTyping, i, i);
        log.PushEdit(i, i, "", "abcdefghij", i + 10, i + 10);
        log.PushBlockMarker(umBlockEnd, ubTyping, i + 10, i + 10);
        log.Trim();
        EXPECT_EQ(log.ByteTotal(), 394u);
        EXPECT_EQ(log.Count(), 12);
    }
    // What is left is the last block, from its opening marker on.
    EXPECT_EQ(TUndoStack::RecordOf(log.Bottom()).Kind, urMarker);
    EXPECT_EQ(TUndoStack::RecordOf(log.Bottom()->Newer).Data, 4);

    TUndoStack unlimited;
    for (int i = 0; i < 50; ++i)
        unlimited.PushEdit(0, 0, "", "abcdefghij", 10, 10);
    unlimited.Trim();
    EXPECT_EQ(unlimited.Count(), 300);
}

TEST(UndoStack, EnumerateRequestCodes)
{
    TUndoStack log;
    TUndoWalkResult result;
    EXPECT_EQ(log.Enumerate(uwStart, result), uwStarted);
    EXPECT_EQ(log.Enumerate(2, result), uwBadRequest);
    EXPECT_EQ(log.Enumerate(uwPrevious, result), uwNoEntry);
    EXPECT_EQ(log.Enumerate(uwNext, result), uwNoEntry);
    EXPECT_EQ(log.Enumerate(uwPeekPrevious, result), 0);
    EXPECT_EQ(log.Enumerate(uwPeekNext, result), 0);
}

TEST(UndoStack, EnumerateWalksBlocksBackAndForth)
{
    TTestMemo memo;
    for (const int id : {ubPaste, ubCut, ubTemplate}) {
        memo.BeginUndoBlock(id);
        memo.ReplaceSelection("t");
        memo.EndUndoBlock(id);
    }
    TUndoStack& log = *memo.GetUndoStack();
    TUndoWalkResult result;

    // The undo list, newest first.
    log.Enumerate(uwStart, result);
    EXPECT_EQ(log.Enumerate(uwPeekPrevious, result), 1);
    EXPECT_EQ(result.BlockID, ubTemplate);
    std::vector<int> undoList;
    for (int id; (id = log.Enumerate(uwPrevious, result)) != uwNoEntry;)
        undoList.push_back(id);
    EXPECT_EQ(undoList, (std::vector<int>{ubTemplate, ubCut, ubPaste}));

    // Undo down to and including the cut; the paste stays.
    log.Enumerate(uwStart, result);
    log.Enumerate(uwPrevious, result);
    ASSERT_EQ(log.Enumerate(uwPrevious, result), ubCut);
    memo.UndoRedoTo(result.Node);
    EXPECT_EQ(memo.GetText(), "t");

    // The redo list, oldest first; redo up to the template.
    log.Enumerate(uwStart, result);
    EXPECT_EQ(log.Enumerate(uwPeekNext, result), 1);
    EXPECT_EQ(result.BlockID, ubCut);
    EXPECT_EQ(log.Enumerate(uwNext, result), ubCut);
    ASSERT_EQ(log.Enumerate(uwNext, result), ubTemplate);
    EXPECT_EQ(log.Enumerate(uwNext, result), uwNoEntry);
    memo.UndoRedoTo(result.Node);
    EXPECT_EQ(memo.GetText(), "ttt");
    EXPECT_FALSE(memo.CanRedo());

    // A node that is not in the log changes nothing.
    TUndoNode stranger;
    memo.UndoRedoTo(&stranger);
    memo.UndoRedoTo(nullptr);
    EXPECT_EQ(memo.GetText(), "ttt");
}

TEST(UndoStack, MergedWalkUndoesAWordTypedCharacterByCharacter)
{
    TTestMemo memo;
    TypeChars(memo, "one ");
    memo.SetSelection(0, 0);
    TypeChars(memo, "XY"); // typed elsewhere: the selections do not join up
    TUndoStack& log = *memo.GetUndoStack();
    TUndoWalkResult result;

    log.Enumerate(uwStart, result);
    ASSERT_EQ(log.Enumerate(uwPrevious | uwMerge, result), ubTyping);
    memo.UndoRedoTo(result.Node);
    EXPECT_EQ(memo.GetText(), "one ");

    log.Enumerate(uwStart, result);
    ASSERT_EQ(log.Enumerate(uwPrevious | uwMerge, result), ubTyping);
    memo.UndoRedoTo(result.Node);
    EXPECT_EQ(memo.GetText(), "");

    log.Enumerate(uwStart, result);
    ASSERT_EQ(log.Enumerate(uwNext | uwMerge, result), ubTyping);
    memo.UndoRedoTo(result.Node);
    EXPECT_EQ(memo.GetText(), "one ");

    // Without the merge bit one character at a time.
    log.Enumerate(uwStart, result);
    ASSERT_EQ(log.Enumerate(uwNext, result), ubTyping);
    memo.UndoRedoTo(result.Node);
    EXPECT_EQ(memo.GetText(), "Xone ");
}

TEST(UndoStack, OutOfOrderRecorderCallsEmptyTheLogBeepAndRaise)
{
    struct Case {
        int kind;
        int a;
    };
    const Case cases[] = {{1, 2}, {1, 3}, {0, 0}, {4, 0}, {5, 0}};
    for (const Case& c : cases) {
        TTestMemo memo;
        memo.ReplaceSelection("abc");
        ASSERT_TRUE(memo.CanUndo());
        try {
            memo.RecordUndo(c.kind, c.a);
            ADD_FAILURE() << "no exception for kind " << c.kind;
        } catch (const ESyntaxMemo& e) {
            EXPECT_EQ(e.Message, "Bad transaction log entry");
        }
        EXPECT_FALSE(memo.CanUndo()) << "kind " << c.kind;
        EXPECT_EQ(memo.Beeps, 1);
    }

    TTestMemo memo;
    memo.RecordUndo(1, 1, 0, "x");
    EXPECT_THROW(memo.RecordUndo(1, 1, 0, "y"), ESyntaxMemo); // phase 1 twice
    memo.RecordUndo(11);                                      // from kind 11 up: nothing
    memo.RecordUndo(7);
    memo.RecordUndo(0); // recording off: nothing
    EXPECT_EQ(memo.Beeps, 1);
}

TEST(UndoStack, RecordsOfInsertedAndRemovedBlanksUndoAndRedo)
{
    // Block indent changes the text itself and tells the recorder afterwards.
    TTestMemo memo;
    memo.ReplaceSelection("line");
    memo.SetModified(false);
    const auto unrecorded = [&](int Start, int End, std::string_view Text) {
        memo.RecordUndo(7);
        memo.Replace(Start, End, Text);
        memo.RecordUndo(6);
    };

    memo.BeginUndoBlock(ubIndent);
    unrecorded(0, 0, "\t ");
    memo.RecordUndo(10, 0, 2, "\t !");
    memo.EndUndoBlock(ubIndent);
    memo.BeginUndoBlock(ubUnindent);
    unrecorded(0, 1, "");
    memo.RecordUndo(9, 0, 1);
    memo.EndUndoBlock(ubUnindent);
    EXPECT_EQ(memo.GetText(), " line");

    memo.Undo();
    EXPECT_EQ(memo.GetText(), "  line"); // a blank comes back for the removed character
    memo.Undo();
    EXPECT_EQ(memo.GetText(), "line");
    memo.Redo();
    EXPECT_EQ(memo.GetText(), "\t line");
}

TEST(UndoStack, ACorruptStepRaisesAndLeavesTheLastCompletedStep)
{
    TTestMemo memo;
    memo.ReplaceSelection("ab");
    memo.SetSelection(2, 2);
    memo.ReplaceSelection("cd");
    TUndoStack& log = *memo.GetUndoStack();
    // Hand-build a broken step on top: an edit marker closed by a block marker.
    log.PushEdit(4, 4, "", "zz", 6, 6);
    TUndoRecord* closing = &log.Top()->Data;
    closing->Data = ubPaste;
    TUndoNode* cursor = log.Current();
    const int count = log.Count();
    try {
        memo.Undo();
        ADD_FAILURE() << "no exception";
    } catch (const ESyntaxMemo& e) {
        EXPECT_EQ(e.Message, "Bad do/undo stack state");
    }
    EXPECT_EQ(log.Current(), cursor);
    EXPECT_EQ(log.Count(), count);
    EXPECT_EQ(memo.GetText(), "abcd");

    // A record of the wrong kind inside a step.
    closing->Data = usEdit;
    log.Top()->Older->Data.Kind = urText;
    EXPECT_THROW(memo.Undo(), ESyntaxMemo);
    EXPECT_EQ(log.Current(), cursor);
}
