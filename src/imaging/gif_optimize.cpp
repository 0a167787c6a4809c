// Optimising a GIF animation: sorting colour maps, dropping unused transparency, extensions and
// frames, making repeated pixels transparent and trimming transparent borders, without changing
// what the animation shows.
#include "imaging/gif_app_extensions.h"
#include "imaging/gif_exception.h"
#include "imaging/gif_extensions.h"
#include "imaging/gif_image.h"
#include "platform/graphics/mul_div.h"

#include <array>

namespace {

constexpr int Passes = 6;

uint8_t DisposalOf(const TGIFSubImage* frame)
{
    const TGIFGraphicControlExtension* control = frame->GraphicControlExtension();
    return control ? control->Disposal() : uint8_t(dmUndefined);
}

int TransparentIndexOf(const TGIFSubImage* frame)
{
    const TGIFGraphicControlExtension* control = frame->GraphicControlExtension();
    return frame->Transparent() && control ? control->TransparentColorIndex() : -1;
}

QRect BoundsOf(const TGIFSubImage* frame)
{
    return QRect(frame->Left(), frame->Top(), frame->Width(), frame->Height());
}

bool UsesIndex(const TGIFSubImage* frame, int index)
{
    const uint8_t* pixels = frame->Data();
    return std::find(pixels, pixels + frame->DataSize(), uint8_t(index)) != pixels + frame->DataSize();
}

// The graphic control extension of the frame, made and added when it has none.
TGIFGraphicControlExtension* ControlOf(TGIFSubImage* frame)
{
    if (TGIFGraphicControlExtension* control = frame->GraphicControlExtension())
        return control;
    auto control = std::make_unique<TGIFGraphicControlExtension>(frame);
    TGIFGraphicControlExtension* made = control.get();
    frame->Extensions().Add(std::move(control));
    return made;
}

// The transparent index a frame that is not transparent can take: the index of the reference
// colour when no pixel uses it, else the lowest index no pixel uses, else a new entry.
int FreeIndexFor(TGIFSubImage* frame, TGIFColor reference, TGIFImage& image)
{
    TGIFColorMap& colors = frame->ActiveColorMap();
    std::array<bool, 256> used{};
    for (int64_t i = 0; i < frame->DataSize(); ++i)
        used[frame->Data()[i]] = true;
    int index = frame->ColorMap().IndexOf(reference);
    if (index < 0)
        index = image.Header().ColorMap().IndexOf(reference);
    if (index < 0)
        index = 0;
    if (!used[size_t(index)])
        return index;
    for (int i = 0; i < colors.Count(); ++i)
        if (!used[size_t(i)])
            return i;
    return colors.Add(reference);
}

} // namespace

