// The custom-colour entry texts, written and read.
#include "highlighter/options/custom_color_entries.h"

#include "highlighter/options/color_array.h"

namespace {

constexpr int EntryColumns = 8;

} // namespace

QStringList CustomColorEntries(const TColorArrayClass& Colors)
{
    QStringList entries;
    for (int y = 1; y <= Colors.YSize(); ++y)
        for (int x = 1; x <= Colors.XSize(); ++x) {
            const int index = (y - 1) * EntryColumns + (x - 1);
            const QString value = QStringLiteral("%1").arg(std::uint32_t(Colors.Color(x, y)), 8, 16, QLatin1Char('0'));
            entries << QStringLiteral("Color") + QChar(char16_t(u'A' + index)) + QLatin1Char('=') + value.toUpper();
        }
    return entries;
}

void ReadCustomColorEntries(const QStringList& Entries, TColorArrayClass& Colors)
{
    for (const QString& entry : Entries) {
        const int equals = entry.indexOf(QLatin1Char('='));
        if (equals < 1)
            continue;
        const int index = entry.at(equals - 1).unicode() - u'A';
        const int x = index % EntryColumns + 1;
        const int y = index / EntryColumns + 1;
        if (index < 0 || x > Colors.XSize() || y > Colors.YSize())
            continue;
        bool ok = false;
        const std::uint32_t value = entry.mid(equals + 1, 9).toUInt(&ok, 16);
        Colors.SetColor(x, y, ok ? TColor(value) : clWhite);
    }
}
