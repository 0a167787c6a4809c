// The line renderer: set-up, the rows with their gutter and margin, the text in runs under the
// colour rules, the selection, the show-all-characters overlay, the marks and the guides.
#include "editor/line_renderer.h"

#include "editor/custom_syntax_memo.h"
#include "editor/gutter_glyphs.h"
#include "editor/language/sm_settings.h"

#include "platform/rtl/ansi_codec.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr win::COLORREF Silver = 0xC0C0C0;
constexpr win::COLORREF White = 0xFFFFFF;
constexpr std::uint32_t DrawnFlags = lfRepaint | lfHighlightIncomplete | lfNeedsHighlight;

QColor Rgb(win::COLORREF Colour)
{
    return QColor(int(Colour & 0xFF), int(Colour >> 8 & 0xFF), int(Colour >> 16 & 0xFF));
}

// The number of the highest set bit of Bits (0-based); -1 when none is set.
int HighestBit(std::uint16_t Bits)
{
    int index = -1;
    for (int shifts = 0; Bits && shifts < 16; ++shifts, Bits >>= 1)
        ++index;
    return index;
}

QFont GutterQFont(const TGutterFont& Gutter)
{
    QFont font(Gutter.Name);
    font.setPointSize(std::max(1, int(Gutter.Size)));
    font.setBold(Gutter.Style & fsBold);
    font.setItalic(Gutter.Style & fsItalic);
    font.setUnderline(Gutter.Style & fsUnderline);
    font.setStrikeOut(Gutter.Style & fsStrikeOut);
    return font;
}

} // namespace

TLineRenderer::TLineRenderer(TCustomSyntaxMemo& Memo) : memo_(Memo) {}


int LogicalLineOf(const TTextStore& Store, const TLineRecord* Line)
{
    int logicalLine = 1;
    for (const TLineRecord* before = Store.FirstLine(); before && before != Line; before = before->Next)
        logicalLine += before->EndsLine() ? 1 : 0;
    return logicalLine;
}

void TLineRenderer::Render(TRenderRequest& Request)
{
    if (!Request.Canvas)
        return;
    SetUp(Request);
    if (Request.Printing) {
        RenderPages(Request);
        painter_ = nullptr;
        return;
    }
    TTextStore& store = memo_.TextStore();
    int lineStart = 0;
    TLineRecord* line = store.LineCount() ? store.TopLineRecord(&lineStart) : nullptr;
    int logicalLine = memo_.HasOption(smoWordWrap) ? LogicalLineOf(store, line) : memo_.TopLine() + 1;
    row_ = 0;
    for (int y = Request.Area.top(); y < bottom_; y += lineHeight_, ++row_) {
        RenderRow(line, lineStart, logicalLine, y);
        if (!line)
            continue;
        lineStart += line->Length();
        if (line->EndsLine())
            ++logicalLine;
        line = line->Next;
    }
    painter_ = nullptr;
}

void TLineRenderer::SetUp(const TRenderRequest& Request)
{
    TSM_Settings& settings = memo_.Settings();
    const TMemoMetrics& metrics = memo_.Metrics();
    painter_ = Request.Canvas;
    printing_ = Request.Printing;
    drawAll_ = Request.Printing || Request.OnePage || memo_.TextStore().LineCount() == 1;
    exposed_ = Request.Exposed;
    lineHeight_ = std::max(1, metrics.LineHeight);
    charWidth_ = std::max(1, metrics.CharWidth);
    fixedPitch_ = metrics.FixedPitch;
    leftColumn_ = printing_ ? 0 : memo_.LeftColumn();
    transparent_ = false;
    hasBreakpoint_ = false;
    options_ = memo_.OptionWord();
    startX_ = Request.Area.left() + memo_.TextLeft();
    right_ = Request.Area.right() + 1;
    bottom_ = Request.Area.bottom() + 1;

    selText_ = settings.DefaultSelTextColor ? win::GetSysColor(win::COLOR_HIGHLIGHTTEXT)
                                            : ColorToRGB(settings.SelTextColor);
    selBack_ = settings.DefaultSelTextBack ? win::GetSysColor(win::COLOR_HIGHLIGHT) : ColorToRGB(settings.SelTextBack);
    std::tie(selStart_, selEnd_) = OrderRange(memo_.SelStart(), memo_.SelEnd());
    // Paper shows no selection.
    selectionVisible_ = !printing_ && selStart_ != selEnd_ && (memo_.hasFocus() || !memo_.HideSelection);

    const int gutter = settings.Gutter;
    if (gutter > 0 && (gutterPixmap_.width() != gutter || gutterPixmap_.height() != lineHeight_))
        gutterPixmap_ = QPixmap(gutter, lineHeight_);
    gutterBrush_ = settings.DefaultGutterColor ? win::GetSysColor(win::COLOR_SCROLLBAR) : ColorToRGB(settings.GutterColor);
    const TSM_StyleEffect& plain = settings.GetStyleEffects(0);
    marginBrush_ = settings.DefaultMarginColor ? StyleBack(plain) : ColorToRGB(settings.MarginColor);
}

