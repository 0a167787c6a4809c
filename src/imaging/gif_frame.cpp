// A GIF frame: bounds, pixels, reading and writing with its extensions and local colour map.
#include "imaging/gif_frame.h"

#include "imaging/gif_exception.h"
#include "imaging/gif_extensions.h"
#include "imaging/gif_header.h"
#include "imaging/gif_image.h"
#include "imaging/gif_lzw_decoder.h"
#include "imaging/gif_lzw_encoder.h"
#include "imaging/gif_rle_encoder.h"
#include "imaging/gif_stream_io.h"

#include <new>

TGIFSubImage::TGIFSubImage(TGIFImage* AImage) : TGIFItem(AImage), colorMap_(this), extensions_(this) {}

TGIFSubImage::~TGIFSubImage()
{
    extensions_.Clear();
    FreePixels();
}

void TGIFSubImage::Clear()
{
    FreeBitmap();
    FreePixels();
    colorMap_.Clear();
    extensions_.Clear();
    descriptor_ = {};
    transparent_ = false;
    graphicControl_ = nullptr;
}

void TGIFSubImage::AllocatePixels(int64_t Size, uint8_t Fill)
{
    FreePixels();
    if (Size > MaxGIFPixelBytes)
        throw GIFException(gifmsg::TooLarge);
    if (Image())
        Image()->ReservePixelBytes(Size);
    try {
        data_.assign(size_t(Size), Fill);
    } catch (const std::bad_alloc&) {
        if (Image())
            Image()->ReservePixelBytes(-Size);
        throw GIFException(gifmsg::TooLarge);
    }
}

void TGIFSubImage::FreePixels()
{
    if (Image())
        Image()->ReservePixelBytes(-DataSize());
    data_.clear();
    data_.shrink_to_fit();
}

void TGIFSubImage::SetBounds(uint16_t ALeft, uint16_t ATop, uint16_t AWidth, uint16_t AHeight)
{
    if (AWidth != descriptor_.Width || AHeight != descriptor_.Height) {
        FreeBitmap();
        AllocatePixels(int64_t(AWidth) * AHeight, 0);
        descriptor_.Width = AWidth;
        descriptor_.Height = AHeight;
    }
    descriptor_.Left = ALeft;
    descriptor_.Top = ATop;
    if (!Image())
        return;
    TGIFHeader& header = Image()->Header();
    bool warned = false;
    const int right = std::min(int(ALeft) + AWidth, 0xFFFF);
    if (right > header.Width()) {
        if (header.Width() != 0) {
            Warning(gsWarning, gifmsg::WidthTooSmall);
            warned = true;
        }
        header.SetWidth(uint16_t(right));
    }
    const int bottom = std::min(int(ATop) + AHeight, 0xFFFF);
    if (bottom > header.Height()) {
        if (header.Height() != 0) {
            Warning(gsWarning, gifmsg::HeightTooSmall);
            warned = true;
        }
        header.SetHeight(uint16_t(bottom));
    }
    if (warned)
        Warning(gsWarning, gifmsg::ExceedsScreen);
}

void TGIFSubImage::SetInterlaced(bool Value)
{
    descriptor_.PackedFields = Value ? uint8_t(descriptor_.PackedFields | InterlaceFlag)
                                     : uint8_t(descriptor_.PackedFields & ~InterlaceFlag);
}

uint8_t* TGIFSubImage::PixelAt(int X, int Y)
{
    if (X < 0 || X >= Width() || Y < 0 || Y >= Height())
        throw GIFException(gifmsg::BadPixelCoordinates);
    if (data_.empty())
        throw GIFException(gifmsg::EmptyImage);
    return data_.data() + int64_t(Y) * Width() + X;
}

uint8_t TGIFSubImage::Pixel(int X, int Y) const
{
    return *const_cast<TGIFSubImage*>(this)->PixelAt(X, Y);
}

void TGIFSubImage::SetPixel(int X, int Y, uint8_t Value)
{
    *PixelAt(X, Y) = Value;
}

uint8_t* TGIFSubImage::Scanline(int Y)
{
    return PixelAt(0, Y);
}

