// Font measurements through QFontMetrics.
#include "editor/memo_metrics.h"

#include "platform/rtl/ansi_codec.h"

#include <QFontMetrics>

TMemoMetrics MeasureFont(const QFont& Font, const QPaintDevice* Device)
{
    const QFontMetrics fm = Device ? QFontMetrics(Font, Device) : QFontMetrics(Font);
    TMemoMetrics metrics;
    const int average = fm.averageCharWidth();
    metrics.CharWidth = average > 0 ? average : 7;
    const int height = fm.height();
    metrics.LineHeight = (height > 0 ? height : 17) + fm.leading() + 1;
    metrics.FixedPitch = fm.horizontalAdvance(QLatin1Char('i')) == fm.horizontalAdvance(QLatin1Char('W'));
    if (metrics.FixedPitch) {
        for (int c = 0; c < TMemoMetrics::WidthTableSize; ++c) {
            const QChar ch = c < 256 ? AnsiChar(static_cast<unsigned char>(c)) : QChar(c);
            metrics.Widths[std::size_t(c)] = fm.horizontalAdvance(ch);
        }
    }
    return metrics;
}
