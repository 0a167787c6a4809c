// TEditFrame.
#include "app/edit_frame.h"

#include <QPainter>

TEditFrame::TEditFrame(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("lblEdit"));
    setFixedHeight(std::max(20, fontMetrics().height() + 6));
}

void TEditFrame::SetCaption(const QString& Value)
{
    caption_ = Value;
    update();
}

void TEditFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Button));
    if (OnPaint) {
        painter.save();
        OnPaint(painter, rect());
        painter.restore();
    }
    painter.setPen(colours.color(QPalette::ButtonText));
    const QRect text = rect().adjusted(22, 0, -2, 0);
    painter.drawText(text, Qt::AlignVCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(caption_, Qt::ElideMiddle, text.width()));
    painter.setPen(colours.color(QPalette::Dark));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}
