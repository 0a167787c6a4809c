// TSpinButton: two stacked arrow buttons, "up" and "down", that raise click events and repeat
// them while held down, with the arrow keys and Space, and an optional control that takes the
// focus when a half is pressed.
#pragma once

#include "highlighter/options/timer_speed_button.h"

#include "platform/rtl/object.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <functional>

class TSpinButton : public QWidget, public TComponent {
    Q_OBJECT
public:
    static constexpr int MinimumWidth = 15;
    static constexpr int DefaultWidth = 20;
    static constexpr int DefaultHeight = 25;

    explicit TSpinButton(QWidget* Parent = nullptr);

    // Places the control; the width is at least MinimumWidth, and the halves follow.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);

    TTimerSpeedButton* UpButton() const { return upButton_; }
    TTimerSpeedButton* DownButton() const { return downButton_; }
    // The half that Space clicks and that shows the focus rectangle while the control has the focus.
    TTimerSpeedButton* FocusedButton() const { return focusedButton_; }
    void SetFocusBtn(TTimerSpeedButton* Button);

    // A null glyph restores the built-in arrow with a glyph count of 1.
    void SetUpGlyph(const QPixmap& Value);
    void SetDownGlyph(const QPixmap& Value);
    void SetUpNumGlyphs(int Value) { upButton_->SetNumGlyphs(Value); }
    void SetDownNumGlyphs(int Value) { downButton_->SetNumGlyphs(Value); }

    // Takes the focus when a half is pressed (it may go away: then there is none).
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* Control) { focusControl_ = Control; }

    std::function<void(TObject* Sender)> OnUpClick;
    std::function<void(TObject* Sender)> OnDownClick;

protected:
    void resizeEvent(QResizeEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;

private:
    TTimerSpeedButton* NewHalf();
    void HalfPressed(TTimerSpeedButton* Button);
    void HalfClicked(TTimerSpeedButton* Button);
    // The halves within the current size.
    void LayoutHalves();
    bool CanFocus() const;

    TTimerSpeedButton* upButton_;
    TTimerSpeedButton* downButton_;
    TTimerSpeedButton* focusedButton_;
    QPointer<QWidget> focusControl_;
};
