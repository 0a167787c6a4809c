// Reading and writing name lists and CF_HDROP blocks.
#include "platform/ole/drop_files.h"

#include "platform/system/name_encoding.h"

#include <cstring>

namespace win {

namespace {

constexpr std::size_t HeaderSize = sizeof(DROPFILES);

std::uint32_t ReadU32(std::span<const std::uint8_t> Block, std::size_t Offset)
{
    std::uint32_t value;
    std::memcpy(&value, Block.data() + Offset, sizeof value);
    return value;
}

QStringList ReadWideNames(std::span<const std::uint8_t> Block)
{
    QStringList names;
    const std::size_t units = Block.size() / 2;
    std::size_t start = 0;
    while (start < units) {
        std::size_t end = start;
        char16_t unit = 0;
        while (end < units) {
            std::memcpy(&unit, Block.data() + 2 * end, 2);
            if (unit == 0)
                break;
            ++end;
        }
        if (end == units || end == start)
            break; // no NUL before the end, or the closing empty name
        QString name(qsizetype(end - start), Qt::Uninitialized);
        std::memcpy(name.data(), Block.data() + 2 * start, 2 * (end - start));
        names.append(name);
        start = end + 1;
    }
    return names;
}

QStringList ReadByteNames(std::span<const std::uint8_t> Block)
{
    QStringList names;
    std::size_t start = 0;
    while (start < Block.size()) {
        const void* nul = std::memchr(Block.data() + start, 0, Block.size() - start);
        if (!nul)
            break;
        const std::size_t end = std::size_t(static_cast<const std::uint8_t*>(nul) - Block.data());
        if (end == start)
            break;
        names.append(DecodeName(QByteArray(reinterpret_cast<const char*>(Block.data() + start), qsizetype(end - start))));
        start = end + 1;
    }
    return names;
}

} // namespace

QStringList ReadNameList(std::span<const std::uint8_t> Block, bool Wide)
{
    return Wide ? ReadWideNames(Block) : ReadByteNames(Block);
}

QByteArray MakeNameList(const QStringList& Names, bool Wide)
{
    QByteArray list;
    for (const QString& name : Names) {
        if (name.isEmpty() || name.contains(QChar(0)))
            continue;
        if (Wide) {
            list.append(reinterpret_cast<const char*>(name.utf16()), name.size() * 2);
            list.append(2, '\0');
        } else {
            list.append(EncodeName(name));
            list.append('\0');
        }
    }
    list.append(Wide ? 2 : 1, '\0');
    return list;
}

std::optional<TDropFiles> ReadDropFiles(std::span<const std::uint8_t> Block)
{
    if (Block.size() <= HeaderSize)
        return std::nullopt;
    const std::uint32_t files = ReadU32(Block, offsetof(DROPFILES, pFiles));
    if (files < HeaderSize || files > Block.size())
        return std::nullopt;
    TDropFiles result;
    result.Wide = ReadU32(Block, offsetof(DROPFILES, fWide)) != 0;
    result.Point = {LONG(ReadU32(Block, offsetof(DROPFILES, pt))), LONG(ReadU32(Block, offsetof(DROPFILES, pt) + 4))};
    result.NonClient = ReadU32(Block, offsetof(DROPFILES, fNC)) != 0;
    result.Names = ReadNameList(Block.subspan(files), result.Wide);
    return result;
}

QByteArray MakeDropFiles(const QStringList& Names, bool Wide)
{
    DROPFILES header{};
    header.pFiles = HeaderSize;
    header.fWide = Wide ? TRUE : FALSE;
    QByteArray block(reinterpret_cast<const char*>(&header), HeaderSize);
    block.append(MakeNameList(Names, Wide));
    return block;
}

} // namespace win