TGIFColorMap& TGIFSubImage::ActiveColorMap()
{
    if (colorMap_.Count() > 0 || !Image() || Image()->Header().ColorMap().Count() == 0)
        return colorMap_;
    return Image()->Header().ColorMap();
}

void TGIFSubImage::CountPixels(TColorUse& Counts) const
{
    for (uint8_t value : data_)
        ++Counts[value];
}

void TGIFSubImage::RemapPixels(const TColorRemap& Map)
{
    for (uint8_t& value : data_)
        value = Map[value];
    if (transparent_ && graphicControl_)
        graphicControl_->SetTransparentColorIndex(Map[graphicControl_->TransparentColorIndex()]);
}

TGIFVersion TGIFSubImage::GetVersion() const
{
    return colorMap_.Sorted() || extensions_.Count() > 0 ? gv89a : gv87a;
}

void TGIFSubImage::SaveToStream(TStream& Stream)
{
    extensions_.SaveToStream(Stream);
    if (Empty())
        return;

    int bits = 0;
    int colorLimit = 0;
    if (colorMap_.Count() > 0) {
        bits = colorMap_.BitsForCount();
        colorLimit = colorMap_.Count();
        descriptor_.PackedFields = uint8_t(ColorMapFlag | (colorMap_.Sorted() ? SortFlag : 0) |
                                           ((colorMap_.BitsForCount() - 1) & 7));
    } else {
        bits = Image() ? Image()->MaxBitsPerPixel() : 8;
        colorLimit = 1 << bits;
        descriptor_.PackedFields &= 0x58;
    }

    uint8_t bytes[10] = {0x2C};
    PutU16(bytes + 1, descriptor_.Left);
    PutU16(bytes + 3, descriptor_.Top);
    PutU16(bytes + 5, descriptor_.Width);
    PutU16(bytes + 7, descriptor_.Height);
    bytes[9] = descriptor_.PackedFields;
    Stream.WriteBuffer(bytes, sizeof bytes);
    colorMap_.SaveToStream(Stream);

    std::unique_ptr<TGIFEncoder> encoder;
    if (Image() && Image()->Encoding == geRLE)
        encoder = std::make_unique<TRLEEncoder>();
    else
        encoder = std::make_unique<TLZWEncoder>();
    encoder->Encode(Stream, bits, colorLimit, data_.data(), Interlaced(), Height(), Width());
}

void TGIFSubImage::LoadFromStream(TStream& Stream)
{
    Clear();
    extensions_.LoadFromStream(Stream);
    uint8_t next = 0;
    if (!TryReadByte(Stream, next))
        return;
    StepBack(Stream);
    if (next == 0x3B || next == 0)
        return;

    uint8_t bytes[10];
    ReadCheck(Stream, bytes, sizeof bytes);
    descriptor_.Separator = bytes[0];
    descriptor_.Left = GetU16(bytes + 1);
    descriptor_.Top = GetU16(bytes + 3);
    descriptor_.Width = GetU16(bytes + 5);
    descriptor_.Height = GetU16(bytes + 7);
    descriptor_.PackedFields = bytes[9];
    if ((descriptor_.Width == 0 || descriptor_.Height == 0) && Image()) {
        if (descriptor_.Width == 0)
            descriptor_.Width = uint16_t(Image()->Header().Width());
        if (descriptor_.Height == 0)
            descriptor_.Height = uint16_t(Image()->Header().Height());
        Warning(gsWarning, gifmsg::ExceedsScreen);
    }
    if (descriptor_.PackedFields & ColorMapFlag)
        colorMap_.LoadFromStream(Stream, 2 << (descriptor_.PackedFields & 7));

    const uint8_t fill = transparent_ && graphicControl_ ? graphicControl_->TransparentColorIndex() : 0;
    AllocatePixels(int64_t(descriptor_.Width) * descriptor_.Height, fill);
    DecodeLZW(Stream, data_.data(), Width(), Height(), Interlaced(),
              [this](const QString& message) { Warning(gsWarning, message); });
}
