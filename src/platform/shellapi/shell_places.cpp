// ResolvePlace, ParsePath and the folders of Home and the desktop.
#include "platform/shellapi/shell_places.h"

#include "platform/shellapi/file_entries.h"
#include "platform/shellapi/special_folders.h"
#include "platform/shellapi/volumes.h"
#include "platform/system/name_encoding.h"

#include <cerrno>
#include <climits>
#include <pwd.h>
#include <unistd.h>

namespace {

// The names of a path after "." and ".." (lexically) and empty names are taken out; false when
// ".." would lead above the start.
bool CleanNames(const QByteArray& Path, QList<QByteArray>& Names)
{
    Names.clear();
    for (const QByteArray& name : Path.split('/')) {
        if (name.isEmpty() || name == ".")
            continue;
        if (name == "..") {
            if (Names.isEmpty())
                return false;
            Names.removeLast();
            continue;
        }
        Names.append(name);
    }
    return true;
}

// Appends the items of Names, read one after the other below Folder.
win::HRESULT AppendEntries(QByteArray Folder, const QList<QByteArray>& Names, QList<win::TShellItem>& Items)
{
    for (const QByteArray& name : Names) {
        if (!Items.isEmpty() && Items.back().Kind == win::TShellItem::ikFile)
            return win::HResultFromErrno(ENOTDIR);
        win::TShellItem item;
        if (const int error = win::ReadEntryItem(Folder, name, item))
            return win::HResultFromErrno(error);
        Items.append(item);
        Folder = win::ChildPath(Folder, name);
    }
    return win::S_OK;
}

} // namespace

QByteArray win::HomePath()
{
    QByteArray home = qgetenv("HOME");
    if (home.startsWith('/'))
        return home;
    if (const passwd* user = ::getpwuid(::getuid()))
        return QByteArray(user->pw_dir);
    return "/";
}

QByteArray win::DesktopPath()
{
    return EncodeName(SHGetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY));
}

bool win::ResolvePlace(const QList<TShellItem>& Items, TShellPlace& Place, bool Paths)
{
    Place = TShellPlace();
    Place.Items = Items;
    if (Paths && (Items.isEmpty() || Items.front().IsEntry()))
        Place.Path = DesktopPath();
    for (const TShellItem& item : Items) {
        switch (item.Kind) {
        case TShellItem::ikRoot:
            if (Place.Kind != TShellPlace::pkDesktop || &item != &Items.front())
                return false;
            Place.Kind = item.RootId == rootComputer ? TShellPlace::pkComputer : TShellPlace::pkFolder;
            Place.Path = item.RootId == rootComputer || !Paths ? QByteArray() : HomePath();
            break;
        case TShellItem::ikVolume:
            if (Place.Kind != TShellPlace::pkComputer)
                return false;
            Place.Kind = TShellPlace::pkFolder;
            if (Paths)
                Place.Path = item.MountPath;
            break;
        case TShellItem::ikFolder:
        case TShellItem::ikFile:
            if (Place.Kind != TShellPlace::pkDesktop && Place.Kind != TShellPlace::pkFolder)
                return false;
            Place.Kind = item.Kind == TShellItem::ikFolder ? TShellPlace::pkFolder : TShellPlace::pkFile;
            if (Paths)
                Place.Path = ChildPath(Place.Path, item.Name);
            break;
        }
    }
    return true;
}

win::HRESULT win::ParsePath(const QByteArray& Path, QList<TShellItem>& Items)
{
    Items.clear();
    QList<QByteArray> names;
    if (!Path.startsWith('/') || Path.size() >= PATH_MAX || Path.contains('\0') || !CleanNames(Path, names))
        return E_INVALIDARG;
    const QByteArray clean = '/' + names.join('/');
    const TVolume volume = VolumeHolding(clean);
    TShellItem computer;
    computer.Kind = TShellItem::ikRoot;
    computer.RootId = rootComputer;
    TShellItem mount;
    mount.Kind = TShellItem::ikVolume;
    mount.VolumeKind = volume.Kind;
    mount.MountPath = volume.MountPath;
    Items = {computer, mount};
    const qsizetype skip = volume.MountPath == "/" ? 0 : volume.MountPath.count('/');
    const HRESULT result = AppendEntries(volume.MountPath, names.mid(skip), Items);
    if (FAILED(result))
        Items.clear();
    return result;
}

win::HRESULT win::ParseRelativePath(const QByteArray& Folder, const QByteArray& Relative, QList<TShellItem>& Items)
{
    Items.clear();
    QList<QByteArray> names;
    if (Relative.isEmpty() || Relative.startsWith('/') || Relative.contains('\0') || !CleanNames(Relative, names) ||
        names.isEmpty() || Folder.size() + Relative.size() + 1 >= PATH_MAX)
        return E_INVALIDARG;
    const HRESULT result = AppendEntries(Folder, names, Items);
    if (FAILED(result))
        Items.clear();
    return result;
}
