// GetItemsContextMenu and InvokeVerb.
#include "shell/shell_verbs.h"

using namespace win;

namespace {

// Offsets at or above this are no offsets (they would be the address of a verb's text).
constexpr UINT FirstNonOffset = 0x10000;
// The room GetCommandString has for a verb.
constexpr int VerbBufferSize = 261;

} // namespace

HRESULT GetItemsContextMenu(HWND Owner, IShellFolder* Folder, std::span<const LPCITEMIDLIST> Items, UINT FirstId,
                            UINT Flags, TMenuModel& Menu, Ref<IContextMenu>& ContextMenu)
{
    Menu = TMenuModel();
    ContextMenu.reset();
    if (!Folder)
        return E_INVALIDARG;
    void* object = nullptr;
    if (const HRESULT result = Folder->GetUIObjectOf(Owner, Items, TUIObject::ContextMenu, &object); FAILED(result))
        return result;
    Ref<IContextMenu> contextMenu(static_cast<IContextMenu*>(object));
    contextMenu->Release(); // Ref took a second reference to the one GetUIObjectOf handed over
    TMenuModel menu;
    if (const HRESULT result = contextMenu->QueryContextMenu(menu, 0, FirstId, ShellCommandLastId, Flags);
        FAILED(result))
        return result;
    Menu = std::move(menu);
    ContextMenu = std::move(contextMenu);
    return S_OK;
}

HRESULT InvokeVerb(HWND Owner, IContextMenu* ContextMenu, UINT Offset)
{
    if (!ContextMenu || Offset >= FirstNonOffset)
        return E_INVALIDARG;
    CMINVOKECOMMANDINFO info;
    info.hwnd = Owner;
    info.Offset = Offset;
    info.nShow = SW_SHOWNORMAL;
    return ContextMenu->InvokeCommand(info);
}

HRESULT InvokeVerb(HWND Owner, IContextMenu* ContextMenu, const QString& Verb)
{
    if (!ContextMenu)
        return E_INVALIDARG;
    TMenuModel menu;
    if (FAILED(ContextMenu->QueryContextMenu(menu, 0, ShellCommandFirstId, ShellCommandLastId, CMF_EXPLORE)))
        return E_INVALIDARG;
    for (const TMenuItem& item : menu.Items()) {
        if (item.Id < ShellCommandFirstId)
            continue;
        const UINT offset = item.Id - ShellCommandFirstId;
        QString verb;
        if (FAILED(ContextMenu->GetCommandString(offset, GCS_VERBA, &verb)))
            continue;
        if (verb.left(VerbBufferSize - 1).compare(Verb, Qt::CaseInsensitive) == 0)
            return InvokeVerb(Owner, ContextMenu, offset);
    }
    return E_INVALIDARG;
}

HRESULT InvokeVerb(HWND Owner, IContextMenu* ContextMenu, const TShellVerb& Verb)
{
    return Verb.Text.isEmpty() ? InvokeVerb(Owner, ContextMenu, Verb.Offset) : InvokeVerb(Owner, ContextMenu, Verb.Text);
}

HRESULT InvokeDefaultCommand(HWND Owner, IContextMenu* ContextMenu)
{
    if (!ContextMenu)
        return E_INVALIDARG;
    TMenuModel menu;
    if (FAILED(ContextMenu->QueryContextMenu(menu, 0, ShellCommandFirstId, ShellCommandLastId, CMF_EXPLORE)))
        return E_FAIL;
    const TMenuItem* item = menu.Default();
    if (!item || item->Id < ShellCommandFirstId)
        return E_FAIL;
    return InvokeVerb(Owner, ContextMenu, item->Id - ShellCommandFirstId);
}
