// TPTIdListArray: the items of an item identifier list by index, and its ancestors.
#pragma once

#include "platform/rtl/object.h"
#include "platform/shellapi/item_id_list.h"

// Reads a list it borrows (never copied or freed). Each list it hands out belongs to the array
// and stays valid until the next Items or Ancestor call or the array's destruction.
class TPTIdListArray : public TObject {
public:
    explicit TPTIdListArray(win::LPCITEMIDLIST Pidl);
    ~TPTIdListArray() override;

    // The number of items; 0 for null.
    int Count() const;
    // A one-item list of item Index (0 is the item just below the desktop). On an empty list
    // every index from 0 gives the empty list. A negative index, a null list or an index past
    // the last item raises Exception "TPTIdListArray - index %d out of range".
    win::LPITEMIDLIST Items(int Index);
    // The first Count - N items (N 1 is the parent, N 0 a copy of the whole list); null when N is
    // negative or above Count.
    win::LPITEMIDLIST Ancestor(int N);

private:
    // The items of the list, each with its count (none for null or a malformed list).
    QList<QByteArray> Split() const;
    // Replaces the list handed out last by a new one of Items.
    win::LPITEMIDLIST Hand(const QByteArray& Items);

    win::LPCITEMIDLIST pidl_;
    win::LPITEMIDLIST last_ = nullptr;
};
