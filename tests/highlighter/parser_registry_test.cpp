// A language's highlighting settings and key assignments in the registry: the style string's
// writer and reader (old versions included, malformed strings refused) and the parser's save and
// load under its own key or an explicit one.
#include "editor/document/syntax_memo_error.h"
#include "editor/language/sm_settings.h"
#include "editor/language/style_font.h"
#include "editor/language/tab_columns.h"
#include "highlighter/style_string.h"
#include "highlighter/syntax_memo_parser.h"

#include "platform/graphics/colors.h"
#include "platform/registry/registry.h"
#include "platform/rtl/streams.h"

#include "support/qt_printers.h"
#include "support/registry_scope.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

QByteArray KeyMapBytes(TSM_Settings& Settings)
{
    TMemoryStream stream;
    Settings.KeyController().SaveToStream(stream);
    return QByteArray(stream.Memory(), qsizetype(stream.Size()));
}

// Every field the style string carries set away from its default, texts holding "#".
void SetEveryField(TSM_Settings& Settings)
{
    Settings.Options = 0x8000000F;
    Settings.Gutter = 41;
    Settings.GutterColor = 0x123456;
    Settings.WrapAtColumn = 72;
    Settings.IndentStep = 3;
    Settings.WrapOverride = QStringLiteral("#,;");
    Settings.FontName = QStringLiteral("Mono #2");
    Settings.FontSize = 13;
    Settings.SelTextColor = 0x00FF00;
    Settings.SelTextBack = clHighlight;
    Settings.TabColumns = StrToTabColumns(QStringLiteral("3 7 12"));
    Settings.TabDefault = 6;
    Settings.DefaultGutterColor = 1;
    Settings.DefaultMarginColor = 1;
    Settings.DefaultSelTextColor = 0;
    Settings.DefaultSelTextBack = 1;
    Settings.FontCharSet = 204;
    Settings.RightMargin = 100;
    TGutterFont font;
    font.Name = QStringLiteral("Gutter#END#");
    font.Size = 9;
    font.Color = 0x0000FF;
    font.CharSet = 238;
    font.Style = fsBold | fsStrikeOut;
    Settings.SetGutterFont(font);
    TSM_StyleEffect effect;
    effect.InUse = 1;
    for (int style = 0; style < 256; ++style) {
        effect.Foreground = style * 3;
        effect.Background = clWindow; // a system colour, stored as a negative number
        effect.FontStyles = std::uint32_t(style % 8) & (fsBold | fsItalic | fsUnderline);
        effect.UseDefaultForeground = style % 2;
        effect.UseDefaultBackground = style % 3 == 0;
        Settings.SetStyleEffects(style, effect);
    }
}

TEST(StyleString, EveryFieldAndAllStylesRoundTrip)
{
    TSM_Settings written;
    SetEveryField(written);
    const QString text = StyleStringOf(written);
    EXPECT_TRUE(text.startsWith("Mervak6:OPT#11#-2147483633GWD#2#41"));
    EXPECT_TRUE(text.contains("WRO#3##,;FON#7#Mono #2"));
    // All 256 styles are in use, and counted as such.
    EXPECT_TRUE(text.contains(QRegularExpression("EFF#[0-9]+#256,0,0,")));
    EXPECT_TRUE(text.endsWith("LNE#2#BS#END#"));

    TSM_Settings read;
    ReadStyleString(read, text);
    EXPECT_EQ(StyleStringOf(read), text);
    EXPECT_EQ(read.Options, 0x8000000Fu);
    EXPECT_EQ(read.WrapOverride, "#,;");
    EXPECT_EQ(read.FontName, "Mono #2");
    EXPECT_EQ(read.SelTextBack, clHighlight);
    EXPECT_EQ(read.TabColumns, written.TabColumns);
    EXPECT_EQ(read.GutterFont(), written.GutterFont());
    for (int style : {0, 1, 254, 255}) {
        SCOPED_TRACE(style);
        EXPECT_EQ(read.GetStyleEffects(style), written.GetStyleEffects(style));
    }
}

TEST(StyleString, MalformedStringsAreRefused)
{
    const char* const cases[] = {
        "",
        "Mervak",
        "Mervak0:OPT#1#5#END#",
        "Xervak6:OPT#1#5#END#",
        "Mervak6:FON#99#Arial#END#", // a value past the end
        "Mervak6:OPT#2#5x#END#",     // a bad decimal
        "Mervak6:OPT#11#99999999999#END#",
        "Mervak6:TBD#1#0#END#", // no default tab
        "Mervak6:TBD#2#-4#END#",
        "Mervak6:EFF#9#1,256,0,0;#END#",  // a style above 255
        "Mervak6:EFF#10#2000000000#END#", // more styles than there are
        "Mervak1:5,30,0,2,0,,257,",
        "Mervak6:TBC#3#9 3#END#",                           // tab columns out of order
        "Mervak2:5,30,0,2,9,ab,",                           // a string past the end
        "Mervak4:5,30,0,2,0,,5,Arial,12,255,65280,0,,0,0,", // no default tab
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        TSM_Settings settings;
        EXPECT_THROW(ReadStyleString(settings, QString::fromLatin1(text)), ESyntaxMemo);
    }
    TSM_Settings settings;
    try {
        ReadStyleString(settings, QStringLiteral("Mervak0:"));
        ADD_FAILURE();
    } catch (const ESyntaxMemo& e) {
        EXPECT_EQ(e.Message, "Invalid data in style string");
    }
}

