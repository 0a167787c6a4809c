// The settings stream.
#include "editor/language/sm_settings.h"

#include "editor/document/table_stream.h"

#include "platform/rtl/streams.h"

namespace {

// The gutter font follows only in streams newer than this version.
constexpr std::int32_t LastVersionWithoutGutterFont = 50;

// Bytes per stored item, at the least.
constexpr int StyleEffectStreamSize = 1 + 1 + 4 + 4 + 1 + 1 + 1 + 4;
constexpr int TokenStyleStreamSize = 2;
constexpr int EditableStyleStreamSize = 4 + 1;
constexpr int KeywordTableStreamSize = 32 + 4 + 4 + 4;
constexpr int KeywordStreamSize = 4 + 4;

void WriteText(TStream& Stream, const QString& Text)
{
    WriteLongString(Stream, Text.toLatin1());
}

QString ReadText(TStream& Stream)
{
    return QString::fromLatin1(ReadLongString(Stream));
}

[[noreturn]] void BadData()
{
    throw EReadError(QStringLiteral("Stream read error"));
}

} // namespace

void TSM_Settings::SaveToStream(TStream& Stream) const
{
    WriteText(Stream, ExampleText);
    WriteText(Stream, Name);
    WriteText(Stream, WrapOverride);
    for (const std::int32_t value :
         {std::int32_t(Options), Margin, RightMargin, WrapAtColumn, Gutter, IndentStep, MarginColor,
          GutterColor, SelTextColor, SelTextBack, TabDefault})
        WriteInteger(Stream, value);

    WriteInteger(Stream, std::int32_t(std::count_if(styleEffects_.begin(), styleEffects_.end(),
                                                    [](const TSM_StyleEffect& e) { return e.InUse != 0; })));
    for (std::size_t style = 0; style < styleEffects_.size(); ++style) {
        const TSM_StyleEffect& effect = styleEffects_[style];
        if (!effect.InUse)
            continue;
        WriteByte(Stream, std::uint8_t(style));
        WriteByte(Stream, std::uint8_t(effect.FontStyles));
        WriteInteger(Stream, effect.Foreground);
        WriteInteger(Stream, effect.Background);
        WriteByte(Stream, effect.UseDefaultForeground);
        WriteByte(Stream, effect.UseDefaultBackground);
        WriteByte(Stream, effect.Hotspot);
        WriteInteger(Stream, effect.InUse);
    }

    WriteInteger(Stream, std::int32_t(std::count_if(TokenStyles.begin(), TokenStyles.end(),
                                                    [](std::uint8_t s) { return s != 0; })));
    for (std::size_t token = 0; token < TokenStyles.size(); ++token) {
        if (TokenStyles[token] == 0)
            continue;
        WriteByte(Stream, std::uint8_t(token));
        WriteByte(Stream, TokenStyles[token]);
    }

    WriteInteger(Stream,
                 std::int32_t(std::count_if(editableStyles_.begin(), editableStyles_.end(),
                                            [](const TSM_EditableStyle& e) { return !e.Name.isEmpty(); })));
    for (const TSM_EditableStyle& entry : editableStyles_) {
        if (entry.Name.isEmpty())
            continue;
        WriteText(Stream, entry.Name);
        WriteByte(Stream, entry.Style);
    }

    for (const std::int32_t column : TabColumns)
        WriteInteger(Stream, column);
    WriteText(Stream, FontName);
    WriteInteger(Stream, FontSize);
    WriteByte(Stream, FontCharSet);
    for (const std::uint8_t flag :
         {DefaultMarginColor, DefaultSelTextColor, DefaultSelTextBack, DefaultGutterColor})
        WriteByte(Stream, flag);

    WriteInteger(Stream, std::int32_t(std::count_if(keywordTables_.begin(), keywordTables_.end(),
                                                    [](const auto& t) { return t.has_value(); })));
    for (const std::optional<TKeywordTable>& table : keywordTables_) {
        if (!table)
            continue;
        WriteStateSet(Stream, table->States);
        WriteLongString(Stream, table->EndSpec);
        WriteInteger(Stream, table->CaseFlag);
        WriteInteger(Stream, std::int32_t(table->Words.size()));
        for (const TKeywordTableWord& word : table->Words) {
            WriteLongString(Stream, word.Word);
            WriteInteger(Stream, word.Token);
        }
    }

    autoReplace_->SaveToStream(Stream);
    codeTemplates_->SaveToStream(Stream);
    keyController_->SaveToStream(Stream);

    if (StreamVersion > LastVersionWithoutGutterFont) {
        WriteText(Stream, gutterFont_.Name);
        WriteInteger(Stream, gutterFont_.Size);
        WriteByte(Stream, gutterFont_.CharSet);
        WriteInteger(Stream, gutterFont_.Color);
        WriteByte(Stream, gutterFont_.Style);
    }
}

