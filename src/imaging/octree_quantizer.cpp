// The octree colour quantizer and the palettes it makes.
#include "imaging/octree_quantizer.h"

#include "imaging/gif_exception.h"
#include "platform/graphics/graphics_errors.h"

#include <cstdlib>
#include <memory>

TColorQuantizer::TColorQuantizer(int AColorLimit, int ADepthLimit)
    : colorLimit_(AColorLimit), depthLimit_(ADepthLimit), leafLevel_(ADepthLimit)
{
    if (AColorLimit < 1)
        throw GIFException(QStringLiteral("Invalid color count"));
    if (ADepthLimit < 1 || ADepthLimit > 8)
        throw GIFException(QStringLiteral("Invalid quantizer depth"));
}

int32_t TColorQuantizer::NewNode(int level)
{
    const int32_t id = nodeCount_++;
    if ((id >> BlockBits) == int32_t(blocks_.size()))
        blocks_.emplace_back().reserve(size_t(1) << BlockBits);
    auto& node = blocks_.back().emplace_back();
    if (level == leafLevel_) {
        node.Terminal = true;
        ++leafTotal_;
    } else {
        node.NextReducible = reducibleByLevel_[size_t(level)];
        reducibleByLevel_[size_t(level)] = id;
    }
    return id;
}

void TColorQuantizer::InsertColor(uint8_t Red, uint8_t Green, uint8_t Blue, int64_t Count)
{
    if (tree_ < 0)
        tree_ = NewNode(0);
    TOctreeNode* node = &Node(tree_);
    for (int level = 0; !node->Terminal; ++level) {
        const int shift = 7 - level;
        auto& child = node->Children[size_t(((Red >> shift) & 1) << 2 | ((Green >> shift) & 1) << 1 |
                                            ((Blue >> shift) & 1))];
        if (child < 0)
            child = NewNode(level + 1);
        node = &Node(child);
    }
    node->Population += Count;
    node->RedTotal += Red * Count;
    node->GreenTotal += Green * Count;
    node->BlueTotal += Blue * Count;
}

bool TColorQuantizer::MergeDeepestNode()
{
    int level = depthLimit_ - 1;
    while (level > 0 && reducibleByLevel_[size_t(level)] < 0)
        --level;
    const int32_t id = reducibleByLevel_[size_t(level)];
    if (id < 0)
        return false;
    auto& node = Node(id);
    reducibleByLevel_[size_t(level)] = node.NextReducible;
    int children = 0;
    for (auto& child : node.Children) {
        if (child < 0)
            continue;
        const auto& merged = Node(child);
        node.Population += merged.Population;
        node.RedTotal += merged.RedTotal;
        node.GreenTotal += merged.GreenTotal;
        node.BlueTotal += merged.BlueTotal;
        child = -1;
        ++children;
    }
    node.Terminal = true;
    leafTotal_ -= children - 1;
    return true;
}

namespace {

// The number of distinct colours when each channel keeps only its top `level` bits: the number of
// nodes the tree has at that level.
int64_t NodesAtLevel(const std::vector<uint32_t>& colors, int level)
{
    const int drop = 8 - level;
    std::vector<bool> seen(size_t(1) << (3 * level));
    int64_t count = 0;
    for (uint32_t color : colors) {
        const uint32_t key = ((color >> 16 & 0xFF) >> drop) << (2 * level) |
                             ((color >> 8 & 0xFF) >> drop) << level | ((color & 0xFF) >> drop);
        if (!seen[key]) {
            seen[key] = true;
            ++count;
        }
    }
    return count;
}

} // namespace

void TColorQuantizer::ProcessImage(TDIBReader& Reader)
{
    const TBitmap* bitmap = Reader.Bitmap();
    constexpr int64_t CountingFrom = 1 << 18;
    if (int64_t(bitmap->Width()) * bitmap->Height() >= CountingFrom) {
        CountColors(Reader);
    } else {
        for (int y = 0; y < bitmap->Height(); ++y) {
            const uint8_t* pixel = Reader.ScanLine(y);
            for (int x = 0; x < bitmap->Width(); ++x, pixel += 3)
                InsertColor(pixel[2], pixel[1], pixel[0]);
        }
    }
    while (leafTotal_ > colorLimit_ && MergeDeepestNode()) {
    }
}

