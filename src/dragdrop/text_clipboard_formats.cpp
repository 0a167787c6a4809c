// "FileContents" as text.
#include "dragdrop/text_clipboard_formats.h"

const TClipboardFormatClass TFileContentsClipboardFormat::Class{
    "TFileContentsClipboardFormat", &TCustomTextClipboardFormat::Class,
    []() -> TClipboardFormat* { return new TFileContentsClipboardFormat; }};

TFileContentsClipboardFormat::TFileContentsClipboardFormat() : TCustomTextClipboardFormat(Class)
{
    FormatEtc().lindex = 0;
}

win::CLIPFORMAT TFileContentsClipboardFormat::GetClipboardFormat() const
{
    static const win::CLIPFORMAT id = RegisterFormatName(QStringLiteral("FileContents"));
    return id;
}
