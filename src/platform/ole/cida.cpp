// Reading and writing "Shell IDList Array" blocks.
#include "platform/ole/cida.h"

#include <cstring>

namespace win {

namespace {

std::uint32_t ReadU32(std::span<const std::uint8_t> Block, std::uint64_t Offset)
{
    std::uint32_t value;
    std::memcpy(&value, Block.data() + Offset, sizeof value);
    return value;
}

void AppendU32(QByteArray& Block, std::uint32_t Value)
{
    Block.append(reinterpret_cast<const char*>(&Value), sizeof Value);
}

} // namespace

std::size_t IdListSizeAt(std::span<const std::uint8_t> Block, std::size_t Offset)
{
    std::uint64_t at = Offset;
    for (;;) {
        if (at + 2 > Block.size())
            return 0;
        std::uint16_t cb;
        std::memcpy(&cb, Block.data() + at, sizeof cb);
        if (cb == 0)
            return std::size_t(at + 2 - Offset);
        if (cb < 2)
            return 0;
        at += cb;
    }
}

std::optional<std::vector<QByteArray>> ReadCida(std::span<const std::uint8_t> Block)
{
    if (Block.size() < 4)
        return std::nullopt;
    const std::uint64_t lists = std::uint64_t(ReadU32(Block, 0)) + 1;
    if (4 * (lists + 1) > Block.size())
        return std::nullopt;
    std::vector<QByteArray> result;
    result.reserve(std::size_t(lists));
    for (std::uint64_t i = 0; i < lists; ++i) {
        const std::uint32_t offset = ReadU32(Block, 4 * (i + 1));
        const std::size_t size = IdListSizeAt(Block, offset);
        if (size == 0)
            return std::nullopt;
        result.emplace_back(reinterpret_cast<const char*>(Block.data() + offset), qsizetype(size));
    }
    return result;
}

QByteArray MakeCida(const std::vector<QByteArray>& Lists)
{
    QByteArray block;
    AppendU32(block, Lists.empty() ? 0 : std::uint32_t(Lists.size() - 1));
    std::uint32_t offset = std::uint32_t(4 * (Lists.size() + 1));
    for (const QByteArray& list : Lists) {
        AppendU32(block, offset);
        offset += std::uint32_t(list.size());
    }
    for (const QByteArray& list : Lists)
        block.append(list);
    return block;
}

} // namespace win
