// The file group descriptor formats.
#include "dragdrop/file_group_descriptor_formats.h"

#include "platform/system/name_encoding.h"

#include <algorithm>
#include <cstring>

using namespace win;

const TClipboardFormatClass TCustomFileGroupDescriptorClipboardFormat::Class{
    "TCustomFileGroupDescriptorClipboardFormat", &TCustomSimpleClipboardFormat::Class, nullptr};
const TClipboardFormatClass TFileGroupDescritorClipboardFormat::Class{
    "TFileGroupDescritorClipboardFormat", &TCustomFileGroupDescriptorClipboardFormat::Class,
    []() -> TClipboardFormat* { return new TFileGroupDescritorClipboardFormat; }};
const TClipboardFormatClass TFileGroupDescritorWClipboardFormat::Class{
    "TFileGroupDescritorWClipboardFormat", &TCustomFileGroupDescriptorClipboardFormat::Class,
    []() -> TClipboardFormat* { return new TFileGroupDescritorWClipboardFormat; }};

namespace {

constexpr std::size_t CountSize = sizeof(FILEGROUPDESCRIPTORA::cItems);
constexpr std::size_t NameOffset = offsetof(FILEDESCRIPTORA, cFileName);
static_assert(NameOffset == offsetof(FILEDESCRIPTORW, cFileName));

std::uint32_t ItemCount(std::span<const std::uint8_t> Block)
{
    std::uint32_t count = 0;
    std::memcpy(&count, Block.data(), CountSize);
    return count;
}

} // namespace

TCustomFileGroupDescriptorClipboardFormat::TCustomFileGroupDescriptorClipboardFormat(const TClipboardFormatClass& AClass,
                                                                                     bool Wide)
    : TCustomSimpleClipboardFormat(AClass), wide_(Wide)
{
}

std::size_t TCustomFileGroupDescriptorClipboardFormat::ItemSize() const
{
    return wide_ ? sizeof(FILEDESCRIPTORW) : sizeof(FILEDESCRIPTORA);
}

bool TCustomFileGroupDescriptorClipboardFormat::ParseBlock(std::span<const std::uint8_t> Source)
{
    if (Source.size() < CountSize)
        return false;
    const std::uint64_t count = ItemCount(Source);
    if ((Source.size() - CountSize) / ItemSize() != count)
        return false;
    Block = QByteArray(reinterpret_cast<const char*>(Source.data()), qsizetype(CountSize + count * ItemSize()));
    return true;
}

bool TCustomFileGroupDescriptorClipboardFormat::FillBlock(std::span<std::uint8_t> Target)
{
    if (Target.size() < CountSize || (Target.size() - CountSize) / ItemSize() != std::size_t(Count()))
        return false;
    std::memcpy(Target.data(), Block.constData(), std::min<std::size_t>(Target.size(), Block.size()));
    return true;
}

int TCustomFileGroupDescriptorClipboardFormat::Count() const
{
    if (std::size_t(Block.size()) < CountSize)
        return 0;
    return int(ItemCount({reinterpret_cast<const std::uint8_t*>(Block.constData()), std::size_t(Block.size())}));
}

QString TCustomFileGroupDescriptorClipboardFormat::FileName(int Index) const
{
    if (Index < 0 || Index >= Count())
        return {};
    const char* name = Block.constData() + CountSize + std::size_t(Index) * ItemSize() + NameOffset;
    if (wide_) {
        char16_t units[MAX_PATH];
        std::memcpy(units, name, sizeof units);
        const auto length = std::find(units, units + MAX_PATH, u'\0') - units;
        return QString::fromUtf16(units, length);
    }
    return DecodeName(QByteArray(name, qsizetype(strnlen(name, MAX_PATH))));
}

void TCustomFileGroupDescriptorClipboardFormat::SetFileNames(const QStringList& Names)
{
    const std::uint32_t count = std::uint32_t(Names.size());
    QByteArray block(qsizetype(CountSize + count * ItemSize()), '\0');
    std::memcpy(block.data(), &count, CountSize);
    for (std::uint32_t i = 0; i < count; ++i) {
        char* name = block.data() + CountSize + i * ItemSize() + NameOffset;
        if (wide_) {
            const QString text = Names[i].left(MAX_PATH - 1);
            std::memcpy(name, text.utf16(), 2 * std::size_t(text.size()));
        } else {
            const QByteArray text = EncodeName(Names[i]).left(MAX_PATH - 1);
            std::memcpy(name, text.constData(), std::size_t(text.size()));
        }
    }
    Block = block;
}

TFileGroupDescritorClipboardFormat::TFileGroupDescritorClipboardFormat()
    : TCustomFileGroupDescriptorClipboardFormat(Class, false)
{
}

CLIPFORMAT TFileGroupDescritorClipboardFormat::GetClipboardFormat() const
{
    static const CLIPFORMAT id = RegisterFormatName(QStringLiteral("FileGroupDescriptor"));
    return id;
}

TFileGroupDescritorWClipboardFormat::TFileGroupDescritorWClipboardFormat()
    : TCustomFileGroupDescriptorClipboardFormat(Class, true)
{
}

CLIPFORMAT TFileGroupDescritorWClipboardFormat::GetClipboardFormat() const
{
    static const CLIPFORMAT id = RegisterFormatName(QStringLiteral("FileGroupDescriptorW"));
    return id;
}
