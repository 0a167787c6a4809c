// TImageList: a list of equally sized images with overlay images, drawn onto canvases; lists
// may share one set of images through its handle.
#pragma once

#include "platform/graphics/colors.h"
#include "platform/rtl/object.h"

#include <QImage>
#include <QPoint>

class TCanvas;

namespace win {
// The images themselves; a list holds one, and lists with ShareImages set may hold the same.
struct IMAGELIST;
using HIMAGELIST = IMAGELIST*;
} // namespace win

// How Draw shows an image: dsNormal over the background colour (transparent when BkColor is
// clNone), dsTransparent always transparent, dsSelected blended half with the blend colour,
// dsFocus a quarter.
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

namespace win {
// The drag image of a drag about to start: image iTrack of the list with its hot spot, which the
// program's drag loop shows as the dragged picture. False for a null list or an index out of
// range. ImageList_EndDrag removes it.
bool ImageList_BeginDrag(HIMAGELIST himlTrack, int iTrack, int dxHotspot, int dyHotspot);
void ImageList_EndDrag();
// The drag image set by ImageList_BeginDrag (null when none) and its hot spot.
QImage ImageListDragImage(QPoint& HotSpot);
} // namespace win

class TImageList : public TComponent {
public:
    // Images of 16 by 16 pixels.
    explicit TImageList(TComponent* AOwner = nullptr);
    TImageList(int AWidth, int AHeight, TComponent* AOwner = nullptr);
    // Frees the images unless ShareImages is set.
    ~TImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A new size starts a new, empty set of images (the old one freed unless shared).
    void SetWidth(int Value);
    void SetHeight(int Value);

    int Count() const;
    // Appends Image, scaled to the list's size when it has another; returns its index.
    int Add(const QImage& Image);
    // A copy of image Index (null for an index out of range).
    QImage GetImage(int Index) const;
    // Makes image ImageIndex the overlay image Overlay (0 to 14: the shell's overlays 1 to 15).
    // False for an index out of range.
    bool Overlay(int ImageIndex, int Overlay);
    // The image that is overlay Overlay, -1 when none.
    int OverlayImage(int Overlay) const;

    // Draws image Index with its top-left corner at X, Y in DrawingStyle; a disabled image grey.
    // An index out of range draws nothing.
    void Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled = true) const;
    // As Draw, with the overlay image Overlay drawn over it (none when that overlay is unset).
    void DrawOverlay(TCanvas& Canvas, int X, int Y, int ImageIndex, int Overlay, bool Enabled = true) const;

    TDrawingStyle DrawingStyle = dsNormal;
    TColor BkColor = clNone;
    // clNone and clDefault blend with the highlight colour.
    TColor BlendColor = clNone;

    // When set, the list never frees its images: they belong to whoever made the handle.
    bool ShareImages = false;
    // The images, made on first use.
    win::HIMAGELIST Handle() const;
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Takes the images of Value (null: none yet); the size becomes theirs. The images held before
    // are freed unless ShareImages is set, so set ShareImages first to share another list's.
    void SetHandle(win::HIMAGELIST Value);

private:
    QImage Composed(int Index, int Overlay, bool Enabled) const;
    void FreeHandle();

    int width_ = 16;
    int height_ = 16;
    mutable win::HIMAGELIST handle_ = nullptr;
};
