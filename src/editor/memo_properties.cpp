// The editor control's properties kept in its settings, with their setter rules, the option set,
// applying the settings, the text's left edge, position conversions and the search-failure report.
#include "editor/custom_syntax_memo.h"

#include "editor/document/syntax_memo_error.h"
#include "editor/language/sm_settings.h"
#include "editor/language/tab_columns.h"

#include "platform/rtl/resource_strings.h"
#include "platform/ui/message_dialogs.h"

#include <array>
#include <cmath>

namespace {

// The option word's bit of each member of the set, in the set's order.
constexpr std::array<std::uint32_t, SyntaxMemoOptionCount> OptionBits = {
    OPT_SYNTAX_HIGHLIGHT, OPT_PRINT_WRAP,        OPT_PRINT_LINENOS,      OPT_PRINT_FILENAME,
    OPT_PRINT_DATE,       OPT_PRINT_PAGENOS,     OPT_WORDWRAP,           OPT_AUTOINDENT,
    OPT_TABCOLUMN,        OPT_WRAP_OVERRIDE,     OPT_WORD_SELECT,        OPT_SHOW_RIGHT_MARGIN,
    OPT_SHOW_GUTTER,      OPT_SHOW_WRAPCOLUMN,   OPT_TITLE_AS_FILENAME,  OPT_PROCESS_DROP_FILES,
    OPT_BLOCK_CURSOR,     OPT_WRAP_GLYPH,        OPT_COLUMN_TRACK,       OPT_USE_TAB,
    OPT_SMART_FILL,       OPT_OLE_DRAG_SOURCE,   OPT_CARET_AFTER_EOL,    OPT_LINE_NUMBERS,
    OPT_SHOW_CONTROL_CHARS,
};

// The smallest gutter, and the largest as a percentage of the client width.
constexpr int MinGutter = 34;
constexpr int MaxGutterPercent = 20;
constexpr int MaxIndentStep = 19;

} // namespace

std::uint32_t OptionBit(TSyntaxMemoOption Option)
{
    return OptionBits[std::size_t(Option)];
}

std::uint32_t OptionsToWord(TSyntaxMemoOptions Options)
{
    std::uint32_t word = 0;
    for (int member = 0; member < SyntaxMemoOptionCount; ++member) {
        if (Options & (1u << member))
            word |= OptionBits[std::size_t(member)];
    }
    return word;
}

TSyntaxMemoOptions WordToOptions(std::uint32_t Word)
{
    TSyntaxMemoOptions options = 0;
    for (int member = 0; member < SyntaxMemoOptionCount; ++member) {
        if (Word & OptionBits[std::size_t(member)])
            options |= 1u << member;
    }
    return options;
}

// --- the option word ---

std::uint32_t TCustomSyntaxMemo::OptionWord() const
{
    return settings_->Options;
}

void TCustomSyntaxMemo::SetOptionWord(std::uint32_t Word, bool Quiet)
{
    const bool wrapChanged = (settings_->Options ^ Word) & OPT_WORDWRAP;
    const bool glyphsWanted = (Word & ~settings_->Options) & OPT_SHOW_CONTROL_CHARS;
    settings_->Options = Word;
    // The glyphs that show blanks, TABs and line ends are made with the style fonts.
    if (glyphsWanted)
        settings_->UpdateStyleFonts();
    setAcceptDrops(Word & OPT_PROCESS_DROP_FILES);
    if (wrapChanged) {
        TMemoCore::WordWrap = Word & OPT_WORDWRAP;
        leftColumn_ = 0;
        if (ready_)
            ReWrap(nullptr, nullptr);
    }
    if (Quiet)
        return;
    ScrollCaretIntoView();
    Invalidate();
}

TSyntaxMemoOptions TCustomSyntaxMemo::Options() const
{
    return WordToOptions(OptionWord());
}

void TCustomSyntaxMemo::SetOptions(TSyntaxMemoOptions Value)
{
    Perform(sm::SM_OPTIONS, sm::smSet, win::LPARAM(OptionsToWord(Value)));
    UpdateScrollBars();
}

bool TCustomSyntaxMemo::GetWordWrap() const
{
    return OptionWord() & OPT_WORDWRAP;
}

void TCustomSyntaxMemo::SetWordWrap(bool Value)
{
    const std::uint32_t word = Value ? OptionWord() | OPT_WORDWRAP : OptionWord() & ~OPT_WORDWRAP;
    Perform(sm::SM_OPTIONS, sm::smSet, win::LPARAM(word));
}

// --- applying the settings ---

