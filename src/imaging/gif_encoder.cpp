// The encoder base: frame setup, pixel order and code packing.
#include "imaging/gif_encoder.h"

#include "imaging/gif_stream_io.h"

void TGIFEncoder::Encode(TStream& Stream, int BitsPerPixel, int ColorLimit, const uint8_t* Data,
                         bool Interlaced, int Height, int Width)
{
    minCodeSize_ = std::max(BitsPerPixel, 2);
    colorLimit_ = ColorLimit;
    data_ = Data;
    interlaced_ = Interlaced;
    height_ = Height;
    width_ = Width;
    WriteGIFByte(Stream, uint8_t(minCodeSize_));

    // The sub-blocks go to memory reserved for the most the codes can take (a code of up to 12
    // bits per pixel, a length byte per 255 bytes), and to Stream in one piece.
    const int64_t pixels = data_ ? int64_t(std::max(width_, 0)) * std::max(height_, 0) : 0;
    TMemoryStream coded;
    coded.SetCapacity(pixels * 3 / 2 + pixels / 128 + 64);
    writer_ = std::make_unique<TGIFWriter>(coded);
    accumulator_ = 0;
    bits_ = 0;
    initCodeSize_ = minCodeSize_ + 1;
    codeSize_ = initCodeSize_;
    maxCode_ = (1 << codeSize_) - 1;
    clearCode_ = 1 << minCodeSize_;
    endCode_ = clearCode_ + 1;
    firstFreeCode_ = clearCode_ + 2;
    pixel_ = nullptr;
    rowLeft_ = 0;
    row_ = -1;
    pass_ = 0;

    try {
        if (data_ && width_ >= 1 && height_ >= 1)
            Compress();
        Output(endCode_);
    } catch (...) {
        // What was coded before the failure stays in the stream.
        writer_.reset();
        coded.SaveToStream(Stream);
        throw;
    }
    writer_->Flush();
    writer_.reset();
    coded.SaveToStream(Stream);
    WriteGIFByte(Stream, 0);
}

bool TGIFEncoder::NextRow()
{
    static constexpr int Starts[4] = {0, 4, 2, 1};
    static constexpr int Steps[4] = {8, 8, 4, 2};
    if (!interlaced_) {
        ++row_;
    } else if (row_ < 0) {
        row_ = 0;
    } else {
        row_ += Steps[pass_];
        while (row_ >= height_ && pass_ < 3)
            row_ = Starts[++pass_];
    }
    if (row_ >= height_)
        return false;
    pixel_ = data_ + int64_t(row_) * width_;
    rowLeft_ = width_;
    return true;
}

void TGIFEncoder::Output(int Code)
{
    accumulator_ |= uint32_t(Code) << bits_;
    bits_ += codeSize_;
    while (bits_ >= 8) {
        writer_->WriteByte(uint8_t(accumulator_));
        accumulator_ >>= 8;
        bits_ -= 8;
    }
    if (Code == endCode_ && bits_ > 0) {
        writer_->WriteByte(uint8_t(accumulator_));
        accumulator_ = 0;
        bits_ = 0;
    }
}

void TGIFEncoder::ClearTable()
{
    justCleared_ = true;
    Output(clearCode_);
}
