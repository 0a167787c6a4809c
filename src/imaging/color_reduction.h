// QuantizeBitmap: reduces a picture to an 8-bit paletted bitmap by a palette method and a ditherer.
#pragma once

#include "platform/graphics/bitmap.h"
#include "platform/graphics/palette.h"

#include <cstdint>
#include <memory>

// How the palette of a reduction is chosen. Other values make QuantizeBitmap return an empty bitmap.
enum TColorReduction : uint8_t {
    crNone = 0,                 // no reduction: a 24-bit copy
    crDefaultPalette = 1,       // the 20 static colours
    crHalftonePalette = 2,      // the halftone palette
    crFourGreys = 3,            // 0, 128, 192, 255
    crMonochrome = 4,           // black and white
    crGrayScale = 5,            // 256 greys
    crWebPalette = 6,           // the 216-colour web palette
    crQuantize = 7,             // an octree palette of 2 to the PaletteBits colours
    crQuantizeSystemColors = 8, // an octree palette of 236 colours within the 20 static colours
    crGivenPalette = 9,         // the caller's palette
};

// Which ditherer walks the picture. Other values make QuantizeBitmap return an empty bitmap.
enum TDitherMethod : uint8_t {
    dmNone = 0, // nearest colour
    dmFloydSteinberg = 1,
    dmStucki = 2,
    dmSierra = 3,
    dmJarvisJudiceNinke = 4,
    dmStevensonArce = 5,
    dmBurkes = 6,
};

// A new bitmap with Bitmap's picture: a 24-bit copy for crNone, else 8 bits per pixel with the
// method's palette, each pixel the ditherer's choice. Bitmap itself is converted to 24 bits per
// pixel first. PaletteBits (1..8) counts only for crQuantize; Palette only for crGivenPalette, and an
// empty one gives an empty bitmap. Fails with "Invalid palette bits" and with the bitmap writer's
// failures (an empty Bitmap gives "Invalid image dimensions").
std::unique_ptr<TBitmap> QuantizeBitmap(TBitmap* Bitmap, uint8_t ReductionMethod, uint8_t DitherMethod,
                                        int PaletteBits, const win::Palette& Palette);
