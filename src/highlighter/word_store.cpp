// The script compiler's word trie.
#include "highlighter/word_store.h"

TWordStore::TWordStore()
{
    roots_.fill(-1);
}

void TWordStore::Clear()
{
    nodes_.clear();
    head_ = -1;
    roots_.fill(-1);
}

std::int32_t TWordStore::InChain(std::int32_t First, std::uint8_t C) const
{
    for (std::int32_t n = First; n >= 0; n = nodes_[std::size_t(n)].Sibling) {
        if (nodes_[std::size_t(n)].Char == C)
            return n;
    }
    return -1;
}

std::int32_t TWordStore::Store(const QByteArray& Name)
{
    std::int32_t parent = -1;
    std::int32_t node = -1;
    for (const char ch : Name) {
        const std::uint8_t c = LowerChar(std::uint8_t(ch));
        const std::int32_t first = parent < 0 ? head_ : nodes_[std::size_t(parent)].Child;
        node = InChain(first, c);
        if (node < 0) {
            node = std::int32_t(nodes_.size());
            nodes_.push_back(TNode{});
            nodes_.back().Char = c;
            if (first < 0) {
                (parent < 0 ? head_ : nodes_[std::size_t(parent)].Child) = node;
            } else {
                std::int32_t last = first;
                while (nodes_[std::size_t(last)].Sibling >= 0)
                    last = nodes_[std::size_t(last)].Sibling;
                nodes_[std::size_t(last)].Sibling = node;
            }
            if (parent < 0)
                roots_[c] = node;
        }
        parent = node;
    }
    if (node >= 0)
        nodes_[std::size_t(node)].End = true;
    return node;
}

std::int32_t TWordStore::Find(const QByteArray& Name) const
{
    if (Name.isEmpty())
        return -1;
    std::int32_t node = roots_[LowerChar(std::uint8_t(Name[0]))];
    for (qsizetype i = 1; node >= 0 && i < Name.size(); ++i)
        node = InChain(nodes_[std::size_t(node)].Child, LowerChar(std::uint8_t(Name[i])));
    return node >= 0 && nodes_[std::size_t(node)].End ? node : -1;
}

void TWordStore::AddString(const QByteArray& Name, const QByteArray& Text)
{
    const std::int32_t node = Store(Name);
    if (node >= 0)
        nodes_[std::size_t(node)].Text = Text;
}

void TWordStore::AddToken(const QByteArray& Name, std::int32_t Value)
{
    const std::int32_t node = Store(Name);
    if (node >= 0)
        nodes_[std::size_t(node)].Value = Value;
}

std::optional<QByteArray> TWordStore::GetString(const QByteArray& Name) const
{
    const std::int32_t node = Find(Name);
    return node >= 0 ? nodes_[std::size_t(node)].Text : std::nullopt;
}

bool TWordStore::Contains(const QByteArray& Name) const
{
    return Find(Name) >= 0;
}

std::int32_t TWordStore::MatchToken(const char*& Position) const
{
    const char* p = Position;
    std::int32_t node = roots_[LowerChar(std::uint8_t(*p))];
    std::int32_t best = -1;
    const char* bestEnd = nullptr;
    while (node >= 0) {
        ++p;
        const TNode& n = nodes_[std::size_t(node)];
        if (n.End && (!IsWordChar(n.Char) || !IsWordChar(std::uint8_t(*p)))) {
            best = node;
            bestEnd = p;
        }
        if (*p == 0)
            break;
        node = InChain(n.Child, LowerChar(std::uint8_t(*p)));
    }
    if (best < 0)
        return -1;
    Position = bestEnd;
    return nodes_[std::size_t(best)].Value;
}
