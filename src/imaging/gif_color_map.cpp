// GIF colour maps: entries, lookups, palettes, reading, writing and optimisation by use.
#include "imaging/gif_color_map.h"

#include "imaging/dib.h"
#include "imaging/gif_exception.h"
#include "imaging/gif_frame.h"
#include "imaging/gif_header.h"
#include "imaging/gif_image.h"
#include "imaging/gif_stream_io.h"

#include <algorithm>
#include <numeric>

void TGIFColorMap::Clear()
{
    entries_.clear();
    entries_.shrink_to_fit();
    sorted_ = false;
}

int TGIFColorMap::Add(TGIFColor Color)
{
    if (Count() >= MaxColors)
        throw GIFException(gifmsg::ColorTableOverflow);
    entries_.push_back(Color);
    sorted_ = false;
    Changed();
    return Count() - 1;
}

int TGIFColorMap::AddIfAbsent(TGIFColor Color)
{
    const int index = IndexOf(Color);
    return index >= 0 ? index : Add(Color);
}

int TGIFColorMap::IndexOf(TGIFColor Color) const
{
    if (sorted_) {
        const auto found = std::find(entries_.begin(), entries_.end(), Color);
        return found == entries_.end() ? -1 : int(found - entries_.begin());
    }
    for (int i = Count() - 1; i >= 0; --i)
        if (entries_[size_t(i)] == Color)
            return i;
    return -1;
}

void TGIFColorMap::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        throw GIFException(gifmsg::BadColorIndex);
    entries_.erase(entries_.begin() + Index);
    sorted_ = false;
    Changed();
}

TGIFColor TGIFColorMap::Color(int Index)
{
    if (entries_.empty())
        throw GIFException(gifmsg::EmptyColorTable);
    if (Index < 0 || Index >= Count()) {
        Warning(gsWarning, gifmsg::BadColorIndex);
        return entries_.front();
    }
    return entries_[size_t(Index)];
}

int TGIFColorMap::BitsForCount() const
{
    return BitsForColorCount(Count());
}

void TGIFColorMap::FillFromPalette(const win::Palette& Palette)
{
    const int count = std::min(Palette.Count(), MaxColors);
    entries_.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        const win::PALETTEENTRY& entry = Palette.Entries[size_t(i)];
        entries_[size_t(i)] = {entry.peRed, entry.peGreen, entry.peBlue};
    }
    sorted_ = false;
    Changed();
}

void TGIFColorMap::FillFromRGBQuads(const uint8_t* Quads, int Count)
{
    Count = std::clamp(Count, 0, MaxColors);
    entries_.resize(size_t(Count));
    for (int i = 0; i < Count; ++i)
        entries_[size_t(i)] = {Quads[4 * i + 2], Quads[4 * i + 1], Quads[4 * i]};
    sorted_ = false;
    Changed();
}

void TGIFColorMap::FillFromDIBColorTable(const TBitmap& Bitmap)
{
    FillFromPalette(Bitmap.Palette());
}

win::Palette TGIFColorMap::MakePaletteHandle() const
{
    win::Palette palette;
    for (const TGIFColor& color : entries_)
        palette.Entries.push_back({color.Red, color.Green, color.Blue, win::PC_NOCOLLAPSE});
    return palette;
}

void TGIFColorMap::SaveToStream(TStream& Stream) const
{
    if (entries_.empty())
        return;
    std::vector<TGIFColor> padded = entries_;
    padded.resize(size_t(1) << BitsForCount());
    Stream.WriteBuffer(padded.data(), int64_t(padded.size() * sizeof(TGIFColor)));
}

void TGIFColorMap::LoadFromStream(TStream& Stream, int Count)
{
    Clear();
    std::vector<TGIFColor> entries(size_t(std::clamp(Count, 0, MaxColors)));
    ReadCheck(Stream, entries.data(), int64_t(entries.size() * sizeof(TGIFColor)));
    entries_ = std::move(entries);
}

void TGIFColorMap::Assign(const TGIFColorMap& Source)
{
    if (&Source == this)
        return;
    entries_ = Source.entries_;
    sorted_ = Source.sorted_;
    Changed();
}

bool TGIFColorMap::Optimize()
{
    if (Count() < 2)
        return false;
    sorted_ = true;

    TColorUse counts{};
    CountColorUse(counts);
    std::vector<int> order(entries_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return counts[size_t(a)] > counts[size_t(b)]; });
    if (std::is_sorted(order.begin(), order.end()))
        return true;

    TColorRemap remap;
    for (int i = 0; i < 256; ++i)
        remap[size_t(i)] = uint8_t(i);
    for (size_t i = 0; i < order.size(); ++i)
        remap[size_t(order[i])] = uint8_t(i);
    RemapFramePixels(remap);

    std::vector<TGIFColor> entries;
    for (int old : order) {
        if (counts[size_t(old)] == 0)
            break;
        entries.push_back(entries_[size_t(old)]);
    }
    entries_ = std::move(entries);
    Changed();
    return true;
}

// The frames whose colours come from the global map.
namespace {

template <class Visit> void ForFramesOfGlobalMap(TGIFGlobalColorMap* map, Visit visit)
{
    TGIFImage* image = map->Header()->Image();
    if (!image)
        return;
    for (int i = 0; i < image->Images().Count(); ++i) {
        TGIFSubImage* frame = image->Images().Items(i);
        if (&frame->ActiveColorMap() == map)
            visit(frame);
    }
}

} // namespace

bool TGIFGlobalColorMap::Optimize()
{
    TGIFImage* image = header_->Image();
    if (!image || image->Images().Count() == 0)
        return false;
    return TGIFColorMap::Optimize();
}

void TGIFGlobalColorMap::Warning(TGIFSeverity Severity, const QString& Message)
{
    header_->Warning(Severity, Message);
}

void TGIFGlobalColorMap::CountColorUse(TColorUse& Counts)
{
    ForFramesOfGlobalMap(this, [&](TGIFSubImage* frame) { frame->CountPixels(Counts); });
}

void TGIFGlobalColorMap::RemapFramePixels(const TColorRemap& Map)
{
    ForFramesOfGlobalMap(this, [&](TGIFSubImage* frame) { frame->RemapPixels(Map); });
}

void TGIFGlobalColorMap::Changed()
{
    if (TGIFImage* image = header_->Image())
        image->SetPalette({});
}

void TGIFLocalColorMap::Warning(TGIFSeverity Severity, const QString& Message)
{
    subImage_->Warning(Severity, Message);
}

void TGIFLocalColorMap::CountColorUse(TColorUse& Counts)
{
    subImage_->CountPixels(Counts);
}

void TGIFLocalColorMap::RemapFramePixels(const TColorRemap& Map)
{
    subImage_->RemapPixels(Map);
}

void TGIFLocalColorMap::Changed()
{
    subImage_->SetPalette({});
}
