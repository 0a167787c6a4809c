// What the context menus' commands do to places of the namespace: opening, linking, pasting,
// deleting and showing properties.
#pragma once

#include "platform/shellapi/hresult.h"
#include "platform/shellapi/shell_places.h"

#include <QStringList>

namespace win {

// Opens Place through the shell launcher: a folder in the desktop's file manager, a program as a
// program, an application's desktop entry as its program and a link's desktop entry as what it
// leads to, any other file with the desktop's opener. Computer, which has no folder, opens nothing
// (S_FALSE): the controls show it themselves.
HRESULT OpenPlace(const TShellPlace& Place);

// Makes a symbolic link to Target in Folder named "Link to <name>" (or "Link to <name> (2)" and so
// on, the first name not taken). A link beside its target holds the target's name, so it survives
// the folder being moved; elsewhere it holds Target's path. Link receives its path.
HRESULT CreateLinkIn(const QString& Folder, const QString& Target, QString* Link = nullptr);
// The same in the folder that holds Target.
HRESULT CreateLinkBeside(const QString& Target);

// Copies the files on the clipboard into Folder, or moves them when they were cut (and then,
// unless the user kept some of them back, empties the clipboard). Existing files are replaced only when the
// user says so. S_FALSE when the clipboard holds no files. With ShowErrors a failure is shown.
HRESULT PasteFiles(const QString& Folder, bool ShowErrors);

// Moves Paths to the trash after the user's confirmation (each path taken literally).
HRESULT TrashPaths(const QStringList& Paths, bool ShowErrors);

// Shows the name, kind, folder, size, time of change and permissions of Places (of several, what
// they have in common and their total size) in a properties sheet.
void ShowPlaceProperties(const QList<TShellPlace>& Places);

// The status code of a file operation's result (ERROR_CANCELLED when the user cancelled).
HRESULT FileOperationResult(int Result);

} // namespace win