void TCustomSyntaxMemo::ApplySettings()
{
    const QFont wanted(settings_->FontName, settings_->FontSize);
    if (!fontChanging_ && (font().family() != wanted.family() || font().pointSize() != wanted.pointSize())) {
        fontChanging_ = true;
        setFont(wanted);
        fontChanging_ = false;
    }
    TabStops = settings_->TabStops();
    TMemoCore::WordWrap = settings_->Options & OPT_WORDWRAP;
    Measure();
    Invalidate();
    settings_->UpdateStyleFonts();
    // A parser whose settings turned word wrap off leaves wrapped lines to join.
    if (ready_ && (TMemoCore::WordWrap || reWrapNeeded_))
        ReWrap(nullptr, nullptr);
    reWrapNeeded_ = false;
    Changed();
    UpdateScrollBars();
}

// Every editor showing the active parser's settings is refreshed by the parser; without one the
// control re-applies its own settings.
void TCustomSyntaxMemo::RefreshView()
{
    if (TCustomSyntaxMemoParser* parser = CurrentParser())
        parser->RefreshEditors();
    else
        Perform(sm::SM_APPLYSETTINGS, 0, 0);
}

// --- properties ---

int TCustomSyntaxMemo::Gutter() const
{
    return settings_->Gutter;
}

void TCustomSyntaxMemo::SetGutter(int Value)
{
    if (clientWidth_ <= 0)
        return;
    const int percent = int(std::lround(double(Value) * 100 / clientWidth_));
    if (Value != 0 && (Value < MinGutter || percent > MaxGutterPercent))
        return;
    settings_->Gutter = Value;
    RefreshView();
}

int TCustomSyntaxMemo::Margin() const
{
    return settings_->Margin;
}

void TCustomSyntaxMemo::SetMargin(int Value)
{
    if (Value == settings_->Margin || Value > metrics_.CharWidth)
        return;
    settings_->Margin = Value;
    RefreshView();
}

int TCustomSyntaxMemo::RightMargin() const
{
    return settings_->RightMargin;
}

void TCustomSyntaxMemo::SetRightMargin(int Value)
{
    if (Value == settings_->RightMargin)
        return;
    settings_->RightMargin = Value;
    RefreshView();
}

int TCustomSyntaxMemo::IndentStep() const
{
    return settings_->IndentStep;
}

void TCustomSyntaxMemo::SetIndentStep(int Value)
{
    if (Value >= 1 && Value <= MaxIndentStep)
        settings_->IndentStep = Value;
}

int TCustomSyntaxMemo::TabDefault() const
{
    return settings_->TabDefault;
}

// A default of 0 or less would make the next tab stop stand at or before the column it follows.
void TCustomSyntaxMemo::SetTabDefault(int Value)
{
    if (Value <= 0)
        throw ESyntaxMemo(LoadStr(4204));
    settings_->TabDefault = Value;
    TabStops = settings_->TabStops();
    RefreshView();
}

QString TCustomSyntaxMemo::TabColumns() const
{
    return TabColumnsToStr(settings_->TabColumns);
}

void TCustomSyntaxMemo::SetTabColumns(const QString& Value)
{
    settings_->TabColumns = StrToTabColumns(Value);
    TabStops = settings_->TabStops();
    RefreshView();
}

int TCustomSyntaxMemo::WrapAtColumn() const
{
    return settings_->WrapAtColumn;
}

void TCustomSyntaxMemo::SetWrapAtColumn(int Value)
{
    const bool changed = Value != settings_->WrapAtColumn;
    settings_->WrapAtColumn = Value;
    WrapRuleChanged(changed);
}

// A changed wrap column or exemption re-wraps the text while words wrap.
void TCustomSyntaxMemo::WrapRuleChanged(bool Changed)
{
    if (!Changed || !GetWordWrap())
        return;
    ReWrap(nullptr, nullptr);
    ScrollCaretIntoView();
    Invalidate();
}

QString TCustomSyntaxMemo::WrapOverride() const
{
    return settings_->WrapOverride;
}

void TCustomSyntaxMemo::SetWrapOverride(const QString& Value)
{
    const bool changed = Value != settings_->WrapOverride;
    settings_->WrapOverride = Value;
    WrapRuleChanged(changed);
}

void TCustomSyntaxMemo::SetReadOnly(bool Value)
{
    readOnly_ = Value;
    if (ReadOnlyColours.Use)
        Invalidate();
}

void TCustomSyntaxMemo::SetSetting(TColor& Field, TColor Value)
{
    if (Field == Value)
        return;
    Field = Value;
    RefreshView();
}

TColor TCustomSyntaxMemo::GutterColor() const
{
    return settings_->GutterColor;
}

