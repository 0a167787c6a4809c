// The editor control's printing: the whole text or the selected lines on the program's printer,
// and single pages on any painter for the print preview.
#include "editor/custom_syntax_memo.h"

#include "editor/language/sm_settings.h"
#include "editor/printer.h"

#include <QPainter>
#include <QPrinter>

void TCustomSyntaxMemo::SetPrintRect(const QRect& Rect)
{
    PrintRect = Rect;
    UsePrinterPage = false;
}

void TCustomSyntaxMemo::Print()
{
    PrintLines(false, 0, 0);
}

// The range is counted in lines (records): every selected line prints, wrapped or not.
void TCustomSyntaxMemo::PrintSelection()
{
    const auto [start, end] = OrderRange(SelStart(), SelEnd());
    const int endLine = LineFromChar(end);
    const int first = LineFromChar(start) + 1;
    const int last = endLine + (end == LineIndex(endLine) ? 0 : 1);
    PrintLines(true, first, last);
}

void TCustomSyntaxMemo::PrintLines(bool LineRange, int First, int Last)
{
    QPrinter& printer = Printer();
    printer.setDocName(Title);
    QPainter painter;
    if (!painter.begin(&printer))
        throw EPrinter(QStringLiteral("The printer cannot start the document"));
    RunPrinting(printer, [&] {
        TRenderRequest request;
        request.Area = UsePrinterPage ? QRect(QPoint(0, 0), printer.pageRect(QPrinter::DevicePixel).size().toSize())
                                      : PrintRect;
        request.Canvas = &painter;
        request.Printing = true;
        request.LineRange = LineRange;
        request.First = First;
        request.Last = Last;
        request.NewPage = [&printer] {
            if (!printer.newPage())
                throw EPrinter(QStringLiteral("The printer cannot start a new page"));
        };
        Render(request);
        painter.end();
    });
}

bool TCustomSyntaxMemo::RenderPage(QPainter& Canvas, const QRect& Rect, int PageNumber)
{
    TRenderRequest request;
    request.Area = Rect;
    request.Canvas = &Canvas;
    request.OnePage = true;
    request.Printing = true;
    request.First = PageNumber;
    request.Last = PageNumber;
    RunPrinting(*Canvas.device(), [&] {
        Canvas.fillRect(QRect(QPoint(0, 0), Rect.bottomRight()), Qt::white);
        Render(request);
    });
    return TextLength() > 0 && request.PageNumber >= 1;
}

// The screen's measurements come back as they were: the client area kept its size, so nothing is
// laid out or wrapped again.
void TCustomSyntaxMemo::RunPrinting(QPaintDevice& Device, const std::function<void()>& Body)
{
    // Paper shows every line highlighted, also those a run had left for later.
    FinishHighlighting();
    const TMemoMetrics screen = metrics_;
    const auto end = [this, screen] {
        settings_->PrintCanvas = nullptr;
        printing_ = false;
        settings_->UpdateStyleFonts();
        metrics_ = screen;
        MarkAllForHighlight();
        Changed();
        Invalidate();
    };
    printing_ = true;
    settings_->PrintCanvas = &Device;
    try {
        settings_->UpdateStyleFonts();
        const TStyleFont* plain = settings_->StyleFont(0);
        metrics_ = MeasureFont(plain ? plain->Font : font(), &Device);
        Body();
    } catch (...) {
        end();
        throw;
    }
    end();
}
