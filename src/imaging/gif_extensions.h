// The standard extensions: graphic control (timing, disposal, transparency), plain text, comment.
#pragma once

#include "imaging/gif_extension.h"

#include <QStringList>
#include <cstdint>

// What becomes of a frame's area before the next frame is drawn.
enum TDisposalMethod : uint8_t { dmUndefined, dmNoDisposal, dmBackground, dmPrevious };

// Label 0xF9. The first one made for a frame is the frame's graphic control extension; the
// transparent flag of the block and the frame's transparent flag go together.
class TGIFGraphicControlExtension final : public TGIFExtension {
public:
    explicit TGIFGraphicControlExtension(TGIFSubImage* ASubImage);
    ~TGIFGraphicControlExtension() override;

    uint8_t ExtensionLabel() const override { return 0xF9; }

    bool Transparent() const { return flags_ & TransparentFlag; }
    void SetTransparent(bool Value);
    bool UserInput() const { return flags_ & UserInputFlag; }
    void SetUserInput(bool Value);
    // Bits 2 to 4 of the flags; values above dmPrevious are kept as they are.
    uint8_t Disposal() const { return uint8_t((flags_ >> 2) & 7); }
    void SetDisposal(uint8_t Value);
    // In hundredths of a second.
    uint16_t Delay() const { return delay_; }
    void SetDelay(uint16_t Value) { delay_ = Value; }
    uint8_t TransparentColorIndex() const { return transparentIndex_; }
    void SetTransparentColorIndex(uint8_t Value) { transparentIndex_ = Value; }
    uint8_t Flags() const { return flags_; }

protected:
    void SaveData(TStream& Stream) override;
    // Six bytes; fewer give the warning "Premature end of data". A transparent frame whose index is
    // outside its colours gives the warning "Invalid color index", and the index becomes 0.
    void LoadData(TStream& Stream) override;

private:
    static constexpr uint8_t TransparentFlag = 0x01;
    static constexpr uint8_t UserInputFlag = 0x02;

    uint8_t blockSize_ = 4;
    uint8_t flags_ = 0;
    uint16_t delay_ = 0;
    uint8_t transparentIndex_ = 0;
    uint8_t terminator_ = 0;
};

// Label 0x01: text drawn into a grid of character cells.
class TGIFTextExtension final : public TGIFExtension {
public:
    using TGIFExtension::TGIFExtension;

    uint8_t ExtensionLabel() const override { return 0x01; }

    uint16_t Left = 0;
    uint16_t Top = 0;
    uint16_t GridWidth = 0;
    uint16_t GridHeight = 0;
    uint8_t CellWidth = 0;
    uint8_t CellHeight = 0;
    uint8_t TextColorIndex = 0;
    uint8_t BackgroundColorIndex = 0;
    // One string per sub-block, characters as bytes.
    QStringList Text;

protected:
    void SaveData(TStream& Stream) override;
    void LoadData(TStream& Stream) override;

private:
    uint8_t blockSize_ = 12;
};

// Label 0xFE: free text, one string per sub-block.
class TGIFCommentExtension final : public TGIFExtension {
public:
    using TGIFExtension::TGIFExtension;

    uint8_t ExtensionLabel() const override { return 0xFE; }

    QStringList Text;

protected:
    void SaveData(TStream& Stream) override;
    void LoadData(TStream& Stream) override;
};
