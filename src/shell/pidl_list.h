// TPTPidlList: a list of item identifier lists with attached objects, kept in order when sorted.
#pragma once

#include "platform/rtl/object.h"
#include "platform/rtl/string_list.h"
#include "platform/shellapi/ref.h"
#include "platform/shellapi/shell_folder.h"

#include <QList>

// Orders two lists by their bytes, terminators included: the first differing byte decides;
// equal prefixes put the shorter list first.
int ComparePidlBytes(win::LPCITEMIDLIST Pidl1, win::LPCITEMIDLIST Pidl2);

// The list stores the caller's lists as they are (no copies). With Malloc set it owns them and
// frees them through it when entries are deleted or the list is cleared or freed; without, it
// never frees them. Entries compare through ShellFolder's CompareIDs (column 0), or by their
// bytes when ShellFolder is null; a comparison that fails counts as equal.
class TPTPidlList : public TObject {
public:
    TPTPidlList() = default;
    ~TPTPidlList() override;

    // Appends (unsorted) or inserts in order (sorted); returns the index. A sorted list meeting an
    // equal entry: dupIgnore returns that entry's index without adding, dupError raises
    // Exception "TPTPidlList: Duplicate PIDL", dupAccept inserts.
    virtual int Add(win::LPITEMIDLIST Pidl);
    virtual int AddObject(win::LPITEMIDLIST Pidl, void* Object);
    void Delete(int Index);
    void Clear();
    // The index of an equal entry, -1 when none: by Find when sorted, else the first from 0.
    int IndexOf(win::LPCITEMIDLIST Pidl) const;
    // Bisection over a sorted list: true when an equal entry is there. Index is where Pidl
    // belongs; on a match, the first equal entry unless Duplicates is dupAccept.
    bool Find(win::LPCITEMIDLIST Pidl, int& Index) const;
    void Sort();

    win::LPITEMIDLIST Pidls(int Index) const { return entries_.at(Index).Pidl; }
    void* Objects(int Index) const { return entries_.at(Index).Object; }
    int Count() const { return int(entries_.size()); }
    int Capacity() const { return int(entries_.capacity()); }
    void SetCapacity(int Value) { entries_.reserve(Value); }
    bool Sorted() const { return sorted_; }
    // Setting it sorts the list.
    void SetSorted(bool Value);

    win::Ref<win::IShellFolder> ShellFolder;
    win::IMalloc* Malloc = nullptr;
    TDuplicates Duplicates = dupError;

private:
    struct TEntry {
        win::LPITEMIDLIST Pidl;
        void* Object;
    };

    int Compare(win::LPCITEMIDLIST Pidl1, win::LPCITEMIDLIST Pidl2) const;

    QList<TEntry> entries_;
    bool sorted_ = false;
};
