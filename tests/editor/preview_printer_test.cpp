// The preview printer: pages recorded from an editor (on the letter page at the screen's
// resolution that stands in without an installed printer), the page life cycle, units, status
// reports, and the pages printed into a PDF file.
#include "pdf_printer.h"

#include "editor/custom_syntax_memo.h"
#include "editor/preview_printer.h"

#include <gtest/gtest.h>

#include <QPrinterInfo>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string NumberedLines(int Count)
{
    std::string text;
    for (int n = 1; n <= Count; ++n)
        text += "line " + std::to_string(n) + "\r";
    return text;
}

using TStatus = std::tuple<std::string, int, int>;

} // namespace

TEST(PreviewPrinter, PaginatesAnEditorOnLetterPages)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed";
    TCustomSyntaxMemo memo;
    memo.SetText(NumberedLines(100));
    int lineHeight = 0;
    int firstTop = -1;
    memo.Renderer().Spy = [&](const TRenderTrace& Trace) {
        if (Trace.Step == rsText && firstTop < 0) {
            lineHeight = Trace.Rect.height();
            firstTop = Trace.Rect.top();
        }
    };
    TPreviewPrinter printer;
    printer.SetUnits(unCentimeters);
    printer.PaginateSyntaxMemo(memo);
    memo.Renderer().Spy = nullptr;

    const int dpi = printer.PixelsPerInchY();
    EXPECT_EQ(printer.PhysicalWidth(), int(std::lrint(8.5 * dpi)));
    EXPECT_EQ(printer.PhysicalHeight(), 11 * dpi);
    // One-inch margins (pagination works in inches whatever the unit), the header three lines.
    EXPECT_EQ(firstTop, dpi + 3 * lineHeight);
    const int body = printer.PhysicalHeight() - 2 * dpi;
    const int rowsPerPage = (body - 7 * lineHeight) / lineHeight;
    EXPECT_EQ(printer.PageCount(), (100 + rowsPerPage - 1) / rowsPerPage);
    EXPECT_EQ(printer.Page(0).Width(), printer.PhysicalWidth());
    EXPECT_EQ(printer.Page(0).Height(), printer.PhysicalHeight());
    EXPECT_EQ(printer.Units(), unCentimeters);
    EXPECT_EQ(printer.HorzUnitsToPixels(2.54), dpi);
    EXPECT_EQ(memo.TextStore().GetText(0, memo.TextLength()), NumberedLines(100));

    TCustomSyntaxMemo empty;
    printer.PaginateSyntaxMemo(empty);
    EXPECT_EQ(printer.PageCount(), 1);
}

TEST(PreviewPrinter, ALastPageNeverDrawnOnIsDropped)
{
    TPreviewPrinter printer;
    printer.BeginDoc();
    printer.Canvas();
    printer.NewPage();
    printer.EndDoc();
    EXPECT_EQ(printer.PageCount(), 1);

    printer.BeginDoc();
    printer.Canvas();
    printer.NewPage();
    printer.Canvas();
    printer.EndDoc();
    EXPECT_EQ(printer.PageCount(), 2);
}

TEST(PreviewPrinter, CallsOutsideADocumentFail)
{
    TPreviewPrinter printer;
    const auto message = [](const std::function<void()>& Call) {
        try {
            Call();
        } catch (const EAssertionFailed& e) {
            return e.Message;
        }
        return QStringLiteral("no error");
    };
    EXPECT_EQ(message([&] { printer.Canvas(); }), QStringLiteral("Canvas is not available before BeginDoc"));
    EXPECT_EQ(message([&] { printer.NewPage(); }), QStringLiteral("Assertion failure"));
    printer.BeginDoc();
    EXPECT_EQ(message([&] { printer.Preview(); }), QStringLiteral("Assertion failure"));
    printer.EndDoc();
    EXPECT_EQ(message([&] { printer.Canvas(); }), QStringLiteral("Canvas is not available before BeginDoc"));
}

