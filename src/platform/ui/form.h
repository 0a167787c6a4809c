// TForm: the class library's form on a QDialog: bounds of the window frame, border style,
// placement, and modal results.
#pragma once

#include "platform/rtl/object.h"
#include "platform/ui/modal_results.h"

#include <QDialog>
#include <QPoint>
#include <QSize>
#include <optional>

class QAbstractButton;

// Sizeable forms can be resized by the user; the others keep their size.
enum TFormBorderStyle { bsSizeable, bsDialog, bsSizeToolWin };
// poDesigned: the form stays where it was put (Qt places a form that was never moved);
// poScreenCenter: centred on the screen's work area each time it is shown.
enum TPosition { poDesigned, poScreenCenter };

class TForm : public QDialog, public TComponent {
    Q_OBJECT
public:
    explicit TForm(TComponent* AOwner = nullptr);

    // The bounds of the window with its frame (title bar and borders), as the user sees it. Before
    // the window manager has framed the window the frame counts as nothing; bounds set then are
    // corrected once the frame is known, so the framed window gets exactly the place and size
    // asked for, and bounds read back and set again never drift by the frame.
    int Left() const { return frameGeometry().x(); }
    int Top() const { return frameGeometry().y(); }
    int Width() const { return frameGeometry().width(); }
    int Height() const { return frameGeometry().height(); }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // Moves the window's frame to ALeft, ATop.
    void SetFramePos(int ALeft, int ATop);
    // The size of the form's inside, as designed.
    void SetClientSize(int AWidth, int AHeight) { resize(AWidth, AHeight); }

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle Value);
    TPosition Position = poDesigned;

    // Shows the form modally (through the prompt service) until a modal result closes it; returns
    // that result. Escape, the close box and reject() give mrCancel.
    int ShowModal();
    int ModalResult() const { return result(); }
    // Clicking Button closes the form with Result.
    void SetButtonModalResult(QAbstractButton* Button, int Result);

    void reject() override { done(mrCancel); }

protected:
    // Runs once, just before the form is first shown, when its descendants have built it.
    virtual void Loaded() {}
    // True once the form has been shown.
    bool WasShown() const { return wasShown_; }

    bool event(QEvent* E) override;
    void showEvent(QShowEvent* E) override;

private:
    void CenterOnScreen();
    // The frame's share of the outer size: nothing until the window manager has framed the window.
    QSize FrameSize() const { return frameGeometry().size() - size(); }
    // Applies the frame place and size asked for before the frame was known.
    void FitPendingFrame();

    TFormBorderStyle borderStyle_ = bsSizeable;
    bool wasShown_ = false;
    std::optional<QPoint> pendingFramePos_;
    QSize pendingFrameSize_;
};
