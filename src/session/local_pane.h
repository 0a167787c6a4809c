// ILocalPane: what the session engine needs of the local file pane, which implements it.
#pragma once

#include <QString>
#include <QStringList>

// Folders are full local paths without a trailing "/". GUI thread only.
class ILocalPane {
public:
    virtual ~ILocalPane() = default;

    virtual QString CurrentFolder() = 0;
    // Shows Folder; false when it is not an existing folder.
    virtual bool GoToFolder(const QString& Folder) = 0;
    // The full paths of the selected entries, in the pane's order.
    virtual QStringList SelectedEntries() = 0;
};