TEST(StyleString, AFaultInTheStyleListResetsTheSettings)
{
    TSM_Settings settings;
    EXPECT_THROW(ReadStyleString(settings, QStringLiteral("Mervak6:FOS#2#14EFF#16#2,3,1,2,B;300,1,#END#")),
                 ESyntaxMemo);
    EXPECT_EQ(settings.FontSize, TSM_Settings().FontSize);
    EXPECT_EQ(settings.GetStyleEffects(3).InUse, 0);
}

TEST(StyleString, OldVersionsReadPositionally)
{
    const TColor highlightText = TColor(ColorToRGB(clHighlightText));
    const TColor highlight = TColor(ColorToRGB(clHighlight));
    struct TCase {
        const char* Text;
        const char* FontName;
        int FontSize, TabDefault, FirstTab;
        TColor SelTextColor, SelTextBack;
    };
    const TCase cases[] = {
        {"Mervak1:5,30,72,2,3,abc,1,3,255,16777215,bx;", "Courier New", 10, 4, -1, highlightText, highlight},
        {"Mervak2:5,30,72,2,3,abc,5,Arial,12,1,3,255,16777215,bx;", "Arial", 12, 4, -1, highlightText,
         highlight},
        {"Mervak3:5,30,72,2,3,abc,5,Arial,12,255,65280,1,3,255,16777215,bx;", "Arial", 12, 4, -1, 255, 65280},
        {"Mervak4:5,30,72,2,3,abc,5,Arial,12,255,65280,3,5 9,8,1,3,255,16777215,bx;", "Arial", 12, 8, 4, 255,
         65280},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        TSM_Settings settings;
        settings.TabColumns.fill(7);
        settings.FontSize = 20;
        ReadStyleString(settings, QString::fromLatin1(c.Text));
        EXPECT_EQ(settings.Options, 5u);
        EXPECT_EQ(settings.Gutter, 30);
        EXPECT_EQ(settings.WrapAtColumn, 72);
        EXPECT_EQ(settings.IndentStep, 2);
        EXPECT_EQ(settings.WrapOverride, "abc");
        EXPECT_EQ(settings.FontName, c.FontName);
        EXPECT_EQ(settings.FontSize, c.FontSize);
        EXPECT_EQ(settings.FontCharSet, 1);
        EXPECT_EQ(settings.TabDefault, c.TabDefault);
        EXPECT_EQ(settings.TabColumns[0], c.FirstTab);
        EXPECT_EQ(settings.SelTextColor, c.SelTextColor);
        EXPECT_EQ(settings.SelTextBack, c.SelTextBack);
        const TSM_StyleEffect& effect = settings.GetStyleEffects(3);
        EXPECT_EQ(effect.InUse, 1);
        EXPECT_EQ(effect.Foreground, 255);
        EXPECT_EQ(effect.Background, 16777215);
        EXPECT_EQ(effect.FontStyles, std::uint32_t(fsBold));
        EXPECT_EQ(effect.UseDefaultBackground, 1);
        EXPECT_EQ(effect.UseDefaultForeground, 0);
    }
}

class ParserRegistry : public ::testing::Test {
protected:
    static constexpr const char* Key = "Software\\Tarnwick\\Parsers";

    TRegistryScope scope_;
    TSyntaxMemoParser parser_;

    void SetUp() override
    {
        parser_.Name = QStringLiteral("parserTest");
        parser_.Settings().Name = QStringLiteral("Test Documents");
        parser_.UseRegistry = true;
        parser_.RegistryKey = QString::fromLatin1(Key);
    }

    // A parser of the same language, untouched.
    std::unique_ptr<TSyntaxMemoParser> Fresh() const
    {
        auto parser = std::make_unique<TSyntaxMemoParser>();
        parser->Name = QStringLiteral("parserFresh");
        parser->Settings().Name = QStringLiteral("Test Documents");
        return parser;
    }

    void WriteValue(const QString& Name, const QString& Text) const
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(QString::fromLatin1(Key), true));
        registry.WriteString(Name, Text);
    }

    void WriteBinary(const QString& Name, const QByteArray& Bytes) const
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(QString::fromLatin1(Key), true));
        registry.WriteBinaryData(Name, Bytes.constData(), int(Bytes.size()));
    }
};

