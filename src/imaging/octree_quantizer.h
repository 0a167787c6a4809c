// The octree colour quantizer: builds a palette of at most a given number of colours from a picture.
#pragma once

#include "imaging/dib.h"
#include "platform/graphics/palette.h"
#include "platform/rtl/object.h"

#include <array>
#include <cstdint>
#include <vector>

// A node of the colour tree. Nodes live in the quantizer's node store and refer to each other by
// their number there (-1 for none).
struct TOctreeNode {
    int64_t Population = 0;
    int64_t RedTotal = 0;
    int64_t GreenTotal = 0;
    int64_t BlueTotal = 0;
    std::array<int32_t, 8> Children{-1, -1, -1, -1, -1, -1, -1, -1};
    // The next node of the same level that can still be merged.
    int32_t NextReducible = -1;
    bool Terminal = false;
};

// Sorts colours into a tree by their bits, most significant first (child index: red bit, green bit,
// blue bit), with leaves at level DepthLimit, then merges nodes until at most ColorLimit leaves
// remain: always the most recently made node of the deepest level that still has mergeable nodes.
class TColorQuantizer : public TObject {
public:
    // Fails for a ColorLimit below 1 and a DepthLimit outside 1..8.
    TColorQuantizer(int AColorLimit, int ADepthLimit);

    // Inserts every pixel of a 24-bit reader, row by row, then merges down to the colour limit.
    void ProcessImage(TDIBReader& Reader);
    // Inserts Count pixels of one colour.
    void InsertColor(uint8_t Red, uint8_t Green, uint8_t Blue, int64_t Count = 1);
    // Merges one node into a leaf; false when there is nothing left to merge.
    bool MergeDeepestNode();

    int LeafTotal() const { return leafTotal_; }
    // The leaves' mean colours, depth first with children in index order.
    std::vector<win::PALETTEENTRY> ColorTable() const;

private:
    static constexpr int BlockBits = 16;

    TOctreeNode& Node(int32_t id)
    {
        return blocks_[size_t(id >> BlockBits)][size_t(id & ((1 << BlockBits) - 1))];
    }
    const TOctreeNode& Node(int32_t id) const
    {
        return blocks_[size_t(id >> BlockBits)][size_t(id & ((1 << BlockBits) - 1))];
    }
    int32_t NewNode(int level);
    void CountColors(TDIBReader& reader);
    void CollectColors(int32_t node, std::vector<win::PALETTEENTRY>& colors) const;

    // Nodes in blocks of fixed capacity, so that a node stays where it is while the tree grows.
    std::vector<std::vector<TOctreeNode>> blocks_;
    int32_t nodeCount_ = 0;
    int32_t tree_ = -1;
    int leafTotal_ = 0;
    std::array<int32_t, 9> reducibleByLevel_{-1, -1, -1, -1, -1, -1, -1, -1, -1};
    int colorLimit_;
    int depthLimit_;
    // The level at which new nodes are leaves: DepthLimit, or less when every node below would be
    // merged anyway (see CountColors).
    int leafLevel_;
};

// A palette made by the octree quantizer from a 24-bit reader. Without system colours it has
// ColorCount entries (1..256), the quantized colours first and black after them. With system
// colours it has 256: the first ten static colours, up to 236 quantized colours from entry 10,
// black after them, and the last ten static colours in entries 246..255.
win::Palette QuantizedPaletteFromReader(TDIBReader& Reader, int ColorCount, int DepthLimit,
                                        bool WithSystemColors);
// The same for a bitmap, which is first converted to 24 bits per pixel.
win::Palette QuantizedPaletteFromBitmap(TBitmap* Bitmap, int ColorCount, int DepthLimit,
                                        bool WithSystemColors);
