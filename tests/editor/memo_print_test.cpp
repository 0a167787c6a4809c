// Printing the editor's text: whole documents and selections on the printer (a PDF file read
// back with pdftotext), and single pages for the preview drawn into images and watched through
// the renderer's spy.
#include "key_memo.h"
#include "pdf_printer.h"

#include "editor/language/sm_settings.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr TSyntaxMemoOptions PrintHeaderBits =
    (1u << smoPrintFilename) | (1u << smoPrintDate) | (1u << smoPrintPageNos);

// The rows of text the renderer drew: the text of each and its rectangle.
struct TPrintedRows {
    std::vector<TRenderTrace> Rows;
    std::vector<TRenderTrace> Numbers;

    explicit TPrintedRows(TCustomSyntaxMemo& Memo) : memo_(Memo)
    {
        Memo.Renderer().Spy = [this](const TRenderTrace& Trace) {
            if (Trace.Step == rsText)
                Rows.push_back(Trace);
            else if (Trace.Step == rsLineNumber)
                Numbers.push_back(Trace);
        };
    }
    ~TPrintedRows() { memo_.Renderer().Spy = nullptr; }

private:
    TCustomSyntaxMemo& memo_;
};

// Lines "line 1" to "line Count", each ending in a line end.
std::string NumberedLines(int Count)
{
    std::string text;
    for (int n = 1; n <= Count; ++n)
        text += "line " + std::to_string(n) + "\r";
    return text;
}

// Page Page drawn into a white-on-black image of Size; returns RenderPage's answer.
bool DrawPage(TCustomSyntaxMemo& Memo, int Page, QImage& Image, const QRect& Rect)
{
    Image.fill(Qt::black);
    QPainter painter(&Image);
    return Memo.RenderPage(painter, Rect, Page);
}

QStringList TextLines(const QString& Text)
{
    return Text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Some line of Text matches Pattern.
bool HasLine(const QString& Text, const QString& Pattern)
{
    const QRegularExpression expression(Pattern);
    const QStringList lines = TextLines(Text);
    return std::any_of(lines.begin(), lines.end(), [&](const QString& Line) { return expression.match(Line).hasMatch(); });
}

} // namespace

// A document of three pages: the title and the date head every page, the page numbers foot them,
// and a page holds as many rows as fit between the header's rule and the footer's.
TEST(MemoPrint, PagesCarryTheHeaderAndFooter)
{
    TPdfPrinter pdf;
    const TDateTime moment = EncodeDate(2026, 3, 4) + EncodeTime(5, 6, 7, 0);
    TFixedClock clock(moment);
    TCustomSyntaxMemo memo;
    memo.Title = QStringLiteral("notes.txt");
    memo.SetText(NumberedLines(140));
    int lineHeight = 0;
    int rows = 0;
    {
        TPrintedRows printed(memo);
        memo.Print();
        rows = int(printed.Rows.size());
        lineHeight = printed.Rows.front().Rect.height();
    }
    EXPECT_EQ(rows, 140);
    const int pageHeight = Printer().pageRect(QPrinter::DevicePixel).toRect().height();
    const int rowsPerPage = (pageHeight - 7 * lineHeight) / lineHeight;
    const int pages = (rows + rowsPerPage - 1) / rowsPerPage;
    ASSERT_GE(pages, 3) << "the fixture is meant to fill three pages";
    EXPECT_EQ(pdf.Pages(), pages);

    const QString date = FormatDateTime(QStringLiteral("ddddd"), moment) + QStringLiteral(" - ") +
                         FormatDateTime(QStringLiteral("tt"), moment);
    for (int page = 1; page <= pages; ++page) {
        const QString text = pdf.Text(page);
        EXPECT_TRUE(text.contains(QStringLiteral("notes.txt"))) << page;
        EXPECT_TRUE(text.contains(date)) << page << ": " << text.left(300).toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("- %1 -").arg(page))) << page;
    }
    EXPECT_TRUE(pdf.Text(2).contains(QStringLiteral("line %1").arg(rowsPerPage + 1)));
    EXPECT_FALSE(pdf.Text(2).contains(QStringLiteral("line %1\n").arg(rowsPerPage)));
}

