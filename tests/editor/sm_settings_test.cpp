// A language's settings: defaults, the settings stream, keyword tables, attached editors, style
// fonts and glyphs.
#include "editor/language/default_key_map.h"
#include "editor/document/ed_stream.h"
#include "editor/language/sm_settings.h"
#include "editor/document/syntax_memo_error.h"
#include "editor/document/table_stream.h"
#include "golden.h"
#include "memo_fixture.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace win;

namespace {

class TForeign : public TObject {};

class TCountingMemo : public TTestMemo {
public:
    int invalidations = 0;
    void Invalidate() override { ++invalidations; }
};

// The gutter-font block of Fill's settings: name "Arial", size, character set, colour, style.
constexpr int ArialGutterFontBlock = 4 + 5 + 4 + 1 + 4 + 1;

std::vector<TKeywordTableWord> Words(std::initializer_list<const char*> List, int FirstToken = 1)
{
    std::vector<TKeywordTableWord> words;
    for (const char* w : List)
        words.push_back({w, FirstToken++});
    return words;
}

// A settings object with something in every part of the stream.
void Fill(TSM_Settings& Settings)
{
    Settings.ExampleText = QStringLiteral("begin\r  x := 1;\rend");
    Settings.Name = QStringLiteral("Pascal");
    Settings.Options = DefaultOptions | OPT_LINE_NUMBERS;
    Settings.TabDefault = 8;
    Settings.SetTabColumn(0, 4);
    Settings.SetTabColumn(1, 10);
    TSM_StyleEffect effect;
    effect.FontStyles = fsBold | fsItalic;
    effect.Foreground = 0x0000FF;
    effect.Hotspot = 1;
    effect.InUse = 1;
    Settings.SetStyleEffects(5, effect);
    Settings.SetTokenStyle(3, 5);
    Settings.SetEditableStyle(3, {QStringLiteral("Keyword"), 5});
    Settings.DefaultSelTextBack = 1;
    Settings.AddKeywordTable(TSM_StateSet::Of({0}), "[^a-z]", 0, Words({"begin", "end"}));
    Settings.AddKeywordTable(TSM_StateSet::Of({1}), "", 1, Words({"Xml"}, 9));
    Settings.AutoReplace().AddReplacement("teh", "the");
    Settings.CodeTemplates().AddMacro("for", "loop", 0, "for | do");
    Settings.KeyController().AddKeyPair(VK_F1 + 4, 0, caUNDO);
    TGutterFont font;
    font.Name = QStringLiteral("Arial");
    font.Style = fsBold;
    Settings.SetGutterFont(font);
}

// Matches Text from its start in the combined keywords under States.
int CombinedToken(TSM_Settings& Settings, std::string_view Text, std::initializer_list<int> States,
                  bool CaseSensitive = false)
{
    TTestMemo memo;
    memo.ReplaceSelection(Text);
    TEdStream stream(&memo);
    stream.SetRange(memo.TextStore().FirstLine(), 0, 0);
    Settings.CombinedKeywords()->CurrentStates = TSM_StateSet::Of(States);
    int start = 0;
    int length = 0;
    const TKeywordRecord* record =
        Settings.CombinedKeywords()->MatchKeyword(stream, CaseSensitive, true, start, length);
    return record ? record->Value : -1;
}

} // namespace

