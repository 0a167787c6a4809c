// TGIFImage: the GIF picture class: the file in memory (header, frames), drawing and animation,
// palettes, conversion of other graphics into frames, the clipboard and optimisation.
#pragma once

#include "imaging/gif_header.h"
#include "imaging/gif_image_list.h"
#include "imaging/gif_types.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/colors.h"
#include "platform/graphics/graphic.h"
#include "platform/graphics/palette.h"
#include "platform/threads/sync_objects.h"
#include "platform/threads/thread.h"

#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TGIFPainter;

// How the image is drawn (DrawFlags).
enum TGIFDrawOption : uint16_t {
    gdThreaded = 0x0001,       // the painter runs on a thread of its own
    gdTransparent = 0x0002,    // transparent pixels are left out
    gdAnimate = 0x0004,        // a multi-frame image is animated
    gdRepeat = 0x0008,         // the animation repeats as the loop extension says
    gdRepeatForever = 0x0010,  // the animation repeats without end
    gdCheckDC = 0x0020,        // the painter stops when its canvas goes away
    gdPaintOnTarget = 0x0040,  // the painter draws on the caller's canvas, not on the cache bitmap
    gdClearEachPass = 0x0080,  // the area is restored before frame 0 of every pass
    gdTile = 0x0100,           // frames are tiled over the rectangle instead of stretched
    gdWebPalette = 0x0200,     // frames are rendered through the web palette with dithering
    gdWebPaletteLowColour = 0x0400, // ... only on a display of 8 bits per pixel or fewer
};
using TGIFDrawOptions = uint16_t;
constexpr TGIFDrawOptions GIFDefaultDrawOptions = 0x060F;

// What Optimize does.
enum TGIFOptimizeOption : uint8_t {
    opTrimFrames = 0x01,         // crop transparent borders of transparent frames
    opTransparentRepeats = 0x02, // pixels that repeat the frame below become transparent
    opRemoveUnused = 0x04,       // drop unused transparency, extensions and empty frames
    opSortColorMaps = 0x08,      // colour maps sorted by use, unused colours dropped
    opQuantizeColors = 0x10,     // no reduction is made; checks the method
};

// Whether the screen shows colours through a palette (8 bits per pixel or fewer); set at start-up,
// changeable for tests.
bool PaletteDisplay();
void SetPaletteDisplay(bool Value);

class TGIFImage : public TGraphic {
public:
    TGIFImage();
    // Stops every painter and waits for the threaded ones; painters still on the stack forget the
    // image.
    ~TGIFImage() override;

    TGIFHeader& Header() { return header_; }
    const TGIFHeader& Header() const { return header_; }
    TGIFImageList& Images() { return images_; }
    const TGIFImageList& Images() const { return images_; }

    // Drawing and animation (see TGIFDrawOption).
    void Draw(TCanvas& ACanvas, const QRect& Rect) override;
    bool Empty() const override { return images_.Count() == 0; }
    // The logical screen.
    int Width() const override { return header_.Width(); }
    int Height() const override { return header_.Height(); }
    // Fail with "Image width (height) too small for contained frames" when a frame would reach
    // past the value; a new size drops the cache bitmap and reports a change.
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;
    // The cache bitmap's palette, else the stored one, else the web palette when it is in use, else
    // one made from the global colour map, else frame 0's. A nested call fails with "No global or
    // local color table defined".
    win::Palette GetPalette() override;
    // Stores the palette; a cache bitmap with another palette is dropped and a change reported.
    void SetPalette(const win::Palette& Value) override;
    // The palette stored by GetPalette or SetPalette.
    const win::Palette& StoredPalette() const { return palette_; }
    bool Equals(TGraphic* Graphic) override { return Graphic == this; }

    // Reads the header, the frames and the trailer. On a failure the stream goes back to where it
    // was and the failure passes on.
    void LoadFromStream(TStream& Stream) override;
    // Writes the header, the frames and the trailer.
    void SaveToStream(TStream& Stream) override;
    // The "GIF Image" format (a GIF file) and CF_BITMAP; any other fails with "Unsupported
    // clipboard format".
    void LoadFromClipboardFormat(unsigned AFormat, const TClipboardData& AData,
                                 const win::Palette& APalette) override;
    // Gives the cache bitmap as CF_BITMAP and puts the file on the clipboard as "GIF Image"
    // ("Failed to store GIF on clipboard" when refused). Nothing for an empty image.
    void SaveToClipboardFormat(unsigned& AFormat, TClipboardData& AData, win::Palette& APalette) override;

    // A GIF image is copied with its header, frames and drawing settings; any other graphic becomes
    // the one frame of this image.
    void Assign(TPersistent* Source) override;

