// TGIFImageList: the frames of a GIF file, in file order.
#pragma once

#include "imaging/gif_frame.h"
#include "imaging/gif_item.h"

class TGIFImageList final : public TGIFList<TGIFSubImage> {
public:
    using TGIFList<TGIFSubImage>::TGIFList;

    // Reads frames up to the trailer, which it leaves for the trailer to read; 0 bytes between
    // blocks are skipped, and any other block start gives the warning "Unknown GIF block type" and
    // ends the list. Reports "Loading..." progress by the stream position.
    void LoadFromStream(TStream& Stream) override;
    // Writes every frame, each followed by a "Saving..." progress step.
    void SaveToStream(TStream& Stream) override;
};
