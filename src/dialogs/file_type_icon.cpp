// IconIndexByName, SystemIconImage, FileTypeIcon and StylePicture.
#include "dialogs/file_type_icon.h"

#include "platform/graphics/image_list.h"
#include "platform/shellapi/file_info.h"
#include "shell/system_icons.h"

#include <QApplication>

namespace {

constexpr win::DWORD NormalFileAttribute = 128;
constexpr win::DWORD FolderAttribute = 16;
// The folder a prompt's name is looked up in: a name of no real folder, so only the name counts.
const char* const DummyFolder = "xxKelxx";

} // namespace

int IconIndexByName(const QString& Name, bool Folder)
{
    win::SHFILEINFO info;
    win::SHGetFileInfo(Name, Folder ? FolderAttribute : NormalFileAttribute, &info,
                       win::SHGFI_SYSICONINDEX | win::SHGFI_USEFILEATTRIBUTES);
    return info.iIcon;
}

QImage SystemIconImage(int Index, bool Large)
{
    TImageList list;
    list.ShareImages = true;
    list.SetHandle(GetSystemImageList(Large));
    return list.GetImage(Index);
}

QPixmap FileTypeIcon(const QString& Name)
{
    return QPixmap::fromImage(
        SystemIconImage(IconIndexByName(QLatin1String(DummyFolder) + QLatin1Char('/') + Name), true));
}

QPixmap StylePicture(QStyle::StandardPixmap Icon)
{
    return QApplication::style()->standardIcon(Icon).pixmap(32, 32);
}
