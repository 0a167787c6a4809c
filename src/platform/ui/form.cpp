// TForm.
#include "platform/ui/form.h"

#include "platform/ui/prompt_service.h"
#include "platform/ui/screen.h"

#include <QAbstractButton>
#include <QEvent>

TForm::TForm(TComponent* AOwner) : TComponent(AOwner) {}

void TForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const QSize frame = FrameSize();
    SetFramePos(ALeft, ATop);
    resize(AWidth - frame.width(), AHeight - frame.height());
    pendingFrameSize_ = frame.isNull() ? QSize(AWidth, AHeight) : QSize();
}

void TForm::SetFramePos(int ALeft, int ATop)
{
    move(ALeft, ATop);
    pendingFramePos_.reset();
    if (FrameSize().isNull())
        pendingFramePos_ = QPoint(ALeft, ATop);
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
    case QEvent::WindowActivate: FitPendingFrame(); break;
    case QEvent::Hide:
        pendingFramePos_.reset();
        pendingFrameSize_ = QSize();
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
    const QSize outer = pendingFrameSize_.isValid() ? pendingFrameSize_ : frameGeometry().size();
    SetFramePos(area.x() + (area.width() - outer.width()) / 2,
                area.y() + (area.height() - outer.height()) / 2);
}

void TForm::FitPendingFrame()
{
    if ((!pendingFramePos_ && !pendingFrameSize_.isValid()) || !isVisible())
        return;
    const QSize frame = FrameSize();
    if (frame.isNull())
        return;
    if (pendingFrameSize_.isValid() && pendingFrameSize_ - frame != size())
        resize(pendingFrameSize_ - frame);
    if (pendingFramePos_ && *pendingFramePos_ != frameGeometry().topLeft())
        move(*pendingFramePos_);
    pendingFramePos_.reset();
    pendingFrameSize_ = QSize();
}
