// Item identifier lists as the drag-and-drop formats handle them: byte strings that hold a whole
// list with its 2-byte terminator, made from paths and turned back into paths by the shell
// namespace. A string list of item lists keeps each byte as one character (U+0000 .. U+00FF).
#pragma once

#include "platform/rtl/string_list.h"
#include "platform/shellapi/item_id_list.h"

#include <QByteArray>
#include <QStringList>

// The size of a list with its terminator; 0 for null and a malformed list.
std::size_t IdListLength(win::LPCITEMIDLIST Pidl);
// The whole list as bytes; empty for null and a malformed list.
QByteArray IdListAsBytes(win::LPCITEMIDLIST Pidl);
// The absolute list of a path, which the caller frees with CoTaskMemFree; null when the path
// names nothing.
win::LPITEMIDLIST IdListFromPath(const QString& Path);
// Parent's items followed by Child's (Parent's terminator dropped; a Parent of 2 bytes or fewer
// adds nothing).
QByteArray ConcatIdLists(const QByteArray& Parent, const QByteArray& Child);
// The list of the leading items all the names' lists have in common, one item short of the
// shortest list at most (so the common part is the folder enclosing each name), with its
// terminator; empty with no names. Raises "Failed to get interface to Desktop" when there is no
// namespace and "Invalid filename: <name>" for a name that names nothing.
QByteArray EnclosingFolderIdList(const QStringList& Names);
// Fills PIDLs with the enclosing folder's list and then each name's list relative to it. False,
// with PIDLs empty, for no names, a desktop as the enclosing folder, or a name that cannot be
// converted. Raises as EnclosingFolderIdList.
bool IdListsFromNames(const QStringList& Names, TStrings& PIDLs);
// The file-system path of an absolute list held as bytes; empty when it names no file-system item
// or is malformed.
QString PathOfIdList(const QByteArray& List);

// An item list as a line of a string list, and back.
QString IdListLine(const QByteArray& List);
QByteArray IdListOfLine(const QString& Line);
