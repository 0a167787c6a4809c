// TForm: the class library's form on a QDialog: bounds of the window frame, border style,
// placement, and modal results.
#pragma once

#include "platform/rtl/object.h"
#include "platform/ui/modal_results.h"

#include <QDialog>
#include <QMargins>
#include <QPoint>
#include <QRect>
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

    // The bounds of the window with its frame (title bar and borders), as the user sees it. The
    // frame is the one the window manager gave the window last; before it has framed the window,
    // the frame of the last form it framed (none for the first). Bounds set before the real frame
    // is known are set again once it is, so the framed window gets exactly the place and size
    // asked for, and bounds read back and set again never drift.
    int Left() const { return BoundsRect().x(); }
    int Top() const { return BoundsRect().y(); }
    int Width() const { return BoundsRect().width(); }
    int Height() const { return BoundsRect().height(); }
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
    // Where the frame goes, and its outer size when that is asked for too (else the inside keeps
    // its size).
    struct TFramePlace {
        QPoint Pos;
        std::optional<QSize> OuterSize;
    };
    // The frame around the window while the window manager frames it.
    std::optional<QMargins> RealFrame() const;
    QRect BoundsRect() const;
    // Takes the real frame when known; before the window was ever framed, assumes the frame of the
    // last form the window manager framed.
    void UpdateFrame();
    // Places the frame by the frame known or assumed now; again once the real frame is known.
    void PlaceFrame(const TFramePlace& Place);
    // Puts the inside of the window where Place leaves it within the frame frame_.
    void PlaceInside(const TFramePlace& Place);
    // Keeps the real frame once known, and places the window again by it when it differs from
    // the frame assumed for a pending place.
    void NoteFrame();

    TFormBorderStyle borderStyle_ = bsSizeable;
    bool wasShown_ = false;
    // The window's frame: the last real one, or the one assumed until it is known.
    QMargins frame_;
    // A place asked for before the real frame was known.
    std::optional<TFramePlace> pendingPlace_;
};
