// RenameEntry over the platform's no-replace rename.
#include "platform/shellapi/rename_entry.h"

#include "platform/shellapi/file_entries.h"
#include "platform/system/files.h"
#include "platform/system/name_encoding.h"
#include "platform/ui/message_dialogs.h"

#include <cerrno>

namespace {

bool ValidName(const QByteArray& Name)
{
    return !Name.isEmpty() && Name != "." && Name != ".." && !Name.contains('/') && !Name.contains('\0');
}

} // namespace

win::HRESULT win::RenameEntry(const QByteArray& Folder, const QByteArray& OldName, const QString& NewName,
                              bool ShowErrors, TShellItem& Renamed)
{
    const QByteArray newName = EncodeName(NewName);
    HRESULT result = S_OK;
    if (!ValidName(newName) || NewName.contains(QChar(0))) {
        result = E_INVALIDARG;
    } else if (newName != OldName && !RenameToNewName(DecodeName(ChildPath(Folder, OldName)),
                                                      DecodeName(ChildPath(Folder, newName)))) {
        result = HResultFromErrno(errno);
    } else if (const int error = ReadEntryItem(Folder, newName, Renamed)) {
        result = HResultFromErrno(error);
    }
    if (FAILED(result) && ShowErrors) {
        const QString reason =
            result == E_INVALIDARG
                ? QStringLiteral("A file name cannot be empty, \".\" or \"..\", or contain \"/\".")
                : SystemMessage(result);
        MessageDlg(
            QStringLiteral("Cannot rename '%1' to '%2'.\n\n%3").arg(DecodeName(OldName), NewName, reason),
            mtError, {mbOK});
    }
    return result;
}
