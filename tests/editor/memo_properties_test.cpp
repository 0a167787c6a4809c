// The editor control's properties kept in its settings: tab columns and the default tab, the
// setter rules of gutter, margin and indent step, the option set, the font measurements, the
// text's left edge, position conversions and the search-failure report.
#include "editor/custom_syntax_memo.h"
#include "editor/document/syntax_memo_error.h"
#include "editor/language/sm_settings.h"
#include "editor/language/style_font.h"
#include "editor/language/tab_columns.h"
#include "editor/syntax_memo.h"

#include "platform/messages/edit_messages.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

namespace {

QString ErrorOf(const std::function<void()>& Action)
{
    try {
        Action();
    } catch (const ESyntaxMemo& e) {
        return e.Message;
    }
    return {};
}

} // namespace

TEST(MemoProperties, TabColumnsParseCheckAndReadBack)
{
    TCustomSyntaxMemo memo;
    memo.SetTabColumns(QStringLiteral(" 5 9;13; "));
    EXPECT_EQ(memo.TabColumns(), QStringLiteral("5 9 13"));
    EXPECT_EQ(memo.Settings().TabColumns[0], 4);
    EXPECT_EQ(memo.Settings().TabColumns[2], 12);
    EXPECT_EQ(memo.Settings().TabColumns[3], -1);

    QString tooMany;
    for (int i = 2; i <= 34; ++i)
        tooMany += QString::number(i) + QLatin1Char(' ');
    struct Case {
        QString text;
        QString error;
    };
    const Case cases[] = {
        {QStringLiteral("9 5"), QStringLiteral("Tab columns must be in order and unique")},
        {QStringLiteral("5 5"), QStringLiteral("Tab columns must be in order and unique")},
        {QStringLiteral("1"), QStringLiteral("Tab column must be > 1")},
        {QStringLiteral("x"), QStringLiteral("Tab stop column value expected")},
        {QStringLiteral("5 -9"), QStringLiteral("Tab stop column value expected")},
        {QStringLiteral("4294967302"), QStringLiteral("Tab stop column value expected")}, // 2^32 + 6
        {tooMany, QStringLiteral("Too many tab stops - maximum of 32")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ErrorOf([&] { memo.SetTabColumns(c.text); }), c.error) << c.text.toStdString();
        EXPECT_EQ(memo.TabColumns(), QStringLiteral("5 9 13")); // the columns stay
    }
    EXPECT_EQ(TabColumnsToStr(StrToTabColumns(QString())), QString());
}

TEST(MemoProperties, TabStopsFollowTheColumnsThenTheDefault)
{
    TCustomSyntaxMemo memo;
    memo.SetTabColumns(QStringLiteral("5 9"));
    memo.SetTabDefault(4);
    EXPECT_EQ(memo.TabStops.NextStop(9), 12);
    EXPECT_EQ(memo.TabStops.NextStop(1), 4);
    EXPECT_EQ(memo.TabStops.NextStop(5), 8);

    // A default of 0 or less is refused with the stored text; the old one stays.
    for (const int bad : {0, -1}) {
        EXPECT_EQ(ErrorOf([&] { memo.SetTabDefault(bad); }),
                  QStringLiteral("=Illegal default tab stop value, must be > 0"));
        EXPECT_EQ(memo.TabDefault(), 4);
    }
}

TEST(MemoProperties, SetterRulesOfGutterMarginAndIndentStep)
{
    TCustomSyntaxMemo memo;
    memo.SetGutter(0); // no client width yet: ignored
    EXPECT_EQ(memo.Gutter(), 34);
    memo.Perform(win::WM_SIZE, 0, win::MAKELONG(600, 400));
    struct Case {
        std::function<void(int)> set;
        std::function<int()> get;
        int value;
        int expected;
    };
    const auto gutter = [&](int v) { memo.SetGutter(v); };
    const auto gutterOf = [&] { return memo.Gutter(); };
    const auto margin = [&](int v) { memo.SetMargin(v); };
    const auto marginOf = [&] { return memo.Margin(); };
    const auto indent = [&](int v) { memo.SetIndentStep(v); };
    const auto indentOf = [&] { return memo.IndentStep(); };
    const int charWidth = memo.Metrics().CharWidth;
    const Case cases[] = {
        {gutter, gutterOf, 20, 34},  // below 34
        {gutter, gutterOf, 0, 0},    // no gutter
        {gutter, gutterOf, 200, 0},  // 33 % of 600
        {gutter, gutterOf, 120, 120}, // 20 %
        {gutter, gutterOf, 123, 120}, // 20.5 % rounds to 21
        {margin, marginOf, charWidth + 1, 2},
        {margin, marginOf, charWidth, charWidth},
        {indent, indentOf, 0, 1},
        {indent, indentOf, 19, 19},
        {indent, indentOf, 20, 19},
    };
    for (const Case& c : cases) {
        c.set(c.value);
        EXPECT_EQ(c.get(), c.expected) << c.value;
    }
    EXPECT_EQ(memo.TextLeft(), charWidth + 120);
    memo.SetOptions(memo.Options() & ~(1u << smoShowGutter));
    EXPECT_EQ(memo.TextLeft(), charWidth);
}

