// CompareItems.
#include "platform/shellapi/item_order.h"

#include "platform/shellapi/item_texts.h"
#include "platform/shellapi/name_types.h"
#include "platform/shellapi/shell_folder.h"
#include "platform/shellapi/shell_places.h"
#include "platform/system/name_encoding.h"

#include <sys/statvfs.h>

namespace {

template <class T> int Order(const T& A, const T& B)
{
    return A < B ? -1 : (B < A ? 1 : 0);
}

// Root items first, then volumes, then entries.
int Rank(const win::TShellItem& Item)
{
    switch (Item.Kind) {
    case win::TShellItem::ikRoot: return Item.RootId == win::rootHome ? 0 : 1;
    case win::TShellItem::ikVolume: return 2;
    case win::TShellItem::ikFolder: return 3;
    case win::TShellItem::ikFile: return 4;
    }
    return 5;
}

int CompareTexts(const QByteArray& A, const QByteArray& B)
{
    const QString a = DecodeName(A);
    const QString b = DecodeName(B);
    if (const int c = a.compare(b, Qt::CaseInsensitive))
        return c;
    if (const int c = a.compare(b, Qt::CaseSensitive))
        return c;
    return Order(A, B);
}

QString TypeOfEntry(const win::TShellItem& Item)
{
    return Item.Kind == win::TShellItem::ikFolder ? win::FolderTypeName
                                                  : win::NameType(DecodeName(Item.Name), false).Comment;
}

int CompareEntries(int Column, const win::TShellItem& A, const win::TShellItem& B)
{
    int first = 0;
    switch (Column) {
    case 1: first = Order(A.Size, B.Size); break;
    case 2: first = TypeOfEntry(A).compare(TypeOfEntry(B), Qt::CaseInsensitive); break;
    case 3: first = Order(A.ModifiedNs, B.ModifiedNs); break;
    default: break;
    }
    return first ? first : CompareTexts(A.Name, B.Name);
}

QString VolumeName(const win::TShellItem& Item)
{
    win::TShellPlace place;
    place.Items = {Item};
    return win::PlaceName(place, win::SHGDN_NORMAL);
}

int CompareVolumes(int Column, const win::TShellItem& A, const win::TShellItem& B)
{
    int first = 0;
    std::uint64_t totalA, freeA, totalB, freeB;
    switch (Column) {
    case 0: first = VolumeName(A).compare(VolumeName(B), Qt::CaseInsensitive); break;
    case 1: first = win::VolumeTypeName(A.VolumeKind).compare(win::VolumeTypeName(B.VolumeKind)); break;
    case 2:
    case 3:
        win::VolumeSpace(A.MountPath, totalA, freeA);
        win::VolumeSpace(B.MountPath, totalB, freeB);
        first = Column == 2 ? Order(totalA, totalB) : Order(freeA, freeB);
        break;
    default: break;
    }
    return first ? first : CompareTexts(A.MountPath, B.MountPath);
}

} // namespace

void win::VolumeSpace(const QByteArray& MountPath, std::uint64_t& Total, std::uint64_t& Free)
{
    struct statvfs info;
    if (::statvfs(MountPath.constData(), &info) != 0) {
        Total = Free = 0;
        return;
    }
    Total = std::uint64_t(info.f_blocks) * info.f_frsize;
    Free = std::uint64_t(info.f_bavail) * info.f_frsize;
}

int win::CompareItems(int Column, const TShellItem& A, const TShellItem& B)
{
    const int rankA = Rank(A), rankB = Rank(B);
    if (rankA != rankB)
        return Order(rankA, rankB);
    switch (A.Kind) {
    case TShellItem::ikRoot: return 0;
    case TShellItem::ikVolume: return CompareVolumes(Column, A, B);
    case TShellItem::ikFolder:
    case TShellItem::ikFile: return CompareEntries(Column, A, B);
    }
    return 0;
}
