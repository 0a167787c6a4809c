// TPaneFrame.
#include "app/pane_frame.h"

#include "app/app_images.h"
#include "platform/graphics/image_list.h"

#include <QPainter>

TPaneFrame::TPaneFrame(const QString& Name, TImageList& Images, QWidget* Parent) : QWidget(Parent), images_(Images)
{
    setObjectName(Name);
    setFixedHeight(std::max(20, fontMetrics().height() + 6));
    setFocusPolicy(Qt::ClickFocus);
}

void TPaneFrame::SetCaption(const QString& Value)
{
    caption_ = Value;
    update();
}

void TPaneFrame::SetActive(bool Value)
{
    Tag = Value ? 1 : 0;
    update();
}

void TPaneFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    const int h = height() - 1;
    const QColor shadow = colours.color(QPalette::Dark);
    const QColor light = colours.color(QPalette::Light);
    // The caption tab.
    const QPolygon tab{{0, h}, {0, 2}, {2, 0}, {120, 0}, {150, h - 3}, {150, h}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.color(Active() ? QPalette::Highlight : QPalette::Button));
    painter.drawPolygon(tab);
    const QImage icon = images_.GetImage(Active() ? AppImage::ActivePane : AppImage::InactivePane);
    painter.drawImage(3, (height() - icon.height()) / 2, icon);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(colours.color(Active() ? QPalette::HighlightedText : QPalette::ButtonText));
    const int textLeft = icon.width() + 6;
    painter.drawText(QRect(textLeft, 0, 150 - textLeft, height()), Qt::AlignVCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(caption_, Qt::ElideRight, 150 - textLeft - 20));
    // The outline: the tab's left and top edge, its slope, then the line to the right end.
    painter.setPen(Active() ? shadow : light);
    painter.drawPolyline(QPolygon{{0, h}, {0, 2}, {2, 0}, {120, 0}});
    painter.setPen(Active() ? light : shadow);
    painter.drawLine(120, 0, 150, h - 3);
    painter.setPen(light);
    painter.drawLine(150, h - 3, width(), h - 3);
}

void TPaneFrame::mousePressEvent(QMouseEvent* Event)
{
    QWidget::mousePressEvent(Event);
    if (OnClick)
        OnClick(this);
}
