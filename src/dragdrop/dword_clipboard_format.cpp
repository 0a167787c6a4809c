// The 32-bit value family.
#include "dragdrop/dword_clipboard_format.h"

#include <cstring>

const TClipboardFormatClass TCustomDWORDClipboardFormat::Class{"TCustomDWORDClipboardFormat",
                                                               &TCustomSimpleClipboardFormat::Class, nullptr};

bool TCustomDWORDClipboardFormat::ParseBlock(std::span<const std::uint8_t> Block)
{
    if (Block.size() < sizeof Value)
        return false;
    std::memcpy(&Value, Block.data(), sizeof Value);
    return true;
}

bool TCustomDWORDClipboardFormat::FillBlock(std::span<std::uint8_t> Block)
{
    if (Block.size() != sizeof Value)
        return false;
    std::memcpy(Block.data(), &Value, sizeof Value);
    return true;
}
