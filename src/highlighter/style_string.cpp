// The style string: writing version 6 and reading versions 1 to 9.
#include "highlighter/style_string.h"

#include "editor/document/syntax_memo_error.h"
#include "editor/language/sm_settings.h"
#include "editor/language/style_font.h"
#include "editor/language/tab_columns.h"

#include "platform/graphics/colors.h"
#include "platform/rtl/resource_strings.h"

#include <array>
#include <cstdint>

namespace {

constexpr int MaxStyle = 255;

[[noreturn]] void InvalidData()
{
    throw ESyntaxMemo(LoadStr(4133));
}

// The 24 fields in the order they are written.
enum TField {
    OPT,
    GWD,
    GCL,
    WRC,
    IDS,
    WRO,
    FON,
    FOS,
    STC,
    STB,
    TBC,
    TBD,
    EFF,
    GDF,
    MDF,
    SDF,
    BDF,
    FOC,
    RMG,
    LNN,
    LNS,
    LNC,
    LNT,
    LNE,
    FieldCount
};
const std::array<const char*, FieldCount> FieldTags{"OPT", "GWD", "GCL", "WRC", "IDS", "WRO", "FON", "FOS",
                                                    "STC", "STB", "TBC", "TBD", "EFF", "GDF", "MDF", "SDF",
                                                    "BDF", "FOC", "RMG", "LNN", "LNS", "LNC", "LNT", "LNE"};

QString Decimal(std::int64_t Value)
{
    return QString::number(std::int32_t(Value));
}

QString Flag(std::uint8_t Value)
{
    return Value ? QStringLiteral("1") : QStringLiteral("0");
}

QString FontStyleLetters(std::uint8_t Style)
{
    QString letters;
    if (Style & fsItalic)
        letters += 'I';
    if (Style & fsBold)
        letters += 'B';
    if (Style & fsUnderline)
        letters += 'U';
    if (Style & fsStrikeOut)
        letters += 'S';
    return letters;
}

std::uint8_t FontStyleOfLetters(const QString& Letters)
{
    std::uint8_t style = 0;
    if (Letters.contains('I'))
        style |= fsItalic;
    if (Letters.contains('B'))
        style |= fsBold;
    if (Letters.contains('U'))
        style |= fsUnderline;
    if (Letters.contains('S'))
        style |= fsStrikeOut;
    return style;
}

// The styles in use: their count, then "style,foreground,background," and the letters of each.
QString StyleEffectsText(const TSM_Settings& Settings)
{
    QString entries;
    int count = 0;
    for (int style = 0; style <= MaxStyle; ++style) {
        const TSM_StyleEffect& effect = Settings.GetStyleEffects(style);
        if (!effect.InUse)
            continue;
        ++count;
        entries += QStringLiteral("%1,%2,%3,").arg(style).arg(effect.Foreground).arg(effect.Background);
        if (effect.UseDefaultBackground)
            entries += 'X';
        if (effect.UseDefaultForeground)
            entries += 'Y';
        if (effect.FontStyles & fsBold)
            entries += 'B';
        if (effect.FontStyles & fsItalic)
            entries += 'I';
        if (effect.FontStyles & fsUnderline)
            entries += 'U';
        entries += ';';
    }
    return count > 0 ? QString::number(count) + ',' + entries : QStringLiteral("0");
}

// Reads a style string from a position on; every read stays inside the text.
class TStyleReader {
public:
    TStyleReader(TSM_Settings& Settings, const QString& Text, qsizetype Position)
        : settings_(Settings), text_(Text), position_(Position)
    {
    }

    void ReadFields();
    void ReadPositional(int Version);

private:
    bool AtDigit() const
    {
        return position_ < text_.size() && text_[position_].unicode() >= '0' &&
               text_[position_].unicode() <= '9';
    }
    QChar Current() const { return position_ < text_.size() ? text_[position_] : QChar(); }
    // A decimal with an optional minus sign, and one "," after it; a lone "," gives Default.
    std::int32_t Number(std::int32_t Default);
    // A length, that many characters and one separator.
    QString String();
    // Count entries of "style,foreground,background," and letters; a fault resets the settings.
    void StyleEntries(int Count);
    void StyleEntry();
    void StoreField(TField Field, const QString& Value);
    void SetTabDefault(std::int32_t Value);

