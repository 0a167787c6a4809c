// WizardClassFactory and the table of wizard client classes.
#include "dialogs/wizard/wizard_class_factory.h"

#include "dialogs/busy_cursor.h"
#include "dialogs/wizard/win2k_wiz_frm.h"
#include "dialogs/wizard/wiz2k_wiz_cli_frm.h"
#include "platform/ui/message_dialogs.h"

#include <QMap>
#include <memory>

namespace {

QMap<QString, TWizardClientMaker>& WizardClasses()
{
    static QMap<QString, TWizardClientMaker> classes;
    return classes;
}

} // namespace

void RegisterWizardClass(const QString& Name, TWizardClientMaker Maker)
{
    WizardClasses().insert(Name, std::move(Maker));
}

int WizardClassFactory(const QString& ClassName, bool KeepSize, bool UseKey, bool KeyIsRegistry,
                       const QString& Key)
{
    const auto found = WizardClasses().constFind(ClassName);
    if (found == WizardClasses().constEnd()) {
        MessageDlg(QStringLiteral("WizardClassFactory cannot find the class \"%1\".").arg(ClassName), mtError,
                   {mbOK});
        return mrCancel;
    }
    TBusyCursor busy;
    std::unique_ptr<TWin2kWizFrm> host = UseKey ? std::make_unique<TWin2kWizFrm>(nullptr, KeepSize, Key, KeyIsRegistry)
                                                : std::make_unique<TWin2kWizFrm>(nullptr, KeepSize);
    host->SetClient((*found)(host.get()));
    return host->ShowModal();
}
