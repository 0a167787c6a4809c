// Word wrap: a logical line is stored as one or more records (segments) cut at the wrap width,
// or at 2047 characters when it is longer and not wrapped. A logical line is joined in a buffer of
// its own length, so that a line of any length comes back whole.
#include "editor/custom_syntax_memo.h"

#include "platform/rtl/ansi_codec.h"

#include <QFontMetrics>
#include <QStyle>
#include <algorithm>
#include <array>

namespace {

// The width of every byte in the editor's font, and of a blank for TABs.
struct TCharWidths {
    std::array<int, 256> Widths{};
    int Blank = 0;
};

TCharWidths MeasureChars(const QFont& Font, const TMemoMetrics& Metrics)
{
    TCharWidths widths;
    if (Metrics.FixedPitch) {
        widths.Widths.fill(Metrics.CharWidth);
        widths.Blank = Metrics.CharWidth;
        return widths;
    }
    const QFontMetrics fm(Font);
    for (int c = 0; c < 256; ++c)
        widths.Widths[std::size_t(c)] = fm.horizontalAdvance(AnsiChar(static_cast<unsigned char>(c)));
    widths.Blank = fm.horizontalAdvance(QLatin1Char(' '));
    return widths;
}

} // namespace

int TCustomSyntaxMemo::WrapWidth() const
{
    const int width = WrapAtColumn() != 0
                          ? WrapAtColumn() * metrics_.CharWidth
                          : this->width() - TextLeft() - 2 * style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return width <= 0 ? 8 : width;
}

void TCustomSyntaxMemo::ReWrap(TLineRecord* StartLine, TLineRecord* EndLine)
{
    TTextStore& store = TextStore();
    TLineRecord* line = StartLine ? StartLine : store.FirstLine();
    TLineRecord* endLine = EndLine ? EndLine : store.LastLine();
    if (!line || !endLine)
        return;
    line = line->LogicalFirst();
    endLine = endLine->LogicalLast();
    const TLineRecord* stop = endLine->Next;
    if (!store.HighlightFrom())
        store.SetHighlightFrom(line);

    const int wrapWidth = WrapWidth();
    const TCharWidths widths = MeasureChars(font(), metrics_);
    const bool wordWrap = HasOption(smoWordWrap);
    const bool wrapOverride = HasOption(smoWrapOverride);
    const TCharSet exempt = StrToCharSet(WrapOverride().toLatin1().toStdString());
    std::string text;
    std::vector<std::uint8_t> tokens;
    std::vector<int> lengths;
    std::vector<int> current;
    TLineRecord* last = nullptr;
    while (line && line != stop) {
        // Join the segments of the logical line.
        text.clear();
        tokens.clear();
        current.clear();
        bool allTokens = true;
        last = line;
        for (TLineRecord* segment = line;; segment = segment->Next) {
            text += segment->Text;
            current.push_back(segment->Length());
            allTokens = allTokens && segment->Tokens;
            if (allTokens)
                tokens.insert(tokens.end(), segment->Tokens.get(), segment->Tokens.get() + segment->Length());
            last = segment;
            if (!segment->Next || !segment->Next->IsContinuation())
                break;
        }
        const std::size_t length = text.size();
        const bool exempted = wrapOverride && exempt[static_cast<unsigned char>(text[0])];
        const bool wrap = wordWrap && !exempted;

        lengths.clear();
        if (!wrap && length < std::size_t(ReWrapLength)) {
            lengths.push_back(int(length));
        } else {
            for (std::size_t from = 0; from < length;) {
                std::size_t cut = from;
                int column = 0;
                int width = 0;
                while (cut < length && cut - from < std::size_t(MaxRecordLength)) {
                    const char c = text[cut];
                    int advance = widths.Widths[static_cast<unsigned char>(c)];
                    int next = column + 1;
                    if (c == '\t') {
                        next = TabStops.NextStop(column);
                        advance = (next - column) * widths.Blank;
                    } else if (c == LineEndChar) {
                        advance = 0;
                    }
                    if (width + advance > wrapWidth && cut > from)
                        break;
                    width += advance;
                    column = next;
                    ++cut;
                }
                if (cut < length) {
                    const int wordStart = WordBreak(text.data(), int(cut), int(length), WB_LEFT);
                    if (std::size_t(wordStart) > from && std::size_t(wordStart) - from <= std::size_t(MaxRecordLength))
                        cut = std::size_t(wordStart);
                }
                lengths.push_back(int(cut - from));
                from = cut;
            }
        }
        TLineRecord* after = last->Next;
        if (lengths != current)
            last = store.Resegment(line, last, text, allTokens ? tokens.data() : nullptr, lengths);
        line = after;
    }
    for (int n = 0; last && n < VisibleLines; ++n, last = last->Next)
        last->Flags |= lfRepaint;
    if (TopLine() >= store.LineCount())
        TMemoCore::SetTopLine(store.LineCount() - 1);
}