// With print wrap a line is cut into rows after blanks, or hard where no blank is in reach; the
// line number shows on the first row of a line only.
TEST(MemoPrint, WrappedLinesAreNumberedOnTheirFirstRow)
{
    TPdfPrinter pdf;
    TCustomSyntaxMemo memo;
    memo.SetOptions(memo.Options() & ~PrintHeaderBits);
    std::string words;
    for (int n = 0; n < 40; ++n)
        words += "word" + std::to_string(n) + " ";
    const std::string solid(300, 'x');
    memo.SetText(words + "\r" + solid + "\rlast\r");
    TPrintedRows printed(memo);
    memo.Print();

    // The rows of the solid line are cut at one width, the last taking the rest.
    std::vector<std::size_t> solidRows;
    for (const TRenderTrace& row : printed.Rows)
        if (row.Text.find('x') != std::string::npos)
            solidRows.push_back(row.Text.find_first_not_of('x') == std::string::npos ? row.Text.size() : 0);
    ASSERT_GE(solidRows.size(), 3u);
    std::size_t total = 0;
    for (std::size_t i = 0; i < solidRows.size(); ++i) {
        total += solidRows[i];
        if (i + 1 < solidRows.size())
            EXPECT_EQ(solidRows[i], solidRows[0]);
    }
    EXPECT_EQ(total, solid.size());
    // Rows of words end after a blank: no word is split.
    for (const TRenderTrace& row : printed.Rows)
        if (row.Text.rfind("word", 0) == 0 && row.Text.back() != '\r')
            EXPECT_EQ(row.Text.back(), ' ') << row.Text;

    ASSERT_EQ(printed.Numbers.size(), 3u);
    EXPECT_EQ(printed.Numbers[0].Text, "     1:");
    EXPECT_EQ(printed.Numbers[1].Text, "     2:");
    EXPECT_EQ(printed.Numbers[2].Text, "     3:");

    const QStringList lines = TextLines(pdf.Text());
    const QRegularExpression numbered(QStringLiteral("^\\s*(\\d+):"));
    QStringList numbers;
    for (const QString& line : lines)
        if (const QRegularExpressionMatch match = numbered.match(line); match.hasMatch())
            numbers << match.captured(1);
    EXPECT_EQ(numbers, QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    ASSERT_GE(lines.size(), 4);
    EXPECT_TRUE(HasLine(lines[0], QStringLiteral("^\\s*1:\\s+word0 word1 "))) << lines[0].toStdString();
    EXPECT_FALSE(numbered.match(lines[1]).hasMatch()) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].trimmed().startsWith(QStringLiteral("word"))) << lines[1].toStdString();
}

// The selected lines print, each whole although it wraps; a selection that ends at the start of
// a line leaves that line out. Ctrl+K, P prints the selection too.
TEST(MemoPrint, TheSelectionPrintsItsLines)
{
    std::string second = "two";
    for (int n = 0; n < 30; ++n)
        second += " wrapped" + std::to_string(n);
    const std::string text = "one\r" + second + "\rthree\rfour\r";
    const int secondStart = 4;
    const int fourthStart = int(text.find("four"));
    for (const bool byKeys : {false, true}) {
        SCOPED_TRACE(byKeys ? "Ctrl+K, P" : "PrintSelection");
        TPdfPrinter pdf;
        TKeyMemo memo;
        memo.SetOptions(memo.Options() & ~PrintHeaderBits);
        memo.SetText(text);
        memo.Select(secondStart + 1, fourthStart);
        if (byKeys) {
            memo.Press(Qt::Key_K, Qt::ControlModifier);
            memo.Press(Qt::Key_P);
        } else {
            memo.PrintSelection();
        }
        const QString printed = pdf.Text();
        EXPECT_FALSE(printed.contains(QStringLiteral("one")));
        EXPECT_TRUE(HasLine(printed, QStringLiteral("^\\s*2:\\s+two wrapped0 "))) << printed.toStdString();
        EXPECT_TRUE(printed.contains(QStringLiteral("wrapped29")));
        EXPECT_TRUE(HasLine(printed, QStringLiteral("^\\s*3:\\s+three$")));
        EXPECT_FALSE(printed.contains(QStringLiteral("four")));
        EXPECT_EQ(memo.Text(), text);
    }
}

