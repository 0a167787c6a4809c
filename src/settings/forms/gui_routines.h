// Routines for forms: centring, HTML colours, redraw locks, picture placement, the screen's
// resolution, first focus, and walks over a form's check boxes, radio buttons and edit boxes.
#pragma once

#include "platform/rtl/object.h"

#include <QColor>
#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <functional>

class QScrollArea;
class QWidget;

// (Left + Right - Width) div 2 and (Top + Bottom - Height) div 2, Right and Bottom being the first
// column and row outside the rectangle: where something of that size starts when centred in it.
int CenterInWidth(const QRect& Rect, int Width);
int CenterInHeight(const QRect& Rect, int Height);
// Where Text, drawn in the font Canvas measures, starts when centred in Rect.
int CenterTextX(const QFontMetrics& Canvas, const QRect& Rect, const QString& Text);
int CenterTextY(const QFontMetrics& Canvas, const QRect& Rect, const QString& Text);

// "#RRGGBB" in upper-case hexadecimal digits.
QString ColorToHtml(const QColor& Color);

// Lock: Window and its children stop redrawing; unlock: they redraw again, all of them at once.
void LockRedraw(QWidget* Window, bool Lock);
// Scrolls Box to its origin and places Image (the scroll area's widget, or a control on it) centred
// on each axis on which it is smaller than the visible area, at the origin on the others, keeping
// its size.
void CenterImageInForm(QScrollArea* Box, QWidget* Image);
// The screen's vertical pixels per inch.
int GetScreenPixelsPerInch();

// Focuses the first control inside Container in the tab order that takes focus and is enabled.
void FocusFirstControl(QWidget* Container);

// The walks below visit Container's children and, below each child that takes no focus (a panel,
// a group box, a label), that child's children in turn; a child that takes focus is a control and
// its insides are left alone. They act on TCheckBox, TRadioButton and TEdit controls.
//
// Clears OnClick of every check box and radio button.
void DetachClickHandlers(QWidget* Container);
// Sets OnClick of every check box and radio button to Handler, and every visited child's Enabled.
void AttachClickHandlers(QWidget* Container, const std::function<void(TObject* Sender)>& Handler,
                         bool Enabled);
// Empties every edit box and sets every visited child's Enabled.
void ClearEdits(QWidget* Container, bool Enabled);
