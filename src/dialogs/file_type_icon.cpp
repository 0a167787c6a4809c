// FileTypeIcon and StylePicture.
#include "dialogs/file_type_icon.h"

#include "platform/graphics/image_list.h"
#include "shell/system_icons.h"

#include <QApplication>

namespace {

// The file attribute of a normal file.
constexpr int NormalFileAttribute = 128;
// The folder a name is looked up in: it does not exist, so only the name counts.
const char* const DummyFolder = "xxKelxx";

} // namespace

QPixmap FileTypeIcon(const QString& Name)
{
    const int index = GetFileIconIndex(QLatin1String(DummyFolder) + QLatin1Char('/') + Name, NormalFileAttribute, 0);
    TImageList large;
    large.ShareImages = true;
    large.SetHandle(GetSystemImageList(true));
    return QPixmap::fromImage(large.GetImage(index));
}

QPixmap StylePicture(QStyle::StandardPixmap Icon)
{
    return QApplication::style()->standardIcon(Icon).pixmap(32, 32);
}
