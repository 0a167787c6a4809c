// TComputerFolder: the volumes and their columns.
#include "platform/shellapi/item_order.h"
#include "platform/shellapi/item_texts.h"
#include "platform/shellapi/namespace_folders.h"
#include "platform/shellapi/volumes.h"
#include "platform/system/name_encoding.h"

#include <QLocale>

namespace {

struct TColumn {
    const char* Heading;
    int Format;
    int Width;
    win::DWORD State;
};

constexpr TColumn Columns[] = {
    {"Name", win::LVCFMT_LEFT, 20, win::SHCOLSTATE_TYPE_STR | win::SHCOLSTATE_ONBYDEFAULT},
    {"Type", win::LVCFMT_LEFT, 20, win::SHCOLSTATE_TYPE_STR | win::SHCOLSTATE_ONBYDEFAULT},
    {"Total Size", win::LVCFMT_RIGHT, 12, win::SHCOLSTATE_TYPE_INT | win::SHCOLSTATE_ONBYDEFAULT},
    {"Free Space", win::LVCFMT_RIGHT, 12, win::SHCOLSTATE_TYPE_INT | win::SHCOLSTATE_ONBYDEFAULT},
    {"File System", win::LVCFMT_LEFT, 12, win::SHCOLSTATE_TYPE_STR},
};
constexpr win::UINT ColumnCount = sizeof Columns / sizeof Columns[0];

QString SizeText(std::uint64_t Bytes)
{
    return Bytes == 0 ? QString()
                      : QLocale::c().formattedDataSize(qint64(Bytes), 1, QLocale::DataSizeTraditionalFormat);
}

QString FsTypeOf(const QByteArray& MountPath)
{
    for (const win::TVolume& volume : win::CurrentVolumes())
        if (volume.MountPath == MountPath)
            return DecodeName(volume.FsType);
    return {};
}

} // namespace

win::HRESULT win::TComputerFolder::ParseDisplayName(HWND, const QString&, LPITEMIDLIST* Pidl, ULONG*)
{
    if (Pidl)
        *Pidl = nullptr;
    return E_INVALIDARG;
}

win::HRESULT win::TComputerFolder::EnumObjects(HWND, DWORD Flags, Ref<IEnumIDList>* EnumIDList)
{
    if (!EnumIDList)
        return E_INVALIDARG;
    RereadVolumes();
    QList<TShellItem> items;
    for (const TVolume& volume : CurrentVolumes()) {
        TShellItem item;
        item.Kind = TShellItem::ikVolume;
        item.VolumeKind = volume.Kind;
        item.MountPath = volume.MountPath;
        items.append(item);
    }
    return Enumerate(items, Flags, EnumIDList);
}

win::HRESULT win::TComputerFolder::GetDetailsOf(LPCITEMIDLIST Pidl, UINT Column, SHELLDETAILS* Details)
{
    if (!Details || Column >= ColumnCount)
        return E_INVALIDARG;
    const TColumn& column = Columns[Column];
    Details->fmt = column.Format;
    Details->cxChar = column.Width;
    if (!Pidl) {
        Details->str = QString::fromLatin1(column.Heading);
        return S_OK;
    }
    TShellPlace place;
    if (ItemListSize(Pidl) <= 2 || !ChildPlace(Pidl, place))
        return E_INVALIDARG;
    const TShellItem& item = place.Item();
    std::uint64_t total = 0, free = 0;
    if (item.Kind == TShellItem::ikVolume && (Column == 2 || Column == 3))
        VolumeSpace(item.MountPath, total, free);
    switch (Column) {
    case 0: Details->str = PlaceName(place, SHGDN_INFOLDER); break;
    case 1: Details->str = PlaceTypeName(place); break;
    case 2: Details->str = SizeText(total); break;
    case 3: Details->str = SizeText(free); break;
    default: Details->str = item.Kind == TShellItem::ikVolume ? FsTypeOf(item.MountPath) : QString(); break;
    }
    return S_OK;
}

win::HRESULT win::TComputerFolder::GetDefaultColumnState(UINT Column, DWORD* Flags)
{
    if (!Flags || Column >= ColumnCount)
        return E_INVALIDARG;
    *Flags = Columns[Column].State;
    return S_OK;
}
