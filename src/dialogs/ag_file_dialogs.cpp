// TAgOpenDialog.
#include "dialogs/ag_file_dialogs.h"

#include <QFileDialog>

void TAgOpenDialog::Prepare(QFileDialog& Dialog)
{
    TOpenDialog::Prepare(Dialog);
    if (ShowPlacesBar)
        return;
    Dialog.setSidebarUrls({});
    if (QWidget* sidebar = Dialog.findChild<QWidget*>(QStringLiteral("sidebar")))
        sidebar->hide();
}