void TLineRenderer::RenderRow(TLineRecord* Line, int LineStart, int LogicalLine, int Y)
{
    y_ = Y;
    x_ = startX_;
    line_ = Line;
    TTextStore& store = memo_.TextStore();
    TBreakpointStyle style{};
    hasBreakpoint_ = Line && (store.CodeBreaks().GetBreakpointStyle(LineStart, style) ||
                              store.Breakpoints().GetBreakpointStyle(LineStart, style));
    breakpointGlyph_ = hasBreakpoint_ ? style.Image : 0;
    breakpointColours_ = {win::COLORREF(style.Color1), win::COLORREF(style.Color2)};

    const QRect rowRect(0, Y, right_, lineHeight_);
    const bool redraw = drawAll_ || (exposed_.isEmpty() ? Line && (Line->SettledFlags() & (lfRepaint | lfHighlightIncomplete))
                                                        : exposed_.intersects(rowRect));
    const bool rowExposed = exposed_.isEmpty() || exposed_.intersects(rowRect);
    if (!printing_ && (redraw || (!Line && rowExposed)))
        DrawGutter(Line, LogicalLine, Y);
    const int margin = memo_.Settings().Margin;
    if (!printing_ && margin > 0 && (redraw || !Line)) {
        painter_->fillRect(QRect(startX_ - margin, Y, margin, lineHeight_), Rgb(marginBrush_));
    }
    if (!Line) {
        if (rowExposed)
            DrawNoLine(Y);
        return;
    }
    if (!redraw)
        return;
    DrawText(*Line, LineStart, Y);
    Line->SettledFlags() &= ~DrawnFlags;
}

void TLineRenderer::DrawGutter(const TLineRecord* Line, int LogicalLine, int Y)
{
    TSM_Settings& settings = memo_.Settings();
    const int gutter = settings.Gutter;
    if (gutter <= 0 || !(options_ & OPT_SHOW_GUTTER))
        return;
    gutterPixmap_.fill(Rgb(gutterBrush_));
    QPainter painter(&gutterPixmap_);
    if (gutter >= 10) {
        painter.setPen(Rgb(White));
        painter.drawLine(gutter - 2, 0, gutter - 2, lineHeight_ - 1);
        Trace(rsGutterSeparator, QRect(gutter - 2, Y, 1, lineHeight_));
    }
    std::uint16_t bookmarks = Line ? Line->Bookmarks : 0;
    if (!(options_ & OPT_WRAP_GLYPH))
        bookmarks &= std::uint16_t(~bmContinuation);
    if (bookmarks)
        DrawGutterGlyph(painter, HighestBit(bookmarks), 1, rsGutterGlyph);
    if (hasBreakpoint_ && breakpointGlyph_ > 0)
        DrawGutterGlyph(painter, breakpointGlyph_ - 1, bookmarks ? 5 : 1, rsGutterGlyph);
    const std::uint16_t marks = Line ? Line->MarkGlyphs : 0;
    if (marks)
        DrawGutterGlyph(painter, std::min(HighestBit(marks), TGutterGlyphs::Count - 1), 17, rsMarkGlyph);
    const bool startsLogicalLine = Line && (!Line->Prev || Line->Prev->EndsLine());
    if ((options_ & OPT_LINE_NUMBERS) && Line && !bookmarks && !marks && startsLogicalLine) {
        const QString number = QString::number(LogicalLine % 10000000);
        const TGutterFont& font = settings.GutterFont();
        painter.setFont(GutterQFont(font));
        painter.setPen(Rgb(ColorToRGB(font.Color)));
        const int top = lineHeight_ > 8 ? (lineHeight_ - 8) / 2 : 0;
        painter.drawText(QRect(2, top, gutter, lineHeight_), Qt::AlignLeft | Qt::AlignTop, number);
        if (Spy) {
            TRenderTrace trace = NewTrace(rsLineNumber, QRect(2, Y + top, gutter, lineHeight_));
            trace.Text = number.toStdString();
            Spy(trace);
        }
    }
    painter.end();
    painter_->drawPixmap(0, Y, gutterPixmap_);
}

