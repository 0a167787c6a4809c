// TWBmp: reads a wireless bitmap (WBMP type 0: one bit per pixel, 1 = white) into a 1-bit bitmap.
#pragma once

#include "platform/graphics/bitmap.h"
#include "platform/rtl/object.h"
#include "platform/rtl/streams.h"

#include <QString>
#include <functional>

using TErrorEvent = std::function<void(TObject* Sender, int Error)>;

class TWBmp : public TComponent {
public:
    // The errors OnError reports.
    static constexpr int ErrorRead = -1;   // the file cannot be opened or read, or is implausibly large
    static constexpr int ErrorType = -2;   // the type byte is not 0
    static constexpr int ErrorNoData = -3; // nothing follows the two header bytes
    // The largest width and height read.
    static constexpr int MaxSize = 16384;

    explicit TWBmp(TComponent* AOwner = nullptr);

    // Reads the file into Bitmap. Failures are reported through OnError only: after ErrorRead the
    // file name is cleared; after any error the bitmap keeps what it held. Rows missing from a
    // truncated file are white; a width or height of 0 gives an empty bitmap.
    void LoadFromFile(const QString& AFileName);

    TBitmap& Bitmap() { return bitmap_; }
    bool GetEmpty() const { return bitmap_.Empty(); }
    int Width() const { return bitmap_.Width(); }
    int Height() const { return bitmap_.Height(); }

    // The file last loaded; empty when it could not be read.
    QString FileName;
    TErrorEvent OnError;

private:
    void Error(int Code);
    // A multi-byte integer: 7 bits per byte, most significant first, continued while bit 7 is set.
    // False when the data ends within it or it passes MaxSize.
    bool ReadInteger(int& Value);

    TBitmap bitmap_;
    TMemoryStream stream_;
};
