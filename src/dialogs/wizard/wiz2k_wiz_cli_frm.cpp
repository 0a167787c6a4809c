// TWiz2kWizCliFrm.
#include "dialogs/wizard/wiz2k_wiz_cli_frm.h"

TWiz2kWizCliFrm::TWiz2kWizCliFrm(QWidget* Owner) : QWidget(Owner), host_(dynamic_cast<IWizHost2*>(Owner))
{
    resize(340, 235);
    if (host_) {
        QFont font = this->font();
        font.setFamily(Owner->font().family());
        setFont(font);
    }
}

void TWiz2kWizCliFrm::Release()
{
    deleteLater();
}

void TWiz2kWizCliFrm::Show()
{
    if (!host_)
        return;
    show();
    raise();
}
