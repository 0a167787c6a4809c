// TTarnwickFTPApp: the download of one remote file into a local folder that mirrors its remote
// folder below the local pane's folder.
#include "app/main_form.h"
#include "routines/path_routines.h"
#include "session/session_engine.h"

#include <QDir>
#include <QFileInfo>

QString TTarnwickFTPApp::MirrorLocalFolder(const QString& RemotePath)
{
    QString folder = CurrentFolder();
    if (RemotePath.endsWith(QLatin1Char('/'))) {
        // The remote folder's name goes through the one check for local names made from remote
        // ones, so a hostile name never leads outside the local folder.
        folder = LocalPathInFolder(folder, ExtractRemoteName(RemotePath), true);
        if (folder.isEmpty())
            return QString();
        if (!QFileInfo(folder).isDir())
            QDir().mkdir(folder); // a folder that cannot be made shows in the download's failure
    }
    GoToFolder(folder);
    return folder + QLatin1Char('/');
}

void TTarnwickFTPApp::DownloadToMirrorFolder(const QString& RemotePath)
{
    const QString folder = MirrorLocalFolder(RemotePath);
    const QString name = ExtractRemoteName(RemotePath);
    const QString localName = folder.isEmpty() ? QString() : LocalPathInFolder(folder, name, true);
    if (localName.isEmpty()) {
        engine_->Log.AddLogLine(QStringLiteral("* ") + RemotePath + QStringLiteral(" cannot be stored in a local folder."));
        return;
    }
    engine_->DownloadSize = engine_->RemoteList.GetRemoteFileSize(name);
    engine_->TransferFile(localName, RemotePath, RecurseDownload);
}
