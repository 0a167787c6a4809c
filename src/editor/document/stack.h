// TStack<T>: a stack of values with a cursor, so that values stepped back over stay above the
// cursor until the next push discards them (the base of the undo log and the parser's state stack).
#pragma once

#include "platform/rtl/exception.h"

#include <cstdint>
#include <memory_resource>
#include <new>
#include <utility>

// Reading past either end of a stack: "Stack underflow".
class EStackError : public Exception {
public:
    using Exception::Exception;
};

[[noreturn]] void ThrowStackUnderflow();

template <typename T>
struct TStackNode {
    T Data{};
    std::uint32_t Size = 0; // the size given for the value, counted in the byte total
    TStackNode* Older = nullptr;
    TStackNode* Newer = nullptr;
};

// Invariants: Bottom..Top is a doubly linked run; Current is null or one of its nodes; Count is
// the number of nodes from the bottom up to Current; ByteTotal is the sum of 16 + Size over all
// nodes. Each node owns its value: a value the stack discards is destroyed with its node.
template <typename T>
class TStack {
public:
    using TNode = TStackNode<T>;

    TStack() = default;
    TStack(const TStack&) = delete;
    TStack& operator=(const TStack&) = delete;
    virtual ~TStack() { Clear(); }

    // Discards the nodes above the cursor (newest first), then puts the value on top and moves
    // the cursor onto it.
    TNode* Push(T Value, std::uint32_t Size)
    {
        while (top_ != current_) {
            TNode* node = top_;
            top_ = node->Older;
            Unlink(node);
            DeleteNode(node);
        }
        auto* node =
            new (pool_.allocate(sizeof(TNode), alignof(TNode))) TNode{std::move(Value), Size, top_, nullptr};
        if (top_)
            top_->Newer = node;
        else
            bottom_ = node;
        top_ = current_ = node;
        byteTotal_ += NodeOverhead + Size;
        ++count_;
        return node;
    }

    // Removes the top node and returns its value (meant for a cursor at the top).
    T Pop()
    {
        if (!top_)
            ThrowStackUnderflow();
        TNode* node = top_;
        if (current_ == node)
            current_ = node->Older;
        top_ = node->Older;
        if (count_ > 0)
            --count_;
        return Take(node);
    }

    // Returns the cursor's value and moves the cursor one node older.
    T& StepBack()
    {
        if (!current_)
            ThrowStackUnderflow();
        T& value = current_->Data;
        current_ = current_->Older;
        if (count_ > 0)
            --count_;
        return value;
    }

    // Moves the cursor one node newer (onto the bottom from null) and returns its value.
    T& StepForward()
    {
        if (!bottom_ || current_ == top_)
            ThrowStackUnderflow();
        current_ = current_ ? current_->Newer : bottom_;
        ++count_;
        return current_->Data;
    }

    // Nothing above the cursor.
    bool AtTop() const { return current_ == top_; }

    // Re-finds the top by walking from the bottom and puts the cursor there.
    void ResetToTop()
    {
        int nodes = 0;
        TNode* newest = nullptr;
        for (TNode* node = bottom_; node; node = node->Newer) {
            newest = node;
            ++nodes;
        }
        top_ = current_ = newest;
        count_ = nodes > 0 ? nodes - 1 : 0;
    }

    // Destroys every value: the stack is empty.
    void Clear()
    {
        ResetToTop();
        while (top_)
            Pop();
    }

    TNode* Bottom() const { return bottom_; }
    TNode* Current() const { return current_; }
    TNode* Top() const { return top_; }
    std::uint32_t ByteTotal() const { return byteTotal_; }
    int Count() const { return count_; }

protected:
    // Every node counts this much beside its value.
    static constexpr std::uint32_t NodeOverhead = 16;

    // Puts the cursor back on a node read earlier, with the count it had there.
    void RestoreCursor(TNode* Node, int Count)
    {
        current_ = Node;
        count_ = Count;
    }

    // Unlinks the bottom node (moving the cursor and the top off it) and returns its value.
    T RemoveBottom()
    {
        TNode* node = bottom_;
        if (!node)
            ThrowStackUnderflow();
        if (current_ == node) {
            current_ = nullptr;
            if (count_ > 0)
                --count_;
        } else if (current_) {
            --count_;
        }
        if (top_ == node)
            top_ = nullptr;
        return Take(node);
    }

private:
    T Take(TNode* Node)
    {
        Unlink(Node);
        T value = std::move(Node->Data);
        DeleteNode(Node);
        return value;
    }

    void DeleteNode(TNode* Node)
    {
        Node->~TNode();
        pool_.deallocate(Node, sizeof(TNode), alignof(TNode));
    }

    void Unlink(TNode* Node)
    {
        if (Node->Older)
            Node->Older->Newer = Node->Newer;
        if (Node->Newer)
            Node->Newer->Older = Node->Older;
        if (bottom_ == Node)
            bottom_ = Node->Newer;
        byteTotal_ -= NodeOverhead + Node->Size;
    }

    // The nodes come from a pool of the stack's own: one Replace All may push a million of them.
    std::pmr::unsynchronized_pool_resource pool_;
    TNode* bottom_ = nullptr;
    TNode* current_ = nullptr;
    TNode* top_ = nullptr;
    std::uint32_t byteTotal_ = 0;
    int count_ = 0;
};