TEST(Settings, FreshStreamMatchesTheGoldenBytes)
{
    TSM_Settings settings;
    const QByteArray bytes = StreamBytes(settings);
    EXPECT_EQ(bytes, GoldenBytes("fresh_settings.bin"));

    // Field by field.
    TBytesStream s(bytes);
    EXPECT_EQ(ReadLongString(s), "");
    EXPECT_EQ(ReadLongString(s), "<Custom language>");
    EXPECT_EQ(ReadLongString(s), ">|:");
    const std::int32_t numbers[] = {0x03FFDBF0, 2,        80, 0, 34, 1, 0xFFFFFF, std::int32_t(0x8000000F),
                                    0xFFFFFF,   0xD77800, 4};
    for (const std::int32_t n : numbers)
        EXPECT_EQ(ReadInteger(s), n);
    EXPECT_EQ(ReadInteger(s), 1); // one style in use: style 0
    EXPECT_EQ(ReadByte(s), 0);
    EXPECT_EQ(ReadByte(s), 0);
    EXPECT_EQ(ReadInteger(s), 0);
    EXPECT_EQ(ReadInteger(s), 0xFFFFFF);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ReadByte(s), 0);
    EXPECT_EQ(ReadInteger(s), 1);
    EXPECT_EQ(ReadInteger(s), 0); // tokens
    EXPECT_EQ(ReadInteger(s), 0); // editable styles
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(ReadInteger(s), -1);
    EXPECT_EQ(ReadLongString(s), "Courier New");
    EXPECT_EQ(ReadInteger(s), 10);
    EXPECT_EQ(ReadByte(s), 1);
    EXPECT_EQ(ReadInteger(s), 0); // four flags
    EXPECT_EQ(ReadInteger(s), 0); // keyword tables
    // The auto-replace list, then the templates, each empty with Ctrl+J and enabled.
    for (const bool autoReplace : {true, false}) {
        EXPECT_EQ(ReadInteger(s), 0);
        EXPECT_EQ(ReadLongString(s), "Ctrl+J");
        EXPECT_EQ(ReadInteger(s), 1);
        if (autoReplace) {
            EXPECT_EQ(ReadShortString(s), TAutoReplace::DefaultActivationKeys);
        }
    }
    const QByteArray keys = StreamBytes(DefaultKeyController());
    QByteArray stored(keys.size(), '\0');
    s.ReadBuffer(stored.data(), stored.size());
    EXPECT_EQ(stored, keys);
    EXPECT_EQ(ReadLongString(s), "MS Sans Serif");
    EXPECT_EQ(ReadInteger(s), 8);
    EXPECT_EQ(ReadByte(s), 1);
    EXPECT_EQ(ReadInteger(s), std::int32_t(0x80000008));
    EXPECT_EQ(ReadByte(s), 0);
    EXPECT_EQ(s.Position(), s.Size());

    TSM_Settings copy;
    TBytesStream stream(bytes);
    copy.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(StreamBytes(copy), bytes);
}

TEST(Settings, VersionFiftyStreamsHaveNoGutterFont)
{
    TSM_Settings settings;
    Fill(settings);
    const QByteArray current = StreamBytes(settings);
    settings.StreamVersion = 50;
    const QByteArray old = StreamBytes(settings);
    EXPECT_EQ(old, current.left(current.size() - ArialGutterFontBlock));

    TSM_Settings copy;
    copy.StreamVersion = 50;
    TBytesStream stream(old);
    copy.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(StreamBytes(copy), old);
    EXPECT_EQ(copy.GutterFont(), TGutterFont()); // not read, not reset
}

TEST(Settings, StreamRoundTripKeepsEverything)
{
    TSM_Settings settings;
    Fill(settings);
    const QByteArray bytes = StreamBytes(settings);
    const std::unique_ptr<TSM_Base> clone = settings.Clone();
    auto* copy = dynamic_cast<TSM_Settings*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(StreamBytes(*copy), bytes);
    EXPECT_EQ(copy->GetStyleEffects(5), settings.GetStyleEffects(5));
    EXPECT_EQ(copy->GetTokenStyle(3), 5);
    EXPECT_EQ(copy->GetEditableStyle(1), (TSM_EditableStyle{QStringLiteral("Keyword"), 5}));
    EXPECT_EQ(copy->GetTabColumn(1), 10);
    EXPECT_EQ(copy->GutterFont(), settings.GutterFont());
    EXPECT_EQ(CombinedToken(*copy, "END;", {0}), 2);
    EXPECT_EQ(CombinedToken(*copy, "Xml", {1}, true), 9);
    EXPECT_EQ(CombinedToken(*copy, "xml", {1}, true), -1); // the table keeps its words' case

    TSM_Settings assigned;
    assigned.Assign(settings);
    EXPECT_EQ(StreamBytes(assigned), bytes);
    TForeign foreign;
    EXPECT_THROW(assigned.Assign(foreign), ESyntaxMemo);

    ExpectEveryTruncationFails<TSM_Settings>(bytes);
}

TEST(Settings, EditableStylesArePackedByTheStream)
{
    TSM_Settings settings;
    settings.SetEditableStyle(3, {QStringLiteral("Comment"), 2});
    settings.SetEditableStyle(7, {QStringLiteral("String"), 4});
    const std::unique_ptr<TSM_Base> clone = settings.Clone();
    const auto& copy = dynamic_cast<const TSM_Settings&>(*clone);
    EXPECT_EQ(copy.GetEditableStyle(1), (TSM_EditableStyle{QStringLiteral("Comment"), 2}));
    EXPECT_EQ(copy.GetEditableStyle(2), (TSM_EditableStyle{QStringLiteral("String"), 4}));
    EXPECT_TRUE(copy.GetEditableStyle(3).Name.isEmpty());
    EXPECT_TRUE(copy.GetEditableStyle(7).Name.isEmpty());
}

