// The adaptive Huffman tree of the LZH coder: 314 symbols (256 bytes and match lengths 3..60) in a
// tree of 627 nodes whose frequencies grow with every coded symbol, halved when the root reaches 0x8000.
#pragma once

#include <array>
#include <cstdint>

class LzhufTree {
public:
    static constexpr int Symbols = 314;
    static constexpr int Nodes = 2 * Symbols - 1;

    LzhufTree();

    // Appends the code of Symbol to Bits (most significant first) and returns its length in bits;
    // Bits holds at most 64 bits, and no code of this tree is longer than 32.
    int CodeOf(int Symbol, std::uint64_t& Bits) const;
    // The symbol reached from the root by taking, at each node, the branch NextBit() returns (0 or 1).
    template <class NextBit> int Walk(NextBit nextBit) const
    {
        int node = son_[Root];
        while (node < Nodes)
            node = son_[node + nextBit()];
        return node - Nodes;
    }
    // Counts one more occurrence of Symbol and restores the order of the tree.
    void Update(int Symbol);

private:
    static constexpr int Root = Nodes - 1;
    static constexpr std::uint32_t RebuildAt = 0x8000;

    void Rebuild();

    // Node frequencies in ascending order, with a sentinel after the root.
    std::array<std::uint32_t, Nodes + 1> freq_;
    // A node's children are son_[n] and son_[n] + 1; a value of Nodes + s is the leaf of symbol s.
    std::array<int, Nodes> son_;
    // The parent of each node, and at Nodes + s the node of symbol s.
    std::array<int, Nodes + Symbols> parent_;
};