// Builds the same tree as inserting every pixel and merging, with less work for a large picture:
// - the colours are counted first, in a table with a slot for every colour (its memory is touched
//   only where colours occur), and inserted once each in the order of their first pixel, which
//   makes the nodes in the same order as inserting every pixel;
// - merging always empties the deepest level before it touches the one above and stops once the
//   leaves are few enough, so when a level has no more nodes than the colour limit, every node
//   below the level under it would be merged away: the tree is built only down to that level,
//   whose nodes become the leaves, with the same colour sums.
void TColorQuantizer::CountColors(TDIBReader& reader)
{
    std::unique_ptr<uint32_t[], decltype(&std::free)> counts(
        static_cast<uint32_t*>(std::calloc(size_t(1) << 24, sizeof(uint32_t))), &std::free);
    if (!counts)
        throw EOutOfMemory(QStringLiteral("Failed to allocate memory for the colour counts"));
    std::vector<uint32_t> firstSeen;
    const TBitmap* bitmap = reader.Bitmap();
    for (int y = 0; y < bitmap->Height(); ++y) {
        const uint8_t* pixel = reader.ScanLine(y);
        for (int x = 0; x < bitmap->Width(); ++x, pixel += 3) {
            const uint32_t color = uint32_t(pixel[2]) << 16 | uint32_t(pixel[1]) << 8 | pixel[0];
            if (counts[color]++ == 0)
                firstSeen.push_back(color);
        }
    }
    if (NodesAtLevel(firstSeen, depthLimit_) > colorLimit_) {
        int level = depthLimit_ - 1;
        while (level > 0 && NodesAtLevel(firstSeen, level) > colorLimit_)
            --level;
        leafLevel_ = level + 1;
    }
    for (uint32_t color : firstSeen)
        InsertColor(uint8_t(color >> 16), uint8_t(color >> 8), uint8_t(color), counts[color]);
}

void TColorQuantizer::CollectColors(int32_t node, std::vector<win::PALETTEENTRY>& colors) const
{
    const auto& n = Node(node);
    if (n.Terminal) {
        if (n.Population == 0)
            colors.push_back({});
        else
            colors.push_back({uint8_t(n.RedTotal / n.Population), uint8_t(n.GreenTotal / n.Population),
                              uint8_t(n.BlueTotal / n.Population), 0});
        return;
    }
    for (int32_t child : n.Children)
        if (child >= 0)
            CollectColors(child, colors);
}

std::vector<win::PALETTEENTRY> TColorQuantizer::ColorTable() const
{
    std::vector<win::PALETTEENTRY> colors;
    if (tree_ >= 0)
        CollectColors(tree_, colors);
    return colors;
}

win::Palette QuantizedPaletteFromReader(TDIBReader& Reader, int ColorCount, int DepthLimit,
                                        bool WithSystemColors)
{
    constexpr int SystemColorLimit = 236;
    if (!WithSystemColors && (ColorCount < 1 || ColorCount > 256))
        throw GIFException(QStringLiteral("Invalid color count"));
    TColorQuantizer quantizer(WithSystemColors ? SystemColorLimit : ColorCount, DepthLimit);
    quantizer.ProcessImage(Reader);
    const auto colors = quantizer.ColorTable();

    win::Palette palette;
    palette.Entries.resize(WithSystemColors ? 256 : size_t(ColorCount));
    const size_t first = WithSystemColors ? 10 : 0;
    std::copy(colors.begin(), colors.end(), palette.Entries.begin() + ptrdiff_t(first));
    if (WithSystemColors) {
        const auto& statics = win::DefaultPalette().Entries;
        std::copy(statics.begin(), statics.begin() + 10, palette.Entries.begin());
        std::copy(statics.end() - 10, statics.end(), palette.Entries.end() - 10);
    }
    return palette;
}

win::Palette QuantizedPaletteFromBitmap(TBitmap* Bitmap, int ColorCount, int DepthLimit,
                                        bool WithSystemColors)
{
    TDIBReader reader(Bitmap, pf24bit);
    return QuantizedPaletteFromReader(reader, ColorCount, DepthLimit, WithSystemColors);
}
