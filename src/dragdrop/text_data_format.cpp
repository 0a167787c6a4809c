// The text data format.
#include "dragdrop/text_data_format.h"

#include "dragdrop/file_group_descriptor_formats.h"
#include "dragdrop/text_clipboard_formats.h"

const TDataFormatClass TTextDataFormat::Class{
    "TTextDataFormat", &TCustomDataFormat::Class,
    [](TComponent* AOwner) -> TCustomDataFormat* { return new TTextDataFormat(AOwner); }};

namespace {

// The name of the one virtual file a text is offered as.
const QString TextScrapName = QStringLiteral("Text scrap.txt");

// CF_TEXT or "FileContents" as text.
TCustomTextClipboardFormat* AsText(TClipboardFormat* Format)
{
    if (dynamic_cast<TTextClipboardFormat*>(Format) || dynamic_cast<TFileContentsClipboardFormat*>(Format))
        return static_cast<TCustomTextClipboardFormat*>(Format);
    return nullptr;
}

} // namespace

TTextDataFormat::TTextDataFormat(TComponent* AOwner) : TCustomDataFormat(Class, AOwner) {}

void TTextDataFormat::SetText(const QByteArray& Value)
{
    Changing();
    text_ = Value;
}

void TTextDataFormat::Clear()
{
    SetText({});
}

bool TTextDataFormat::Assign(TClipboardFormat* ClipboardFormat)
{
    if (TCustomTextClipboardFormat* text = AsText(ClipboardFormat)) {
        SetText(text->Data);
        return true;
    }
    return TCustomDataFormat::Assign(ClipboardFormat);
}

bool TTextDataFormat::AssignTo(TClipboardFormat* ClipboardFormat)
{
    if (TCustomTextClipboardFormat* text = AsText(ClipboardFormat)) {
        text->Data = text_;
        return true;
    }
    if (auto* descriptor = dynamic_cast<TCustomFileGroupDescriptorClipboardFormat*>(ClipboardFormat)) {
        descriptor->SetFileNames({TextScrapName});
        return true;
    }
    return TCustomDataFormat::AssignTo(ClipboardFormat);
}
