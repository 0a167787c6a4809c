// TPTCustomGroup and TPTPane.
#include "dialogs/pt_group.h"

#include "platform/rtl/events.h"

#include <QEvent>
#include <QMouseEvent>

TPTCustomGroup::TPTCustomGroup(TComponent* AOwner, QWidget* Parent, TPTFrameStyle Style)
    : TPTFramedControl(AOwner, Parent, Style)
{
    setAttribute(Qt::WA_StaticContents);
    UpdateInset();
}

void TPTCustomGroup::SetFrameStyle(TPTFrameStyle Value)
{
    TPTFramedControl::SetFrameStyle(Value);
    UpdateInset();
}

void TPTCustomGroup::SetCaption(const QString& Value)
{
    TPTFramedControl::SetCaption(Value);
    UpdateInset();
}

void TPTCustomGroup::UpdateInset()
{
    setContentsMargins(FrameInset(FrameStyle(), fontMetrics(), !Caption().isEmpty()));
    update();
}

void TPTCustomGroup::changeEvent(QEvent* E)
{
    if (E->type() == QEvent::FontChange)
        UpdateInset();
    TPTFramedControl::changeEvent(E);
}

void TPTCustomGroup::mouseReleaseEvent(QMouseEvent* E)
{
    TPTFramedControl::mouseReleaseEvent(E);
    if (E->button() == Qt::LeftButton && rect().contains(E->position().toPoint()))
        Fire(OnClick, this);
}

void TPTCustomGroup::mouseDoubleClickEvent(QMouseEvent* E)
{
    TPTFramedControl::mouseDoubleClickEvent(E);
    if (E->button() == Qt::LeftButton)
        Fire(OnDblClick, this);
}

TPTPane::TPTPane(TComponent* AOwner, QWidget* Parent) : TPTGroup(AOwner, Parent, ptfsLowered) {}