    TSM_Settings& settings_;
    const QString& text_;
    qsizetype position_;
};

std::int32_t TStyleReader::Number(std::int32_t Default)
{
    const bool negative = Current() == '-' && position_ + 1 < text_.size() && text_[position_ + 1].isDigit();
    if (negative)
        ++position_;
    if (AtDigit()) {
        std::int64_t value = 0;
        while (AtDigit()) {
            value = value * 10 + (text_[position_].unicode() - '0');
            if (value > std::int64_t(UINT32_MAX) + 1)
                InvalidData();
            ++position_;
        }
        if (Current() == ',')
            ++position_;
        return std::int32_t(std::uint32_t(negative ? -value : value));
    }
    if (Current() == ',')
        ++position_;
    return Default;
}

QString TStyleReader::String()
{
    const std::int32_t length = Number(0);
    if (length < 0 || length > text_.size() - position_)
        InvalidData();
    const QString value = text_.mid(position_, length);
    position_ += length + 1;
    return value;
}

void TStyleReader::StyleEntry()
{
    const std::int32_t style = Number(0);
    if (style < 0 || style > MaxStyle)
        InvalidData();
    TSM_StyleEffect effect = settings_.GetStyleEffects(style);
    effect.Foreground = Number(effect.Foreground);
    effect.Background = Number(effect.Background);
    effect.FontStyles = 0;
    effect.InUse = 1;
    effect.UseDefaultForeground = effect.UseDefaultBackground = 0;
    for (;; ++position_) {
        const QChar c = Current().toLower();
        if (c == 'b')
            effect.FontStyles |= fsBold;
        else if (c == 'i')
            effect.FontStyles |= fsItalic;
        else if (c == 'u')
            effect.FontStyles |= fsUnderline;
        else if (c == 'x')
            effect.UseDefaultBackground = 1;
        else if (c == 'y')
            effect.UseDefaultForeground = 1;
        else
            break;
    }
    if (Current() == ';')
        ++position_;
    settings_.SetStyleEffects(style, effect);
}

void TStyleReader::StyleEntries(int Count)
{
    // More entries than there are styles would only rewrite them, for as long as the count says.
    if (Count < 0 || Count > MaxStyle + 1)
        InvalidData();
    try {
        for (int i = 0; i < Count; ++i)
            StyleEntry();
    } catch (...) {
        settings_.SetDefaults();
        throw;
    }
}

void TStyleReader::SetTabDefault(std::int32_t Value)
{
    if (Value <= 0)
        InvalidData();
    settings_.TabDefault = Value;
}

void TStyleReader::StoreField(TField Field, const QString& Value)
{
    const auto decimal = [&Value]() -> std::int32_t {
        bool ok = false;
        const std::int64_t number = Value.toLongLong(&ok);
        if (!ok || number < INT32_MIN || number > UINT32_MAX)
            InvalidData();
        return std::int32_t(std::uint32_t(number));
    };
    const auto flag = [&Value]() -> std::uint8_t { return Value == QLatin1String("1"); };
    TGutterFont gutterFont = settings_.GutterFont();
    switch (Field) {
    case OPT: settings_.Options = std::uint32_t(decimal()); break;
    case GWD: settings_.Gutter = decimal(); break;
    case GCL: settings_.GutterColor = decimal(); break;
    case WRC: settings_.WrapAtColumn = decimal(); break;
    case IDS: settings_.IndentStep = decimal(); break;
    case WRO: settings_.WrapOverride = Value; break;
    case FON: settings_.FontName = Value; break;
    case FOS: settings_.FontSize = decimal(); break;
    case STC: settings_.SelTextColor = decimal(); break;
    case STB: settings_.SelTextBack = decimal(); break;
    case TBC: settings_.TabColumns = StrToTabColumns(Value); break;
    case TBD: SetTabDefault(decimal()); break;
    case EFF: {
        TStyleReader effects(settings_, Value, 0);
        effects.StyleEntries(effects.Number(0));
        break;
    }
    case GDF: settings_.DefaultGutterColor = flag(); break;
    case MDF: settings_.DefaultMarginColor = flag(); break;
    case SDF: settings_.DefaultSelTextColor = flag(); break;
    case BDF: settings_.DefaultSelTextBack = flag(); break;
    case FOC: settings_.FontCharSet = std::uint8_t(decimal()); break;
    case RMG: settings_.RightMargin = decimal(); break;
    case LNN: gutterFont.Name = Value; break;
    case LNS: gutterFont.Size = decimal(); break;
    case LNC: gutterFont.Color = decimal(); break;
    case LNT: gutterFont.CharSet = std::uint8_t(decimal()); break;
    case LNE: gutterFont.Style = FontStyleOfLetters(Value); break;
    case FieldCount: break;
    }
    if (!(gutterFont == settings_.GutterFont()))
        settings_.SetGutterFont(gutterFont);
}

void TStyleReader::ReadFields()
{
    for (;;) {
        const qsizetype tagStart = position_;
        while (position_ < text_.size() && text_[position_].isLetterOrNumber())
            ++position_;
        const QString tag = text_.mid(tagStart, position_ - tagStart);
        if (Current() != '#')
            return;
        ++position_;
        if (!AtDigit())
            return;
        std::int64_t length = 0;
        while (AtDigit()) {
            length = length * 10 + (text_[position_].unicode() - '0');
            if (length > text_.size())
                InvalidData();
            ++position_;
        }
        if (Current() != '#')
            return;
        ++position_;
        const auto field = std::find(FieldTags.begin(), FieldTags.end(), tag);
        if (field == FieldTags.end())
            return;
        if (length > text_.size() - position_)
            InvalidData();
        const QString value = text_.mid(position_, length);
        position_ += length;
        StoreField(TField(field - FieldTags.begin()), value);
    }
}

void TStyleReader::ReadPositional(int Version)
{
    settings_.Options = std::uint32_t(Number(std::int32_t(settings_.Options)));
    settings_.Gutter = Number(settings_.Gutter);
    settings_.WrapAtColumn = Number(settings_.WrapAtColumn);
    settings_.IndentStep = Number(settings_.IndentStep);
    settings_.WrapOverride = String();
    const TColor highlightText = TColor(ColorToRGB(clHighlightText));
    const TColor highlight = TColor(ColorToRGB(clHighlight));
    if (Version == 1) {
        settings_.FontName = QStringLiteral("Courier New");
        settings_.FontSize = 10;
        settings_.FontCharSet = 1;
    } else {
        settings_.FontName = String();
        settings_.FontSize = Number(settings_.FontSize);
    }
    if (Version >= 3) {
        settings_.SelTextColor = Number(highlightText);
        settings_.SelTextBack = Number(highlight);
    } else {
        settings_.SelTextColor = highlightText;
        settings_.SelTextBack = highlight;
    }
    if (Version == 4) {
        settings_.TabColumns = StrToTabColumns(String());
        SetTabDefault(Number(settings_.TabDefault));
    } else {
        settings_.TabColumns.fill(-1);
        settings_.TabDefault = 4;
    }
    StyleEntries(Number(0));
    settings_.UpdateStyleFonts();
}

} // namespace