// The picture is centred in the row; pixels of its bottom-left pixel's colour stay as they were.
void TLineRenderer::DrawGutterGlyph(QPainter& Painter, int Index, int X, TRenderStep Step)
{
    if (Index < 0 || Index >= TGutterGlyphs::Count)
        return;
    const QPixmap& glyph = GutterGlyphs().Glyph(Index);
    const int top = glyph.height() < lineHeight_ ? (lineHeight_ - glyph.height()) / 2 : 0;
    Painter.drawPixmap(X, top, glyph);
    Trace(Step, QRect(X, y_ + top, glyph.width(), glyph.height()), {0, 0}, Index);
}

void TLineRenderer::DrawNoLine(int Y)
{
    const win::COLORREF back = StyleBack(memo_.Settings().GetStyleEffects(0));
    const QRect rest(x_, Y, std::max(0, right_ - x_), lineHeight_);
    painter_->fillRect(rest, Rgb(back));
    Trace(rsFill, rest, {0, back});
    DrawGuides(Y);
}

void TLineRenderer::DrawText(const TLineRecord& Line, int LineStart, int Y)
{
    layout_.Expand(&Line, LineStart, selStart_, selEnd_, memo_.TabStops);
    const int length = layout_.Length();
    const char last = length > 0 ? layout_.Text()[length - 1] : '\0';
    const int endColumn = last == LineEndChar || last == ' ' ? length : length + 1;

    if (memo_.OnDrawLine) {
        TLineDrawData data;
        data.Text = layout_.Text();
        data.Canvas = painter_;
        data.Rect = QRect(startX_, Y, right_ - startX_, lineHeight_);
        data.LineStart = LineStart;
        data.LeftColumn = leftColumn_;
        data.EndColumn = endColumn;
        memo_.OnDrawLine(&memo_, &data);
        if (data.Handled)
            return;
    }

    if (!selectionVisible_) {
        if (leftColumn_ < endColumn - 1)
            DrawRun(leftColumn_, endColumn - leftColumn_, false);
        DrawRun(0, 0, false);
    } else {
        const int selFrom = std::clamp(layout_.SelStartColumn(), 0, endColumn);
        const int selTo = std::clamp(layout_.SelEndColumn(), selFrom, endColumn);
        const auto runFrom = [this](int From, int To, bool Selected) {
            From = std::max(From, leftColumn_);
            if (To > From)
                DrawRun(From, To - From, Selected);
        };
        runFrom(leftColumn_, selFrom, false);
        runFrom(selFrom, selTo, true);
        runFrom(selTo, endColumn, false);
        // The line end inside the selection: the rest of the row shows selected.
        const bool selectedPastEnd = selEnd_ >= LineStart + Line.Length() && selStart_ < LineStart + Line.Length();
        DrawRun(0, 0, selectedPastEnd && Line.EndsLine());
    }
    if ((options_ & OPT_SHOW_CONTROL_CHARS) && !printing_)
        DrawLineEndGlyph(Line);
    if (!printing_)
        DrawMarks(Line, LineStart, Y);
    DrawGuides(Y);
}

