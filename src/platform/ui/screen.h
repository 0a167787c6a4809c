// TScreen: the screen as the class library shows it: the cursor, the installed fonts, the work
// area and the pixels per inch.
#pragma once

#include <QRect>
#include <QStringList>
#include <optional>

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crAppStart = -19;

class TScreen {
public:
    // The cursor shown over every window of the program: crDefault lets each control show its own,
    // any other value overrides them all. One value, not a stack: setting crDefault ends the
    // override however often another cursor was set before.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor Value);

    // The families of the installed fonts.
    QStringList Fonts() const;
    // Tests only: replaces the installed families (nullopt restores them).
    void SetFontList(std::optional<QStringList> Families) { fonts_ = std::move(Families); }

    // The primary screen's area without panels and docks.
    QRect WorkAreaRect() const;
    // The primary screen's vertical logical pixels per inch.
    int PixelsPerInch() const;
    // Tests only: replaces the pixels per inch (nullopt restores the screen's).
    void SetPixelsPerInch(std::optional<int> Value) { pixelsPerInch_ = Value; }

private:
    TCursor cursor_ = crDefault;
    std::optional<QStringList> fonts_;
    std::optional<int> pixelsPerInch_;
};

TScreen& Screen();
