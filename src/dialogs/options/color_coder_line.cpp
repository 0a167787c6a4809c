// TColorCoderLine.
#include "dialogs/options/color_coder_line.h"

TColorCoderLine TColorCoderLine::Parse(const QString& Line)
{
    TColorCoderLine coder;
    const qsizetype equals = Line.indexOf(QLatin1Char('='));
    coder.Name = Line.left(equals);
    const QString value = equals < 0 ? QString() : Line.mid(equals + 1);
    const qsizetype open = value.indexOf(QLatin1Char('['));
    coder.Patterns = value.left(open).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (open >= 0) {
        const qsizetype close = value.indexOf(QLatin1Char(']'), open);
        coder.DefaultExt = value.mid(open + 1, close < 0 ? -1 : close - open - 1);
    }
    return coder;
}

QString TColorCoderLine::Text() const
{
    return QStringLiteral("%1=%2[%3]").arg(Name, Patterns.join(QLatin1Char(';')), DefaultExt);
}
