// TPTPidlList and ComparePidlBytes.
#include "shell/pidl_list.h"

#include "shell/pidl_routines.h"

#include <algorithm>
#include <cstring>

int ComparePidlBytes(win::LPCITEMIDLIST Pidl1, win::LPCITEMIDLIST Pidl2)
{
    const int size1 = PidlSize(Pidl1), size2 = PidlSize(Pidl2);
    const int common = std::min(size1, size2);
    const auto* a = reinterpret_cast<const unsigned char*>(Pidl1);
    const auto* b = reinterpret_cast<const unsigned char*>(Pidl2);
    for (int i = 0; i < common; ++i)
        if (a[i] != b[i])
            return int(a[i]) - int(b[i]);
    return size1 - size2;
}

TPTPidlList::~TPTPidlList()
{
    Clear();
}

int TPTPidlList::Compare(win::LPCITEMIDLIST Pidl1, win::LPCITEMIDLIST Pidl2) const
{
    if (!ShellFolder)
        return ComparePidlBytes(Pidl1, Pidl2);
    const win::HRESULT result = ShellFolder->CompareIDs(0, Pidl1, Pidl2);
    return win::FAILED(result) ? 0 : std::int16_t(win::LOWORD(result));
}

int TPTPidlList::Add(win::LPITEMIDLIST Pidl)
{
    return AddObject(Pidl, nullptr);
}

int TPTPidlList::AddObject(win::LPITEMIDLIST Pidl, void* Object)
{
    int index = Count();
    if (sorted_ && Find(Pidl, index)) {
        if (Duplicates == dupIgnore)
            return index;
        if (Duplicates == dupError)
            throw Exception(QStringLiteral("TPTPidlList: Duplicate PIDL"));
    }
    entries_.insert(index, TEntry{Pidl, Object});
    return index;
}

void TPTPidlList::Delete(int Index)
{
    if (Malloc)
        Malloc->Free(entries_.at(Index).Pidl);
    entries_.removeAt(Index);
}

void TPTPidlList::Clear()
{
    if (Malloc)
        for (const TEntry& entry : entries_)
            Malloc->Free(entry.Pidl);
    entries_.clear();
}

bool TPTPidlList::Find(win::LPCITEMIDLIST Pidl, int& Index) const
{
    bool found = false;
    int low = 0, high = Count() - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int order = Compare(entries_[middle].Pidl, Pidl);
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (order == 0) {
                found = true;
                if (Duplicates != dupAccept)
                    low = middle;
            }
        }
    }
    Index = low;
    return found;
}

int TPTPidlList::IndexOf(win::LPCITEMIDLIST Pidl) const
{
    if (sorted_) {
        int index;
        return Find(Pidl, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (Compare(entries_[i].Pidl, Pidl) == 0)
            return i;
    return -1;
}

void TPTPidlList::Sort()
{
    std::stable_sort(entries_.begin(), entries_.end(),
                     [this](const TEntry& a, const TEntry& b) { return Compare(a.Pidl, b.Pidl) < 0; });
}

void TPTPidlList::SetSorted(bool Value)
{
    if (Value && !sorted_)
        Sort();
    sorted_ = Value;
}
