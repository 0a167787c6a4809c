// Placing the controls of a designed dialog: each gets its component name (the Qt object name
// tests find it by) and its designed rectangle.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

class QPushButton;
class TForm;
class TLabel;

template <class TControl>
TControl* Designed(TControl* Control, const char* Name, const QRect& Rect)
{
    Control->setObjectName(QLatin1String(Name));
    Control->setGeometry(Rect);
    return Control;
}

// A label with its text, and a label that wraps its words.
TLabel* NewLabel(QWidget* Parent, const char* Name, const QRect& Rect, const QString& Text);
TLabel* NewWrappedLabel(QWidget* Parent, const char* Name, const QRect& Rect, const QString& Text);
// A push button on Parent that closes Form with ModalResult (mrNone: it closes nothing).
QPushButton* NewButton(TForm& Form, QWidget* Parent, const char* Name, const QRect& Rect,
                       const QString& Caption, int ModalResult);
