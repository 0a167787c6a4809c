// TListingArena: the memory of a listing's entries and of their texts, taken in large blocks.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstddef>

// A listing of a million lines would otherwise make three heap allocations a line (the entry, its
// name and its size text) and touch a page for every few lines. The arena hands out room for
// objects and texts from blocks of growing size instead. A block is one Qt array allocation whose
// reference count counts the texts and objects placed in it (and the arena while it fills it): the
// block goes back to the heap with the last of them. So a text of the arena is a QString like any
// other (it may be copied, changed or kept after the arena is gone), and an object may be freed on
// its own at any time; a block stays as long as anything in it does. The large blocks of a long
// listing ask for huge pages.
class TListingArena {
public:
    TListingArena() = default;
    TListingArena(const TListingArena&) = delete;
    TListingArena& operator=(const TListingArena&) = delete;
    ~TListingArena();

    // The text of Bytes read as Latin-1, one character a byte.
    QString Latin1(QByteArrayView Bytes);

    // Room for an object of Size bytes aligned as a pointer (enough for an object of pointers, numbers
    // and QStrings), given back with FreeObject.
    void* AllocateObject(std::size_t Size);
    // The same room alone on the heap, for objects made outside any listing.
    static void* AllocateAlone(std::size_t Size);
    // Gives back the room of AllocateObject or AllocateAlone.
    static void FreeObject(void* Object) noexcept;

private:
    using TBlock = QTypedArrayData<char16_t>;

    // Room for Units UTF-16 units at the end of the current block, aligned to Alignment bytes; a new
    // block when the current one has less left. The block gains a reference for it.
    char16_t* Take(qsizetype Units, qsizetype Alignment);
    static void Release(TBlock* Block) noexcept;

    TBlock* block_ = nullptr;
    char16_t* next_ = nullptr;
    char16_t* end_ = nullptr;
    qsizetype nextBlockUnits_ = 2048;
};
