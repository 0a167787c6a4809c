// The shapes the window's pictures are made of, drawn on a grid of 16 units (TPicturePainter).
#pragma once

#include <QColor>
#include <QString>

class QPainter;

// A page with a folded corner and text lines, filled with Colour.
void DrawPage(QPainter& Painter, QColor Colour);
// A round badge of Colour; leaves the painter with a white pen for the sign drawn on it.
void DrawBadge(QPainter& Painter, QColor Colour);
// Text in white on a rounded box of Colour.
void DrawLetterBox(QPainter& Painter, const QString& Text, QColor Colour);
// A yellow folder filling the lower part of the grid.
void DrawFolder(QPainter& Painter);
// An arrow of Colour from From to To with a head At the end, Width units thick.
void DrawArrow(QPainter& Painter, QPointF From, QPointF To, QColor Colour, double Width = 2.2);
// Two plug halves in Colour, joined or apart.
void DrawPlug(QPainter& Painter, bool Joined, QColor Colour);
