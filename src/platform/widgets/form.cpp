// TForm.
#include "platform/widgets/form.h"

#include "platform/widgets/prompt_service.h"
#include "platform/ui/screen.h"

#include <QAbstractButton>
#include <QEvent>
#include <QWindow>

TForm::TForm(TComponent* AOwner) : TComponent(AOwner) {}

namespace {

// The frame of the last form the window manager framed: it frames the next ones alike.
QMargins LastFrame;

bool IsFrame(const QMargins& Margins)
{
    return !Margins.isNull() && Margins.left() >= 0 && Margins.top() >= 0 && Margins.right() >= 0 &&
           Margins.bottom() >= 0;
}

} // namespace

std::optional<QMargins> TForm::RealFrame() const
{
    const QWindow* window = windowHandle();
    if (!window || !IsFrame(window->frameMargins()))
        return std::nullopt;
    return window->frameMargins();
}

QRect TForm::BoundsRect() const
{
    return geometry().marginsAdded(RealFrame().value_or(frame_));
}

void TForm::PlaceInside(const TFramePlace& Place)
{
    const QSize inside = Place.OuterSize ? Place.OuterSize->shrunkBy(frame_) : size();
    setGeometry(QRect(Place.Pos + QPoint(frame_.left(), frame_.top()), inside));
}

void TForm::UpdateFrame()
{
    if (const std::optional<QMargins> frame = RealFrame())
        frame_ = *frame;
    else if (frame_.isNull())
        frame_ = LastFrame;
}

void TForm::PlaceFrame(const TFramePlace& Place)
{
    const bool framed = RealFrame().has_value();
    UpdateFrame();
    PlaceInside(Place);
    pendingPlace_.reset();
    if (!framed)
        pendingPlace_ = Place;
}

void TForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    PlaceFrame({QPoint(ALeft, ATop), QSize(AWidth, AHeight)});
}

void TForm::SetFramePos(int ALeft, int ATop)
{
    PlaceFrame({QPoint(ALeft, ATop), std::nullopt});
}

void TForm::SetBorderStyle(TFormBorderStyle Value)
{
    borderStyle_ = Value;
    switch (Value) {
    case bsSizeable: setWindowFlags(Qt::Dialog); break;
    case bsSizeToolWin: setWindowFlags(Qt::Tool); break;
    // a title and a close box, no minimize or maximize box
    case bsDialog:
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint);
        break;
    }
}

int TForm::ShowModal()
{
    setResult(mrNone);
    return ExecModal(*this);
}

void TForm::SetButtonModalResult(QAbstractButton* Button, int Result)
{
    connect(Button, &QAbstractButton::clicked, this, [this, Result] { done(Result); });
}

bool TForm::event(QEvent* E)
{
    switch (E->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate: NoteFrame(); break;
    case QEvent::Hide:
        NoteFrame();
        pendingPlace_.reset();
        break;
    default: break;
    }
    return QDialog::event(E);
}

void TForm::showEvent(QShowEvent* E)
{
    if (!wasShown_) {
        wasShown_ = true;
        Loaded();
        if (borderStyle_ != bsSizeable && borderStyle_ != bsSizeToolWin)
            setFixedSize(size());
    }
    if (Position == poScreenCenter)
        CenterOnScreen();
    QDialog::showEvent(E);
}

void TForm::CenterOnScreen()
{
    const QRect area = Screen().WorkAreaRect();
    UpdateFrame();
    const QSize outer = size().grownBy(frame_);
    SetFramePos(area.x() + (area.width() - outer.width()) / 2,
                area.y() + (area.height() - outer.height()) / 2);
}

void TForm::NoteFrame()
{
    const std::optional<QMargins> frame = RealFrame();
    if (!frame)
        return;
    LastFrame = *frame;
    const bool moved = *frame != frame_;
    frame_ = *frame;
    if (pendingPlace_ && moved)
        PlaceInside(*pendingPlace_);
    pendingPlace_.reset();
}
