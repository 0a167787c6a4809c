// The octree colour quantizer and the palettes it makes.
#include "imaging/octree_quantizer.h"

#include "imaging/gif_exception.h"

TColorQuantizer::TColorQuantizer(int AColorLimit, int ADepthLimit)
    : colorLimit_(AColorLimit), depthLimit_(ADepthLimit)
{
    if (AColorLimit < 1)
        throw GIFException(QStringLiteral("Invalid color count"));
    if (ADepthLimit < 1 || ADepthLimit > 8)
        throw GIFException(QStringLiteral("Invalid quantizer depth"));
}

int32_t TColorQuantizer::NewNode(int level)
{
    const auto id = int32_t(nodes_.size());
    nodes_.emplace_back();
    if (level == depthLimit_) {
        nodes_.back().Terminal = true;
        ++leafTotal_;
    } else {
        nodes_.back().NextReducible = reducibleByLevel_[size_t(level)];
        reducibleByLevel_[size_t(level)] = id;
    }
    return id;
}

void TColorQuantizer::InsertColor(uint8_t Red, uint8_t Green, uint8_t Blue)
{
    if (tree_ < 0)
        tree_ = NewNode(0);
    int32_t node = tree_;
    for (int level = 0;; ++level) {
        if (nodes_[size_t(node)].Terminal) {
            auto& leaf = nodes_[size_t(node)];
            ++leaf.Population;
            leaf.RedTotal += Red;
            leaf.GreenTotal += Green;
            leaf.BlueTotal += Blue;
            return;
        }
        const int shift = 7 - level;
        const int child = ((Red >> shift) & 1) << 2 | ((Green >> shift) & 1) << 1 | ((Blue >> shift) & 1);
        if (nodes_[size_t(node)].Children[size_t(child)] < 0) {
            const int32_t made = NewNode(level + 1); // may move the node store
            nodes_[size_t(node)].Children[size_t(child)] = made;
        }
        node = nodes_[size_t(node)].Children[size_t(child)];
    }
}

bool TColorQuantizer::MergeDeepestNode()
{
    int level = depthLimit_ - 1;
    while (level > 0 && reducibleByLevel_[size_t(level)] < 0)
        --level;
    const int32_t id = reducibleByLevel_[size_t(level)];
    if (id < 0)
        return false;
    auto& node = nodes_[size_t(id)];
    reducibleByLevel_[size_t(level)] = node.NextReducible;
    int children = 0;
    for (auto& child : node.Children) {
        if (child < 0)
            continue;
        const auto& merged = nodes_[size_t(child)];
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

void TColorQuantizer::ProcessImage(TDIBReader& Reader)
{
    const TBitmap* bitmap = Reader.Bitmap();
    for (int y = 0; y < bitmap->Height(); ++y) {
        const uint8_t* pixel = Reader.ScanLine(y);
        for (int x = 0; x < bitmap->Width(); ++x, pixel += 3)
            InsertColor(pixel[2], pixel[1], pixel[0]);
    }
    while (leafTotal_ > colorLimit_ && MergeDeepestNode()) {
    }
}

void TColorQuantizer::CollectColors(int32_t node, std::vector<win::PALETTEENTRY>& colors) const
{
    const auto& n = nodes_[size_t(node)];
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

win::Palette QuantizedPaletteFromReader(TDIBReader& Reader, int ColorCount, int DepthLimit, bool WithSystemColors)
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

win::Palette QuantizedPaletteFromBitmap(TBitmap* Bitmap, int ColorCount, int DepthLimit, bool WithSystemColors)
{
    TDIBReader reader(Bitmap, pf24bit);
    return QuantizedPaletteFromReader(reader, ColorCount, DepthLimit, WithSystemColors);
}
