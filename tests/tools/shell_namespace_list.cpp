// A test-only program: lists a folder and Computer as the shell namespace sees them, one item a
// line: its display name, type name, attributes, small icon index and the bytes of its item.
//
//   shell_namespace_list [<folder>]
//
// Without a folder it lists the current one. It runs headless (QT_QPA_PLATFORM=offscreen).
#include "platform/platform_init.h"
#include "platform/rtl/application.h"
#include "platform/shellapi/file_info.h"
#include "platform/shellapi/namespace_folders.h"
#include "platform/widgets/platform_widgets_init.h"
#include "shell/pidl_routines.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

namespace {

using namespace win;

constexpr ULONG ShownAttributes = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_HASSUBFOLDER | SFGAO_LINK |
                                  SFGAO_GHOSTED | SFGAO_READONLY | SFGAO_REMOVABLE | SFGAO_DROPTARGET |
                                  SFGAO_CANRENAME | SFGAO_CANDELETE;

QString AttributeText(ULONG Attributes)
{
    static const std::pair<ULONG, const char*> names[] = {
        {SFGAO_FOLDER, "folder"},      {SFGAO_FILESYSTEM, "fs"},      {SFGAO_HASSUBFOLDER, "subfolders"},
        {SFGAO_LINK, "link"},          {SFGAO_GHOSTED, "hidden"},     {SFGAO_READONLY, "read-only"},
        {SFGAO_REMOVABLE, "removable"}, {SFGAO_DROPTARGET, "drop"},   {SFGAO_CANRENAME, "rename"},
        {SFGAO_CANDELETE, "delete"},
    };
    QStringList parts;
    for (const auto& [bit, name] : names)
        if (Attributes & bit)
            parts.append(QString::fromLatin1(name));
    return parts.join(QLatin1Char(','));
}

void List(LPCITEMIDLIST FolderPidl)
{
    Ref<IShellFolder> folder;
    if (FAILED(GetShellFolder(FolderPidl, folder))) {
        std::printf("cannot open the folder\n");
        return;
    }
    std::printf("== %s\n", qPrintable(GetPidlDisplayName(nullptr, FolderPidl, pnkForParsing)));
    Ref<IEnumIDList> items;
    const HRESULT result = folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &items);
    if (FAILED(result)) {
        std::printf("cannot list it: %s\n", qPrintable(SystemMessage(result)));
        return;
    }
    LPITEMIDLIST item = nullptr;
    while (items->Next(1, &item, nullptr) == S_OK) {
        ULONG attributes = ShownAttributes;
        LPCITEMIDLIST one = item;
        folder->GetAttributesOf({&one, 1}, &attributes);
        LPITEMIDLIST absolute = ConcatPidls(nullptr, FolderPidl, item);
        SHFILEINFO info;
        SHGetFileInfo(absolute, 0, &info, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_TYPENAME);
        const QByteArray bytes(reinterpret_cast<const char*>(item), PidlSize(item));
        std::printf("%-28s %-24s %-40s icon %2d  %s\n", qPrintable(GetPidlDisplayName(folder.get(), item, pnkInFolder)),
                    qPrintable(info.szTypeName), qPrintable(AttributeText(attributes)), info.iIcon,
                    bytes.toHex(' ').constData());
        ShellFree(absolute);
        ShellFree(item);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    TApplication app;
    initPlatform();
    initPlatformWidgets();
    const QString path = argc > 1 ? QDir(QString::fromLocal8Bit(argv[1])).absolutePath() : QDir::currentPath();
    LPITEMIDLIST folder = nullptr;
    if (FAILED(PathToPidl(path, folder))) {
        std::fprintf(stderr, "not a folder: %s\n", qPrintable(path));
        return 1;
    }
    List(folder);
    ShellFree(folder);
    LPITEMIDLIST computer = nullptr;
    GetSpecialFolderPidl(nullptr, csidlDrives, computer);
    List(computer);
    ShellFree(computer);
    return 0;
}
