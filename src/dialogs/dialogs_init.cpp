// initDialogs.
#include "dialogs/dialogs_init.h"

#include "dialogs/wizard/wiz_server_cli_frm.h"
#include "dialogs/wizard/wizard_class_factory.h"

void initDialogs()
{
    RegisterWizardClass(QStringLiteral("TWizServerCliFrm"), [](QWidget* Owner) { return new TWizServerCliFrm(Owner); });
}
