// The block builders of the shell controls' drags.
#include "shell/global_blocks.h"

#include "platform/ole/cida.h"
#include "platform/ole/drop_files.h"

using namespace win;

namespace {

HRESULT ToGlobal(const QByteArray& Bytes, HGLOBAL& Handle)
{
    Handle = GlobalFromBytes(Bytes);
    return Handle ? S_OK : E_OUTOFMEMORY;
}

// The list with its terminator; a malformed list counts as empty.
QByteArray ListBytes(LPCITEMIDLIST Pidl)
{
    QByteArray items;
    ItemListBytes(Pidl, items);
    return items + QByteArray(2, '\0');
}

} // namespace

HRESULT StringsToHDrop(const QStringList& Names, HGLOBAL& Handle)
{
    return ToGlobal(MakeDropFiles(Names, false), Handle);
}

HRESULT PidlsToIdListArray(LPCITEMIDLIST Parent, const std::vector<LPCITEMIDLIST>& Items, HGLOBAL& Handle)
{
    std::vector<QByteArray> lists;
    lists.push_back(ListBytes(Parent));
    for (const LPCITEMIDLIST item : Items)
        lists.push_back(ListBytes(item));
    return ToGlobal(MakeCida(lists), Handle);
}

HGLOBAL DuplicateHGlobal(HGLOBAL Handle)
{
    const std::optional<QByteArray> bytes = BytesOfGlobal(Handle);
    return bytes ? GlobalFromBytes(*bytes) : nullptr;
}
