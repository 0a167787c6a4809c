// TFtpProgressDlgFrm and its accessor.
#include "dialogs/ftp_progress_dlg.h"

#include "dialogs/copy_animation.h"
#include "dialogs/designed_controls.h"
#include "dialogs/single_instance.h"
#include "platform/widgets/label.h"
#include "platform/widgets/paint_pacer.h"

#include <QProgressBar>
#include <QPushButton>

namespace {

// The Tag of the labels whose texts stay.
constexpr int FixedTextTag = 20;

QProgressBar* NewBar(QWidget* Parent, const char* Name, const QRect& Rect)
{
    auto* bar = Designed(new QProgressBar(Parent), Name, Rect);
    bar->setTextVisible(false);
    return bar;
}

} // namespace

TFtpProgressDlgFrm::TFtpProgressDlgFrm(TComponent* AOwner)
    : TStreamPositionFrm(AOwner, skRegistry, DialogKey(QStringLiteral("Progress")))
{
    SetBorderStyle(bsDialog);
    setWindowFlag(Qt::WindowMinimizeButtonHint);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    SetClientSize(390, 278);
    setWindowTitle(QStringLiteral("File Transfer"));

    Animate = Designed(new TCopyAnimation(this), "Animate", QRect(8, 4, 272, 60));
    lblAction = NewLabel(this, "lblAction", QRect(8, 68, 374, 16), {});
    const struct {
        const char* Fixed;
        const char* Text;
        const char* Value;
        TLabel** Field;
    } rows[] = {
        {"Label1", "From:", "lblFrom", &lblFrom},
        {"Label2", "To:", "lblTo", &lblTo},
        {"Label3", "Elasped time:", "lblElaspeTime", &lblElaspeTime},
        {"Label4", "Estimated time left:", "lblEstTime", &lblEstTime},
        {"Label5", "Transfer rate:", "lblTransferRate", &lblTransferRate},
        {"Label6", "Transferred:", "lblTransferred", &lblTransferred},
    };
    int top = 90;
    for (const auto& row : rows) {
        NewLabel(this, row.Fixed, QRect(8, top, 132, 16), QString::fromLatin1(row.Text))->Tag = FixedTextTag;
        *row.Field = NewLabel(this, row.Value, QRect(144, top, 238, 16), {});
        top += 20;
    }
    prg = NewBar(this, "prg", QRect(8, 214, 374, 16));
    prgMulti = NewBar(this, "prgMulti", QRect(8, 234, 290, 16));
    lblMulti = NewLabel(this, "lblMulti", QRect(8, 254, 290, 16), {});
    Button1 = NewButton(*this, this, "Button1", QRect(307, 245, 75, 25), QStringLiteral("Cancel"), mrNone);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    // A queue of small files steps the bars and the count many times a second.
    new TPaintPacer(this);
    Reset();
}

void TFtpProgressDlgFrm::Reset()
{
    AbortRequested = false;
    StopRequested = false;
    for (QProgressBar* bar : {prg, prgMulti}) {
        bar->setRange(0, 100);
        bar->setValue(0);
    }
    prgMulti->hide();
    lblMulti->clear();
}

void TFtpProgressDlgFrm::SetMultiRange(int Min, int Max)
{
    prgMulti->show();
    prgMulti->setRange(Min, Max);
    prgMulti->setValue(Min);
}

void TFtpProgressDlgFrm::SetFileProgress(int Percent, const QString& Caption)
{
    prg->setValue(Percent == -1 ? qMin(prg->value() + 1, prg->maximum()) : Percent);
    if (!Caption.isEmpty())
        setWindowTitle(Caption + QStringLiteral(" - ") + QString::number(Percent) + QStringLiteral("% Completed"));
}

void TFtpProgressDlgFrm::SetMultiProgress(bool Advance, int Max)
{
    prgMulti->show();
    if (Advance)
        prgMulti->setValue(qMin(prgMulti->value() + 1, prgMulti->maximum()));
    else
        prg->setValue(0);
    if (Max != -1)
        prgMulti->setMaximum(Max);
    lblMulti->setText(QStringLiteral("%1 of %2 Completed").arg(prgMulti->value()).arg(prgMulti->maximum()));
}

void TFtpProgressDlgFrm::SetTransferInfo(const TTransferInfo& Info)
{
    setWindowTitle(Info.Action);
    lblAction->setText(Info.Action);
    lblFrom->setText(Info.From);
    lblTo->setText(Info.To);
    lblElaspeTime->setText(Info.Elapsed);
    lblEstTime->setText(Info.TimeLeft);
    lblTransferRate->setText(Info.Rate);
    lblTransferred->setText(Info.Transferred);
    if (!AbortRequested && isHidden())
        show();
}

void TFtpProgressDlgFrm::Button1Click()
{
    AbortRequested = true;
    StopRequested = true;
}

// Escape and the close box are the Cancel button: the window stays until the transfer stops.
void TFtpProgressDlgFrm::reject()
{
    Button1Click();
}

void TFtpProgressDlgFrm::showEvent(QShowEvent* E)
{
    TStreamPositionFrm::showEvent(E);
    Animate->Play();
}

void TFtpProgressDlgFrm::hideEvent(QHideEvent* E)
{
    Animate->Stop();
    TStreamPositionFrm::hideEvent(E);
}

void ClearLabelCaptions(QWidget* Container)
{
    for (TLabel* label : Container->findChildren<TLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->Tag == 0)
            label->clear();
    }
}

TFtpProgressDlgFrm* GetFtpProgressDlgFrm(bool Free)
{
    return SingleInstance<TFtpProgressDlgFrm>(Free);
}
