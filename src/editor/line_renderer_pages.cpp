// The line renderer's printing: the page loop over the text (or a range of its lines) in print
// pieces, the built-in header and footer or the host's, and the printed line numbers.
#include "editor/line_renderer.h"

#include "editor/custom_syntax_memo.h"
#include "editor/language/sm_settings.h"
#include "editor/print_pieces.h"

#include "platform/rtl/date_time.h"

#include <QPainter>
#include <algorithm>
#include <vector>

namespace {

// The width that line numbers take before the text, in characters.
constexpr int LineNumberColumns = 10;

} // namespace

void TLineRenderer::RenderPages(TRenderRequest& Request)
{
    TTextStore& store = memo_.TextStore();
    const int first = std::max(1, Request.First);
    int lineStart = 0;
    TLineRecord* line = Request.LineRange ? store.LineByIndex(first - 1, &lineStart) : store.FirstLine();
    int logicalLine = Request.LineRange ? LogicalLineOf(store, line) : 1;
    const bool numbered = memo_.HasOption(smoPrintLineNos);
    const bool wrap = memo_.HasOption(smoPrintWrap);
    const int numberWidth = numbered ? LineNumberColumns * charWidth_ : 0;
    const int maxColumns = (Request.Area.right() + 1 - Request.Area.left() - numberWidth) / charWidth_ - 1;

    std::vector<TLineRecord> pieces;
    std::size_t piece = 0;
    int pieceStart = lineStart;
    if (line)
        pieces = CutPrintPieces(*line, wrap, maxColumns, memo_.TabStops);
    int records = 0;
    Request.PageNumber = 1;
    int y = std::max(0, Request.Y);
    while (line) {
        // Pages before the wanted one of a preview are laid out but not drawn.
        const bool output = !Request.OnePage || Request.PageNumber == Request.First;
        if (y == 0) {
            y = StartPage(Request, output);
            row_ = 0;
        }
        const TLineRecord& current = pieces[piece];
        x_ = startX_;
        if (numbered && piece == 0 && (!line->Prev || line->Prev->EndsLine())) {
            if (output)
                DrawLineNumber(logicalLine, y);
            ++logicalLine;
        }
        if (output) {
            y_ = y;
            line_ = &current;
            DrawText(current, pieceStart, y);
            ++row_;
        }
        y += lineHeight_;

        pieceStart += current.Length();
        if (++piece == pieces.size()) {
            lineStart += line->Length();
            line = line->Next;
            ++records;
            if (Request.LineRange && records > Request.Last - first)
                line = nullptr;
            if (!line)
                break;
            pieces = CutPrintPieces(*line, wrap, maxColumns, memo_.TabStops);
            piece = 0;
            pieceStart = lineStart;
        }
        // Every page takes at least one row, however small its body.
        if (y + lineHeight_ > bottom_) {
            y = 0;
            if (Request.NewPage)
                Request.NewPage();
            ++Request.PageNumber;
            if (Request.OnePage && Request.PageNumber > Request.First)
                return;
        }
    }
    Request.Y = y + lineHeight_;
    if (Request.OnePage)
        Request.PageNumber = -1;
}

int TLineRenderer::StartPage(const TRenderRequest& Request, bool Output)
{
    const QRect& area = Request.Area;
    const int numberWidth = memo_.HasOption(smoPrintLineNos) ? LineNumberColumns * charWidth_ : 0;
    startX_ = area.left() + numberWidth;
    right_ = area.right() + 1;
    bottom_ = area.bottom() + 1;
    transparent_ = false;
    if (memo_.OnPrintHeaderFooter) {
        QRect body = area;
        bool transparent = false;
        painter_->save();
        // On a page that is not output the host's drawing goes nowhere.
        if (!Output)
            painter_->setClipRegion(QRegion());
        memo_.OnPrintHeaderFooter(&memo_, *painter_, body, transparent);
        painter_->restore();
        startX_ = body.left() + numberWidth;
        right_ = body.right() + 1;
        bottom_ = body.bottom() + 1;
        transparent_ = transparent;
        return body.top();
    }
    int y = area.top();
    const bool fileName = memo_.HasOption(smoPrintFilename);
    const bool date = memo_.HasOption(smoPrintDate);
    if (fileName || date) {
        if (Output) {
            const QRect head(area.left(), area.top(), area.width(), lineHeight_);
            if (fileName)
                DrawPageText(head, Qt::AlignLeft, memo_.Title);
            if (date) {
                const TDateTime now = Now();
                DrawPageText(head, Qt::AlignRight,
                             FormatDateTime(QStringLiteral("ddddd"), now) + QStringLiteral(" - ") +
                                 FormatDateTime(QStringLiteral("tt"), now));
            }
            DrawPageRule(area.left(), right_, area.top() + 2 * lineHeight_);
        }
        y = area.top() + 3 * lineHeight_;
    }
    if (memo_.HasOption(smoPrintPageNos)) {
        if (Output) {
            DrawPageText(QRect(area.left(), bottom_ - 5 * lineHeight_ / 2, area.width(), lineHeight_), Qt::AlignHCenter,
                         QString::asprintf("- %d -", Request.PageNumber));
            DrawPageRule(area.left(), right_, bottom_ - 3 * lineHeight_);
        }
        bottom_ -= 4 * lineHeight_;
    }
    return y;
}

void TLineRenderer::DrawPageText(const QRect& Rect, int Alignment, const QString& Text)
{
    painter_->save();
    painter_->setFont(StyleFont(0));
    painter_->setPen(Qt::black);
    painter_->drawText(Rect, Alignment | Qt::AlignTop | Qt::TextSingleLine, Text);
    painter_->restore();
}

void TLineRenderer::DrawPageRule(int Left, int Right, int Y)
{
    painter_->save();
    painter_->setPen(Qt::black);
    painter_->drawLine(Left, Y, Right, Y);
    painter_->restore();
}

// The number goes before the row's text, cut off where the text starts.
void TLineRenderer::DrawLineNumber(int Number, int Y)
{
    const QString text = QString::asprintf("%6d:", Number);
    const QFont& font = StyleFont(0);
    const int left = startX_ - LineNumberColumns * charWidth_;
    const QRect rect(left, Y, startX_ - left, lineHeight_);
    painter_->save();
    painter_->setClipRect(rect, Qt::IntersectClip);
    painter_->setFont(font);
    painter_->setPen(Qt::black);
    painter_->drawText(QPoint(left, Y + QFontMetrics(font).ascent()), text);
    painter_->restore();
    if (Spy) {
        TRenderTrace trace = NewTrace(rsLineNumber, rect);
        trace.Text = text.toStdString();
        Spy(trace);
    }
}
