// The LZW encoder.
#include "imaging/gif_lzw_encoder.h"

void TLZWEncoder::Output(int Code)
{
    TGIFEncoder::Output(Code);
    if (justCleared_) {
        codeSize_ = initCodeSize_;
        maxCode_ = (1 << codeSize_) - 1;
        justCleared_ = false;
    } else if (nextFreeCode_ > maxCode_) {
        ++codeSize_;
        maxCode_ = codeSize_ == MaxBits ? 1 << MaxBits : (1 << codeSize_) - 1;
    }
}

void TLZWEncoder::ClearTable()
{
    table_.Clear();
    nextFreeCode_ = firstFreeCode_;
    TGIFEncoder::ClearTable();
}

void TLZWEncoder::Compress()
{
    ClearTable();
    prefix_ = NextPixel();
    for (int pixel = NextPixel(); pixel >= 0; pixel = NextPixel()) {
        const uint32_t key = uint32_t(prefix_) << 8 | uint32_t(pixel);
        const int code = table_.Lookup(key);
        if (code >= 0) {
            prefix_ = code;
            continue;
        }
        Output(prefix_);
        prefix_ = pixel;
        if (nextFreeCode_ >= ClearAt) {
            ClearTable();
        } else {
            table_.Insert(key, nextFreeCode_);
            ++nextFreeCode_;
        }
    }
    Output(prefix_);
}
