// The context menu of selected items.
#include "shell/items_context_menu.h"

#include "shell/send_to_list.h"
#include "shell/send_to_menu.h"
#include "shell/send_to_target.h"
#include "shell/shell_verbs.h"

#include "platform/ole/unknown.h"

using namespace win;

UINT SelectionMenuFlags(const QString& FocusedPath, bool ReadOnly)
{
    return CMF_EXPLORE | (!FocusedPath.isEmpty() && !ReadOnly ? CMF_CANRENAME : 0);
}

bool PopupItemsContextMenu(HWND Owner, IShellFolder* Folder, const QString& FolderPath,
                           std::span<const LPCITEMIDLIST> Items, UINT Flags, QPoint At,
                           const TItemsMenuHandlers& Handlers)
{
    if (Items.empty())
        return false;
    TMenuModel menu;
    Ref<IContextMenu> contextMenu;
    if (FAILED(GetItemsContextMenu(Owner, Folder, Items, ShellCommandFirstId, Flags, menu, contextMenu)))
        return false;
    // The shell leaves the Send To submenu to the control: its entries are read as the menu opens.
    FillSendToPlaceholders(menu);

    const unsigned chosen = TrackPopupMenu(menu, At, Handlers.OnPopupHint);
    if (chosen >= ShellCommandFirstId) {
        const UINT offset = chosen - ShellCommandFirstId;
        if (offset == RenameCommandOffset) {
            if (Handlers.StartRename)
                Handlers.StartRename();
        } else {
            InvokeVerb(Owner, contextMenu.get(), offset);
            if ((Handlers.RefreshAfterCommands || FolderPath.startsWith(QStringLiteral("\\\\"))) && Handlers.Refresh)
                Handlers.Refresh();
        }
    } else if (const int index = SendToIndexOfId(chosen); index >= 0 && std::size_t(index) < SendToList().size()) {
        const ComPtr<IDataObject> data =
            ComPtr<IDataObject>::Adopt(Handlers.MakeDataObject ? Handlers.MakeDataObject() : nullptr);
        SendToTarget(SendToList()[std::size_t(index)].FileName, data.Get());
    }
    return true;
}
