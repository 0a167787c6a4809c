// TScreen.
#include "platform/ui/screen.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {

Qt::CursorShape ShapeOf(TCursor Cursor)
{
    switch (Cursor) {
    case crHourGlass: return Qt::WaitCursor;
    case crAppStart: return Qt::BusyCursor;
    default: return Qt::ArrowCursor;
    }
}

} // namespace

void TScreen::SetCursor(TCursor Value)
{
    if (Value == cursor_)
        return;
    if (Value == crDefault)
        QGuiApplication::restoreOverrideCursor();
    else if (cursor_ == crDefault)
        QGuiApplication::setOverrideCursor(ShapeOf(Value));
    else
        QGuiApplication::changeOverrideCursor(ShapeOf(Value));
    cursor_ = Value;
}

QStringList TScreen::Fonts() const
{
    return fonts_ ? *fonts_ : QFontDatabase::families();
}

QRect TScreen::WorkAreaRect() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

int TScreen::PixelsPerInch() const
{
    if (pixelsPerInch_)
        return *pixelsPerInch_;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? int(std::lround(screen->logicalDotsPerInchY())) : 96;
}

TScreen& Screen()
{
    static TScreen screen;
    return screen;
}
