// TRLEEncoder: run-length coding written as LZW codes that any GIF decoder reads. After a clear,
// sending a pixel and then the next free codes one by one makes the decoder build codes for
// runs of 2, 3, 4 ... pixels of that colour; later runs of the colour reuse those codes. The
// coder tracks the decoder's code width and clears before the decoder's table fills.
#pragma once

#include "imaging/gif_encoder.h"

#include <cstdint>

class TRLEEncoder : public TGIFEncoder {
protected:
    // Outputs the clear code and starts counting codes and widths afresh.
    void ClearTable() override;
    void Compress() override;

private:
    // Outputs a code, follows the decoder's code width and clears at the threshold.
    void OutputPlain(int code);
    void FlushRun(int64_t count);
    // Sends a run right after a clear, building run codes as it goes.
    void FlushFromClear(int64_t count);
    // Sends a run by clearing and building run codes, or by repeating the pixel, whichever is shorter.
    void FlushClearOrRepeat(int64_t count);
    // Sends a run with the run codes the decoder already has for this pixel.
    void FlushWithTable(int64_t count);
    // Codes needed to send count pixels with run codes built from nothing, at most maxCodes per clear.
    static int64_t TriangleCount(int64_t count, int64_t maxCodes);
    void RestoreClearThreshold();

    int maxOutputCodes_ = 0;
    int growthStart_ = 0;
    int clearStart_ = 0;
    int runPixel_ = 0;
    int64_t tableRunLength_ = 0;
    int tablePixel_ = 0;
    int outputCount_ = 0;
    int clearThreshold_ = 0;
    int nextGrowth_ = 0;
};
