// TStatusBarMain: the main window's status bar of four owner-drawn panels.
#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

class QPainter;

// Panel 0 is narrow and fixed, panel 1 fixed, panel 2 takes half the bar less the first two
// (Resize), panel 3 the rest. Every panel is drawn by OnDrawPanel; the bar draws only the bevels.
class TStatusBarMain : public QWidget {
    Q_OBJECT
public:
    explicit TStatusBarMain(QWidget* Parent = nullptr);

    static constexpr int PanelCount = 4;
    QString PanelText(int Panel) const { return texts_.value(Panel); }
    // Sets the text and repaints the bar at once.
    void SetPanelText(int Panel, const QString& Text);
    int PanelWidth(int Panel) const { return widths_[Panel]; }
    // The panel's rectangle inside its bevel.
    QRect PanelRect(int Panel) const;

    std::function<void(QPainter& Painter, int Panel, const QRect& Rect)> OnDrawPanel;
    // The mouse moved over the bar at Pos; the handler sets the bar's hint (its tool tip).
    std::function<void(const QPoint& Pos)> OnMouseMove;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;

private:
    QStringList texts_;
    int widths_[PanelCount] = {24, 110, 0, 0};
};
