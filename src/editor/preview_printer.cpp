// The preview printer: recording pages, the device they are laid out for, paginating an editor's
// text and printing the pages.
#include "editor/preview_printer.h"

#include "editor/custom_syntax_memo.h"
#include "editor/document/memo_strings.h"
#include "editor/printer.h"
#include "editor/widgets/preview_form.h"

#include "platform/ui/screen.h"
#include "platform/widgets/prompt_service.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {

// The hourglass over the program while it lives.
class THourGlassCursor {
public:
    THourGlassCursor() { Screen().SetCursor(crHourGlass); }
    ~THourGlassCursor() { Screen().SetCursor(crDefault); }
    THourGlassCursor(const THourGlassCursor&) = delete;
    THourGlassCursor& operator=(const THourGlassCursor&) = delete;
};

QPageLayout::Orientation PageOrientation(TPrinterOrientation Orientation)
{
    return Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

} // namespace

// Qt plays a picture scaled by the device's resolution over the screen's: that scale is taken
// out, so that the page's own frame maps onto Target alone.
void DrawPage(QPainter& Painter, const TMetafile& Page, const QRect& Target)
{
    if (Page.Width() <= 0 || Page.Height() <= 0)
        return;
    const QPaintDevice& device = *Painter.device();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal screenX = screen ? screen->logicalDotsPerInchX() : 96;
    const qreal screenY = screen ? screen->logicalDotsPerInchY() : 96;
    Painter.save();
    Painter.setWindow(0, 0, Page.Width(), Page.Height());
    Painter.setViewport(Target);
    Painter.scale(qRound(screenX) / qreal(device.logicalDpiX()), qRound(screenY) / qreal(device.logicalDpiY()));
    Painter.drawPicture(0, 0, Page.Picture());
    Painter.restore();
}

TPreviewPrinter::TPreviewPrinter(TComponent* AOwner) : TComponent(AOwner) {}

TPreviewPrinter::~TPreviewPrinter() = default;

void TPreviewPrinter::SetUnits(TUnits Value)
{
    units_ = Value;
    unitFactor_ = Value == unCentimeters ? 2.54 : 1.0;
}

int TPreviewPrinter::HorzUnitsToPixels(double Value) const
{
    return int(std::lrint(pixelsPerInchX_ * Value / unitFactor_));
}

int TPreviewPrinter::VertUnitsToPixels(double Value) const
{
    return int(std::lrint(pixelsPerInchY_ * Value / unitFactor_));
}

void TPreviewPrinter::Status(const QString& Message, int PageNum, int StatusType)
{
    if (OnStatus)
        OnStatus(this, Message, PageNum, StatusType);
}

void TPreviewPrinter::ReadReferenceDevice()
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // No printer: a letter page at the screen's resolution.
        const int dpi = Screen().PixelsPerInch();
        pixelsPerInchX_ = pixelsPerInchY_ = dpi;
        physicalWidth_ = int(std::lrint(dpi * 8.5));
        physicalHeight_ = int(std::lrint(dpi * 11.0));
        physicalOffsetX_ = physicalOffsetY_ = 0;
        return;
    }
    QPrinter& printer = Printer();
    printer.setPageOrientation(PageOrientation(Orientation));
    const QPageLayout layout = printer.pageLayout();
    const QRect paper = layout.fullRectPixels(printer.resolution());
    const QRect printable = layout.paintRectPixels(printer.resolution());
    pixelsPerInchX_ = printer.logicalDpiX();
    pixelsPerInchY_ = printer.logicalDpiY();
    physicalWidth_ = paper.width();
    physicalHeight_ = paper.height();
    physicalOffsetX_ = printable.left();
    physicalOffsetY_ = printable.top();
}

void TPreviewPrinter::BeginDoc()
{
    inDocument_ = true;
    pageCanvas_.reset();
    pages_.clear();
    NewPage();
}

void TPreviewPrinter::NewPage()
{
    if (!inDocument_)
        throw EAssertionFailed(QStringLiteral("Assertion failure"));
    ReadReferenceDevice();
    pages_.push_back(std::make_unique<TMetafile>());
    TMetafile& page = *pages_.back();
    page.SetWidth(physicalWidth_);
    page.SetHeight(physicalHeight_);
    auto canvas = std::make_unique<TPageMetaFileCanvas>(page, pixelsPerInchY_);
    QPainter& painter = canvas->Painter();
    if (pageCanvas_) {
        const QPainter& previous = pageCanvas_->Painter();
        painter.setFont(previous.font());
        painter.setBrush(previous.brush());
        painter.setPen(previous.pen());
    } else {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(int(std::lrint(10.0 * pixelsPerInchY_ / 72)));
        painter.setFont(font);
        painter.setBrush(Qt::NoBrush);
    }
    pageCanvas_ = std::move(canvas);
    canvasUsed_ = false;
    Status(QString::asprintf("Paginating page %d", PageCount()), PageCount(), stPaginating);
}

