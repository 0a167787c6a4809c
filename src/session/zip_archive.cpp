// The zip archive's folders, name and comment.
#include "session/zip_archive.h"

#include "platform/rtl/format.h"
#include "routines/file_routines.h"
#include "routines/shell_routines.h"
#include "settings/app_settings.h"

#include <QDir>
#include <QFileInfo>

QString ZipScratchFolder()
{
    return GetTempFolder() + QStringLiteral("FTPZipTemp/");
}

bool PrepareZipScratchFolder()
{
    const QString folder = ZipScratchFolder();
    DeleteFolderFiles(folder, false);
    return QDir().mkpath(folder);
}

QString ZipArchiveName(const QString& ZipSaveFolder, const QString& ProfileName, TDateTime Day)
{
    return Format(QStringLiteral("%s%s%s.zip"),
                  {ZipSaveFolder, ProfileName, FormatDateTime(QStringLiteral("mm-dd-yy"), Day)});
}

QString ZipArchiveComment(const QString& Host, const QString& RemoteFolder, const QString& Title)
{
    return Format(QStringLiteral("Archived Site: %s, Folder: %s with %s"), {Host, RemoteFolder, Title});
}

QString EnsureZipSaveFolder(TFtpAppSettings& Settings)
{
    if (!Settings.ZipSaveFolder.isEmpty() && QFileInfo(Settings.ZipSaveFolder).isDir())
        return Settings.ZipSaveFolder;
    QString folder = GetSpecialFolder(0);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath() + QLatin1Char('/');
    Settings.ZipSaveFolder = folder;
    Settings.Save();
    return folder;
}
