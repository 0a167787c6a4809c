// TRenderRequest, what the editor's line renderer is asked to draw, and TRenderTrace, the record of
// one drawing step that a spy on the renderer receives.
#pragma once

#include "platform/graphics/colors.h"

#include <QFont>
#include <QRect>
#include <QRegion>
#include <functional>
#include <string>

class QPainter;

struct TRenderRequest {
    QRect Area;                  // the drawing area
    QPainter* Canvas = nullptr;  // the painter drawn with
    bool OnePage = false;        // only the page whose number is First (preview)
    bool Printing = false;       // printer or preview output instead of the screen
    bool LineRange = false;      // only the lines First .. Last
    int PageNumber = 1;          // the current page (printing); -1 when the document ended in one-page mode
    int Y = 0;                   // where drawing goes on on the page
    int First = 0;               // the first line (1-based), or the wanted page in one-page mode
    int Last = 0;                // the last line (1-based)
    // The part of the screen to draw: the rows that meet it are drawn. Empty: the rows whose
    // lines are flagged for repaint (or highlighting), the others keep their pixels.
    QRegion Exposed;
    // Printing on a printer: starts the next sheet. Empty for a preview page.
    std::function<void()> NewPage;
};

// What a drawing step drew.
enum TRenderStep {
    rsText,            // a run of text in one style: Text, colours, Font, Selected
    rsFill,            // the rest of a row or an empty row: colours
    rsGutterSeparator, // the white line of the gutter
    rsGutterGlyph,     // a bookmark, wrap or breakpoint picture: Glyph
    rsMarkGlyph,       // a mark picture: Glyph
    rsLineNumber,      // a line number: Text
    rsRightMargin,     // the right-margin guide
    rsWrapColumn,      // the wrap-column guide
    rsMark,            // a mark drawn by the default zigzag
    rsLineEndGlyph,    // the show-all-characters glyph of a line end: Glyph (a TControlGlyph)
};

struct TRenderTrace {
    TRenderStep Step = rsText;
    int Row = 0; // 0-based from the area's top
    QRect Rect;
    std::string Text;
    win::COLORREF Foreground = 0;
    win::COLORREF Background = 0;
    QFont Font;
    int Glyph = -1;
    bool Selected = false;
};
