// The "TargetCLSID" format.
#include "dragdrop/feedback_clipboard_formats.h"

#include <cstring>

const TClipboardFormatClass TTargetCLSIDClipboardFormat::Class{
    "TTargetCLSIDClipboardFormat", &TCustomSimpleClipboardFormat::Class,
    []() -> TClipboardFormat* { return new TTargetCLSIDClipboardFormat; }};

TTargetCLSIDClipboardFormat::TTargetCLSIDClipboardFormat() : TCustomSimpleClipboardFormat(Class) {}

win::CLIPFORMAT TTargetCLSIDClipboardFormat::GetClipboardFormat() const
{
    static const win::CLIPFORMAT id = RegisterFormatName(QStringLiteral("TargetCLSID"));
    return id;
}

bool TTargetCLSIDClipboardFormat::ParseBlock(std::span<const std::uint8_t> Block)
{
    if (Block.size() != sizeof CLSID)
        return false;
    std::memcpy(&CLSID, Block.data(), sizeof CLSID);
    return true;
}

bool TTargetCLSIDClipboardFormat::FillBlock(std::span<std::uint8_t> Block)
{
    if (Block.size() != sizeof CLSID)
        return false;
    std::memcpy(Block.data(), &CLSID, sizeof CLSID);
    return true;
}
