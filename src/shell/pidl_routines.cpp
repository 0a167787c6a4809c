// The shell item identifier routines over the platform's namespace.
#include "shell/pidl_routines.h"

#include "shell/system_icons.h"

#include <climits>

namespace {

int DriveValidationSuppressed = 0;

constexpr std::uint64_t ComCtl32Version = (std::uint64_t(5) << 48) | (std::uint64_t(82) << 32);

// The items of Pidl without the terminator (none for null).
QByteArray ItemsOf(win::LPCITEMIDLIST Pidl)
{
    QByteArray items;
    win::ItemListBytes(Pidl, items);
    return items;
}

bool IsEmptyPidl(win::LPCITEMIDLIST Pidl)
{
    return PidlSize(Pidl) <= 2;
}

} // namespace

void* ShellAlloc(std::size_t Size)
{
    return win::CoTaskMemAlloc(Size);
}

void ShellFree(void* Block)
{
    win::CoTaskMemFree(Block);
}

win::IMalloc* ShellMalloc()
{
    return win::SHGetMalloc();
}

int PidlSize(win::LPCITEMIDLIST Pidl)
{
    return int(win::ItemListSize(Pidl));
}

win::LPITEMIDLIST CopyPidl(win::IMalloc* Malloc, win::LPCITEMIDLIST Pidl)
{
    return win::ItemListFromBytes(ItemsOf(Pidl), Malloc);
}

win::LPITEMIDLIST ConcatPidls(win::IMalloc* Malloc, win::LPCITEMIDLIST First, win::LPCITEMIDLIST Second)
{
    return win::ItemListFromBytes(ItemsOf(First) + ItemsOf(Second), Malloc);
}

int ComparePidls(win::LPCITEMIDLIST Pidl1, win::LPCITEMIDLIST Pidl2)
{
    if (!Pidl1 || !Pidl2)
        return Pidl1 == Pidl2 ? 0 : -1;
    const bool empty1 = IsEmptyPidl(Pidl1), empty2 = IsEmptyPidl(Pidl2);
    if (empty1 || empty2)
        return empty1 && empty2 ? 0 : -1;
    win::Ref<win::IShellFolder> desktop;
    if (win::FAILED(win::SHGetDesktopFolder(&desktop)))
        return INT_MAX;
    const win::HRESULT result = desktop->CompareIDs(0, Pidl1, Pidl2);
    return win::FAILED(result) ? INT_MAX : std::int16_t(win::LOWORD(result));
}

win::HRESULT GetShellFolder(win::LPCITEMIDLIST Pidl, win::Ref<win::IShellFolder>& Folder)
{
    Folder = {};
    win::Ref<win::IShellFolder> desktop;
    const win::HRESULT result = win::SHGetDesktopFolder(&desktop);
    if (win::FAILED(result) || !Pidl || IsEmptyPidl(Pidl)) {
        Folder = desktop;
        return result;
    }
    return desktop->BindToObject(Pidl, &Folder);
}

win::HRESULT PathToPidl(const QString& Path, win::LPITEMIDLIST& Pidl)
{
    Pidl = nullptr;
    win::Ref<win::IShellFolder> desktop;
    win::HRESULT result = win::SHGetDesktopFolder(&desktop);
    if (win::SUCCEEDED(result))
        result = desktop->ParseDisplayName(nullptr, Path, &Pidl, nullptr);
    return result;
}

QString PidlToPath(win::LPCITEMIDLIST Pidl)
{
    QString path;
    win::SHGetPathFromIDList(Pidl, &path);
    return path;
}

win::HRESULT GetSpecialFolderPidl(win::HWND Owner, TCSIDL Folder, win::LPITEMIDLIST& Pidl)
{
    return win::SHGetSpecialFolderLocation(Owner, int(Folder) & 0x7F, &Pidl);
}

QString SpecialFolderPath(win::HWND Owner, TCSIDL Folder)
{
    win::LPITEMIDLIST pidl = nullptr;
    if (win::FAILED(GetSpecialFolderPidl(Owner, Folder, pidl)))
        return {};
    const QString path = PidlToPath(pidl);
    ShellFree(pidl);
    return path;
}

TCSIDL PidlToCsidl(win::LPCITEMIDLIST Pidl)
{
    for (int folder = csidlDesktop; folder <= csidlNone; ++folder) {
        win::LPITEMIDLIST location = nullptr;
        if (win::FAILED(GetSpecialFolderPidl(nullptr, TCSIDL(folder), location)))
            continue;
        const bool same = ComparePidls(location, Pidl) == 0;
        ShellFree(location);
        if (same)
            return TCSIDL(folder);
    }
    return csidlNone;
}

int GetPidlIconIndex(win::LPCITEMIDLIST Pidl, win::UINT ExtraFlags)
{
    win::SHFILEINFO info;
    win::SHGetFileInfo(Pidl, 0, &info, ExtraFlags | win::SHGFI_SYSICONINDEX | win::SHGFI_PIDL);
    return info.iIcon;
}

win::HIMAGELIST GetSysImageList(TSysImageListSize Size)
{
    // The overlay images come with the lists themselves.
    return GetSystemImageList(Size == silLarge);
}

QString GetPidlDisplayName(win::IShellFolder* Folder, win::LPCITEMIDLIST Pidl, TPidlNameKind Kind)
{
    static const win::DWORD flags[] = {win::SHGDN_NORMAL, win::SHGDN_INFOLDER, win::SHGDN_FORPARSING};
    win::Ref<win::IShellFolder> desktop;
    win::IShellFolder* folder = Folder; // borrowed: the caller holds its reference
    if (!folder) {
        if (win::FAILED(win::SHGetDesktopFolder(&desktop)))
            return {};
        folder = desktop.get();
    }
    QString name;
    if (win::FAILED(folder->GetDisplayNameOf(Pidl, flags[Kind], &name)))
        return {};
    return name;
}

void ValidateDrives()
{
    if (DriveValidationSuppressed != 0)
        return;
    win::LPITEMIDLIST drives = nullptr;
    if (win::FAILED(GetSpecialFolderPidl(nullptr, csidlDrives, drives)))
        return;
    win::Ref<win::IShellFolder> folder;
    if (win::SUCCEEDED(GetShellFolder(drives, folder)) && folder) {
        win::ULONG attributes = win::SFGAO_VALIDATE;
        folder->GetAttributesOf({}, &attributes);
    }
    ShellFree(drives);
}

void DisableDriveValidation()
{
    ++DriveValidationSuppressed;
}

void EnableDriveValidation()
{
    --DriveValidationSuppressed;
}

bool IsWinNT()
{
    return true;
}

bool GetModuleFileVersion(const QString& FileName, std::uint64_t& Version)
{
    if (FileName.compare(QLatin1String("comctl32.dll"), Qt::CaseInsensitive) != 0)
        return false;
    Version = ComCtl32Version;
    return true;
}
