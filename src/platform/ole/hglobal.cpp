// Global memory blocks: a table of live blocks, looked up by handle under one lock.
#include "platform/ole/hglobal.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

namespace win {

namespace {

struct Block {
    std::unique_ptr<std::uint8_t[]> data;
    std::size_t size = 0;
    int locks = 0;
};

std::mutex BlocksMutex;
// Handles are numbers that are never reused, so a stale handle can never name a newer block.
std::uintptr_t NextHandle = 0x10000;

std::unordered_map<HGLOBAL, Block>& Blocks()
{
    static std::unordered_map<HGLOBAL, Block> blocks;
    return blocks;
}

Block* Find(HGLOBAL Mem)
{
    auto& blocks = Blocks();
    const auto it = blocks.find(Mem);
    return it == blocks.end() ? nullptr : &it->second;
}

} // namespace

HGLOBAL GlobalAlloc(UINT, std::size_t Bytes)
{
    Block block;
    if (Bytes > 0) {
        block.data.reset(new (std::nothrow) std::uint8_t[Bytes]());
        if (!block.data)
            return nullptr;
    }
    block.size = Bytes;
    std::lock_guard lock(BlocksMutex);
    const auto handle = reinterpret_cast<HGLOBAL>(NextHandle);
    NextHandle += 0x10;
    Blocks().emplace(handle, std::move(block));
    return handle;
}

void* GlobalLock(HGLOBAL Mem)
{
    std::lock_guard lock(BlocksMutex);
    Block* block = Find(Mem);
    if (!block || block->size == 0)
        return nullptr;
    ++block->locks;
    return block->data.get();
}

BOOL GlobalUnlock(HGLOBAL Mem)
{
    std::lock_guard lock(BlocksMutex);
    Block* block = Find(Mem);
    if (!block || block->locks == 0)
        return FALSE;
    return --block->locks > 0 ? TRUE : FALSE;
}

std::size_t GlobalSize(HGLOBAL Mem)
{
    std::lock_guard lock(BlocksMutex);
    const Block* block = Find(Mem);
    return block ? block->size : 0;
}

HGLOBAL GlobalFree(HGLOBAL Mem)
{
    Block freed;
    {
        std::lock_guard lock(BlocksMutex);
        const auto it = Blocks().find(Mem);
        if (it == Blocks().end())
            return Mem;
        freed = std::move(it->second);
        Blocks().erase(it);
    }
    return nullptr;
}

HGLOBAL GlobalFromBytes(const QByteArray& Bytes)
{
    const HGLOBAL mem = GlobalAlloc(GHND, std::size_t(Bytes.size()));
    if (mem && !Bytes.isEmpty()) {
        std::memcpy(GlobalLock(mem), Bytes.constData(), std::size_t(Bytes.size()));
        GlobalUnlock(mem);
    }
    return mem;
}

std::optional<QByteArray> BytesOfGlobal(HGLOBAL Mem)
{
    std::lock_guard lock(BlocksMutex);
    const Block* block = Find(Mem);
    if (!block)
        return std::nullopt;
    return QByteArray(reinterpret_cast<const char*>(block->data.get()), qsizetype(block->size));
}

} // namespace win
