// The repeating speed button: its timer, its glyph strip and its focus rectangle.
#include "highlighter/options/timer_speed_button.h"

#include "highlighter/options/guarded.h"

#include "platform/rtl/events.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTimer>
#include <algorithm>

TTimerSpeedButton::TTimerSpeedButton(QWidget* Parent) : QToolButton(Parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(this, &QAbstractButton::clicked, this, [this] { Click(); });
}

void TTimerSpeedButton::SetFocusRect(bool Value)
{
    if (focusRect_ == Value)
        return;
    focusRect_ = Value;
    update();
}

void TTimerSpeedButton::SetGlyph(const QPixmap& Value)
{
    glyph_ = Value;
    ShowGlyph();
}

void TTimerSpeedButton::SetNumGlyphs(int Value)
{
    numGlyphs_ = std::clamp(Value, 1, 4);
    ShowGlyph();
}

void TTimerSpeedButton::ShowGlyph()
{
    if (glyph_.isNull()) {
        setIcon(QIcon());
        return;
    }
    const int width = glyph_.width() / numGlyphs_;
    const QPixmap first = glyph_.copy(0, 0, width, glyph_.height());
    setIcon(QIcon(first));
    setIconSize(first.size());
    update();
}

void TTimerSpeedButton::Click()
{
    RunGuarded([this] { Fire(OnClick, static_cast<TObject*>(this)); });
}

void TTimerSpeedButton::mousePressEvent(QMouseEvent* Event)
{
    QToolButton::mousePressEvent(Event);
    if (Event->button() != Qt::LeftButton)
        return;
    held_ = true;
    RunGuarded([this] { Fire(OnMouseDown, static_cast<TObject*>(this)); });
    if (!AllowTimer)
        return;
    if (!timer_) {
        timer_ = new QTimer(this);
        connect(timer_, &QTimer::timeout, this, [this] { TimerExpired(); });
    }
    timer_->start(FirstRepeatDelay);
}

void TTimerSpeedButton::mouseReleaseEvent(QMouseEvent* Event)
{
    held_ = false;
    if (timer_)
        timer_->stop();
    QToolButton::mouseReleaseEvent(Event);
}

// After the first delay the repetition runs faster; a click is repeated only while the button is
// shown pressed and the mouse still holds it.
void TTimerSpeedButton::TimerExpired()
{
    timer_->setInterval(RepeatInterval);
    if (isDown() && held_)
        Click();
}

void TTimerSpeedButton::paintEvent(QPaintEvent* Event)
{
    QToolButton::paintEvent(Event);
    if (!focusRect_)
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(3, 3, -3, -3);
    if (isDown())
        option.rect.translate(1, 1);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}
