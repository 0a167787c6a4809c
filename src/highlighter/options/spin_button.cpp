// The spin button: the two halves, their layout, keys and focus.
#include "highlighter/options/spin_button.h"

#include "highlighter/options/guarded.h"

#include "platform/rtl/events.h"

#include <QKeyEvent>
#include <algorithm>

namespace {

QPixmap DefaultGlyph(const char* Name)
{
    return QPixmap(QStringLiteral(":/options/%1.png").arg(QLatin1String(Name)));
}

} // namespace

TSpinButton::TSpinButton(QWidget* Parent) : QWidget(Parent)
{
    setAutoFillBackground(true);
    setFocusPolicy(Qt::TabFocus);
    upButton_ = NewHalf();
    downButton_ = NewHalf();
    SetUpGlyph(QPixmap());
    SetDownGlyph(QPixmap());
    focusedButton_ = upButton_;
    SetBounds(0, 0, DefaultWidth, DefaultHeight);
}

TTimerSpeedButton* TSpinButton::NewHalf()
{
    auto* button = new TTimerSpeedButton(this);
    button->AllowTimer = true;
    button->OnMouseDown = [this, button](TObject*) { HalfPressed(button); };
    button->OnClick = [this, button](TObject*) { HalfClicked(button); };
    button->show();
    return button;
}

void TSpinButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    setGeometry(ALeft, ATop, std::max(AWidth, MinimumWidth), AHeight);
    LayoutHalves();
}

void TSpinButton::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    if (width() < MinimumWidth)
        resize(MinimumWidth, height());
    LayoutHalves();
}

// The halves overlap by one pixel: the up half takes the upper half (rounded down), the down
// half starts on its last row.
void TSpinButton::LayoutHalves()
{
    const int upHeight = height() / 2;
    upButton_->setGeometry(0, 0, width(), upHeight);
    downButton_->setGeometry(0, upHeight - 1, width(), height() - upHeight + 1);
}

void TSpinButton::SetUpGlyph(const QPixmap& Value)
{
    upButton_->SetGlyph(Value.isNull() ? DefaultGlyph("SEM_SPINUP") : Value);
    if (Value.isNull())
        upButton_->SetNumGlyphs(1);
}

void TSpinButton::SetDownGlyph(const QPixmap& Value)
{
    downButton_->SetGlyph(Value.isNull() ? DefaultGlyph("SEM_SPINDOWN") : Value);
    if (Value.isNull())
        downButton_->SetNumGlyphs(1);
}

bool TSpinButton::CanFocus() const
{
    return isEnabled() && (focusPolicy() & Qt::TabFocus);
}

// A press makes the half the focused one and gives the focus to the focus control, else to the
// spin button itself.
void TSpinButton::HalfPressed(TTimerSpeedButton* Button)
{
    SetFocusBtn(Button);
    QWidget* control = focusControl_;
    if (control) {
        if (control->isEnabled() && (control->focusPolicy() & Qt::TabFocus) && !control->hasFocus())
            control->setFocus(Qt::MouseFocusReason);
    } else if (CanFocus() && !hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
}

void TSpinButton::HalfClicked(TTimerSpeedButton* Button)
{
    Fire(Button == upButton_ ? OnUpClick : OnDownClick, static_cast<TObject*>(this));
}

void TSpinButton::SetFocusBtn(TTimerSpeedButton* Button)
{
    if (Button == focusedButton_ || !CanFocus())
        return;
    if (hasFocus()) {
        focusedButton_->SetFocusRect(false);
        Button->SetFocusRect(true);
    }
    focusedButton_ = Button;
}

void TSpinButton::keyPressEvent(QKeyEvent* Event)
{
    RunGuarded([&] {
        switch (Event->key()) {
        case Qt::Key_Up:
            SetFocusBtn(upButton_);
            upButton_->Click();
            break;
        case Qt::Key_Down:
            SetFocusBtn(downButton_);
            downButton_->Click();
            break;
        case Qt::Key_Space:
            focusedButton_->Click();
            break;
        default:
            QWidget::keyPressEvent(Event);
        }
    });
}

void TSpinButton::focusInEvent(QFocusEvent* Event)
{
    QWidget::focusInEvent(Event);
    focusedButton_->SetFocusRect(true);
}

void TSpinButton::focusOutEvent(QFocusEvent* Event)
{
    QWidget::focusOutEvent(Event);
    focusedButton_->SetFocusRect(false);
}
