// The items of temporary trees as the shell controls hold them: a folder and lists relative to it.
#pragma once

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