TEST_F(ParserRegistry, SavedSettingsAndKeysLoadUnderTheOwnKeyOrAnExplicitOne)
{
    SetEveryField(parser_.Settings());
    parser_.Settings().KeyController().Clear();
    parser_.Settings().KeyController().AddKeyPair(TShortCut('K' + 16384), 0, 13);
    parser_.Settings().KeyController().SetCommandName(13, QStringLiteral("Copy"));
    parser_.SaveToRegistry();

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(QString::fromLatin1(Key)));
    EXPECT_EQ(registry.GetDataType("Highlighting - Test Documents"), rdString);
    EXPECT_EQ(registry.GetDataType("Key Assignments - Test Documents"), rdBinary);
    QByteArray keys(registry.GetDataSize("Key Assignments - Test Documents"), '\0');
    registry.ReadBinaryData("Key Assignments - Test Documents", keys.data(), int(keys.size()));
    EXPECT_EQ(keys.left(9), QByteArray("\x08Mervak6:"));
    registry.CloseKey();

    for (bool ownKey : {true, false}) {
        SCOPED_TRACE(ownKey);
        auto loaded = Fresh();
        loaded->UseRegistry = ownKey;
        loaded->RegistryKey = ownKey ? QString::fromLatin1(Key) : QString();
        loaded->LoadFromRegistry(ownKey, ownKey ? QString() : QString::fromLatin1(Key));
        EXPECT_EQ(StyleStringOf(loaded->Settings()), StyleStringOf(parser_.Settings()));
        EXPECT_EQ(KeyMapBytes(loaded->Settings()), KeyMapBytes(parser_.Settings()));
        EXPECT_EQ(loaded->Settings().KeyController().GetCommandName(13), "Copy");
    }
}

TEST_F(ParserRegistry, TheOwnKeyNeedsTheRegistryInterface)
{
    for (const auto& [useRegistry, key] :
         {std::pair{false, QString::fromLatin1(Key)}, std::pair{true, QString()}}) {
        parser_.UseRegistry = useRegistry;
        parser_.RegistryKey = key;
        for (int load = 0; load < 2; ++load) {
            try {
                load ? parser_.LoadFromRegistry(true, QString()) : parser_.SaveToRegistry();
                ADD_FAILURE() << "no error";
            } catch (const ESyntaxMemo& e) {
                EXPECT_EQ(e.Message, "Registry interface disabled in: parserTest");
            }
        }
    }
}

TEST_F(ParserRegistry, MissingKeyOrValueLoadsNothing)
{
    const QString before = StyleStringOf(parser_.Settings());
    parser_.LoadFromRegistry(false, QStringLiteral("Software\\Nowhere"));
    WriteValue("Highlighting - Other Documents", "Mervak6:FOS#2#30#END#");
    WriteBinary("Key Assignments - Test Documents", QByteArray("\x08Mervak6:", 9));
    parser_.LoadFromRegistry(true, QString());
    EXPECT_EQ(StyleStringOf(parser_.Settings()), before);
}

TEST_F(ParserRegistry, KeyAssignmentsWithoutTheLeadingSignatureAreIgnored)
{
    const QByteArray keyMap = KeyMapBytes(parser_.Settings());
    WriteValue("Highlighting - Test Documents", "Mervak6:FOS#2#30#END#");
    for (const QByteArray& bytes : {QByteArray("\x08Xervak6:\0\0\0\0", 13),
                                    QByteArray("xx\x08Mervak6:\0\0\0\0", 15), QByteArray("\x08Mervak")}) {
        WriteBinary("Key Assignments - Test Documents", bytes);
        parser_.LoadFromRegistry(true, QString());
        EXPECT_EQ(parser_.Settings().FontSize, 30);
        EXPECT_EQ(KeyMapBytes(parser_.Settings()), keyMap);
    }
}

TEST_F(ParserRegistry, InvalidDataNamesTheValue)
{
    const QStringList values{"Mervak6:FOS#2#3x#END#", "Mervak0:", "Mervak6:WRO#50#short#END#"};
    for (const QString& value : values) {
        SCOPED_TRACE(value.toStdString());
        WriteValue("Highlighting - Test Documents", value);
        try {
            parser_.LoadFromRegistry(false, QString::fromLatin1(Key));
            ADD_FAILURE() << "no error";
        } catch (const ESyntaxMemo& e) {
            EXPECT_EQ(e.Message, "Invalid data in registry entry \"Software\\Tarnwick\\Parsers\\Highlighting "
                                 "- Test Documents\"");
        }
    }
    // A key map that does not read is reported the same way.
    WriteValue("Highlighting - Test Documents", "Mervak6:#END#");
    WriteBinary("Key Assignments - Test Documents", QByteArray("\x08Mervak6:\xff\xff\xff\x7f", 13));
    EXPECT_THROW(parser_.LoadFromRegistry(true, QString()), ESyntaxMemo);
}

} // namespace
