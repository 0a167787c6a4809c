// Decoding a frame's LZW pixel data.
#pragma once

#include "platform/rtl/streams.h"

#include <QString>
#include <cstdint>
#include <functional>

using TGIFWarningHandler = std::function<void(const QString& Message)>;

// Reads the code-size byte and the data sub-blocks that follow an image descriptor and its local
// colour map, and fills Pixels (Width × Height bytes, rows top to bottom; rows arrive in interlace
// order when Interlaced). Pixels the data does not reach keep the value they have. Data that ends
// early, breaks off, or is corrupt (a code size above 11, a code chain that loops) ends the
// decoding with a warning. The stream is left after the data's 0 byte, or at its end.
void DecodeLZW(TStream& Stream, uint8_t* Pixels, int Width, int Height, bool Interlaced,
               const TGIFWarningHandler& Warning);
