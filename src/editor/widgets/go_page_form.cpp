// The "Go to Page Number" dialog: a framed page number and OK and Cancel.
#include "editor/widgets/go_page_form.h"

#include <QFrame>
#include <QPushButton>
#include <QSpinBox>

TGoPageForm::TGoPageForm(TComponent* AOwner) : TForm(AOwner)
{
    setWindowTitle(QStringLiteral("Go to Page Number"));
    SetBorderStyle(bsDialog);
    Position = poScreenCenter;
    SetClientSize(231, 116);
    auto* bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(8, 8, 133, 100);
    PageNum = new QSpinBox(this);
    PageNum->setMinimum(1);
    PageNum->setGeometry(24, 40, 101, 24);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setGeometry(148, 8, 75, 25);
    OKBtn->setDefault(true);
    SetButtonModalResult(OKBtn, mrOk);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setGeometry(148, 38, 75, 25);
    SetButtonModalResult(CancelBtn, mrCancel);
}