void TLineRenderer::DrawRun(int Column, int Count, bool Selected)
{
    if (Count == 0) {
        if (x_ >= right_)
            return;
        const TColours colours = PieceColours(0, Selected, !layout_.Tokens());
        const QRect rest(x_, y_, right_ - x_, lineHeight_);
        if (!transparent_)
            painter_->fillRect(rest, Rgb(colours.Back));
        Trace(rsFill, rest, colours);
        x_ = right_;
        return;
    }
    const std::uint8_t* tokens = layout_.Tokens();
    if (!tokens) {
        DrawPiece(Column, Count, 0, Selected, true);
        return;
    }
    const int length = layout_.Length();
    const auto tokenAt = [&](int C) { return tokens[std::min(C, length - 1)]; };
    const int end = Column + Count;
    for (int from = Column; from < end && x_ < right_;) {
        int to = from + 1;
        while (to < end && tokenAt(to) == tokenAt(from))
            ++to;
        DrawPiece(from, to - from, memo_.Settings().GetTokenStyle(tokenAt(from)), Selected, false);
        from = to;
    }
}

void TLineRenderer::DrawPiece(int Column, int Count, int Style, bool Selected, bool RawColours)
{
    const TColours colours = PieceColours(Style, Selected, RawColours);
    const QFont& font = StyleFont(memo_.HasOption(smoSyntaxHighlight) ? Style : 0);
    const char* text = layout_.Text();
    const int length = layout_.Length();
    const auto charAt = [&](int C) { return C < length ? text[C] : '\0'; };

    runText_.resize(Count);
    for (int i = 0; i < Count; ++i) {
        const auto byte = static_cast<unsigned char>(charAt(Column + i));
        runText_[i] = byte < 0x20 ? QChar(' ') : AnsiChar(byte);
    }
    const QFontMetrics metrics(font);
    int width = fixedPitch_ ? Count * charWidth_ : metrics.horizontalAdvance(runText_);
    int drawn = Count;
    if (x_ + width > right_) {
        width = right_ - x_;
        const int n = std::max(1, (right_ - x_) / charWidth_);
        drawn = std::min(Count, n * 3 / 2);
    } else if (static_cast<unsigned char>(charAt(Column + Count - 1)) < 0x20) {
        --drawn;
    }
    const QRect rect(x_, y_, width, lineHeight_);
    if (!transparent_)
        painter_->fillRect(rect, Rgb(colours.Back));
    painter_->save();
    painter_->setClipRect(rect, Qt::IntersectClip);
    painter_->setFont(font);
    painter_->setPen(Rgb(colours.Text));
    painter_->drawText(QPoint(x_, y_ + metrics.ascent()), runText_.left(drawn));
    painter_->restore();
    if (Spy) {
        TRenderTrace trace = NewTrace(rsText, rect);
        trace.Text.assign(text + std::min(Column, length), std::size_t(std::clamp(length - Column, 0, drawn)));
        trace.Foreground = colours.Text;
        trace.Background = colours.Back;
        trace.Font = font;
        trace.Selected = Selected;
        Spy(trace);
    }
    if ((options_ & OPT_SHOW_CONTROL_CHARS) && !printing_)
        DrawShowAll(Column, std::min(drawn, std::max(0, length - Column)), x_, font);
    x_ = rect.right() + 1;
}

