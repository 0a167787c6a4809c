// TBasicProgressFrm and its accessor.
#include "dialogs/basic_progress_frm.h"

#include "dialogs/designed_controls.h"
#include "dialogs/single_instance.h"
#include "platform/widgets/label.h"

#include <QProgressBar>
#include <QPushButton>

TBasicProgressFrm::TBasicProgressFrm(TComponent* AOwner)
    : TStreamPositionFrm(AOwner, skRegistry, DialogKey(QStringLiteral("Basic Progress")))
{
    SetBorderStyle(bsDialog);
    SetClientSize(323, 77);
    setWindowTitle(QStringLiteral("Zipping..."));
    lblStatus = NewLabel(this, "lblStatus", QRect(8, 8, 307, 16), {});
    prgBar = Designed(new QProgressBar(this), "prgBar", QRect(8, 28, 307, 16));
    prgBar->setRange(0, 100);
    prgBar->setTextVisible(false);
    Button1 = NewButton(*this, this, "Button1", QRect(240, 48, 75, 25), QStringLiteral("Cancel"), mrCancel);
    Button1->setDefault(true);
}

void TBasicProgressFrm::SetProgress(int Position)
{
    if (isHidden())
        show();
    prgBar->setValue(Position);
    repaint();
}

void TBasicProgressFrm::SetStatus(const QString& Action, const QString& Item)
{
    if (isHidden())
        show();
    setWindowTitle(Action + QStringLiteral("..."));
    lblStatus->setText(Action + QLatin1Char(' ') + Item + QStringLiteral("..."));
}

TBasicProgressFrm* GetBasicProgressFrm(bool Free)
{
    return SingleInstance<TBasicProgressFrm>(Free);
}
