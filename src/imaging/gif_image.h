// TGIFImage: a GIF file in memory: the header, the frames, the coding used to write them, and the
// warning, progress and palette services its parts call on.
#pragma once

#include "imaging/gif_header.h"
#include "imaging/gif_image_list.h"
#include "imaging/gif_types.h"
#include "platform/graphics/palette.h"
#include "platform/graphics/progress.h"
#include "platform/rtl/object.h"
#include "platform/rtl/streams.h"

#include <QRect>
#include <QString>
#include <functional>

class TGIFImage : public TObject {
public:
    TGIFImage();
    ~TGIFImage() override;

    TGIFHeader& Header() { return header_; }
    const TGIFHeader& Header() const { return header_; }
    TGIFImageList& Images() { return images_; }
    const TGIFImageList& Images() const { return images_; }
    bool Empty() const { return images_.Count() == 0; }

    // How frames are coded when written.
    TGIFEncoding Encoding = geLZW;
    // The most pixel bytes the frames may hold together.
    int64_t PixelByteLimit = MaxGIFPixelBytes;
    // Warnings from any part of the file (Sender is the part).
    std::function<void(TObject* Sender, TGIFSeverity Severity, const QString& Message)> OnGIFWarning;
    TProgressEvent OnProgress;

    virtual void Warning(TObject* Sender, TGIFSeverity Severity, const QString& Message);
    void Progress(TObject* Sender, TProgressStage Stage, uint8_t PercentDone, bool RedrawNow, const QRect& R,
                  const QString& Msg);

    // The palette made for the image; cleared when the global colours change.
    const win::Palette& Palette() const { return palette_; }
    void SetPalette(const win::Palette& Value) { palette_ = Value; }

    // The highest version a frame needs (the scan stops at the first 89a); unknown without frames.
    TGIFVersion RequiredVersion() const;
    // The most bits per pixel of the global map and of every frame's local map.
    int MaxBitsPerPixel() const;

    // Frees the frames, empties the global map and zeroes the logical screen.
    void Clear();
    // Reads the header, the frames and the trailer. On a failure the stream goes back to where it
    // was and the failure passes on.
    void LoadFromStream(TStream& Stream);
    // Writes the header, the frames and the trailer.
    void SaveToStream(TStream& Stream);

    // Counts Delta more (or, negative, fewer) pixel bytes held by the frames; fails with "GIF image
    // is too large" when they would pass PixelByteLimit.
    void ReservePixelBytes(int64_t Delta);

private:
    int64_t pixelBytes_ = 0;
    win::Palette palette_;
    TGIFHeader header_;
    TGIFImageList images_;
};
