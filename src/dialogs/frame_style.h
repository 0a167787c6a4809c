// The frame styles of the group and frame controls: the inset each takes and its drawing.
#pragma once

#include "platform/widgets/alignment.h"

#include <QMargins>
#include <QRect>
#include <QString>

class QFontMetrics;
class QPainter;
class QPalette;

enum TPTFrameStyle {
    ptfsNone,
    ptfsGroup,
    ptfsLowered,
    ptfsRaised,
    ptfsDint,
    ptfsBump,
    ptfsSingle,
    ptfsHorzLine,
    ptfsHorzEdge,
    ptfsVertLine,
    ptfsVertEdge,
};

// What a frame of Style takes from the inside of its control. The group style reserves the
// height of "0" in Font at the top when there is a caption, else 2.
QMargins FrameInset(TPTFrameStyle Style, const QFontMetrics& Font, bool HasCaption);

// Draws the frame of Style into Rect (its right and bottom edges are the rectangle's last pixels)
// in the colours of Palette: shadow is QPalette::Dark, dark shadow QPalette::Shadow, face
// QPalette::Button, highlight QPalette::Light and the window frame QPalette::WindowText. The
// group style draws an etched frame whose top runs through the middle of Caption, and Caption
// itself in the painter's font on the window colour, placed by Alignment.
void PaintFrameStyle(QPainter& Painter, const QRect& Rect, TPTFrameStyle Style, const QPalette& Palette,
                     const QString& Caption, TAlignment Alignment);

// Draws Caption on one line, vertically centred in Rect narrowed by FrameSpace on the left and
// the right, placed by Alignment and cut with an ellipsis at its end when too long.
void PaintFrameCaption(QPainter& Painter, const QRect& Rect, int FrameSpace, const QString& Caption,
                       TAlignment Alignment);
