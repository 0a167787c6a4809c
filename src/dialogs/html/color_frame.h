// TColorFrame: a frame that shows a colour and lets the user choose another with the colour
// dialog; PickColor: the colour dialog shown through the prompt service.
#pragma once

#include <QColor>
#include <QFrame>
#include <functional>

// Shows the colour dialog starting at Color; true (Color then holds the choice) when confirmed.
bool PickColor(QColor& Color);

// The colour fills the frame inside a 3-pixel margin. A click opens the colour dialog; a colour chosen there becomes the frame's colour and
// fires OnColorChange.
class TColorFrame : public QFrame {
    Q_OBJECT
public:
    explicit TColorFrame(QWidget* Parent = nullptr);

    QColor Color() const { return color_; }
    // Sets the colour without firing OnColorChange.
    void SetColor(const QColor& Value);
    // Runs the colour dialog as a click does.
    void ChooseColor();

    std::function<void(const QColor& Color)> OnColorChange;

protected:
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;

private:
    QColor color_;
};
