// Graphic control, plain text and comment extensions.
#include "imaging/gif_extensions.h"

#include "imaging/gif_frame.h"
#include "imaging/gif_stream_io.h"

TGIFGraphicControlExtension::TGIFGraphicControlExtension(TGIFSubImage* ASubImage) : TGIFExtension(ASubImage)
{
    if (ASubImage && !ASubImage->GraphicControlExtension())
        ASubImage->SetGraphicControlExtension(this);
}

TGIFGraphicControlExtension::~TGIFGraphicControlExtension()
{
    TGIFSubImage* frame = SubImage();
    if (!frame)
        return;
    if (Transparent())
        frame->SetTransparent(false);
    if (frame->GraphicControlExtension() == this)
        frame->SetGraphicControlExtension(nullptr);
}

void TGIFGraphicControlExtension::SetTransparent(bool Value)
{
    flags_ = Value ? uint8_t(flags_ | TransparentFlag) : uint8_t(flags_ & ~TransparentFlag);
    if (SubImage())
        SubImage()->SetTransparent(Value);
}

void TGIFGraphicControlExtension::SetUserInput(bool Value)
{
    flags_ = Value ? uint8_t(flags_ | UserInputFlag) : uint8_t(flags_ & ~UserInputFlag);
}

void TGIFGraphicControlExtension::SetDisposal(uint8_t Value)
{
    flags_ = uint8_t((flags_ & ~0x1C) | (Value & 7) << 2);
}

void TGIFGraphicControlExtension::SaveData(TStream& Stream)
{
    uint8_t bytes[6] = {blockSize_, flags_, 0, 0, transparentIndex_, terminator_};
    PutU16(bytes + 2, delay_);
    Stream.WriteBuffer(bytes, sizeof bytes);
}

void TGIFGraphicControlExtension::LoadData(TStream& Stream)
{
    uint8_t bytes[6] = {};
    if (Stream.Read(bytes, sizeof bytes) != int64_t(sizeof bytes))
        Warning(gsWarning, gifmsg::PrematureEOF);
    blockSize_ = bytes[0];
    flags_ = bytes[1];
    delay_ = GetU16(bytes + 2);
    transparentIndex_ = bytes[4];
    terminator_ = bytes[5];
    TGIFSubImage* frame = SubImage();
    if (Transparent() && frame) {
        frame->SetTransparent(true);
        // The index counts only for a transparent frame; others often hold any value there.
        const int colors = frame->ActiveColorMap().Count();
        if (colors > 0 && transparentIndex_ >= colors) {
            Warning(gsWarning, gifmsg::BadColorIndex);
            transparentIndex_ = 0;
        }
    }
}

void TGIFTextExtension::SaveData(TStream& Stream)
{
    uint8_t bytes[13] = {blockSize_};
    PutU16(bytes + 1, Left);
    PutU16(bytes + 3, Top);
    PutU16(bytes + 5, GridWidth);
    PutU16(bytes + 7, GridHeight);
    bytes[9] = CellWidth;
    bytes[10] = CellHeight;
    bytes[11] = TextColorIndex;
    bytes[12] = BackgroundColorIndex;
    Stream.WriteBuffer(bytes, sizeof bytes);
    WriteStrings(Stream, Text);
}

void TGIFTextExtension::LoadData(TStream& Stream)
{
    uint8_t bytes[13];
    ReadCheck(Stream, bytes, sizeof bytes);
    blockSize_ = bytes[0];
    Left = GetU16(bytes + 1);
    Top = GetU16(bytes + 3);
    GridWidth = GetU16(bytes + 5);
    GridHeight = GetU16(bytes + 7);
    CellWidth = bytes[9];
    CellHeight = bytes[10];
    TextColorIndex = bytes[11];
    BackgroundColorIndex = bytes[12];
    Text = ReadStrings(Stream);
}

void TGIFCommentExtension::SaveData(TStream& Stream)
{
    WriteStrings(Stream, Text);
}

void TGIFCommentExtension::LoadData(TStream& Stream)
{
    Text = ReadStrings(Stream);
}
