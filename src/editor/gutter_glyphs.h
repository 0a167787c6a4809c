// TGutterGlyphs: the pictures of the editor's gutter, drawn by the program at start-up: the strip
// "SEM_GUTTER" of 15 images of 15 x 16 pixels (bookmarks 0..9, the breakpoints, spare marks) and the
// wrapped-line picture "SEM_WRAPPED"; and the transparent drawing of such a picture.
#pragma once

#include <QImage>
#include <QPixmap>
#include <array>

class QPainter;

class TGutterGlyphs {
public:
    static constexpr int Count = 15;
    static constexpr int Width = 15;
    static constexpr int Height = 16;
    // The images of the strip: 0..9 the numbered bookmarks, 10 an active breakpoint, 11 an
    // inactive one or the execution point, 12..14 further marks.
    static constexpr int ActiveBreakpoint = 10;
    static constexpr int InactiveBreakpoint = 11;
    // Bit 12 of a line's bookmark word stands for the wrapped-line picture.
    static constexpr int WrapGlyph = 12;

    TGutterGlyphs();

    // Image Index of the strip, or the wrapped-line picture for WrapGlyph; each with the pixels of
    // its bottom-left pixel's colour transparent.
    const QPixmap& Glyph(int Index) const;
    const QPixmap& Wrapped() const { return wrapped_; }
    // The strip and the wrapped-line picture as drawn, before their masks were applied.
    const QImage& Strip() const { return strip_; }

private:
    QImage strip_;
    std::array<QPixmap, Count> glyphs_;
    QPixmap wrapped_;
};

// The glyphs of the program, drawn on first use (initEditor draws them at start-up).
const TGutterGlyphs& GutterGlyphs();

// Image with its bottom-left pixel's colour made transparent.
QPixmap TransparentPixmap(const QImage& Image);
