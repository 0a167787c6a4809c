// The text formats: CF_TEXT, and "FileContents" holding the text of the first virtual file.
#pragma once

#include "dragdrop/string_clipboard_formats.h"

inline constexpr TFormatSpec TextFormatSpec{"TTextClipboardFormat", nullptr, win::CF_TEXT};
using TTextClipboardFormat = TNamedFormat<TCustomTextClipboardFormat, TextFormatSpec>;

// "FileContents" as text: its record asks for the first virtual file (lindex 0).
class TFileContentsClipboardFormat : public TCustomTextClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    TFileContentsClipboardFormat();

    win::CLIPFORMAT GetClipboardFormat() const override;
};
