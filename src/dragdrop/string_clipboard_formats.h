// The string families of the simple formats: a byte string (TCustomStringClipboardFormat), a
// NUL-ended 8-bit text (TCustomTextClipboardFormat) and a NUL-ended UTF-16 text
// (TCustomWideTextClipboardFormat).
#pragma once

#include "dragdrop/simple_clipboard_format.h"

#include <QByteArray>
#include <QString>

// The block is the string's bytes; with CutAtFirstNul a block read is cut at its first NUL.
// Writing copies the string followed by a NUL into blocks of up to its length + 1 bytes (a smaller
// block takes the start of it).
class TCustomStringClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    bool ParseBlock(std::span<const std::uint8_t> Block) override;
    bool FillBlock(std::span<std::uint8_t> Block) override;
    std::int64_t BlockSize() const override { return Data.size(); }
    void Clear() override { Data.clear(); }
    bool HoldsData() const override { return !Data.isEmpty(); }

    QByteArray Data;
    bool CutAtFirstNul = false;

protected:
    using TCustomSimpleClipboardFormat::TCustomSimpleClipboardFormat;
};

// A string cut at its first NUL when read and written with a closing NUL (unless it ends in one).
class TCustomTextClipboardFormat : public TCustomStringClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    std::int64_t BlockSize() const override;

protected:
    explicit TCustomTextClipboardFormat(const TClipboardFormatClass& AClass);
};

// The block is the text's UTF-16 units; reading keeps every unit, NULs included (Size div 2 of
// them). Writing adds a closing NUL unless the text ends in one.
class TCustomWideTextClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    bool ParseBlock(std::span<const std::uint8_t> Block) override;
    bool FillBlock(std::span<std::uint8_t> Block) override;
    std::int64_t BlockSize() const override;
    void Clear() override { Data.clear(); }
    bool HoldsData() const override { return !Data.isEmpty(); }

    QString Data;

protected:
    using TCustomSimpleClipboardFormat::TCustomSimpleClipboardFormat;
};