TEST(MemoProperties, OptionsRoundTripThroughTheWordAndDropBitsOfNoMember)
{
    TCustomSyntaxMemo memo;
    EXPECT_EQ(memo.OptionWord(), DefaultOptions);
    memo.Perform(sm::SM_OPTIONS, sm::smSet, win::LPARAM(0xFFFFFFFFu));
    const TSyntaxMemoOptions all = memo.Options();
    EXPECT_EQ(all, (1u << SyntaxMemoOptionCount) - 1);
    memo.SetOptions(all);
    EXPECT_EQ(memo.OptionWord(), 0x0FFFFFF1u); // bits 2, 4, 8 and those above 0x8000000 cleared
    EXPECT_EQ(memo.Perform(sm::SM_OPTIONS, 0, 0), win::LRESULT(0x0FFFFFF1u));

    struct Case {
        TSyntaxMemoOption member;
        std::uint32_t bit;
    };
    const Case cases[] = {{smoSyntaxHighlight, 0x10},  {smoWordWrap, 0x400},        {smoOLEDragSource, 0x2000000},
                          {smoCaretAfterEOL, 0x8000000}, {smoLineNumbers, 0x1},      {smoShowAllChars, 0x4000000}};
    for (const Case& c : cases) {
        EXPECT_EQ(OptionBit(c.member), c.bit);
        EXPECT_EQ(OptionsToWord(1u << c.member), c.bit);
        EXPECT_EQ(WordToOptions(c.bit), 1u << c.member);
    }

    // WordWrap is the word's bit, and the core follows it.
    memo.SetWordWrap(false);
    EXPECT_FALSE(memo.GetWordWrap());
    EXPECT_FALSE(memo.TMemoCore::WordWrap);
    memo.SetWordWrap(true);
    EXPECT_TRUE(memo.OptionWord() & OPT_WORDWRAP);
    EXPECT_TRUE(memo.TMemoCore::WordWrap);
}

TEST(MemoProperties, FontMeasurementsOfLiberationMono)
{
    TCustomSyntaxMemo memo;
    const QFont font(QStringLiteral("Liberation Mono"), 10);
    memo.setFont(font);
    const QFontMetrics fm(memo.font());
    const TMemoMetrics& metrics = memo.Metrics();
    EXPECT_TRUE(metrics.FixedPitch);
    EXPECT_EQ(metrics.CharWidth, fm.averageCharWidth());
    EXPECT_EQ(metrics.LineHeight, fm.height() + fm.leading() + 1);
    EXPECT_EQ(metrics.Widths[std::size_t('W')], fm.horizontalAdvance(QLatin1Char('W')));
    EXPECT_EQ(metrics.Widths[300], fm.horizontalAdvance(QChar(300)));

    // "Courier New", the control's own font, resolves to the same metric-compatible face.
    TCustomSyntaxMemo courier;
    EXPECT_TRUE(courier.Metrics().FixedPitch);
    EXPECT_EQ(courier.Metrics().CharWidth, QFontMetrics(courier.font()).averageCharWidth());
}

