// The zip archive of a remote folder: its scratch folder, its name, its comment and the folder
// that receives it.
#pragma once

#include "platform/rtl/date_time.h"

#include <QString>

class TFtpAppSettings;

// The folder the remote items are downloaded into before they are packed: "FTPZipTemp/" in the
// program's private temporary folder, with a trailing "/".
QString ZipScratchFolder();
// Empties the scratch folder (links inside are removed, never followed) and makes it when it is
// missing; false when it cannot be made.
bool PrepareZipScratchFolder();

// "<ZipSaveFolder><profile><mm-dd-yy>.zip": nothing between the profile's name and the date, so a
// second archive of the same day takes the first one's name.
QString ZipArchiveName(const QString& ZipSaveFolder, const QString& ProfileName, TDateTime Day);

// "Archived Site: <host>, Folder: <remote folder> with <application title>".
QString ZipArchiveComment(const QString& Host, const QString& RemoteFolder, const QString& Title);

// Settings.ZipSaveFolder when it is an existing folder; otherwise the desktop's folder (the home
// folder when there is no desktop), which becomes the setting and is saved. With a trailing "/".
QString EnsureZipSaveFolder(TFtpAppSettings& Settings);
