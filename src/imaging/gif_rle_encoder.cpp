// The run-length encoder.
#include "imaging/gif_rle_encoder.h"

void TRLEEncoder::ClearTable()
{
    outputCount_ = 0;
    tableRunLength_ = 0;
    nextGrowth_ = growthStart_;
    clearThreshold_ = clearStart_;
    TGIFEncoder::ClearTable();
    codeSize_ = initCodeSize_;
}

void TRLEEncoder::OutputPlain(int code)
{
    justCleared_ = false;
    Output(code);
    ++outputCount_;
    if (outputCount_ >= nextGrowth_) {
        ++codeSize_;
        nextGrowth_ += 1 << (codeSize_ - 1);
    }
    if (outputCount_ >= clearThreshold_)
        ClearTable();
}

void TRLEEncoder::Compress()
{
    maxOutputCodes_ = 4095 - firstFreeCode_;
    growthStart_ = clearCode_ - 1;
    clearStart_ = minCodeSize_ <= 3 ? 9 : clearCode_ - 2;
    ClearTable();

    int64_t count = 0;
    for (int pixel = NextPixel(); pixel >= 0; pixel = NextPixel()) {
        if (count > 0 && pixel == runPixel_) {
            ++count;
            continue;
        }
        if (count > 0)
            FlushRun(count);
        runPixel_ = pixel;
        count = 1;
    }
    if (count > 0)
        FlushRun(count);
}

void TRLEEncoder::FlushRun(int64_t count)
{
    if (count == 1)
        OutputPlain(runPixel_);
    else if (justCleared_)
        FlushFromClear(count);
    else if (tableRunLength_ < 2 || tablePixel_ != runPixel_)
        FlushClearOrRepeat(count);
    else
        FlushWithTable(count);
}

int64_t TRLEEncoder::TriangleCount(int64_t count, int64_t maxCodes)
{
    int64_t cost = 0;
    const int64_t full = maxCodes * (maxCodes + 1) / 2;
    cost += count / full * maxCodes;
    count %= full;
    if (count > 0) {
        // The smallest k with k (k + 1) at least 2 × count: from the integer square root.
        const int64_t target = 2 * count;
        int64_t root = target;
        for (int64_t next = (root + 1) / 2; next < root; next = (root + target / root) / 2)
            root = next;
        while (root * (root + 1) < target)
            ++root;
        cost += root;
    }
    return cost;
}

void TRLEEncoder::RestoreClearThreshold()
{
    clearThreshold_ = clearStart_;
    if (outputCount_ >= clearThreshold_)
        ClearTable();
}

void TRLEEncoder::FlushFromClear(int64_t count)
{
    clearThreshold_ = maxOutputCodes_;
    tablePixel_ = runPixel_;
    int64_t step = 1;
    while (count > 0) {
        if (step == 1) {
            tableRunLength_ = 1;
            OutputPlain(runPixel_);
            --count;
        } else if (step <= count) {
            tableRunLength_ = step;
            OutputPlain(firstFreeCode_ + int(step) - 2);
            count -= step;
        } else {
            ++tableRunLength_;
            OutputPlain(count == 1 ? runPixel_ : firstFreeCode_ + int(count) - 2);
            count = 0;
        }
        step = outputCount_ == 0 ? 1 : step + 1;
    }
    RestoreClearThreshold();
}

void TRLEEncoder::FlushClearOrRepeat(int64_t count)
{
    if (1 + TriangleCount(count, maxOutputCodes_) < count) {
        ClearTable();
        FlushFromClear(count);
        return;
    }
    for (int64_t i = 0; i < count; ++i)
        OutputPlain(runPixel_);
}

void TRLEEncoder::FlushWithTable(int64_t count)
{
    int64_t repeats = count / tableRunLength_;
    int64_t rest = count % tableRunLength_;
    int64_t restCodes = rest > 0 ? 1 : 0;
    if (outputCount_ + repeats + restCodes > maxOutputCodes_) {
        repeats = maxOutputCodes_ - outputCount_;
        rest = count - repeats * tableRunLength_;
        restCodes = 1 + TriangleCount(rest, maxOutputCodes_);
    }
    if (1 + TriangleCount(count, maxOutputCodes_) < repeats + restCodes) {
        ClearTable();
        FlushFromClear(count);
        return;
    }
    clearThreshold_ = maxOutputCodes_;
    const int runCode = firstFreeCode_ + int(tableRunLength_) - 2;
    for (int64_t i = 0; i < repeats; ++i)
        OutputPlain(runCode);
    if (rest > 0) {
        if (justCleared_)
            FlushFromClear(rest);
        else if (rest == 1)
            OutputPlain(runPixel_);
        else
            OutputPlain(firstFreeCode_ + int(rest) - 2);
    }
    RestoreClearThreshold();
}
