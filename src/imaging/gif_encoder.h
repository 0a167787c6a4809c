// TGIFEncoder: what the two pixel coders share: the minimum code size, the walk over the pixels
// in row or interlace order, and the packing of codes into bytes, least significant bit first.
#pragma once

#include "imaging/gif_exception.h"
#include "imaging/gif_types.h"
#include "imaging/gif_writer.h"
#include "platform/rtl/object.h"
#include "platform/rtl/streams.h"

#include <cstdint>
#include <memory>

class TGIFEncoder : public TObject {
public:
    // Writes the minimum code size (BitsPerPixel, at least 2), the coded pixels in sub-blocks and
    // the 0 byte that ends them; the sub-blocks are gathered in memory and written in one piece.
    // A pixel at or above ColorLimit fails with "Color not in color table", leaving what was coded
    // so far in the stream.
    void Encode(TStream& Stream, int BitsPerPixel, int ColorLimit, const uint8_t* Data, bool Interlaced,
                int Height, int Width);

protected:
    // Adds the code, CodeSize bits wide, to the output; the end code also writes the last bits.
    virtual void Output(int Code);
    // Marks the coder just cleared and outputs the clear code.
    virtual void ClearTable();
    // Codes every pixel.
    virtual void Compress() = 0;

    // The next pixel in coding order, or -1 after the last.
    int NextPixel()
    {
        if (rowLeft_ == 0 && !NextRow())
            return -1;
        --rowLeft_;
        const uint8_t pixel = *pixel_++;
        if (pixel >= colorLimit_)
            throw GIFException(gifmsg::ColorNotInTable);
        return pixel;
    }

    int colorLimit_ = 0;
    int minCodeSize_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool interlaced_ = false;
    const uint8_t* data_ = nullptr;
    std::unique_ptr<TGIFWriter> writer_;
    uint32_t accumulator_ = 0;
    int bits_ = 0;
    bool justCleared_ = false;
    int codeSize_ = 0;
    int initCodeSize_ = 0;
    int maxCode_ = 0;
    int clearCode_ = 0;
    int endCode_ = 0;
    int firstFreeCode_ = 0;

private:
    bool NextRow();

    const uint8_t* pixel_ = nullptr;
    int rowLeft_ = 0;
    int row_ = -1;
    int pass_ = 0;
};