void TPreviewPrinter::EndDoc()
{
    inDocument_ = false;
    pageCanvas_.reset();
    if (!canvasUsed_ && !pages_.empty())
        pages_.pop_back();
    Status(QStringLiteral("Pagination Complete"), -1, stPaginationComplete);
}

TPageMetaFileCanvas& TPreviewPrinter::Canvas()
{
    if (!inDocument_ || !pageCanvas_)
        throw EAssertionFailed(QStringLiteral("Canvas is not available before BeginDoc"));
    canvasUsed_ = true;
    return *pageCanvas_;
}

// The pages are laid out in inches whatever the unit, one page after another until the editor's
// text ends.
void TPreviewPrinter::PaginateSyntaxMemo(TCustomSyntaxMemo& Editor)
{
    THourGlassCursor hourGlass;
    const TUnits units = units_;
    SetUnits(unInches);
    TSyntaxMemoStrings& lines = Editor.Lines();
    lines.BeginUpdate();
    try {
        BeginDoc();
        for (int page = 1;; ++page) {
            const QRect body(QPoint(HorzUnitsToPixels(textOptions_.MarginLeft), VertUnitsToPixels(textOptions_.MarginTop)),
                             QPoint(physicalWidth_ - HorzUnitsToPixels(textOptions_.MarginRight) - 1,
                                    physicalHeight_ - VertUnitsToPixels(textOptions_.MarginBottom) - 1));
            if (!Editor.RenderPage(Canvas().Painter(), body, page))
                break;
            NewPage();
        }
        EndDoc();
    } catch (...) {
        SetUnits(units);
        lines.EndUpdate();
        throw;
    }
    SetUnits(units);
    lines.EndUpdate();
}

void TPreviewPrinter::Preview()
{
    if (inDocument_)
        throw EAssertionFailed(QStringLiteral("Assertion failure"));
    TPreviewForm form(*this);
    form.ShowModal();
}

bool TPreviewPrinter::PrintWithDialog()
{
    QPrinter& printer = Printer();
    QPrintDialog dialog(&printer);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, PageCount());
    dialog.setFromTo(1, PageCount());
    if (ExecModal(dialog) != QDialog::Accepted)
        return false;
    int first = 0;
    int last = PageCount() - 1;
    if (dialog.printRange() == QAbstractPrintDialog::PageRange) {
        first = dialog.fromPage() - 1;
        last = dialog.toPage() - 1;
    }
    // The copies are printed one after another, not by the printer.
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    for (int copy = 0; copy < copies; ++copy)
        PrintPages(first, last);
    printer.setCopyCount(copies);
    return true;
}

void TPreviewPrinter::PrintPages(int First, int Last)
{
    First = std::max(First, 0);
    Last = std::min(Last, PageCount() - 1);
    if (First > Last)
        return;
    THourGlassCursor hourGlass;
    QPrinter& printer = Printer();
    printer.setPageOrientation(PageOrientation(Orientation));
    printer.setDocName(Title);
    // Page coordinates are paper coordinates: each recording fills the sheet.
    const bool fullPage = printer.fullPage();
    printer.setFullPage(true);
    try {
        QPainter painter;
        if (!painter.begin(&printer))
            throw EPrinter(QStringLiteral("The printer cannot start the document"));
        const QRect paper(0, 0, printer.width(), printer.height());
        for (int page = First; page <= Last; ++page) {
            Status(QString::asprintf("Printing page %d", page + 1), page + 1, stPrinting);
            if (page > First && !printer.newPage())
                throw EPrinter(QStringLiteral("The printer cannot start a new page"));
            DrawPage(painter, *pages_[std::size_t(page)], paper);
        }
    } catch (...) {
        printer.setFullPage(fullPage);
        throw;
    }
    printer.setFullPage(fullPage);
    Status(QStringLiteral("Print Job Complete"), -1, stJobComplete);
}
