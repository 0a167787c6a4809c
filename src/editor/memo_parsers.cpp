// The editor control's parser slots: installing a parser, the settings that follow the active
// one, the font fed back into them, and the options dialog of the active parser.
#include "editor/custom_syntax_memo.h"

#include "editor/document/syntax_memo_error.h"
#include "editor/language/sm_settings.h"

#include "platform/rtl/resource_strings.h"
#include "platform/ui/message_dialogs.h"

#include <algorithm>

TCustomSyntaxMemoParser* TCustomSyntaxMemo::Parser(int Slot) const
{
    return Slot >= 1 && Slot <= ParserSlotCount ? parsers_[std::size_t(Slot - 1)] : nullptr;
}

void TCustomSyntaxMemo::SetParser(int Slot, TCustomSyntaxMemoParser* Value)
{
    if (Slot >= 1 && Slot <= ParserSlotCount)
        InstallParser(Slot, Value);
}

void TCustomSyntaxMemo::SetActiveParser(int Value)
{
    if (Value < 1 || Value > ParserSlotCount)
        throw ESyntaxMemo(LoadStr(4198));
    activeParser_ = Value;
    InstallParser(Value, Parser(Value));
}

TCustomSyntaxMemoParser* TCustomSyntaxMemo::CurrentParser() const
{
    return Parser(activeParser_);
}

// A parser leaves this editor's list only when no other slot still holds it, so that a parser
// freed later always finds the editor to tell.
void TCustomSyntaxMemo::InstallParser(int Slot, TCustomSyntaxMemoParser* Value)
{
    TCustomSyntaxMemoParser*& slot = parsers_[std::size_t(Slot - 1)];
    if (slot != Value) {
        TCustomSyntaxMemoParser* old = std::exchange(slot, Value);
        if (old && std::find(parsers_.begin(), parsers_.end(), old) == parsers_.end())
            old->RemoveEditor(this);
    }
    if (Value)
        Value->AddEditor(this);
    if (Slot == activeParser_)
        SwitchSettings(Value ? Value->Settings() : *ownSettings_);
}

void TCustomSyntaxMemo::SwitchSettings(TSM_Settings& Settings)
{
    if (attachedSettings_)
        attachedSettings_->DetachEditor(this);
    attachedSettings_ = nullptr;
    settings_ = &Settings;
    if (destroying_)
        return;
    settings_->AttachEditor(this);
    attachedSettings_ = settings_;
    if (hasFocus())
        HookSettings();
    reWrapNeeded_ = reWrapNeeded_ || ((settings_->Options ^ cachedOptions_) & OPT_WORDWRAP) ||
                    settings_->WrapAtColumn != cachedWrapColumn_;
    cachedOptions_ = settings_->Options;
    cachedWrapColumn_ = settings_->WrapAtColumn;
    Perform(sm::SM_APPLYSETTINGS, 0, 0);
}

void TCustomSyntaxMemo::Loaded()
{
    Invalidate();
    SetModified(false);
    for (TCustomSyntaxMemoParser* parser : parsers_) {
        if (parser)
            parser->AddEditor(this);
    }
    if (settings_ == ownSettings_.get() && attachedSettings_ != settings_) {
        settings_->AttachEditor(this);
        attachedSettings_ = settings_;
    }
    Invalidate();
}

void TCustomSyntaxMemo::ReinstallParser()
{
    InstallParser(activeParser_, CurrentParser());
}

// Runs inside the parser's destructor, which has already emptied its editor list and detaches
// this editor once more from its settings afterwards (the attachment of its list).
void TCustomSyntaxMemo::ParserFreed(TCustomSyntaxMemoParser* Parser)
{
    for (std::size_t i = 0; i < parsers_.size(); ++i) {
        if (parsers_[i] != Parser)
            continue;
        parsers_[i] = nullptr;
        if (int(i) + 1 == activeParser_)
            SwitchSettings(*ownSettings_);
    }
}

// While the parser refreshes its editors the font they measure is the parser's already. The
// first measurement with a parser lists this editor with it. Later ones hand a font set on this
// editor to every editor of the parser; a font that came from the settings is not sent round
// again.
void TCustomSyntaxMemo::FeedFontBack()
{
    TCustomSyntaxMemoParser* parser = CurrentParser();
    const bool fontSet = std::exchange(fontSet_, false);
    if (!parser || NoFontFeedback || destroying_ || parser->Refreshing())
        return;
    if (firstMeasurement_) {
        firstMeasurement_ = false;
        parser->AddEditor(this);
        return;
    }
    TSM_Settings& settings = parser->Settings();
    if (!fontSet && settings.FontName == font().family() && settings.FontSize == font().pointSize())
        return;
    settings.FontName = font().family();
    settings.FontSize = font().pointSize();
    parser->RefreshEditors();
}

// The editor is off the parser's list while the dialog edits its settings, so that the dialog's
// own refreshes do not reach it; confirmed changes are applied once afterwards.
void TCustomSyntaxMemo::EditOptions()
{
    TCustomSyntaxMemoParser* parser = CurrentParser();
    if (!parser) {
        MessageDlg(LoadStr(4402), mtInformation, {mbOK});
        return;
    }
    const std::uint32_t options = settings_->Options;
    const int wrapColumn = settings_->WrapAtColumn;
    // Off the list: the settings stay attached through this editor's own attachment.
    parser->RemoveEditor(this);
    bool confirmed = false;
    try {
        confirmed = parser->ShowOptionsDialog(VisiblePropEdPages);
    } catch (...) {
        parser->AddEditor(this);
        throw;
    }
    parser->AddEditor(this);
    if (confirmed) {
        reWrapNeeded_ = ((options ^ settings_->Options) & OPT_WORDWRAP) || wrapColumn != settings_->WrapAtColumn;
        settings_->UpdateStyleFonts();
        RefreshView();
    }
    cachedOptions_ = settings_->Options;
    cachedWrapColumn_ = settings_->WrapAtColumn;
}
