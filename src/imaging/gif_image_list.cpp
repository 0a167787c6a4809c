// Reading and writing the frames of a GIF file.
#include "imaging/gif_image_list.h"

#include "imaging/gif_image.h"
#include "imaging/gif_stream_io.h"
#include "platform/graphics/mul_div.h"

namespace {

// Skips 0 bytes; the next byte, or false at the end of the stream.
bool NextBlock(TStream& stream, uint8_t& value)
{
    while (TryReadByte(stream, value))
        if (value != 0)
            return true;
    return false;
}

int Percent(int64_t done, int64_t total)
{
    if (total <= 0)
        return 0;
    return int(std::clamp<int64_t>(done * 100 / total, 0, 100));
}

} // namespace

void TGIFImageList::LoadFromStream(TStream& Stream)
{
    const int64_t size = Stream.Size();
    uint8_t block = 0;
    while (NextBlock(Stream, block)) {
        StepBack(Stream);
        if (block == 0x3B)
            return;
        if (block != 0x21 && block != 0x2C) {
            Warning(gsWarning, gifmsg::UnknownBlockType);
            return;
        }
        auto frame = std::make_unique<TGIFSubImage>(Image());
        frame->LoadFromStream(Stream);
        Add(std::move(frame));
        if (Image())
            Image()->Progress(Image(), psRunning, uint8_t(Percent(Stream.Position(), size)), false, {},
                              QStringLiteral("Loading..."));
    }
}

void TGIFImageList::SaveToStream(TStream& Stream)
{
    for (int i = 0; i < Count(); ++i) {
        Items(i)->SaveToStream(Stream);
        if (Image())
            Image()->Progress(Image(), psRunning, uint8_t(win::MulDiv(i + 1, 100, Count())), false, {},
                              QStringLiteral("Saving..."));
    }
}
