// The items of temporary trees as the shell controls hold them (a folder and lists relative to
// it), and the context menus and drop targets the folders give for them.
#pragma once

#include "platform/ole/interfaces.h"
#include "platform/shellapi/context_menu.h"
#include "platform/shellapi/ref.h"
#include "platform/shellapi/shell_folder.h"

#include "support/shell_fixtures.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

// Entries of one folder: the folder and its children's relative lists.
struct TShellItems {
    win::Ref<win::IShellFolder> Folder;
    std::vector<TPidl> Items;

    std::vector<win::LPCITEMIDLIST> Lists() const
    {
        std::vector<win::LPCITEMIDLIST> lists;
        for (const TPidl& item : Items)
            lists.push_back(item.get());
        return lists;
    }
};

// The folder at the absolute path Folder (the desktop for "") and the lists of its entries Names;
// an empty name stands for the folder itself.
inline TShellItems ShellItems(const QString& Folder, const QStringList& Names)
{
    TShellItems items;
    win::Ref<win::IShellFolder> desktop;
    EXPECT_EQ(win::SHGetDesktopFolder(&desktop), win::S_OK);
    items.Folder = desktop;
    if (!Folder.isEmpty()) {
        win::LPITEMIDLIST pidl = nullptr;
        EXPECT_EQ(desktop->ParseDisplayName(nullptr, Folder, &pidl, nullptr), win::S_OK)
            << Folder.toStdString();
        const TPidl folderPidl(pidl);
        EXPECT_EQ(desktop->BindToObject(folderPidl.get(), &items.Folder), win::S_OK) << Folder.toStdString();
    }
    for (const QString& name : Names) {
        win::LPITEMIDLIST pidl = nullptr;
        if (name.isEmpty())
            pidl = win::ItemListFromBytes({});
        else
            EXPECT_EQ(items.Folder->ParseDisplayName(nullptr, name, &pidl, nullptr), win::S_OK)
                << name.toStdString();
        items.Items.emplace_back(pidl);
    }
    return items;
}

// The context menu of Items.
inline win::Ref<win::IContextMenu> ContextMenuOf(const TShellItems& Items, win::HRESULT Expected = win::S_OK)
{
    void* object = nullptr;
    const std::vector<win::LPCITEMIDLIST> lists = Items.Lists();
    EXPECT_EQ(Items.Folder->GetUIObjectOf(nullptr, lists, win::TUIObject::ContextMenu, &object), Expected);
    win::Ref<win::IContextMenu> menu(static_cast<win::IContextMenu*>(object));
    if (object)
        menu->Release(); // the reference GetUIObjectOf gave, now held by menu
    return menu;
}

// The drop target of the single item of Items (null when it has none).
inline win::ComPtr<win::IDropTarget> DropTargetOf(const TShellItems& Items)
{
    void* object = nullptr;
    const std::vector<win::LPCITEMIDLIST> lists = Items.Lists();
    Items.Folder->GetUIObjectOf(nullptr, lists, win::TUIObject::DropTarget, &object);
    return win::ComPtr<win::IDropTarget>::Adopt(static_cast<win::IDropTarget*>(object));
}

// Runs the command Verb of a context menu.
inline win::HRESULT InvokeVerb(win::IContextMenu* Menu, const QString& Verb, win::HWND Owner = nullptr)
{
    win::CMINVOKECOMMANDINFO info;
    info.hwnd = Owner;
    info.Verb = Verb;
    return Menu->InvokeCommand(info);
}
