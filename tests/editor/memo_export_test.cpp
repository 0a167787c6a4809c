// The editor control's selection properties and the write-stream message: plain formats, and the
// RTF and HTML exports of a small highlighted fixture against golden files.
#include "editor/custom_syntax_memo.h"
#include "editor/language/sm_settings.h"
#include "editor/language/style_font.h"
#include "golden.h"

#include "platform/rtl/date_time.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

// Three lines: two with token bytes, one without. Tokens 1..3 map to styles 1..3.
const char FixtureText[] = "a<b & \"c\"\tz\r\n{x}\\'y\xe9\xa0\x0c!\r\n&lt; plain \xff";

class MemoExport : public testing::Test {
protected:
    MemoExport()
    {
        previousClock_ = SetNowFunction([] { return EncodeDate(2024, 5, 6) + EncodeTime(13, 4, 5, 0); });
        memo.SetText(FixtureText);
        TSM_Settings& settings = memo.Settings();
        settings.SetStyleEffects(1, {fsBold, win::RGB(255, 0, 0), clWhite, 0, 0, 0, 0, 1});
        settings.SetStyleEffects(2, {fsItalic | fsUnderline, win::RGB(0, 128, 0), clWhite, 0, 0, 0, 0, 1});
        settings.SetStyleEffects(3, {fsBold, win::RGB(255, 0, 0), win::RGB(255, 255, 0), 0, 0, 0, 0, 1});
        for (int token = 1; token <= 3; ++token)
            settings.SetTokenStyle(token, token);
        // "a<b & " plain, "\"c\"" bold red, "\tz" italic underlined green, CR plain;
        // "{x}" bold red on yellow, the rest bold red.
        std::vector<std::uint8_t> tokens = {0, 0, 0, 0, 0, 0, 1, 1, 1, 2, 2, 0,
                                            3, 3, 3, 1, 1, 1, 1, 1, 1, 1, 1};
        sm::TMemoBuffer buffer{tokens.data(), tokens.size()};
        sm::TLineRange lines{0, 1};
        memo.Perform(sm::SM_SETTOKENS, win::WPARAM(&buffer), win::LPARAM(&lines));
        memo.Title = QStringLiteral("fixture.html");
    }
    ~MemoExport() override { SetNowFunction(previousClock_); }

    QByteArray Written(unsigned Format)
    {
        TMemoryStream stream;
        memo.Perform(sm::SM_WRITESTREAM, Format, win::LPARAM(&stream));
        return QByteArray(stream.Memory(), qsizetype(stream.Size()));
    }

    TCustomSyntaxMemo memo;

private:
    TNowFunction previousClock_;
};

} // namespace

TEST_F(MemoExport, HtmlOfTheWholeTextMatchesItsGoldenFile)
{
    memo.SelectAll();
    EXPECT_EQ(Written(sm::wfHTML), GoldenBytes("export.html"));
}

TEST_F(MemoExport, RtfOfTheWholeTextMatchesItsGoldenFile)
{
    memo.SelectAll();
    EXPECT_EQ(Written(sm::wfRTF), GoldenBytes("export.rtf"));
}

TEST_F(MemoExport, ExportsStopAtTheSelection)
{
    const QByteArray colorTable = "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;"
                                  "\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red255\\green255\\blue0;}\r\n";
    const QByteArray head = "{\\rtf1 \\deff1{\\fonttbl {\\f1 \\fnil\\fcharset1 Courier New;}}\r\n" + colorTable +
                            "{\\f1\\fs20\\cf0\\cb1 ";
    struct Case {
        int start;
        int end;
        QByteArray body;
    };
    const Case cases[] = {
        {2, 8, "b & \\b1 \\cf2 \"c\r\n"},            // ends inside a line
        {0, 12, "a<b & \\b1 \\cf2 \"c\"\\b0 \\i1 \\ul1 \\cf3 \\tab z\\i0 \\ul0 \\cf0 \\line \r\n"}, // a whole line
        {12, 15, "\\b1 \\cf2 \\cb4 \\{x\\}\r\n"},
    };
    for (const Case& c : cases) {
        memo.SetSelection(c.end, c.start); // reversed: the writer orders it
        EXPECT_EQ(Written(sm::wfRTF), head + c.body + "}}") << c.start << ".." << c.end;
    }
}

TEST_F(MemoExport, PlainFormatsWriteTheirLineEnds)
{
    memo.SetSelection(9, 14);
    struct Case {
        unsigned format;
        QByteArray bytes;
    };
    const Case cases[] = {
        {sm::wfBare, "\tz\r{x"},
        {sm::wfCRLF, "\tz\r\n{x"},
        {sm::wfUNIX, "\tz\n{x"},
        {sm::wfUNIX | sm::wfCRLF, "\tz\n{x"}, // UNIX is tested before bit 0
        {16, "\tz\r{x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Written(c.format), c.bytes) << c.format;
}

TEST_F(MemoExport, SelectionPropertiesCountLineEndsBySelLineStyle)
{
    memo.SetSelection(13, 9); // "\tz\r{" reversed, across one line end
    EXPECT_EQ(memo.GetSelStart(), 9);
    memo.TextStore().SelLineStyle = lsCRLF;
    EXPECT_EQ(memo.GetSelLength(), 5);
    EXPECT_EQ(memo.GetSelText(), "\tz\r\n{");
    EXPECT_EQ(memo.GetTextLen(), int(sizeof FixtureText) - 1);
    memo.TextStore().SelLineStyle = lsLF;
    EXPECT_EQ(memo.GetSelLength(), 4);
    EXPECT_EQ(memo.GetSelText(), "\tz\r{");
    EXPECT_EQ(memo.GetTextLen(), int(sizeof FixtureText) - 3);

    std::array<char, 4> buffer;
    buffer.fill('#');
    EXPECT_EQ(memo.GetSelTextBuf({buffer.data(), 3}), 2);
    EXPECT_EQ(std::string(buffer.data()), "\tz");
    EXPECT_EQ(buffer[3], '#');

    memo.SetSelLength(2);
    EXPECT_EQ(memo.GetSelText(), "\tz");
    memo.SetSelText("--");
    memo.SetSelStart(0);
    memo.SetSelLength(11);
    EXPECT_EQ(memo.GetSelText(), "a<b & \"c\"--");
    memo.ClearSelection();
    memo.SelectAll();
    EXPECT_EQ(memo.GetSelText().substr(0, 2), "\r{");
}
