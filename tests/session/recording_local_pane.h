// TRecordingLocalPane: a local pane over real folders for the session engine's tests.
#pragma once

#include "session/local_pane.h"

#include <QFileInfo>

class TRecordingLocalPane : public ILocalPane {
public:
    QString CurrentFolder() override { return Folder; }
    bool GoToFolder(const QString& Path) override
    {
        if (!QFileInfo(Path).isDir())
            return false;
        Folder = Path;
        Visited.append(Path);
        return true;
    }
    QStringList SelectedEntries() override { return Selected; }

    QString Folder;
    QStringList Visited;
    QStringList Selected;
};