// Spaces show as dots, the columns of one TAB as the arrow glyph, both inverting what is under
// them so that they show on every background.
void TLineRenderer::DrawShowAll(int Column, int Count, int X, const QFont& Font)
{
    if (Count <= 0)
        return;
    const QFontMetrics metrics(Font);
    const QImage& arrow = memo_.Settings().ControlGlyph(cgArrow);
    const std::string& source = line_->Text;
    painter_->save();
    painter_->setFont(Font);
    painter_->setPen(Qt::white);
    painter_->setCompositionMode(QPainter::CompositionMode_Difference);
    for (int i = 0; i < Count;) {
        const int column = Column + i;
        const int offset = layout_.OffsetOf(column);
        const int cellX = X + i * charWidth_;
        if (offset < int(source.size()) && source[std::size_t(offset)] == '\t') {
            int run = 1;
            while (i + run < Count && layout_.OffsetOf(column + run) == offset)
                ++run;
            if (!arrow.isNull())
                painter_->drawImage(cellX + (run * charWidth_ - arrow.width()) / 2, y_, arrow);
            i += run;
            continue;
        }
        if (layout_.Text()[column] == ' ')
            painter_->drawText(QPoint(cellX, y_ + metrics.ascent()), QStringLiteral("."));
        ++i;
    }
    painter_->restore();
}

// A CR shows the pilcrow after the line's last character; a wrapped segment the return glyph.
// The glyphs carry their character on the row's baseline, with room below it.
void TLineRenderer::DrawLineEndGlyph(const TLineRecord& Line)
{
    const bool endsLine = Line.EndsLine();
    if (!endsLine && !memo_.HasOption(smoWordWrap))
        return;
    const int column = layout_.Length() - (endsLine ? 1 : 0);
    if (column < leftColumn_)
        return;
    const TControlGlyph glyph = endsLine ? cgPilcrow : cgReturn;
    const QImage& image = memo_.Settings().ControlGlyph(glyph);
    const int x = XOfColumn(column);
    if (!image.isNull()) {
        painter_->save();
        painter_->setCompositionMode(QPainter::CompositionMode_Difference);
        painter_->drawImage(x, y_, image);
        painter_->restore();
    }
    Trace(rsLineEndGlyph, QRect(x, y_, charWidth_, lineHeight_), {0, 0}, glyph);
}

void TLineRenderer::DrawMarks(const TLineRecord& Line, int LineStart, int Y)
{
    const TMarkList* marks = memo_.TextStore().Marks();
    if (!marks)
        return;
    const int lineEnd = LineStart + Line.Length() - 1;
    const int clientWidth = right_;
    for (TMark* mark : marks->Overlapping(LineStart, lineEnd)) {
        const int startColumn = layout_.ColumnOf(std::max(0, mark->Start - LineStart));
        const int endColumn = layout_.ColumnOf(std::min(mark->End, lineEnd + 1) - LineStart);
        if (endColumn < leftColumn_)
            continue;
        const QRect rect(QPoint(XOfColumn(std::max(startColumn, leftColumn_)), Y),
                         QPoint(XOfColumn(endColumn), Y + lineHeight_ - 1));
        if (memo_.OnDrawMark) {
            memo_.OnDrawMark(&memo_, *painter_, rect, mark);
            continue;
        }
        if (rect.left() >= clientWidth)
            continue;
        const int right = std::min(rect.right() + 1, clientWidth);
        painter_->setPen(QColor(255, 0, 0));
        const int bottom = rect.bottom();
        bool up = true;
        for (int x = rect.left(); x < right; x += 3, up = !up)
            painter_->drawLine(x, up ? bottom : bottom - 2, std::min(x + 3, right), up ? bottom - 2 : bottom);
        Trace(rsMark, QRect(QPoint(rect.left(), bottom - 2), QPoint(right - 1, bottom)), {0x0000FF, 0});
    }
}

void TLineRenderer::DrawGuides(int Y)
{
    if (printing_)
        return;
    const int visible = memo_.VisibleColumns();
    const auto guide = [&](int Column, Qt::PenStyle Style, TRenderStep Step) {
        const int at = Column - leftColumn_;
        if (at <= 0 || at >= visible)
            return;
        const int x = startX_ + at * charWidth_;
        painter_->setPen(QPen(Rgb(Silver), 1, Style));
        painter_->drawLine(x, Y, x, Y + lineHeight_ - 1);
        Trace(Step, QRect(x, Y, 1, lineHeight_), {Silver, 0});
    };
    TSM_Settings& settings = memo_.Settings();
    if (options_ & OPT_SHOW_RIGHT_MARGIN)
        guide(settings.RightMargin, Qt::SolidLine, rsRightMargin);
    if ((options_ & OPT_WORDWRAP) && (options_ & OPT_SHOW_WRAPCOLUMN) && settings.WrapAtColumn >= 1)
        guide(settings.WrapAtColumn, Qt::DotLine, rsWrapColumn);
}