TEST(MemoPrint, PreviewPagesComeOneAtATime)
{
    TCustomSyntaxMemo memo;
    memo.SetOptions(memo.Options() & ~PrintHeaderBits);
    memo.SetText(NumberedLines(25));
    QImage image(400, 300, QImage::Format_RGB32);
    const QRect area(0, 0, 400, 300);
    std::vector<std::string> firsts;
    int page = 1;
    for (bool more = true; more && page < 10; ++page) {
        TPrintedRows printed(memo);
        more = DrawPage(memo, page, image, area);
        ASSERT_FALSE(printed.Rows.empty());
        firsts.push_back(printed.Rows.front().Text);
        const int lineHeight = printed.Rows.front().Rect.height();
        EXPECT_EQ(int(printed.Rows.size()), more ? 300 / lineHeight : 25 - 300 / lineHeight * (page - 1));
    }
    EXPECT_GE(page - 1, 2);
    EXPECT_EQ(firsts.front(), "line 1");
    EXPECT_NE(firsts.back(), firsts.front());

    // Past the end: nothing but the white page.
    TPrintedRows printed(memo);
    EXPECT_FALSE(DrawPage(memo, page + 3, image, area));
    EXPECT_TRUE(printed.Rows.empty());
    EXPECT_TRUE(printed.Numbers.empty());
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;

    TCustomSyntaxMemo empty;
    EXPECT_FALSE(DrawPage(empty, 1, image, area));
}

// Where the body goes: from the area's top when only page numbers are printed (ending four lines
// above the bottom), from the rectangle the host's header and footer leave otherwise.
TEST(MemoPrint, TheBodyStartsWhereTheHeaderLeavesIt)
{
    TCustomSyntaxMemo memo;
    memo.SetText(NumberedLines(60));
    memo.SetOptions((memo.Options() & ~PrintHeaderBits) | (1u << smoPrintPageNos));
    QImage image(500, 400, QImage::Format_RGB32);
    const QRect area(20, 30, 460, 350);
    {
        TPrintedRows printed(memo);
        ASSERT_TRUE(DrawPage(memo, 1, image, area));
        const int lineHeight = printed.Rows.front().Rect.height();
        EXPECT_EQ(printed.Rows.front().Rect.top(), area.top());
        EXPECT_LE(printed.Rows.back().Rect.bottom() + 1, area.bottom() + 1 - 4 * lineHeight);
        EXPECT_GT(printed.Rows.back().Rect.bottom() + 1 + lineHeight, area.bottom() + 1 - 4 * lineHeight);
    }

    int calls = 0;
    memo.OnPrintHeaderFooter = [&](TObject* Sender, QPainter&, QRect& Rect, bool& Transparent) {
        EXPECT_EQ(Sender, &memo);
        EXPECT_EQ(Rect, area);
        EXPECT_FALSE(Transparent);
        Rect.adjust(40, 50, -40, -60);
        ++calls;
    };
    TPrintedRows printed(memo);
    ASSERT_TRUE(DrawPage(memo, 2, image, area));
    EXPECT_EQ(calls, 2);
    ASSERT_FALSE(printed.Numbers.empty());
    EXPECT_EQ(printed.Numbers.front().Rect.left(), area.left() + 40);
    EXPECT_EQ(printed.Numbers.front().Rect.top(), area.top() + 50);
    EXPECT_EQ(printed.Rows.front().Rect.left(), printed.Numbers.front().Rect.right() + 1);
    EXPECT_EQ(printed.Rows.front().Rect.top(), area.top() + 50);
    EXPECT_LE(printed.Rows.back().Rect.bottom(), area.bottom() - 60);
    EXPECT_LE(printed.Rows.front().Rect.right(), area.right() - 40);
    // The lines of the page before, which was laid out but not drawn, are counted all the same.
    const int rowsPerPage = (area.height() - 110) / printed.Rows.front().Rect.height();
    EXPECT_EQ(printed.Numbers.front().Text, QString::asprintf("%6d:", rowsPerPage + 1).toStdString());
}

// Printing measures with the printer's fonts; afterwards the screen's measurements are back.
TEST(MemoPrint, TheScreenMeasurementsComeBack)
{
    TPdfPrinter pdf;
    TCustomSyntaxMemo memo;
    memo.SetText("abc\r");
    const TMemoMetrics screen = memo.Metrics();
    int printedHeight = 0;
    memo.OnPrintHeaderFooter = [&](TObject*, QPainter&, QRect&, bool&) {
        EXPECT_TRUE(memo.Printing());
        printedHeight = memo.Metrics().LineHeight;
    };
    memo.Print();
    EXPECT_GT(printedHeight, 4 * screen.LineHeight);
    EXPECT_FALSE(memo.Printing());
    EXPECT_EQ(memo.Metrics().LineHeight, screen.LineHeight);
    EXPECT_EQ(memo.Metrics().CharWidth, screen.CharWidth);
}