    // Stops the painters, drops the cache bitmap, frees the frames, empties the global map and
    // zeroes the logical screen.
    void Clear();
    // Adds a frame converted from a graphic or copied from a frame; "Object type not supported for
    // operation" for other objects. Returns the new frame's index.
    int AddFrame(TPersistent* Source);
    // Adds a frame of this image as it is.
    int AddFrame(std::unique_ptr<TGIFSubImage> Frame);
    // The highest version a frame needs (the scan stops at the first 89a); unknown without frames.
    TGIFVersion RequiredVersion() const;
    // The most bits per pixel of the global map and of every frame's local map.
    int MaxBitsPerPixel() const;
    // The global map's colour at the header's background index.
    TColor BackgroundColor();
    // Frame 0 drawn at the logical screen size, made on demand; none for an empty image.
    TBitmap* Bitmap();
    // Drops the cache bitmap.
    void FreeBitmap();
    // Optimises the frames by Options (TGIFOptimizeOption); Method, Dither and Bits describe a
    // colour reduction and are only checked.
    void Optimize(uint8_t Options, uint8_t Method, uint8_t Dither, int Bits);
    // Stops every painter and waits until the threaded ones have left.
    void StopPainters();
    // Whether frames are rendered through the web palette.
    bool WebPaletteInUse() const;

    virtual void Warning(TObject* Sender, TGIFSeverity Severity, const QString& Message);

    // How frames are coded when written.
    TGIFEncoding Encoding = geLZW;
    // The most pixel bytes the frames may hold together.
    int64_t PixelByteLimit = MaxGIFPixelBytes;
    TGIFDrawOptions DrawFlags = GIFDefaultDrawOptions;
    // How a true-colour graphic is reduced when it becomes a frame (TColorReduction), the dither
    // (TDitherMethod) and the palette size in bits for the quantizing methods.
    uint8_t ReductionMethod = 6;
    int PaletteBits = 8;
    uint8_t DitherMethod = 0;
    TThreadPriority PainterPriority = tpNormal;
    // Frame delays are scaled by 100 / SpeedPercent; 0 waits until woken, below 0 does not wait.
    int SpeedPercent = 100;
    // The background painters use; clNone: the header's background colour, or the window colour
    // without a global colour map.
    TColor BackColor = clNone;

    // Warnings from any part of the file (Sender is the part).
    std::function<void(TObject* Sender, TGIFSeverity Severity, const QString& Message)> OnGIFWarning;
    // Copied into every painter (Sender is the painter).
    TNotifyEvent OnPaintStart;
    TNotifyEvent OnFramePaint;
    TNotifyEvent OnFramePainted;
    TNotifyEvent OnPassStart;
    TNotifyEvent OnPaintEnd;

    // Counts Delta more (or, negative, fewer) pixel bytes held by the frames; fails with "GIF image
    // is too large" when they would pass PixelByteLimit.
    void ReservePixelBytes(int64_t Delta);

    // The painters working for this image and the lock that guards the list and the draw painter.
    TCriticalSection& PainterLock() { return *painterLock_; }
    std::vector<TGIFPainter*>& Painters() { return painters_; }
    // The painter the last Draw started; the painter clears it when it ends.
    TGIFPainter* DrawPainter = nullptr;

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    // Stops the draw painter, waits for it when it is threaded, and drops the cache bitmap.
    void StopDrawPainter();
    // Copies the cache bitmap into Rect, stretched or tiled.
    void DrawCache(TCanvas& ACanvas, const QRect& Rect);
    // A bitmap of the logical screen's size with the image's palette; a screen of more pixels
    // than PixelByteLimit fails with "GIF image is too large" before any memory is taken.
    std::unique_ptr<TBitmap> NewScreenBitmap();
    // Waits for the threaded painters among Painters() that are not on this thread's stack.
    void WaitForPainters(const std::function<bool(TGIFPainter*)>& waitFor);
    // Sets the logical screen's width or height after checking it against the frames.
    void SetScreenSize(int Value, bool width);

    bool drawing_ = false;
    bool paletteQuery_ = false;
    int64_t pixelBytes_ = 0;
    win::Palette palette_;
    TGIFHeader header_;
    TGIFImageList images_;
    std::unique_ptr<TBitmap> bitmap_;
    // Shared with running Draw calls, which may still hold it when the image goes away.
    std::shared_ptr<TCriticalSection> painterLock_ = std::make_shared<TCriticalSection>();
    std::vector<TGIFPainter*> painters_;
    // Shared with running Draw calls, which must not touch the image once it is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
