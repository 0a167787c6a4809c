// TListingArena: blocks of memory shared by a listing's entries and texts.
#include "ftp/listing/listing_arena.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace {

// Blocks grow from 4 KiB (a short listing takes one) to 8 MiB; a longer text gets a block of its own.
constexpr qsizetype LargestBlockUnits = 4 * 1024 * 1024;

// The huge page of x86-64 (and of ARM with 4 KiB pages).
constexpr std::uintptr_t HugePageBytes = 2 * 1024 * 1024;

// The room before each object: the block it lies in, or null for an object alone on the heap.
constexpr qsizetype HeaderUnits = qsizetype(sizeof(void*) / sizeof(char16_t));

char16_t* AlignedUp(char16_t* Pointer, qsizetype Alignment)
{
    const auto address = reinterpret_cast<std::uintptr_t>(Pointer);
    const auto mask = std::uintptr_t(Alignment) - 1;
    return reinterpret_cast<char16_t*>((address + mask) & ~mask);
}

// Asks the kernel to back the whole huge pages inside a block of at least two of them with huge
// pages. A long listing spends most of its time on the first touch of its entries' memory, a page
// fault every 4 KiB; a huge page takes one fault and clears its 2 MiB at once. Smaller blocks (short
// listings) keep small pages: a huge page would be mostly empty.
void AdviseHugePages(char16_t* Data, qsizetype Units)
{
    const auto start = reinterpret_cast<std::uintptr_t>(Data);
    const std::uintptr_t bytes = std::uintptr_t(Units) * sizeof(char16_t);
    if (bytes < 2 * HugePageBytes)
        return;
    const std::uintptr_t from = (start + HugePageBytes - 1) & ~(HugePageBytes - 1);
    const std::uintptr_t to = (start + bytes) & ~(HugePageBytes - 1);
    // Only advice: where the kernel has no huge pages to give, the block keeps small ones.
    madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

} // namespace

TListingArena::~TListingArena()
{
    Release(block_);
}

QString TListingArena::Latin1(QByteArrayView Bytes)
{
    if (Bytes.isEmpty())
        return QString::fromLatin1(Bytes.data(), 0);
    const qsizetype size = Bytes.size();
    char16_t* text = Take(size + 1, alignof(char16_t));
    for (qsizetype i = 0; i < size; ++i)
        text[i] = char16_t(static_cast<unsigned char>(Bytes[i]));
    // Qt keeps a terminating null after a string's characters.
    text[size] = u'\0';
    return QString(QStringPrivate(block_, text, size));
}

void* TListingArena::AllocateObject(std::size_t Size)
{
    char16_t* room = Take(HeaderUnits + qsizetype((Size + 1) / sizeof(char16_t)), alignof(void*));
    auto** header = reinterpret_cast<TBlock**>(room);
    *header = block_;
    return header + 1;
}

void* TListingArena::AllocateAlone(std::size_t Size)
{
    auto** header = static_cast<TBlock**>(::operator new(sizeof(TBlock*) + Size));
    *header = nullptr;
    return header + 1;
}

void TListingArena::FreeObject(void* Object) noexcept
{
    TBlock** header = static_cast<TBlock**>(Object) - 1;
    if (*header)
        Release(*header);
    else
        ::operator delete(header);
}

char16_t* TListingArena::Take(qsizetype Units, qsizetype Alignment)
{
    char16_t* start = block_ ? AlignedUp(next_, Alignment) : nullptr;
    if (!block_ || end_ - start < Units) {
        const qsizetype units = std::max(nextBlockUnits_, Units);
        const auto [block, data] = TBlock::allocate(units);
        if (!block)
            throw std::bad_alloc();
        AdviseHugePages(data, units);
        Release(block_);
        block_ = block;
        end_ = data + units;
        // A block's data is aligned as a pointer.
        start = data;
        nextBlockUnits_ = std::min(nextBlockUnits_ * 2, LargestBlockUnits);
    }
    next_ = start + Units;
    block_->ref();
    return start;
}

void TListingArena::Release(TBlock* Block) noexcept
{
    if (Block && !Block->deref())
        TBlock::deallocate(Block);
}