void TGIFImage::Optimize(uint8_t Options, uint8_t Method, uint8_t, int)
{
    if (Empty())
        return;
    StopPainters();
    const std::shared_ptr<TCriticalSection> lock = painterLock_;
    const std::lock_guard guard(*lock);

    const QString message = QStringLiteral("Optimizing...");
    const int frameCount = images_.Count();
    int step = 0;
    const auto advance = [&](int steps) {
        step += steps;
        Progress(this, psRunning, uint8_t(win::MulDiv(step, 100, Passes * frameCount)), false, {}, message);
    };
    const auto frame = [this](int i) { return images_.Items(i); };
    Progress(this, psStarting, 0, false, {}, message);
    try {
        // 1. Colour maps sorted by use, unused colours dropped.
        if (Options & opSortColorMaps) {
            if (header_.ColorMap().Count() > 0)
                header_.ColorMap().Optimize();
            for (int i = 0; i < images_.Count(); ++i) {
                if (frame(i)->ColorMap().Count() > 0)
                    frame(i)->ColorMap().Optimize();
                advance(1);
            }
        } else {
            advance(frameCount);
        }

        // 2. Transparency no pixel uses; restoring a frame that the next one covers wholly.
        if (Options & opRemoveUnused) {
            for (int i = 0; i < images_.Count(); ++i) {
                TGIFSubImage* f = frame(i);
                const int index = TransparentIndexOf(f);
                if (index >= 0 && !f->Empty() && !UsesIndex(f, index)) {
                    f->GraphicControlExtension()->SetTransparent(false);
                    f->FreeBitmap();
                }
                advance(1);
            }
            for (int i = 0; i + 1 < images_.Count(); ++i) {
                TGIFGraphicControlExtension* control = frame(i)->GraphicControlExtension();
                const TGIFSubImage* next = frame(i + 1);
                if (control && (control->Disposal() == dmBackground || control->Disposal() == dmPrevious) &&
                    !next->Transparent() && BoundsOf(next).contains(BoundsOf(frame(i))))
                    control->SetDisposal(dmUndefined);
            }
        } else {
            advance(frameCount);
        }

        // 3. Pixels that show what the frame below already shows become transparent.
        if (Options & opTransparentRepeats) {
            TGIFSubImage* first = frame(0);
            TGIFColor reference{0x80, 0x80, 0x80};
            if (!first->Empty() && first->Height() > 0 && first->Width() > 1)
                reference = first->ActiveColorMap().Color(first->Pixel(1, first->Height() - 1));
            for (int i = images_.Count() - 1; i >= 1; --i) {
                advance(1);
                TGIFSubImage* later = frame(i);
                int j = i - 1;
                while (j > 0 && frame(j)->GraphicControlExtension() && DisposalOf(frame(j)) == dmPrevious)
                    --j;
                TGIFSubImage* earlier = frame(j);
                if (DisposalOf(earlier) == dmBackground || DisposalOf(earlier) == dmPrevious)
                    continue;
                if (later->Empty() || earlier->Empty())
                    continue;
                const QRect overlap = BoundsOf(later).intersected(BoundsOf(earlier));
                if (overlap.isEmpty())
                    continue;
                if (!later->Transparent() && later->ActiveColorMap().Count() >= TGIFColorMap::MaxColors)
                    continue;
                TGIFColorMap& laterColors = later->ActiveColorMap();
                TGIFColorMap& earlierColors = earlier->ActiveColorMap();
                const bool sameMap = &laterColors == &earlierColors;
                const int earlierTransparent = TransparentIndexOf(earlier);
                int laterTransparent = TransparentIndexOf(later);
                bool changed = false;
                for (int y = overlap.top(); y <= overlap.bottom(); ++y)
                    for (int x = overlap.left(); x <= overlap.right(); ++x) {
                        const uint8_t mine = later->Pixel(x - later->Left(), y - later->Top());
                        if (mine == laterTransparent)
                            continue;
                        const uint8_t below = earlier->Pixel(x - earlier->Left(), y - earlier->Top());
                        if (below == earlierTransparent)
                            continue;
                        const bool same = sameMap ? mine == below
                                                  : laterColors.Color(mine) == earlierColors.Color(below);
                        if (!same)
                            continue;
                        if (laterTransparent < 0)
                            laterTransparent = FreeIndexFor(later, reference, *this);
                        later->SetPixel(x - later->Left(), y - later->Top(), uint8_t(laterTransparent));
                        changed = true;
                    }
                if (changed && !later->Transparent()) {
                    TGIFGraphicControlExtension* control = ControlOf(later);
                    control->SetTransparentColorIndex(uint8_t(laterTransparent));
                    control->SetTransparent(true);
                }
                later->FreeBitmap();
            }
            advance(1);
        } else {
            advance(frameCount);
        }

        // 4. Transparent borders trimmed.
        if (Options & opTrimFrames) {
            for (int i = images_.Count() - 1; i >= 0; --i) {
                advance(1);
                TGIFSubImage* f = frame(i);
                const int index = TransparentIndexOf(f);
                // A frame restored to the background clears its whole rectangle: it keeps it.
                if (index < 0 || f->Empty() || DisposalOf(f) == dmBackground)
                    continue;
                const int width = f->Width();
                const auto rowClear = [&](int y) {
                    const uint8_t* row = f->Data() + int64_t(y) * width;
                    return std::all_of(row, row + width, [&](uint8_t p) { return p == index; });
                };
                int top = 0, bottom = f->Height() - 1;
                while (top <= bottom && rowClear(top))
                    ++top;
                while (bottom >= top && rowClear(bottom))
                    --bottom;
                if (top > bottom) {
                    // Nothing shows: the frame goes, and the frame before shows for its time too.
                    // The first frame, and a frame after one that is restored (which shows that
                    // restoring), stay as one transparent pixel.
                    const bool restores = i == 0 || DisposalOf(frame(i - 1)) >= dmBackground;
                    if (restores) {
                        f->SetBounds(f->Left(), f->Top(), 1, 1);
                        f->SetPixel(0, 0, uint8_t(index));
                    } else {
                        TGIFGraphicControlExtension* before = ControlOf(frame(i - 1));
                        before->SetDelay(uint16_t(std::min(0xFFFF, before->Delay() + f->GraphicControlExtension()->Delay())));
                        images_.Delete(i);
                    }
                    continue;
                }
                const auto columnClear = [&](int x) {
                    for (int y = top; y <= bottom; ++y)
                        if (f->Data()[int64_t(y) * width + x] != index)
                            return false;
                    return true;
                };
                int left = 0, right = width - 1;
                while (left <= right && columnClear(left))
                    ++left;
                while (right >= left && columnClear(right))
                    --right;
                if (left == 0 && top == 0 && right == width - 1 && bottom == f->Height() - 1)
                    continue;
                const int newWidth = right - left + 1;
                const int newHeight = bottom - top + 1;
                std::vector<uint8_t> kept(size_t(newWidth) * size_t(newHeight));
                for (int y = 0; y < newHeight; ++y)
                    std::copy_n(f->Data() + int64_t(top + y) * width + left, newWidth,
                                kept.data() + int64_t(y) * newWidth);
                f->SetBounds(uint16_t(f->Left() + left), uint16_t(f->Top() + top), uint16_t(newWidth),
                             uint16_t(newHeight));
                std::copy(kept.begin(), kept.end(), f->Data());
            }
        } else {
            advance(frameCount);
        }

        // 5. Extensions nothing shows, and empty frames.
        if (Options & opRemoveUnused) {
            const bool single = images_.Count() == 1;
            for (int i = images_.Count() - 1; i >= 0; --i) {
                advance(1);
                TGIFSubImage* f = frame(i);
                TGIFExtensionList& extensions = f->Extensions();
                for (int e = extensions.Count() - 1; e >= 0; --e) {
                    TGIFExtension* extension = extensions.Items(e);
                    bool drop = dynamic_cast<TGIFCommentExtension*>(extension) ||
                                dynamic_cast<TGIFTextExtension*>(extension) ||
                                dynamic_cast<TGIFUnknownAppExtension*>(extension);
                    if (dynamic_cast<TGIFAppExtNSLoop*>(extension))
                        drop = i != 0 || single;
                    if (auto* control = dynamic_cast<TGIFGraphicControlExtension*>(extension))
                        drop = (control->Delay() == 0 || single) && !control->Transparent() &&
                               !control->UserInput() && (control->Disposal() < dmBackground || single);
                    if (drop)
                        extensions.Delete(e);
                }
                if (f->Empty() && extensions.Count() == 0)
                    images_.Delete(i);
            }
        } else {
            advance(frameCount);
        }

        // 6. Colours are not reduced here; a palette of the caller's needs the unused ones kept.
        if ((Options & opQuantizeColors) && !(Options & opRemoveUnused) && Method == 9)
            throw GIFException(QStringLiteral("Invalid reduction method"));
        advance(frameCount);
    } catch (...) {
        Progress(this, psEnding, 0, false, {}, message);
        throw;
    }
    Progress(this, psEnding, 100, false, {}, message);
    FreeBitmap();
    Changed(this);
}
