// TLineRenderer, the one renderer of the editor's text: it walks the line records from the top line
// down and draws, row by row, the gutter, the margin strip, the text in runs of equal token byte,
// the selection, the guides, the show-all-characters glyphs and the marks, on any QPainter (the
// screen, an image, a printer page).
#pragma once

#include "editor/document/display_columns.h"
#include "editor/render_request.h"

#include <QPixmap>
#include <QString>
#include <cstdint>
#include <functional>

class QPainter;
class TCustomSyntaxMemo;
class TObject;
class TTextStore;
struct TMark;
struct TSM_StyleEffect;

// What OnDrawLine receives: the expanded text of a line and where it goes. Setting Handled keeps
// the renderer from drawing the line's text, selection, glyphs and marks.
struct TLineDrawData {
    std::int32_t Kind = 1;
    const char* Text = nullptr;
    std::uint8_t Flag = 1;
    QPainter* Canvas = nullptr;
    QRect Rect;
    int LineStart = 0;
    int LeftColumn = 0;
    int EndColumn = 0;
    bool Handled = false;
};
using TLineDrawEvent = std::function<int(TObject* Sender, TLineDrawData* Data)>;
// Draws a mark in Rect instead of the red zigzag.
using TMarkDrawEvent = std::function<void(TObject* Sender, QPainter& Canvas, const QRect& Rect, TMark* Mark)>;
// Draws a printed page's header and footer instead of the built-in ones: Rect comes in as the
// page's area and goes out as its body's; setting Transparent prints the text without filling
// its background.
using THeaderFooterEvent = std::function<void(TObject* Sender, QPainter& Canvas, QRect& Rect, bool& Transparent)>;

// The 1-based number of the logical line that Line (a record of Store) belongs to.
int LogicalLineOf(const TTextStore& Store, const TLineRecord* Line);

class TLineRenderer {
public:
    explicit TLineRenderer(TCustomSyntaxMemo& Memo);

    // Draws the rows of the screen, or with Request.Printing the pages of the text.
    void Render(TRenderRequest& Request);
    // Receives every drawing step (tests and diagnostics).
    std::function<void(const TRenderTrace&)> Spy;

private:
    struct TColours {
        win::COLORREF Text;
        win::COLORREF Back;
    };

    void SetUp(const TRenderRequest& Request);
    void RenderRow(TLineRecord* Line, int LineStart, int LogicalLine, int Y);
    void DrawGutter(const TLineRecord* Line, int LogicalLine, int Y);
    void DrawGutterGlyph(QPainter& Painter, int Index, int X, TRenderStep Step);
    void DrawNoLine(int Y);
    void DrawText(const TLineRecord& Line, int LineStart, int Y);
    // Draws Count expanded columns from Column on; Count 0 fills the rest of the row.
    void DrawRun(int Column, int Count, bool Selected);
    void DrawPiece(int Column, int Count, int Style, bool Selected, bool RawColours);
    void DrawShowAll(int Column, int Count, int X, const QFont& Font);
    void DrawLineEndGlyph(const TLineRecord& Line);
    void DrawMarks(const TLineRecord& Line, int LineStart, int Y);
    void DrawGuides(int Y);
    TRenderTrace NewTrace(TRenderStep Step, const QRect& Rect) const;
    void Trace(TRenderStep Step, const QRect& Rect, TColours Colours = {0, 0}, int Glyph = -1);
    TColours PieceColours(int Style, bool Selected, bool RawColours) const;
    win::COLORREF StyleText(const TSM_StyleEffect& Effect) const;
    win::COLORREF StyleBack(const TSM_StyleEffect& Effect) const;
    const QFont& StyleFont(int Style) const;
    int XOfColumn(int Column) const;

    // --- printing: the page loop with the header and footer (line_renderer_pages.cpp) ---
    void RenderPages(TRenderRequest& Request);
    // Lays out the page that starts, drawing its header and footer when Output; returns the y of
    // its first row.
    int StartPage(const TRenderRequest& Request, bool Output);
    void DrawPageText(const QRect& Rect, int Alignment, const QString& Text);
    void DrawPageRule(int Left, int Right, int Y);
    void DrawLineNumber(int Number, int Y);
    // The body's text is drawn without filling its background.
    bool transparent_ = false;

    TCustomSyntaxMemo& memo_;
    TLineLayout layout_;
    QPixmap gutterPixmap_;
    QString runText_;
    // The state of one render.
    QPainter* painter_ = nullptr;
    bool printing_ = false;
    bool drawAll_ = false;
    QRegion exposed_;
    int row_ = 0;
    int startX_ = 0;
    int x_ = 0;
    int y_ = 0;
    int right_ = 0;
    int bottom_ = 0;
    int lineHeight_ = 0;
    int charWidth_ = 0;
    int leftColumn_ = 0;
    bool fixedPitch_ = true;
    bool selectionVisible_ = false;
    int selStart_ = 0;
    int selEnd_ = 0;
    std::uint32_t options_ = 0;
    win::COLORREF selText_ = 0;
    win::COLORREF selBack_ = 0;
    win::COLORREF gutterBrush_ = 0;
    win::COLORREF marginBrush_ = 0;
    bool hasBreakpoint_ = false;
    TColours breakpointColours_{0, 0};
    int breakpointGlyph_ = 0;
    const TLineRecord* line_ = nullptr;
};
