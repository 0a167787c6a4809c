// TPageSetup: the program's page setup (the four margins in thousandths of an inch and the
// flags), and the printable rectangle of a page inside those margins.
#pragma once

#include <QRect>
#include <QSize>

class QPrinter;

// The flags of the page setup: minimum margins apply, the margins are set, they are counted in
// thousandths of an inch, and the printer's defaults are to be taken.
enum : unsigned { psdMinMargins = 0x1, psdMargins = 0x2, psdInThousandthsOfInches = 0x4, psdReturnDefault = 0x400 };

struct TPageSetup {
    int MarginLeft = 1000;
    int MarginTop = 1000;
    int MarginRight = 1000;
    int MarginBottom = 1000;
    unsigned Flags = psdReturnDefault | psdInThousandthsOfInches;
};

// The rectangle of a page of PhysicalSize device units at DpiX by DpiY pixels per inch, each side
// inset by its margin (thousandths of an inch times pixels per inch / 1000, rounded), as the
// editor's print rectangle takes it: its right and bottom are the paper's width and height less
// their margins.
QRect PrintRectInMargins(const TPageSetup& Setup, QSize PhysicalSize, int DpiX, int DpiY);
// The same for the paper of Printer at its resolution.
QRect PrintRectInMargins(const TPageSetup& Setup, QPrinter& Printer);
// Printer's page layout takes Setup's margins (in inches).
void ApplyPageSetup(const TPageSetup& Setup, QPrinter& Printer);
// Setup's margins from Printer's page layout.
void ReadPageSetup(TPageSetup& Setup, const QPrinter& Printer);
