// The texts of the shell controls: the folder-browse form, list columns, the new-folder name and
// its failure message, and the default key texts.
#pragma once

#include <QString>

inline const QString SShCancel = QStringLiteral("Cancel");
inline const QString SShOK = QStringLiteral("OK");
inline const QString SShCreateFolder = QStringLiteral("Create Folder");
inline const QString SShCreateFolderHint = QStringLiteral("Creates a new, empty folder.");
inline const QString SShDelete = QStringLiteral("Delete");
inline const QString SShDeleteHint = QStringLiteral("Deletes the selected items.");
inline const QString SShBrowseForFolder = QStringLiteral("Browse for Folder");
inline const QString SShBrowseFont = QStringLiteral("MS Sans Serif");
// The size column: the size in KB formatted, then "KB".
inline const QString SShSizeKB = QStringLiteral("%sKB");
inline const QString SShNewFolder = QStringLiteral("New Folder");
// Formatted with FormatStrPos: %1 the system's message, %2 the folder's name.
inline const QString SShCreateFolderFailed = QStringLiteral("Unable to create the folder '%2'\n\n%1");
inline const QString SShColumnName = QStringLiteral("Name");
inline const QString SShColumnSize = QStringLiteral("Size");
inline const QString SShColumnType = QStringLiteral("Type");
inline const QString SShColumnModified = QStringLiteral("Modified");
// The type of items outside the file system.
inline const QString SShSystemFolder = QStringLiteral("System Folder");
inline const QString SShKeySelectAll = QStringLiteral("Ctrl+A");
inline const QString SShKeyDelete = QStringLiteral("Del");
inline const QString SShKeyCopy = QStringLiteral("Ctrl+C");
inline const QString SShKeyCut = QStringLiteral("Ctrl+X");
inline const QString SShKeyPaste = QStringLiteral("Ctrl+V");
inline const QString SShKeyRefresh = QStringLiteral("F5");
inline const QString SShKeyRename = QStringLiteral("F2");