void TSM_Settings::ReadStyles(TStream& Stream)
{
    const std::int32_t styles = ReadCount(Stream, 256, StyleEffectStreamSize);
    for (std::int32_t i = 0; i < styles; ++i) {
        const std::uint8_t style = ReadByte(Stream);
        TSM_StyleEffect effect;
        effect.FontStyles = ReadByte(Stream);
        effect.Foreground = ReadInteger(Stream);
        effect.Background = ReadInteger(Stream);
        effect.UseDefaultForeground = ReadByte(Stream);
        effect.UseDefaultBackground = ReadByte(Stream);
        effect.Hotspot = ReadByte(Stream);
        effect.InUse = ReadInteger(Stream);
        styleEffects_[style] = effect;
    }
    FreeStyleFonts();

    const std::int32_t tokens = ReadCount(Stream, 256, TokenStyleStreamSize);
    for (std::int32_t i = 0; i < tokens; ++i) {
        const std::uint8_t token = ReadByte(Stream);
        TokenStyles[token] = ReadByte(Stream);
    }

    // Stored packed: the named entries become entries 1..k.
    const std::int32_t editable = ReadCount(Stream, EditableStyleCount, EditableStyleStreamSize);
    for (std::int32_t i = 0; i < editable; ++i) {
        TSM_EditableStyle& entry = editableStyles_[std::size_t(i)];
        entry.Name = ReadText(Stream).left(TSM_EditableStyle::MaxNameLength);
        entry.Style = ReadByte(Stream);
    }
}

void TSM_Settings::ReadKeywordTables(TStream& Stream)
{
    const std::int32_t tables = ReadCount(Stream, KeywordTableSlots, KeywordTableStreamSize);
    for (std::int32_t t = 0; t < tables; ++t) {
        const TSM_StateSet states = ReadStateSet(Stream);
        const QByteArray endSpec = ReadLongString(Stream);
        const auto caseFlag = std::uint8_t(ReadInteger(Stream));
        const std::int32_t count = ReadCount(Stream, INT32_MAX, KeywordStreamSize);
        std::vector<TKeywordTableWord> words(static_cast<std::size_t>(count));
        for (TKeywordTableWord& word : words) {
            word.Word = ReadLongString(Stream);
            word.Token = ReadInteger(Stream);
        }
        AddKeywordTable(states, endSpec, caseFlag, words);
    }
}

void TSM_Settings::LoadFromStream(TStream& Stream)
{
    SetDefaults();
    ExampleText = ReadText(Stream);
    Name = ReadText(Stream);
    WrapOverride = ReadText(Stream);
    Options = std::uint32_t(ReadInteger(Stream));
    for (std::int32_t* field : {&Margin, &RightMargin, &WrapAtColumn, &Gutter, &IndentStep, &MarginColor,
                                &GutterColor, &SelTextColor, &SelTextBack, &TabDefault})
        *field = ReadInteger(Stream);
    // Tab stops are multiples of the default tab.
    if (TabDefault < 1)
        BadData();

    ReadStyles(Stream);
    for (std::int32_t& column : TabColumns)
        column = ReadInteger(Stream);
    FontName = ReadText(Stream);
    FontSize = ReadInteger(Stream);
    FontCharSet = ReadByte(Stream);
    for (std::uint8_t* flag :
         {&DefaultMarginColor, &DefaultSelTextColor, &DefaultSelTextBack, &DefaultGutterColor})
        *flag = ReadByte(Stream);
    ReadKeywordTables(Stream);

    autoReplace_->LoadFromStream(Stream);
    codeTemplates_->LoadFromStream(Stream);
    keyController_->LoadFromStream(Stream);

    if (StreamVersion > LastVersionWithoutGutterFont) {
        TGutterFont font;
        font.Name = ReadText(Stream);
        font.Size = ReadInteger(Stream);
        font.CharSet = ReadByte(Stream);
        font.Color = ReadInteger(Stream);
        font.Style = ReadByte(Stream);
        SetGutterFont(font);
    }
}
