// The values of the editor's scroll bars.
#include "editor/scroll_info.h"

TScrollInfo HorizontalScrollInfo(int LongestLine, int VisibleColumns, int LeftColumn, bool Shown, bool WordWrap,
                                 TScrollStyle Bars)
{
    TScrollInfo info;
    info.Page = Shown ? VisibleColumns : 0;
    info.Max = !WordWrap && (Bars == ssHorizontal || Bars == ssBoth) ? LongestLine : 0;
    info.Pos = LeftColumn;
    return info;
}

TScrollInfo VerticalScrollInfo(int LineCount, int VisibleLines, int TopLine, bool Shown)
{
    TScrollInfo info;
    info.Page = Shown ? VisibleLines : 0;
    info.Max = LineCount;
    info.Pos = TopLine;
    if (TopLine > 0 && LineCount < VisibleLines)
        info.Page = LineCount - TopLine;
    const int scale = VerticalScrollScale(LineCount);
    info.Min /= scale;
    info.Max /= scale;
    info.Pos /= scale;
    info.Page /= scale;
    return info;
}
