// The designed controls' helpers.
#include "dialogs/designed_controls.h"

#include "platform/ui/modal_results.h"
#include "platform/widgets/form.h"
#include "platform/widgets/label.h"

#include <QPushButton>

TLabel* NewLabel(QWidget* Parent, const char* Name, const QRect& Rect, const QString& Text)
{
    return Designed(new TLabel(Text, Parent), Name, Rect);
}

TLabel* NewWrappedLabel(QWidget* Parent, const char* Name, const QRect& Rect, const QString& Text)
{
    TLabel* label = NewLabel(Parent, Name, Rect, Text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* NewButton(TForm& Form, QWidget* Parent, const char* Name, const QRect& Rect,
                       const QString& Caption, int ModalResult)
{
    auto* button = Designed(new QPushButton(Caption, Parent), Name, Rect);
    if (ModalResult != mrNone)
        Form.SetButtonModalResult(button, ModalResult);
    return button;
}
