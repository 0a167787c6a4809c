// The shell's feedback formats: the drop effects a source prefers and a target performed, "Paste
// Succeeded", "InShellDragLoop" (a flag), each one 32-bit value, and "TargetCLSID", the class id
// of the target.
#pragma once

#include "dragdrop/dword_clipboard_format.h"

inline constexpr TFormatSpec PreferredDropEffectSpec{"TPreferredDropEffectClipboardFormat", "Preferred DropEffect", 0};
inline constexpr TFormatSpec PerformedDropEffectSpec{"TPerformedDropEffectClipboardFormat", "Performed DropEffect", 0};
inline constexpr TFormatSpec LogicalPerformedDropEffectSpec{"TLogicalPerformedDropEffectClipboardFormat",
                                                            "Logical Performed DropEffect", 0};
inline constexpr TFormatSpec PasteSucceededSpec{"TPasteSuccededClipboardFormat", "Paste Succeeded", 0};
inline constexpr TFormatSpec InShellDragLoopSpec{"TInShellDragLoopClipboardFormat", "InShellDragLoop", 0};

using TPreferredDropEffectClipboardFormat = TNamedFormat<TCustomDWORDClipboardFormat, PreferredDropEffectSpec>;
using TPerformedDropEffectClipboardFormat = TNamedFormat<TCustomDWORDClipboardFormat, PerformedDropEffectSpec>;
using TLogicalPerformedDropEffectClipboardFormat =
    TNamedFormat<TCustomDWORDClipboardFormat, LogicalPerformedDropEffectSpec>;
using TPasteSuccededClipboardFormat = TNamedFormat<TCustomDWORDClipboardFormat, PasteSucceededSpec>;
using TInShellDragLoopClipboardFormat = TNamedFormat<TCustomDWORDClipboardFormat, InShellDragLoopSpec>;

// "TargetCLSID": a block of exactly 16 bytes; holds data when the id is not GUID_NULL.
class TTargetCLSIDClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    TTargetCLSIDClipboardFormat();

    win::CLIPFORMAT GetClipboardFormat() const override;
    bool ParseBlock(std::span<const std::uint8_t> Block) override;
    bool FillBlock(std::span<std::uint8_t> Block) override;
    std::int64_t BlockSize() const override { return sizeof(win::CLSID); }
    void Clear() override { CLSID = win::GUID_NULL; }
    bool HoldsData() const override { return !(CLSID == win::GUID_NULL); }

    win::CLSID CLSID = win::GUID_NULL;
};
