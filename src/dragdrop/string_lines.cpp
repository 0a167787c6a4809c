// Lines between string lists.
#include "dragdrop/string_lines.h"

QStringList LinesOf(const TStrings& Strings)
{
    QStringList lines;
    lines.reserve(Strings.Count());
    for (int i = 0; i < Strings.Count(); ++i)
        lines.append(Strings.Strings(i));
    return lines;
}

void SetLines(TStrings& Strings, const QStringList& Lines)
{
    Strings.BeginUpdate();
    Strings.Clear();
    for (const QString& line : Lines)
        Strings.Add(line);
    Strings.EndUpdate();
}
