// The byte-string, text and wide-text families.
#include "dragdrop/string_clipboard_formats.h"

#include <cstring>

const TClipboardFormatClass TCustomStringClipboardFormat::Class{"TCustomStringClipboardFormat",
                                                                &TCustomSimpleClipboardFormat::Class, nullptr};
const TClipboardFormatClass TCustomTextClipboardFormat::Class{"TCustomTextClipboardFormat",
                                                              &TCustomStringClipboardFormat::Class, nullptr};
const TClipboardFormatClass TCustomWideTextClipboardFormat::Class{"TCustomWideTextClipboardFormat",
                                                                  &TCustomSimpleClipboardFormat::Class, nullptr};

bool TCustomStringClipboardFormat::ParseBlock(std::span<const std::uint8_t> Block)
{
    Data = QByteArray(reinterpret_cast<const char*>(Block.data()), qsizetype(Block.size()));
    if (CutAtFirstNul) {
        const qsizetype nul = Data.indexOf('\0');
        if (nul >= 0)
            Data.truncate(nul);
    }
    return true;
}

bool TCustomStringClipboardFormat::FillBlock(std::span<std::uint8_t> Block)
{
    if (Block.size() > std::size_t(Data.size()) + 1)
        return false;
    // Data's own closing NUL is the one byte past its end.
    std::memcpy(Block.data(), Data.constData(), Block.size());
    return true;
}

TCustomTextClipboardFormat::TCustomTextClipboardFormat(const TClipboardFormatClass& AClass)
    : TCustomStringClipboardFormat(AClass)
{
    CutAtFirstNul = true;
}

std::int64_t TCustomTextClipboardFormat::BlockSize() const
{
    if (Data.isEmpty())
        return 0;
    return Data.size() + (Data.endsWith('\0') ? 0 : 1);
}

bool TCustomWideTextClipboardFormat::ParseBlock(std::span<const std::uint8_t> Block)
{
    const std::size_t units = Block.size() / 2;
    QString text(qsizetype(units), Qt::Uninitialized);
    std::memcpy(text.data(), Block.data(), 2 * units);
    Data = text;
    return true;
}

bool TCustomWideTextClipboardFormat::FillBlock(std::span<std::uint8_t> Block)
{
    if (Block.size() > 2 * (std::size_t(Data.size()) + 1))
        return false;
    // Data's own closing NUL is the unit past its end.
    std::memcpy(Block.data(), Data.utf16(), Block.size());
    return true;
}

std::int64_t TCustomWideTextClipboardFormat::BlockSize() const
{
    if (Data.isEmpty())
        return 0;
    return 2 * Data.size() + (Data.endsWith(QChar(0)) ? 0 : 2);
}