void TCustomSyntaxMemo::SetGutterColor(TColor Value)
{
    SetSetting(settings_->GutterColor, Value);
}

TColor TCustomSyntaxMemo::MarginColor() const
{
    return settings_->MarginColor;
}

void TCustomSyntaxMemo::SetMarginColor(TColor Value)
{
    SetSetting(settings_->MarginColor, Value);
}

TColor TCustomSyntaxMemo::SelTextColor() const
{
    return settings_->SelTextColor;
}

void TCustomSyntaxMemo::SetSelTextColor(TColor Value)
{
    SetSetting(settings_->SelTextColor, Value);
}

TColor TCustomSyntaxMemo::SelTextBack() const
{
    return settings_->SelTextBack;
}

void TCustomSyntaxMemo::SetSelTextBack(TColor Value)
{
    SetSetting(settings_->SelTextBack, Value);
}

const TGutterFont& TCustomSyntaxMemo::GutterFont() const
{
    return settings_->GutterFont();
}

void TCustomSyntaxMemo::SetGutterFont(const TGutterFont& Value)
{
    settings_->SetGutterFont(Value);
    Invalidate();
}

void TCustomSyntaxMemo::SetPlainLook(const std::function<void(TSM_StyleEffect&)>& Change)
{
    TSM_StyleEffect effect = settings_->GetStyleEffects(0);
    Change(effect);
    settings_->SetStyleEffects(0, effect);
    RefreshView();
}

TColor TCustomSyntaxMemo::def_TextColor() const
{
    return settings_->GetStyleEffects(0).Foreground;
}

void TCustomSyntaxMemo::Setdef_TextColor(TColor Value)
{
    SetPlainLook([Value](TSM_StyleEffect& Effect) { Effect.Foreground = Value; });
}

TColor TCustomSyntaxMemo::def_BackColor() const
{
    return settings_->GetStyleEffects(0).Background;
}

void TCustomSyntaxMemo::Setdef_BackColor(TColor Value)
{
    SetPlainLook([Value](TSM_StyleEffect& Effect) {
        Effect.Background = Value;
        Effect.UseDefaultBackground = 0;
    });
}

std::uint32_t TCustomSyntaxMemo::def_FontStyle() const
{
    return settings_->GetStyleEffects(0).FontStyles;
}

// The style fonts are made again when the view refreshes.
void TCustomSyntaxMemo::Setdef_FontStyle(std::uint32_t Value)
{
    SetPlainLook([Value](TSM_StyleEffect& Effect) { Effect.FontStyles = Value; });
}

TCodeTemplates& TCustomSyntaxMemo::GetCodeTemplates()
{
    return settings_->CodeTemplates();
}

int TCustomSyntaxMemo::TextLeft() const
{
    return settings_->Margin + (HasOption(smoShowGutter) ? settings_->Gutter : 0);
}

// --- positions ---

void TCustomSyntaxMemo::LogicalToDisplay(int Line, int Char, int& Row, int& Column)
{
    Row = 1;
    Column = 1;
    int logical = 1;
    TLineRecord* record = TextStore().FirstLine();
    for (; record && logical < Line; record = record->Next, ++Row) {
        if (record->EndsLine())
            ++logical;
    }
    if (!record)
        return;
    int offset = std::max(0, Char - 1);
    // Down the records that continue the line while the character lies beyond them.
    while (!record->EndsLine() && record->Next && offset >= record->Length()) {
        offset -= record->Length();
        record = record->Next;
        ++Row;
    }
    Column = DisplayColumn(*record, offset, TabStops) + 1;
}

void TCustomSyntaxMemo::DisplayToLogical(int Row, int Column, int& Line, int& Char)
{
    Line = 1;
    Char = 1;
    int start = 0;
    const TLineRecord* record = TextStore().LineByIndex(std::max(0, Row - 1), &start);
    if (!record)
        return;
    int offset = OffsetAtColumn(*record, std::max(0, Column - 1), TabStops);
    for (const TLineRecord* previous = record->Prev; previous && !previous->EndsLine(); previous = previous->Prev)
        offset += previous->Length();
    for (const TLineRecord* line = TextStore().FirstLine(); line != record; line = line->Next) {
        if (line->EndsLine())
            ++Line;
    }
    Char = offset + 1;
}

// --- the search-failure report ---

void TCustomSyntaxMemo::ReportSearchFailure(const QString& SearchText)
{
    if (OnSearchFail) {
        OnSearchFail(this, SearchText);
        return;
    }
    MessageDlg(LoadStr(4404) + QStringLiteral(" \"") + SearchText + QStringLiteral("\" ") + LoadStr(4403),
               mtInformation, {mbOK});
}
