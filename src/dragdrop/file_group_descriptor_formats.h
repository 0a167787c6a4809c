// The file group descriptors, "FileGroupDescriptor" (8-bit names) and "FileGroupDescriptorW"
// (UTF-16 names), which describe the virtual files whose contents "FileContents" carries: an item
// count and one fixed-size descriptor per item, the file's name at offset 72 of its descriptor.
#pragma once

#include "dragdrop/simple_clipboard_format.h"

#include <QByteArray>
#include <QStringList>

// Keeps a private copy of the whole block: the item count and exactly that many descriptors.
class TCustomFileGroupDescriptorClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    // Takes a block whose size holds exactly its item count of descriptors (less than one more
    // descriptor's worth of bytes may follow; they are not kept).
    bool ParseBlock(std::span<const std::uint8_t> Block) override;
    // Copies the block into one whose size holds the same number of descriptors.
    bool FillBlock(std::span<std::uint8_t> Block) override;
    std::int64_t BlockSize() const override { return Block.size(); }
    void Clear() override { Block.clear(); }
    bool HoldsData() const override { return Count() != 0; }

    // The item count; 0 without a block.
    int Count() const;
    // The name of item Index: at most 260 characters, ending at the first NUL; empty for an index
    // outside 0 .. Count - 1.
    QString FileName(int Index) const;
    // A new block of one zero-filled descriptor per name, each holding only its name (cut to fit
    // its NUL within the 260 characters).
    void SetFileNames(const QStringList& Names);

    QByteArray Block;

protected:
    TCustomFileGroupDescriptorClipboardFormat(const TClipboardFormatClass& AClass, bool Wide);

private:
    std::size_t ItemSize() const;

    bool wide_;
};

class TFileGroupDescritorClipboardFormat : public TCustomFileGroupDescriptorClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    TFileGroupDescritorClipboardFormat();

    win::CLIPFORMAT GetClipboardFormat() const override;
};

class TFileGroupDescritorWClipboardFormat : public TCustomFileGroupDescriptorClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    TFileGroupDescritorWClipboardFormat();

    win::CLIPFORMAT GetClipboardFormat() const override;
};
