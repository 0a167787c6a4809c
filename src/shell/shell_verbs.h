// Building the shell's context menu of items and running its commands by verb or offset.
#pragma once

#include "platform/shellapi/context_menu.h"
#include "platform/shellapi/ref.h"
#include "platform/shellapi/shell_folder.h"

#include <QString>
#include <span>

// The menu ids of the shell's commands: the first id, plus the command's offset.
constexpr win::UINT ShellCommandFirstId = 1000;
constexpr win::UINT ShellCommandLastId = 32767;

// The context menu of Items (lists relative to Folder) into ContextMenu, and Menu filled by it
// (at position 0, ids FirstId to ShellCommandLastId, the CMF_* Flags). On failure both are
// left empty; an exception thrown while filling passes on with nothing kept.
win::HRESULT GetItemsContextMenu(win::HWND Owner, win::IShellFolder* Folder, std::span<const win::LPCITEMIDLIST> Items,
                                 win::UINT FirstId, win::UINT Flags, TMenuModel& Menu,
                                 win::Ref<win::IContextMenu>& ContextMenu);

// A command of a context menu, named by its canonical verb ("delete") or by its offset (below
// 65536).
struct TShellVerb {
    TShellVerb(win::UINT Offset) : Offset(Offset) {}
    TShellVerb(const QString& Text) : Text(Text) {}

    QString Text; // empty: the command at Offset
    win::UINT Offset = 0;
};

// Runs the command at Offset of ContextMenu (shown normally, Owner told of failures) and returns
// its result; an offset of 65536 or more is no offset (E_INVALIDARG).
win::HRESULT InvokeVerb(win::HWND Owner, win::IContextMenu* ContextMenu, win::UINT Offset);
// Runs the command whose canonical verb is Verb (compared without case) among those the menu
// offers to a file manager; E_INVALIDARG, with nothing run, when none carries it.
win::HRESULT InvokeVerb(win::HWND Owner, win::IContextMenu* ContextMenu, const QString& Verb);
// Runs the command Verb names.
win::HRESULT InvokeVerb(win::HWND Owner, win::IContextMenu* ContextMenu, const TShellVerb& Verb);

// Runs the default command of ContextMenu (its menu's default entry); E_FAIL when it has none.
win::HRESULT InvokeDefaultCommand(win::HWND Owner, win::IContextMenu* ContextMenu);
