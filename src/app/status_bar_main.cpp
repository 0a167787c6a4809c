// TStatusBarMain.
#include "app/status_bar_main.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

TStatusBarMain::TStatusBarMain(QWidget* Parent) : QWidget(Parent), texts_(PanelCount)
{
    setObjectName(QStringLiteral("StatusBarMain"));
    setMouseTracking(true);
    const int height = fontMetrics().height() + 8;
    setFixedHeight(std::max(height, 22));
}

void TStatusBarMain::SetPanelText(int Panel, const QString& Text)
{
    if (Panel < 0 || Panel >= PanelCount)
        return;
    texts_[Panel] = Text;
    repaint();
}

QRect TStatusBarMain::PanelRect(int Panel) const
{
    int left = 0;
    for (int i = 0; i < Panel; ++i)
        left += widths_[i] + 2;
    return QRect(left + 1, 2, widths_[Panel] - 2, height() - 4);
}

void TStatusBarMain::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    // Panel 2 takes half the bar less the two fixed panels and a margin; panel 3 the rest.
    widths_[2] = std::max(0, width() / 2 - (widths_[0] + widths_[1] + 25));
    widths_[3] = std::max(0, width() - (widths_[0] + widths_[1] + widths_[2] + 6));
    update();
}

void TStatusBarMain::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (int panel = 0; panel < PanelCount; ++panel) {
        const QRect rect = PanelRect(panel);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(rect.topLeft() - QPoint(1, 1), rect.topRight() + QPoint(1, -1));
        painter.drawLine(rect.topLeft() - QPoint(1, 1), rect.bottomLeft() + QPoint(-1, 1));
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(rect.bottomLeft() + QPoint(-1, 1), rect.bottomRight() + QPoint(1, 1));
        painter.drawLine(rect.topRight() + QPoint(1, -1), rect.bottomRight() + QPoint(1, 1));
        if (OnDrawPanel) {
            painter.save();
            painter.setClipRect(rect);
            OnDrawPanel(painter, panel, rect);
            painter.restore();
        }
    }
}

void TStatusBarMain::mouseMoveEvent(QMouseEvent* Event)
{
    if (OnMouseMove)
        OnMouseMove(Event->position().toPoint());
    QWidget::mouseMoveEvent(Event);
}
