// TTimerSpeedButton: a flat button with a glyph that, when allowed, repeats its click while the
// mouse holds it down, and can show a focus rectangle.
#pragma once

#include "platform/rtl/object.h"

#include <QPixmap>
#include <QToolButton>
#include <functional>

class QTimer;

class TTimerSpeedButton : public QToolButton, public TComponent {
    Q_OBJECT
public:
    // The repetition: the first repeated click comes this long after the press, the next ones
    // this far apart.
    static constexpr int FirstRepeatDelay = 400;
    static constexpr int RepeatInterval = 100;

    explicit TTimerSpeedButton(QWidget* Parent = nullptr);

    // Repeat the click while held down.
    bool AllowTimer = false;
    // Draw a focus rectangle inside the button.
    bool FocusRect() const { return focusRect_; }
    void SetFocusRect(bool Value);

    // The glyph: a strip of NumGlyphs equal images side by side (up, disabled, down, ...); the
    // first one is shown.
    const QPixmap& Glyph() const { return glyph_; }
    void SetGlyph(const QPixmap& Value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int Value);

    // The timer of the repetition: made at the first press of a repeating button, owned by it.
    QTimer* RepeatTimer() const { return timer_; }
    // Fires OnClick.
    void Click();

    // The click: at the release over the button, and at every repetition.
    std::function<void(TObject* Sender)> OnClick;
    // A left-button press, before the repetition starts.
    std::function<void(TObject* Sender)> OnMouseDown;

protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;

private:
    void TimerExpired();
    void ShowGlyph();

    QTimer* timer_ = nullptr;
    bool focusRect_ = false;
    bool held_ = false;
    QPixmap glyph_;
    int numGlyphs_ = 1;
};
