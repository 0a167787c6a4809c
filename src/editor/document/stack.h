// TStack: a stack of data blocks with a cursor, so that blocks stepped back over stay above the
// cursor until the next push discards them (the base of the undo log and the parser's state stack).
#pragma once

#include "platform/rtl/exception.h"

#include <cstdint>
#include <functional>

// Reading past either end of a stack: "Stack underflow".
class EStackError : public Exception {
public:
    using Exception::Exception;
};

struct TStackNode {
    void* Data = nullptr;
    std::uint32_t Size = 0; // the size given for the data block
    TStackNode* Older = nullptr;
    TStackNode* Newer = nullptr;
};

// Invariants: Bottom..Top is a doubly linked run; Current is null or one of its nodes; Count is
// the number of nodes from the bottom up to Current; ByteTotal is the sum of 16 + Size over all
// nodes. The stack hands every data block it discards to Disposer.
class TStack {
public:
    using TDisposer = std::function<void(void* Data)>;

    TStack() = default;
    TStack(const TStack&) = delete;
    TStack& operator=(const TStack&) = delete;
    // Pops every node, handing each data block to the disposer.
    virtual ~TStack();

    // Discards the nodes above the cursor (newest first), then puts the block on top and moves the
    // cursor onto it.
    virtual TStackNode* Push(void* Data, std::uint32_t Size);
    // Removes the top node and returns its data (meant for a cursor at the top).
    virtual void* Pop();
    // Returns the cursor's data and moves the cursor one node older.
    void* StepBack();
    // Moves the cursor one node newer (onto the bottom from null) and returns its data.
    void* StepForward();
    // Nothing above the cursor.
    bool AtTop() const { return current_ == top_; }
    // Re-finds the top by walking from the bottom and puts the cursor there.
    void ResetToTop();

    TStackNode* Bottom() const { return bottom_; }
    TStackNode* Current() const { return current_; }
    TStackNode* Top() const { return top_; }
    std::uint32_t ByteTotal() const { return byteTotal_; }
    int Count() const { return count_; }

    TDisposer Disposer;

protected:
    // Every node counts this much beside its data.
    static constexpr std::uint32_t NodeOverhead = 16;

    // Puts the cursor back on a node read earlier, with the count it had there.
    void RestoreCursor(TStackNode* Node, int Count);
    // Unlinks the bottom node (moving the cursor and the top off it) and returns its data.
    void* RemoveBottom();
    void Dispose(void* Data);

private:
    void Unlink(TStackNode* Node);

    TStackNode* bottom_ = nullptr;
    TStackNode* current_ = nullptr;
    TStackNode* top_ = nullptr;
    std::uint32_t byteTotal_ = 0;
    int count_ = 0;
};