TRenderTrace TLineRenderer::NewTrace(TRenderStep Step, const QRect& Rect) const
{
    TRenderTrace trace;
    trace.Step = Step;
    trace.Row = row_;
    trace.Rect = Rect;
    return trace;
}

void TLineRenderer::Trace(TRenderStep Step, const QRect& Rect, TColours Colours, int Glyph)
{
    if (!Spy)
        return;
    TRenderTrace trace = NewTrace(Step, Rect);
    trace.Foreground = Colours.Text;
    trace.Background = Colours.Back;
    trace.Glyph = Glyph;
    Spy(trace);
}

win::COLORREF TLineRenderer::StyleText(const TSM_StyleEffect& Effect) const
{
    if (!Effect.UseDefaultForeground)
        return ColorToRGB(Effect.Foreground);
    const TSM_StyleEffect& plain = memo_.Settings().GetStyleEffects(0);
    return plain.UseDefaultForeground ? win::GetSysColor(win::COLOR_WINDOWTEXT) : ColorToRGB(plain.Foreground);
}

win::COLORREF TLineRenderer::StyleBack(const TSM_StyleEffect& Effect) const
{
    if (!Effect.UseDefaultBackground)
        return ColorToRGB(Effect.Background);
    const TSM_StyleEffect& plain = memo_.Settings().GetStyleEffects(0);
    return plain.UseDefaultBackground ? win::GetSysColor(win::COLOR_WINDOW) : ColorToRGB(plain.Background);
}

// The first rule that applies wins; then disabled and read-only colours replace what they cover.
TLineRenderer::TColours TLineRenderer::PieceColours(int Style, bool Selected, bool RawColours) const
{
    if (printing_ && memo_.MonoPrint)
        return {0x000000, White};
    if (!printing_ && hasBreakpoint_)
        return Selected ? TColours{breakpointColours_.Back, breakpointColours_.Text} : breakpointColours_;
    const TSM_StyleEffect& effect = memo_.Settings().GetStyleEffects(Style);
    const TSM_StyleEffect& plain = memo_.Settings().GetStyleEffects(0);
    TColours colours;
    if (Selected)
        colours = {selText_, selBack_};
    else if (!(options_ & OPT_SYNTAX_HIGHLIGHT) || RawColours)
        colours = {ColorToRGB(plain.Foreground), ColorToRGB(plain.Background)};
    else if (!line_ || line_->Background == clNoLineColor || printing_)
        colours = {StyleText(effect), StyleBack(effect)};
    else
        colours = {ColorToRGB(line_->TextColor), ColorToRGB(line_->Background)};
    if (!memo_.isEnabled() && memo_.DisabledColours.Use) {
        if (memo_.DisabledColours.ReplaceBack)
            colours.Back = ColorToRGB(memo_.DisabledColours.Back);
        if (memo_.DisabledColours.ReplaceText)
            colours.Text = ColorToRGB(memo_.DisabledColours.Text);
    }
    if (memo_.ReadOnly() && !Selected && memo_.ReadOnlyColours.Use) {
        if (memo_.ReadOnlyColours.ReplaceBack)
            colours.Back = ColorToRGB(memo_.ReadOnlyColours.Back);
        if (memo_.ReadOnlyColours.ReplaceText)
            colours.Text = ColorToRGB(memo_.ReadOnlyColours.Text);
    }
    return colours;
}

const QFont& TLineRenderer::StyleFont(int Style) const
{
    const TStyleFont* font = memo_.Settings().StyleFont(Style);
    return font ? font->Font : memo_.font();
}

int TLineRenderer::XOfColumn(int Column) const
{
    if (fixedPitch_ || !line_)
        return startX_ + (Column - leftColumn_) * charWidth_;
    return startX_ - memo_.TextLeft() + memo_.PixelAtColumn(Column, line_);
}
