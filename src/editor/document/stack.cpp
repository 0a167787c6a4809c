// The stack of data blocks with a cursor.
#include "editor/document/stack.h"

namespace {

[[noreturn]] void Underflow()
{
    throw EStackError(QStringLiteral("Stack underflow"));
}

} // namespace

TStack::~TStack()
{
    ResetToTop();
    while (top_)
        Dispose(Pop());
}

TStackNode* TStack::Push(void* Data, std::uint32_t Size)
{
    while (top_ != current_) {
        TStackNode* node = top_;
        top_ = node->Older;
        Unlink(node);
        Dispose(node->Data);
        delete node;
    }
    auto* node = new TStackNode{Data, Size, top_, nullptr};
    if (top_)
        top_->Newer = node;
    else
        bottom_ = node;
    top_ = current_ = node;
    byteTotal_ += NodeOverhead + Size;
    ++count_;
    return node;
}

void* TStack::Pop()
{
    if (!top_)
        Underflow();
    TStackNode* node = top_;
    if (current_ == node)
        current_ = node->Older;
    top_ = node->Older;
    Unlink(node);
    void* data = node->Data;
    delete node;
    if (count_ > 0)
        --count_;
    return data;
}

void* TStack::StepBack()
{
    if (!current_)
        Underflow();
    void* data = current_->Data;
    current_ = current_->Older;
    if (count_ > 0)
        --count_;
    return data;
}

void* TStack::StepForward()
{
    if (!bottom_ || current_ == top_)
        Underflow();
    current_ = current_ ? current_->Newer : bottom_;
    ++count_;
    return current_->Data;
}

void TStack::ResetToTop()
{
    int nodes = 0;
    TStackNode* newest = nullptr;
    for (TStackNode* node = bottom_; node; node = node->Newer) {
        newest = node;
        ++nodes;
    }
    top_ = current_ = newest;
    count_ = nodes > 0 ? nodes - 1 : 0;
}

void TStack::RestoreCursor(TStackNode* Node, int Count)
{
    current_ = Node;
    count_ = Count;
}

void* TStack::RemoveBottom()
{
    TStackNode* node = bottom_;
    if (!node)
        Underflow();
    if (current_ == node) {
        current_ = nullptr;
        if (count_ > 0)
            --count_;
    } else if (current_) {
        --count_;
    }
    if (top_ == node)
        top_ = nullptr;
    Unlink(node);
    void* data = node->Data;
    delete node;
    return data;
}

void TStack::Dispose(void* Data)
{
    if (Disposer)
        Disposer(Data);
}

void TStack::Unlink(TStackNode* Node)
{
    if (Node->Older)
        Node->Older->Newer = Node->Newer;
    if (Node->Newer)
        Node->Newer->Older = Node->Older;
    if (bottom_ == Node)
        bottom_ = Node->Newer;
    byteTotal_ -= NodeOverhead + Node->Size;
}
