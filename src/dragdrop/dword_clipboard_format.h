// TCustomDWORDClipboardFormat, the family of the simple formats whose block is one little-endian
// 32-bit value.
#pragma once

#include "dragdrop/simple_clipboard_format.h"

class TCustomDWORDClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    // The value is the block's first 4 bytes; a shorter block is refused.
    bool ParseBlock(std::span<const std::uint8_t> Block) override;
    // Writes only into a block of exactly 4 bytes.
    bool FillBlock(std::span<std::uint8_t> Block) override;
    std::int64_t BlockSize() const override { return 4; }
    void Clear() override { Value = 0; }
    bool HoldsData() const override { return true; }

    // The value as a flag: true when not 0; a flag is stored as 1 or 0.
    bool ValueAsBoolean() const { return Value != 0; }
    void SetValueAsBoolean(bool Flag) { Value = win::DWORD(Flag) & 0x7F; }

    win::DWORD Value = 0;

protected:
    using TCustomSimpleClipboardFormat::TCustomSimpleClipboardFormat;
};
