// The shell's context menu of selected items, as the list and the tree show it: the commands of
// the shell, rename done in place by the control, and the Send To entries.
#pragma once

#include "platform/ole/interfaces.h"
#include "platform/shellapi/shell_folder.h"
#include "platform/ui/popup_menu.h"

#include <QPoint>
#include <QString>
#include <functional>
#include <span>

// The command offset the controls run themselves by editing the name in place.
constexpr win::UINT RenameCommandOffset = 18;

// The CMF_* flags of a selection's menu: the file manager's commands, with rename when the
// focused item has a path and the control is not read-only.
win::UINT SelectionMenuFlags(const QString& FocusedPath, bool ReadOnly);

// What the control does for the commands the menu leaves to it.
struct TItemsMenuHandlers {
    std::function<void()> StartRename; // edit the focused item's name in place
    std::function<void()> Refresh;     // show the folder again after a command ran
    // Refresh after every command; else only for a folder whose path begins with two backslashes.
    bool RefreshAfterCommands = false;
    // The data object of the selection, with a reference for the caller, for Send To.
    std::function<win::IDataObject*()> MakeDataObject;
    TMenuHintHandler OnPopupHint; // the help text of the command under the pointer
};

// Shows the context menu of Items (lists relative to Folder, whose path is FolderPath) at the
// screen point At, with the CMF_* Flags, and runs the command chosen: rename through StartRename,
// a Send To entry through SendToTarget with the selection's data object, any other command
// through InvokeVerb (followed by Refresh as RefreshAfterCommands says).
// Returns false when there was nothing to show: no items, or the shell made no menu. Raises as
// SendToTarget does.
bool PopupItemsContextMenu(win::HWND Owner, win::IShellFolder* Folder, const QString& FolderPath,
                           std::span<const win::LPCITEMIDLIST> Items, win::UINT Flags, QPoint At,
                           const TItemsMenuHandlers& Handlers);
