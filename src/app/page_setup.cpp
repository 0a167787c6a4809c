// The page setup's margins on the printer's page.
#include "app/page_setup.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <cmath>

namespace {

int Inset(int Thousandths, int Dpi)
{
    return int(std::lround(double(Thousandths) * Dpi / 1000.0));
}

} // namespace

QRect PrintRectInMargins(const TPageSetup& Setup, QSize PhysicalSize, int DpiX, int DpiY)
{
    return {QPoint(Inset(Setup.MarginLeft, DpiX), Inset(Setup.MarginTop, DpiY)),
            QPoint(PhysicalSize.width() - Inset(Setup.MarginRight, DpiX),
                   PhysicalSize.height() - Inset(Setup.MarginBottom, DpiY))};
}

QRect PrintRectInMargins(const TPageSetup& Setup, QPrinter& Printer)
{
    const QRect paper = Printer.paperRect(QPrinter::DevicePixel).toRect();
    return PrintRectInMargins(Setup, paper.size(), Printer.logicalDpiX(), Printer.logicalDpiY());
}

void ApplyPageSetup(const TPageSetup& Setup, QPrinter& Printer)
{
    Printer.setPageMargins(QMarginsF(Setup.MarginLeft / 1000.0, Setup.MarginTop / 1000.0, Setup.MarginRight / 1000.0,
                                     Setup.MarginBottom / 1000.0),
                           QPageLayout::Inch);
}

void ReadPageSetup(TPageSetup& Setup, const QPrinter& Printer)
{
    const QMarginsF margins = Printer.pageLayout().margins(QPageLayout::Inch);
    Setup.MarginLeft = int(std::lround(margins.left() * 1000));
    Setup.MarginTop = int(std::lround(margins.top() * 1000));
    Setup.MarginRight = int(std::lround(margins.right() * 1000));
    Setup.MarginBottom = int(std::lround(margins.bottom() * 1000));
}
