// TPTIdListArray over the checked walk of item identifier lists.
#include "shell/id_list_array.h"

#include "platform/rtl/format.h"
#include "shell/pidl_routines.h"

#include <utility>

TPTIdListArray::TPTIdListArray(win::LPCITEMIDLIST Pidl) : pidl_(Pidl) {}

TPTIdListArray::~TPTIdListArray()
{
    ShellFree(last_);
}

QList<QByteArray> TPTIdListArray::Split() const
{
    QList<QByteArray> items;
    win::SplitItemList(pidl_, items);
    return items;
}

int TPTIdListArray::Count() const
{
    return int(Split().size());
}

win::LPITEMIDLIST TPTIdListArray::Hand(const QByteArray& Items)
{
    ShellFree(last_);
    last_ = win::ItemListFromBytes(Items);
    return last_;
}

win::LPITEMIDLIST TPTIdListArray::Items(int Index)
{
    ShellFree(std::exchange(last_, nullptr));
    const QList<QByteArray> items = Split();
    if (Index < 0 || !pidl_ || (!items.isEmpty() && Index >= items.size()))
        throw Exception(Format("TPTIdListArray - index %d out of range", {Index}));
    return Hand(items.isEmpty() ? QByteArray() : items[Index]);
}

win::LPITEMIDLIST TPTIdListArray::Ancestor(int N)
{
    ShellFree(std::exchange(last_, nullptr));
    const QList<QByteArray> items = Split();
    if (N < 0 || N > items.size())
        return nullptr;
    return Hand(items.first(items.size() - N).join());
}
