// initDialogs.
#include "dialogs/dialogs_init.h"

#include "dialogs/sys_folder_dlg.h"
#include "dialogs/wizard/wiz_server_cli_frm.h"
#include "dialogs/wizard/wizard_class_factory.h"

#include "platform/widgets/folder_picker.h"

namespace {

// The program's folder picker: the system folder dialog, taking folders that have a path. The
// folder comes back without a trailing "/" (but "/" itself).
bool SysFolderPicker(const QString& Caption, QString& Folder)
{
    TPTSysFolderDlg dlg;
    dlg.Title = Caption;
    dlg.Options = fdoReturnOnlyFSDirs;
    if (!Folder.isEmpty())
        dlg.SetFolderPath(Folder);
    if (!dlg.Execute())
        return false;
    QString path = dlg.GetFolderPath();
    if (path.size() > 1)
        path.chop(1);
    if (path.isEmpty())
        return false;
    Folder = path;
    return true;
}

} // namespace

void initDialogs()
{
    RegisterWizardClass(QStringLiteral("TWizServerCliFrm"), [](QWidget* Owner) { return new TWizServerCliFrm(Owner); });
    SetFolderPicker(SysFolderPicker);
}