TEST(MemoProperties, LogicalAndDisplayPositionsConvertBothWays)
{
    TCustomSyntaxMemo memo;
    memo.SetText("a\tb\r\nxy\r\n\tz");
    struct Case {
        int line, character, row, column;
    };
    const Case cases[] = {
        {1, 1, 1, 1}, {1, 3, 1, 5}, {2, 2, 2, 2}, {3, 2, 3, 5},
    };
    for (const Case& c : cases) {
        int row = 0;
        int column = 0;
        memo.LogicalToDisplay(c.line, c.character, row, column);
        EXPECT_EQ(std::pair(row, column), std::pair(c.row, c.column)) << c.line << ":" << c.character;
        int line = 0;
        int character = 0;
        memo.DisplayToLogical(c.row, c.column, line, character);
        EXPECT_EQ(std::pair(line, character), std::pair(c.line, c.character)) << c.row << ":" << c.column;
    }
}

TEST(MemoProperties, ASearchFailureIsReportedByEventOrMessage)
{
    TCustomSyntaxMemo memo;
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        EXPECT_TRUE(Describe(Dialog).contains(QStringLiteral("Search string \"abc\" not found.")))
            << Describe(Dialog).toStdString();
        Click(QStringLiteral("OK"))(Dialog);
    });
    memo.ReportSearchFailure(QStringLiteral("abc"));
    EXPECT_EQ(prompts.Shown(), 1);

    QString reported;
    memo.OnSearchFail = [&](TObject*, const QString& Text) { reported = Text; };
    memo.ReportSearchFailure(QStringLiteral("xyz"));
    EXPECT_EQ(reported, QStringLiteral("xyz"));
    EXPECT_EQ(prompts.Shown(), 1);
}

TEST(MemoProperties, ColoursAndThePlainStyleLiveInTheSettings)
{
    TCustomSyntaxMemo memo;
    memo.SetGutterColor(win::RGB(255, 0, 0));
    memo.SetMarginColor(win::RGB(0, 0, 255));
    memo.SetSelTextColor(win::RGB(255, 255, 0));
    memo.SetSelTextBack(clHighlight);
    EXPECT_EQ(memo.Settings().GutterColor, win::RGB(255, 0, 0));
    EXPECT_EQ(memo.Settings().MarginColor, win::RGB(0, 0, 255));
    EXPECT_EQ(memo.Settings().SelTextColor, win::RGB(255, 255, 0));
    EXPECT_EQ(memo.Settings().SelTextBack, clHighlight);

    TSM_StyleEffect plain = memo.Settings().GetStyleEffects(0);
    plain.UseDefaultBackground = 1;
    memo.Settings().SetStyleEffects(0, plain);
    memo.Setdef_TextColor(win::RGB(128, 0, 0));
    memo.Setdef_BackColor(clWindow);
    memo.Setdef_FontStyle(fsBold | fsItalic);
    const TSM_StyleEffect& effect = memo.Settings().GetStyleEffects(0);
    EXPECT_EQ(effect.Foreground, win::RGB(128, 0, 0));
    EXPECT_EQ(effect.Background, clWindow);
    EXPECT_EQ(effect.UseDefaultBackground, 0);
    EXPECT_EQ(memo.def_FontStyle(), std::uint32_t(fsBold | fsItalic));
    EXPECT_EQ(&memo.GetCodeTemplates(), &memo.Settings().CodeTemplates());
}

TEST(MemoProperties, TheControlPublishesItsProperties)
{
    TSyntaxMemo memo;
    EXPECT_EQ(memo.property("Version").toString(), QStringLiteral("3.00.39"));
    EXPECT_TRUE(memo.setProperty("TabColumns", QStringLiteral("3;7")));
    EXPECT_EQ(memo.TabColumns(), QStringLiteral("3 7"));
    EXPECT_TRUE(memo.setProperty("WordWrap", true));
    EXPECT_TRUE(memo.GetWordWrap());
    EXPECT_TRUE(memo.setProperty("ReadOnly", true));
    EXPECT_TRUE(memo.ReadOnly());
    EXPECT_EQ(memo.property("Options").toUInt(), memo.Options());
}

// The view shows a change of ReadOnly only when it changes the colours.
TEST(MemoProperties, ReadOnlyRepaintsOnlyWithItsColoursInUse)
{
    TSyntaxMemo memo;
    int repaints = memo.RepaintRequests();
    memo.SetReadOnly(true);
    EXPECT_TRUE(memo.ReadOnly());
    EXPECT_EQ(memo.RepaintRequests(), repaints);
    memo.ReadOnlyColours.Use = true;
    memo.SetReadOnly(false);
    EXPECT_FALSE(memo.ReadOnly());
    EXPECT_GT(memo.RepaintRequests(), repaints);
}
