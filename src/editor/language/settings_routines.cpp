// HTML fragments and column fill.
#include "editor/language/settings_routines.h"

#include "editor/language/sm_styles.h"

void TrimHtmlFragment(QByteArray& Text, unsigned Flags)
{
    if (!(Flags & htmlTrim) || (Flags & htmlKeepWhole))
        return;
    if (!(Flags & (htmlFromFirstTag | htmlFragmentOnly)))
        return;
    const qsizetype firstTag = Text.indexOf('<');
    if (firstTag > 0)
        Text.remove(0, firstTag);
    if (Flags & htmlFromFirstTag)
        return;
    static const QByteArray startMarker = "<!--StartFragment-->";
    const qsizetype marker = Text.indexOf(startMarker);
    if (marker < 0)
        return;
    const qsizetype start = marker + startMarker.size();
    const qsizetype end = Text.indexOf("<!--EndFragment-->");
    if (end > start)
        Text = Text.mid(start, end - start);
}

QByteArray InsertFill(int FromColumn, int ToColumn, std::uint32_t Options, const TTabStops& Tabs)
{
    QByteArray fill;
    int column = FromColumn;
    if ((Options & OPT_USE_TAB) && (Options & OPT_SMART_FILL)) {
        for (int stop = Tabs.NextStop(column); stop <= ToColumn; stop = Tabs.NextStop(column)) {
            fill += '\t';
            column = stop;
        }
    }
    if (ToColumn > column)
        fill += QByteArray(ToColumn - column, ' ');
    return fill;
}