TEST(PreviewPrinter, UnitsBecomePixelsHalvesToEven)
{
    TPreviewPrinter printer;
    printer.BeginDoc();
    printer.EndDoc();
    if (printer.PixelsPerInchX() != 96 || printer.PixelsPerInchY() != 96)
        GTEST_SKIP() << "the table is for 96 dots per inch";
    // Sixty-fourths of an inch are exact: 1.5, 4.5, 7.5 and 10.5 pixels.
    const std::pair<int, int> cases[] = {{1, 2}, {3, 4}, {5, 8}, {7, 10}};
    for (const auto& [sixtyFourths, pixels] : cases) {
        EXPECT_EQ(printer.HorzUnitsToPixels(sixtyFourths / 64.0), pixels) << sixtyFourths;
        EXPECT_EQ(printer.VertUnitsToPixels(sixtyFourths / 64.0), pixels) << sixtyFourths;
    }
    printer.SetUnits(unCentimeters);
    EXPECT_EQ(printer.UnitFactor(), 2.54);
    EXPECT_EQ(printer.VertUnitsToPixels(2.54), 96);
}

// The status reports of a pagination and of a print job, and the pages as printed.
TEST(PreviewPrinter, PrintsItsPagesAndReportsTheSteps)
{
    TPdfPrinter pdf;
    TCustomSyntaxMemo memo;
    memo.SetText(NumberedLines(70));
    TPreviewPrinter printer;
    printer.Title = QStringLiteral("two pages");
    std::vector<TStatus> statuses;
    printer.OnStatus = [&](TObject* Sender, const QString& Message, int Page, int Type) {
        EXPECT_EQ(Sender, &printer);
        statuses.emplace_back(Message.toStdString(), Page, Type);
    };
    printer.PaginateSyntaxMemo(memo);
    ASSERT_EQ(printer.PageCount(), 2) << "the fixture is meant to fill two pages";
    EXPECT_EQ(statuses, (std::vector<TStatus>{{"Paginating page 1", 1, stPaginating},
                                              {"Paginating page 2", 2, stPaginating},
                                              {"Pagination Complete", -1, stPaginationComplete}}));

    statuses.clear();
    printer.PrintPages(-3, 9);
    EXPECT_EQ(statuses, (std::vector<TStatus>{{"Printing page 1", 1, stPrinting},
                                              {"Printing page 2", 2, stPrinting},
                                              {"Print Job Complete", -1, stJobComplete}}));
    EXPECT_EQ(pdf.Pages(), 2);
    EXPECT_TRUE(pdf.Text(1).contains(QStringLiteral("line 1\n")) || pdf.Text(1).contains(QStringLiteral("line 1 ")));
    EXPECT_TRUE(pdf.Text(2).contains(QStringLiteral("line 70")));
    EXPECT_TRUE(pdf.Text(2).contains(QStringLiteral("- 2 -")));

    statuses.clear();
    printer.PrintPages(1, 1);
    EXPECT_EQ(pdf.Pages(), 1);
    EXPECT_TRUE(pdf.Text().contains(QStringLiteral("line 70")));
}

TEST(PreviewPrinter, TextOptionsAreCopied)
{
    TPreviewPrinter printer;
    EXPECT_EQ(printer.TextOptions().BodyFont().family(), QStringLiteral("Arial"));
    EXPECT_EQ(printer.TextOptions().HeaderFont().pointSize(), 18);
    EXPECT_TRUE(printer.TextOptions().HeaderFont().bold());
    EXPECT_TRUE(printer.TextOptions().PageNumFont().italic());
    EXPECT_EQ(printer.TextOptions().PageNumText, QStringLiteral("Page %d"));
    EXPECT_EQ(printer.TextOptions().FooterMargin, 0.75);
    TTextOptions options;
    options.MarginLeft = 0.25;
    options.Header = QStringLiteral("head");
    options.SetBodyFont(QFont(QStringLiteral("Courier New"), 12));
    options.PrintPageNumber = pnTop;
    printer.SetTextOptions(options);
    EXPECT_EQ(printer.TextOptions().MarginLeft, 0.25);
    EXPECT_EQ(printer.TextOptions().Header, QStringLiteral("head"));
    EXPECT_EQ(printer.TextOptions().BodyFont().pointSize(), 12);
    EXPECT_EQ(printer.TextOptions().PrintPageNumber, pnTop);
}
