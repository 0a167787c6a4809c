// TScrollInfo: the range, page and position of one of the editor's scroll bars, computed from the
// view as numbers before they go to the QScrollBar.
#pragma once

// The scroll bars the control shows, and its frame.
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TBorderStyle { bsNone, bsSingle };

struct TScrollInfo {
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;

    bool operator==(const TScrollInfo&) const = default;
};

// Lines per step of the vertical bar, which keeps its values within 16 bits.
inline int VerticalScrollScale(int LineCount)
{
    return LineCount / 32000 + 1;
}

// The horizontal bar: the longest line as range, unless word wrap is on or the bar is not wanted.
TScrollInfo HorizontalScrollInfo(int LongestLine, int VisibleColumns, int LeftColumn, bool Shown, bool WordWrap,
                                 TScrollStyle Bars);
// The vertical bar in steps of the scale: the line count as range, the page cut back near the
// end when the view is scrolled past the last full page.
TScrollInfo VerticalScrollInfo(int LineCount, int VisibleLines, int TopLine, bool Shown);
