// PickFolder and its default, Qt's folder dialog.
#include "platform/widgets/folder_picker.h"

#include "platform/widgets/prompt_service.h"

#include <QFileDialog>
#include <utility>

namespace {

bool QtFolderDialog(const QString& Caption, QString& Folder)
{
    QFileDialog dialog(nullptr, Caption, Folder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    Folder = dialog.selectedFiles().constFirst();
    return true;
}

TFolderPicker& Picker()
{
    static TFolderPicker picker;
    return picker;
}

} // namespace

bool PickFolder(const QString& Caption, QString& Folder)
{
    return Picker() ? Picker()(Caption, Folder) : QtFolderDialog(Caption, Folder);
}

TFolderPicker SetFolderPicker(TFolderPicker Value)
{
    return std::exchange(Picker(), std::move(Value));
}