TEST(Settings, BadCountsAndValuesAreReadErrors)
{
    TSM_Settings settings;
    Fill(settings);
    const QByteArray good = StreamBytes(settings);
    // Offsets of counts in this stream: after the three texts and eleven numbers come the styles.
    const qsizetype styles = 4 + settings.ExampleText.size() + 4 + 6 + 4 + 3 + 11 * 4;
    const qsizetype tabDefault = styles - 4;
    const qsizetype tokens = styles + 4 + 2 * 17;
    const qsizetype editable = tokens + 4 + 2;
    const qsizetype tables = editable + 4 + 4 + 7 + 1 + 128 + 4 + 11 + 4 + 1 + 4;
    const struct {
        const char* name;
        qsizetype offset;
        std::int32_t value;
    } cases[] = {
        {"a style count above 256", styles, 257},    {"a negative style count", styles, -1},
        {"a token count above 256", tokens, 257},    {"more than 50 editable styles", editable, 51},
        {"more than 21 keyword tables", tables, 22}, {"a default tab of 0", tabDefault, 0},
        {"a text longer than the data", 0, 1 << 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray bytes = good;
        for (int i = 0; i < 4; ++i)
            bytes[c.offset + i] = char(std::uint32_t(c.value) >> (8 * i));
        TSM_Settings copy;
        TBytesStream stream(bytes);
        EXPECT_THROW(copy.LoadFromStream(stream), EReadError);
    }
    // The offsets above are right: the unchanged values read back.
    TBytesStream check(good);
    check.SetPosition(styles);
    EXPECT_EQ(ReadInteger(check), 2);
    check.SetPosition(tokens);
    EXPECT_EQ(ReadInteger(check), 1);
    check.SetPosition(editable);
    EXPECT_EQ(ReadInteger(check), 1);
    check.SetPosition(tables);
    EXPECT_EQ(ReadInteger(check), 2);
    check.SetPosition(tabDefault);
    EXPECT_EQ(ReadInteger(check), 8);
}

TEST(Settings, KeywordTablesOwnTheirStates)
{
    TSM_Settings settings;
    EXPECT_EQ(settings.CombinedKeywords(), nullptr);
    settings.AddKeywordTable(TSM_StateSet::Of({2, 3}), "", 0, Words({"alpha"}));
    const QByteArray before = StreamBytes(settings);
    try {
        settings.AddKeywordTable(TSM_StateSet::Of({1, 2}), "", 0, Words({"beta"}));
        ADD_FAILURE() << "added";
    } catch (const EKeywords& e) {
        EXPECT_EQ(e.Message, QStringLiteral("Ambigious key table state definition"));
    }
    // Words that clash, or an end specification that does not parse, change nothing either.
    EXPECT_THROW(settings.AddKeywordTable(TSM_StateSet::Of({4}), "", 0, Words({"dup", "DUP"})), EKeywords);
    EXPECT_THROW(settings.AddKeywordTable(TSM_StateSet::Of({4}), "[z-a]", 0, Words({"x"})), Exception);
    EXPECT_EQ(StreamBytes(settings), before);
    EXPECT_EQ(CombinedToken(settings, "alpha", {2}), 1);

    settings.AddKeywordTable(TSM_StateSet::Of({2, 3}), "", 0, Words({"gamma"}, 7)); // replaces
    ASSERT_TRUE(settings.KeywordTables()[0]);
    EXPECT_EQ(settings.KeywordTables()[0]->Words, Words({"gamma"}, 7));
    EXPECT_FALSE(settings.KeywordTables()[1]);
    EXPECT_EQ(CombinedToken(settings, "alpha", {2}), -1);
    EXPECT_EQ(CombinedToken(settings, "gamma", {3}), 7);

    settings.AddKeywordTable(TSM_StateSet(), "", 0, Words({"zero"}, 5)); // no states: state 0
    EXPECT_EQ(settings.KeywordTables()[1]->States, TSM_StateSet::Of({0}));
    EXPECT_EQ(CombinedToken(settings, "zero", {0}), 5);
    for (int state = 10; state < 29; ++state)
        settings.AddKeywordTable(TSM_StateSet::Of({state}), "", 0, {});
    try {
        settings.AddKeywordTable(TSM_StateSet::Of({99}), "", 0, {});
        ADD_FAILURE() << "added";
    } catch (const EKeywords& e) {
        EXPECT_EQ(e.Message, QStringLiteral("Too many keyword tables declared"));
    }
    settings.AddKeywordTable(TSM_StateSet::Of({28}), "", 0, Words({"last"})); // replacing still works

    settings.SetDefaults();
    EXPECT_TRUE(settings.KeywordTables().empty());
    EXPECT_EQ(settings.CombinedKeywords(), nullptr);
}

TEST(Settings, HotspotsAndDefaults)
{
    TSM_Settings settings;
    EXPECT_FALSE(settings.HasHotspots());
    TSM_StyleEffect effect;
    effect.Hotspot = 1;
    settings.SetStyleEffects(4, effect); // not in use
    EXPECT_FALSE(settings.HasHotspots());
    effect.InUse = 1;
    settings.StylesChanged = 0;
    settings.SetStyleEffects(4, effect);
    EXPECT_EQ(settings.StylesChanged, 1);
    EXPECT_TRUE(settings.HasHotspots());
    settings.StylesChanged = 0; // the cached answer stands until the styles change
    EXPECT_TRUE(settings.HasHotspots());

    Fill(settings);
    settings.SetDefaults();
    EXPECT_EQ(settings.GutterFont().Name, QStringLiteral("Arial")); // the one thing defaults keep
    TSM_Settings fresh;
    fresh.SetGutterFont(settings.GutterFont());
    EXPECT_EQ(StreamBytes(settings), StreamBytes(fresh));
    EXPECT_FALSE(settings.HasHotspots());
    EXPECT_EQ(settings.KeyController().Bindings(), DefaultKeyController().Bindings());
}

TEST(Settings, EditorsAttachAndGetStyleFonts)
{
    TSM_Settings settings;
    TCountingMemo first;
    TCountingMemo second;
    settings.AttachEditor(&first);
    settings.AttachEditor(&first);
    settings.AttachEditor(&second);
    EXPECT_EQ(settings.UserCount(), 3);
    EXPECT_EQ(settings.Editors(), (std::vector<TMemoCore*>{&first, &second}));
    ASSERT_NE(settings.StyleFont(0), nullptr);
    EXPECT_EQ(settings.StyleFont(1), nullptr); // not in use
    EXPECT_EQ(settings.StyleFont(0)->Font.family(), QStringLiteral("Courier New"));

    settings.SetGutterFont(TGutterFont());
    EXPECT_EQ(first.invalidations, 1);
    EXPECT_EQ(second.invalidations, 1);

    settings.DetachEditor(&first);
    EXPECT_EQ(settings.UserCount(), 2);
    EXPECT_EQ(settings.Editors(), std::vector<TMemoCore*>{&second});
    settings.DetachEditor(&second);
    settings.DetachEditor(&second);
    EXPECT_EQ(settings.UserCount(), 0);
    EXPECT_EQ(settings.StyleFont(0), nullptr);
    settings.DetachEditor(&second);
    EXPECT_EQ(settings.UserCount(), 0);
}

TEST(Settings, StyleFontsFollowTheDeviceAndGlyphsTheOption)
{
    TSM_Settings settings;
    TSM_StyleEffect bold;
    bold.FontStyles = fsBold | fsUnderline;
    bold.InUse = 1;
    settings.SetStyleEffects(7, bold);
    QImage canvas(10, 10, QImage::Format_RGB32);
    canvas.setDotsPerMeterY(11811); // 300 dots per inch
    settings.PrintCanvas = &canvas;
    settings.FontSize = 12;
    TTestMemo memo;
    settings.AttachEditor(&memo);
    ASSERT_NE(settings.StyleFont(7), nullptr);
    EXPECT_EQ(settings.StyleFont(7)->Font.pixelSize(), 50); // 12 points at 300 dots per inch
    EXPECT_TRUE(settings.StyleFont(7)->Font.bold());
    EXPECT_TRUE(settings.StyleFont(7)->Font.underline());
    EXPECT_FALSE(settings.StyleFont(0)->Font.bold());
    EXPECT_TRUE(settings.ControlGlyph(cgPilcrow).isNull());

    settings.Options |= OPT_SHOW_CONTROL_CHARS;
    settings.UpdateStyleFonts();
    for (const TControlGlyph glyph : {cgPilcrow, cgArrow, cgReturn}) {
        SCOPED_TRACE(glyph);
        const QImage& image = settings.ControlGlyph(glyph);
        ASSERT_FALSE(image.isNull());
        EXPECT_GT(image.height(), 10 + 40);
        bool drawn = false; // the glyph shows white on black
        for (int y = 0; y < image.height() && !drawn; ++y) {
            for (int x = 0; x < image.width() && !drawn; ++x)
                drawn = image.pixel(x, y) != qRgb(0, 0, 0);
        }
        EXPECT_TRUE(drawn);
    }
    settings.Options &= ~OPT_SHOW_CONTROL_CHARS;
    settings.UpdateStyleFonts();
    EXPECT_TRUE(settings.ControlGlyph(cgArrow).isNull());
    settings.DetachEditor(&memo);
}
