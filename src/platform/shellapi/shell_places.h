// The places of the namespace: which place an absolute item list names, and the absolute list of
// a file-system path.
#pragma once

#include "platform/shellapi/hresult.h"
#include "platform/shellapi/shell_item.h"

namespace win {

struct TShellPlace {
    enum TKind { pkDesktop, pkComputer, pkFolder, pkFile };

    TKind Kind = pkDesktop;
    QList<TShellItem> Items; // the absolute list
    // The file-system path (bytes): the desktop's folder for the desktop, $HOME for Home, the
    // mount path of a volume; empty for Computer.
    QByteArray Path;

    bool IsFolder() const { return Kind != pkFile; }
    // The last item; only for places other than the desktop.
    const TShellItem& Item() const { return Items.back(); }
};

// The place of an absolute list: false when the items do not follow one another as the namespace
// makes them (root items below the desktop, volumes below Computer, entries below the desktop,
// Home, volumes and folders). Reads nothing from disk; without Paths, Place.Path stays empty.
bool ResolvePlace(const QList<TShellItem>& Items, TShellPlace& Place, bool Paths = true);

// The absolute list of the absolute path Path: Computer, the volume with the longest mount path
// holding it, then an item for each name below that (read from disk; "." and ".." and repeated
// "/" are taken as the path's text says). E_INVALIDARG for an empty, relative or over-long
// (PATH_MAX and more bytes) path; the error of a name that is missing or not a folder.
HRESULT ParsePath(const QByteArray& Path, QList<TShellItem>& Items);
// The items below Folder for a relative path ("a/b"), read from disk; E_INVALIDARG for an empty
// or absolute text or one leading out of Folder with "..".
HRESULT ParseRelativePath(const QByteArray& Folder, const QByteArray& Relative, QList<TShellItem>& Items);

// $HOME's bytes (the password database's home folder when it is unset).
QByteArray HomePath();
// The desktop's folder.
QByteArray DesktopPath();

} // namespace win