QString StyleStringOf(const TSM_Settings& Settings)
{
    const TGutterFont& gutterFont = Settings.GutterFont();
    const std::array<QString, FieldCount> values{Decimal(Settings.Options),
                                                 Decimal(Settings.Gutter),
                                                 Decimal(Settings.GutterColor),
                                                 Decimal(Settings.WrapAtColumn),
                                                 Decimal(Settings.IndentStep),
                                                 Settings.WrapOverride,
                                                 Settings.FontName,
                                                 Decimal(Settings.FontSize),
                                                 Decimal(Settings.SelTextColor),
                                                 Decimal(Settings.SelTextBack),
                                                 TabColumnsToStr(Settings.TabColumns),
                                                 Decimal(Settings.TabDefault),
                                                 StyleEffectsText(Settings),
                                                 Flag(Settings.DefaultGutterColor),
                                                 Flag(Settings.DefaultMarginColor),
                                                 Flag(Settings.DefaultSelTextColor),
                                                 Flag(Settings.DefaultSelTextBack),
                                                 Decimal(Settings.FontCharSet),
                                                 Decimal(Settings.RightMargin),
                                                 gutterFont.Name,
                                                 Decimal(gutterFont.Size),
                                                 Decimal(gutterFont.Color),
                                                 Decimal(gutterFont.CharSet),
                                                 FontStyleLetters(gutterFont.Style)};
    QString text = StyleStringSignature;
    for (int field = 0; field < FieldCount; ++field) {
        const QString& value = values[std::size_t(field)];
        text +=
            QLatin1String(FieldTags[std::size_t(field)]) + '#' + QString::number(value.size()) + '#' + value;
    }
    return text + QStringLiteral("#END#");
}

void ReadStyleString(TSM_Settings& Settings, const QString& Text)
{
    if (!Text.startsWith(QLatin1String("Mervak")) || Text.size() < 7 || Text[6] < '1' || Text[6] > '9')
        InvalidData();
    const int version = Text[6].unicode() - '0';
    TStyleReader reader(Settings, Text, 8);
    if (version >= 5)
        reader.ReadFields();
    else
        reader.ReadPositional(version);
}
