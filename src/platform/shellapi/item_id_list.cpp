// The task allocator with its block table, and the checked walk over item identifier lists.
#include "platform/shellapi/item_id_list.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <map>
#include <mutex>

namespace {

class TTaskAllocator final : public win::IMalloc {
public:
    void* Alloc(std::size_t Size) override
    {
        void* block = std::malloc(Size ? Size : 1);
        if (block) {
            std::lock_guard lock(mutex_);
            blocks_[static_cast<const win::BYTE*>(block)] = Size;
        }
        return block;
    }

    void Free(void* Block) override
    {
        if (!Block)
            return;
        {
            std::lock_guard lock(mutex_);
            if (blocks_.erase(static_cast<const win::BYTE*>(Block)) == 0)
                return;
        }
        std::free(Block);
    }

    std::size_t GetSize(const void* Block) override
    {
        std::lock_guard lock(mutex_);
        const auto found = blocks_.find(static_cast<const win::BYTE*>(Block));
        return found == blocks_.end() ? std::size_t(-1) : found->second;
    }

    const win::BYTE* BlockEnd(const void* Address)
    {
        const auto* address = static_cast<const win::BYTE*>(Address);
        std::lock_guard lock(mutex_);
        auto after = blocks_.upper_bound(address);
        if (after == blocks_.begin())
            return nullptr;
        const auto block = std::prev(after);
        const win::BYTE* end = block->first + block->second;
        // An empty block holds only its own address.
        return address == block->first || std::less<>()(address, end) ? end : nullptr;
    }

private:
    std::mutex mutex_;
    std::map<const win::BYTE*, std::size_t, std::less<>> blocks_;
};

TTaskAllocator& TaskAllocator()
{
    static TTaskAllocator* allocator = new TTaskAllocator; // lives to the very end of the process
    return *allocator;
}

std::uint16_t CountAt(const win::BYTE* Bytes)
{
    return std::uint16_t(Bytes[0] | Bytes[1] << 8);
}

} // namespace

win::IMalloc* win::SHGetMalloc()
{
    return &TaskAllocator();
}

void* win::CoTaskMemAlloc(std::size_t Size)
{
    return TaskAllocator().Alloc(Size);
}

void win::CoTaskMemFree(void* Block)
{
    TaskAllocator().Free(Block);
}

const win::BYTE* win::TaskBlockEnd(const void* Address)
{
    return TaskAllocator().BlockEnd(Address);
}

std::size_t win::ItemListSize(LPCITEMIDLIST List)
{
    if (!List)
        return 0;
    const auto* start = reinterpret_cast<const BYTE*>(List);
    const BYTE* end = TaskBlockEnd(start);
    std::size_t size = 0;
    for (;;) {
        if (end && std::size_t(end - start) - size < 2)
            return 0;
        const std::uint16_t count = CountAt(start + size);
        if (count == 0)
            return size + 2;
        if (count < 2 || (end && std::size_t(end - start) - size < count))
            return 0;
        size += count;
    }
}

win::LPITEMIDLIST win::ItemListFromBytes(const QByteArray& Items, IMalloc* Malloc)
{
    if (!Malloc)
        Malloc = SHGetMalloc();
    auto* list = static_cast<BYTE*>(Malloc->Alloc(std::size_t(Items.size()) + 2));
    if (!list)
        return nullptr;
    if (!Items.isEmpty())
        std::memcpy(list, Items.constData(), std::size_t(Items.size()));
    list[Items.size()] = 0;
    list[Items.size() + 1] = 0;
    return reinterpret_cast<LPITEMIDLIST>(list);
}

bool win::ItemListBytes(LPCITEMIDLIST List, QByteArray& Items)
{
    Items.clear();
    const std::size_t size = ItemListSize(List);
    if (size < 2)
        return false;
    Items = QByteArray(reinterpret_cast<const char*>(List), qsizetype(size - 2));
    return true;
}

bool win::SplitItemList(LPCITEMIDLIST List, QList<QByteArray>& Items)
{
    Items.clear();
    QByteArray bytes;
    if (!ItemListBytes(List, bytes))
        return false;
    const auto* data = reinterpret_cast<const BYTE*>(bytes.constData());
    for (qsizetype at = 0; at < bytes.size();) {
        const std::uint16_t count = CountAt(data + at);
        Items.append(bytes.mid(at, count));
        at += count;
    }
    return true;
}
