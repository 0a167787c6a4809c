// The adaptive Huffman tree of the LZH coder.
#include "highlighter/lzhuf_tree.h"

#include <algorithm>

// Every symbol starts with frequency 1; the nodes pair up in order, leaves first.
LzhufTree::LzhufTree()
{
    for (int s = 0; s < Symbols; ++s) {
        freq_[s] = 1;
        son_[s] = s + Nodes;
        parent_[s + Nodes] = s;
    }
    for (int child = 0, node = Symbols; node <= Root; child += 2, ++node) {
        freq_[node] = freq_[child] + freq_[child + 1];
        son_[node] = child;
        parent_[child] = parent_[child + 1] = node;
    }
    freq_[Nodes] = 0xFFFF;
    parent_[Root] = 0;
}

int LzhufTree::CodeOf(int Symbol, std::uint64_t& Bits) const
{
    // Odd nodes are the second child of their parent: bit 1. The leaf's bit is the last one sent.
    std::uint64_t reversed = 0;
    int length = 0;
    for (int node = parent_[Symbol + Nodes]; node != Root; node = parent_[node]) {
        reversed |= std::uint64_t(node & 1) << length;
        ++length;
    }
    Bits = (Bits << length) | reversed;
    return length;
}

void LzhufTree::Update(int Symbol)
{
    if (freq_[Root] == RebuildAt)
        Rebuild();
    int node = parent_[Symbol + Nodes];
    do {
        const std::uint32_t f = ++freq_[node];
        // The frequencies must stay in ascending order: swap the node with the last one of a lower
        // frequency than its new one.
        if (f > freq_[node + 1]) {
            int last = node + 1;
            while (f > freq_[last + 1])
                ++last;
            freq_[node] = freq_[last];
            freq_[last] = f;

            const int moving = son_[node];
            parent_[moving] = last;
            if (moving < Nodes)
                parent_[moving + 1] = last;
            const int other = son_[last];
            son_[last] = moving;
            parent_[other] = node;
            if (other < Nodes)
                parent_[other + 1] = node;
            son_[node] = other;
            node = last;
        }
        node = parent_[node];
    } while (node != 0);
}

// Halves the leaves' frequencies and builds the tree again from them.
void LzhufTree::Rebuild()
{
    int leaves = 0;
    for (int n = 0; n < Nodes; ++n) {
        if (son_[n] >= Nodes) {
            freq_[leaves] = (freq_[n] + 1) / 2;
            son_[leaves] = son_[n];
            ++leaves;
        }
    }
    // Join the two lowest nodes into a new one and insert it after the nodes of its frequency or lower.
    for (int child = 0, node = Symbols; node < Nodes; child += 2, ++node) {
        const std::uint32_t f = freq_[child] + freq_[child + 1];
        int at = node - 1;
        while (f < freq_[at])
            --at;
        ++at;
        std::move_backward(freq_.begin() + at, freq_.begin() + node, freq_.begin() + node + 1);
        std::move_backward(son_.begin() + at, son_.begin() + node, son_.begin() + node + 1);
        freq_[at] = f;
        son_[at] = child;
    }
    for (int n = 0; n < Nodes; ++n) {
        const int child = son_[n];
        parent_[child] = n;
        if (child < Nodes)
            parent_[child + 1] = n;
    }
}
