// The feedback data format.
#include "dragdrop/feedback_data_format.h"

#include "dragdrop/feedback_clipboard_formats.h"

using namespace win;

const TDataFormatClass TFeedbackDataFormat::Class{
    "TFeedbackDataFormat", &TCustomDataFormat::Class,
    [](TComponent* AOwner) -> TCustomDataFormat* { return new TFeedbackDataFormat(AOwner); }};

TFeedbackDataFormat::TFeedbackDataFormat(TComponent* AOwner) : TCustomDataFormat(Class, AOwner) {}

void TFeedbackDataFormat::SetPreferredDropEffect(DWORD Value)
{
    Changing();
    preferredDropEffect_ = Value;
}

void TFeedbackDataFormat::SetPerformedDropEffect(DWORD Value)
{
    Changing();
    performedDropEffect_ = Value;
}

void TFeedbackDataFormat::SetInShellDragLoop(bool Value)
{
    Changing();
    inShellDragLoop_ = Value;
}

void TFeedbackDataFormat::Clear()
{
    Changing();
    preferredDropEffect_ = 0;
    performedDropEffect_ = 0;
    inShellDragLoop_ = false;
    ShellLoopValuePresent = false;
}

bool TFeedbackDataFormat::HoldsData() const
{
    return preferredDropEffect_ != 0 || performedDropEffect_ != 0 || PasteSucceeded != 0 || ShellLoopValuePresent;
}

bool TFeedbackDataFormat::LacksData() const
{
    return preferredDropEffect_ == 0 || performedDropEffect_ == 0 || PasteSucceeded == 0 || !ShellLoopValuePresent;
}

bool TFeedbackDataFormat::Assign(TClipboardFormat* ClipboardFormat)
{
    if (auto* value = dynamic_cast<TPreferredDropEffectClipboardFormat*>(ClipboardFormat))
        SetPreferredDropEffect(value->Value);
    else if (auto* value = dynamic_cast<TPerformedDropEffectClipboardFormat*>(ClipboardFormat))
        SetPerformedDropEffect(value->Value);
    else if (auto* value = dynamic_cast<TLogicalPerformedDropEffectClipboardFormat*>(ClipboardFormat))
        LogicalPerformedDropEffect = value->Value;
    else if (auto* value = dynamic_cast<TPasteSuccededClipboardFormat*>(ClipboardFormat))
        PasteSucceeded = value->Value;
    else if (auto* value = dynamic_cast<TInShellDragLoopClipboardFormat*>(ClipboardFormat)) {
        SetInShellDragLoop(value->ValueAsBoolean());
        ShellLoopValuePresent = true;
    } else if (auto* target = dynamic_cast<TTargetCLSIDClipboardFormat*>(ClipboardFormat))
        TargetCLSID = target->CLSID;
    else
        return TCustomDataFormat::Assign(ClipboardFormat);
    return true;
}

bool TFeedbackDataFormat::AssignTo(TClipboardFormat* ClipboardFormat)
{
    if (auto* value = dynamic_cast<TPreferredDropEffectClipboardFormat*>(ClipboardFormat))
        value->Value = preferredDropEffect_;
    else if (auto* value = dynamic_cast<TPerformedDropEffectClipboardFormat*>(ClipboardFormat))
        value->Value = performedDropEffect_;
    else if (auto* value = dynamic_cast<TLogicalPerformedDropEffectClipboardFormat*>(ClipboardFormat))
        value->Value = LogicalPerformedDropEffect;
    else if (auto* value = dynamic_cast<TPasteSuccededClipboardFormat*>(ClipboardFormat))
        value->Value = PasteSucceeded;
    else if (auto* value = dynamic_cast<TInShellDragLoopClipboardFormat*>(ClipboardFormat))
        value->SetValueAsBoolean(inShellDragLoop_);
    else if (auto* target = dynamic_cast<TTargetCLSIDClipboardFormat*>(ClipboardFormat))
        target->CLSID = TargetCLSID;
    else
        return TCustomDataFormat::AssignTo(ClipboardFormat);
    return true;
}
