// TColorFrame and the colour dialog.
#include "dialogs/html/color_frame.h"

#include "platform/widgets/prompt_service.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>

bool PickColor(QColor& Color)
{
    QColorDialog dialog(Color);
    dialog.setWindowTitle(QStringLiteral("Color"));
    if (ExecModal(dialog) != QDialog::Accepted)
        return false;
    Color = dialog.selectedColor();
    return true;
}

TColorFrame::TColorFrame(QWidget* Parent) : QFrame(Parent), color_(palette().color(QPalette::Button))
{
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setToolTip(QStringLiteral("Click to select a color"));
    setCursor(Qt::PointingHandCursor);
}

void TColorFrame::SetColor(const QColor& Value)
{
    color_ = Value;
    update();
}

void TColorFrame::ChooseColor()
{
    QColor color = color_;
    if (!PickColor(color))
        return;
    SetColor(color);
    if (OnColorChange)
        OnColorChange(color);
}

void TColorFrame::mouseReleaseEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()))
        ChooseColor();
}

void TColorFrame::paintEvent(QPaintEvent* Event)
{
    QFrame::paintEvent(Event);
    QPainter painter(this);
    painter.fillRect(rect().adjusted(3, 3, -3, -3), color_);
}
