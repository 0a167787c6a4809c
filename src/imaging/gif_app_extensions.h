// Application extensions: the base with its eleven identifier bytes, the unknown kind that keeps its
// data blocks, and the NETSCAPE2.0 / ANIMEXTS1.0 loop extension.
#pragma once

#include "imaging/gif_extension.h"

#include <QByteArray>
#include <QList>
#include <cstdint>

// Label 0xFF: eight application name bytes and three authentication bytes, then data sub-blocks.
class TGIFApplicationExtension : public TGIFExtension {
public:
    using TGIFExtension::TGIFExtension;

    uint8_t ExtensionLabel() const override { return 0xFF; }
    // The eleven identifier bytes.
    const QByteArray& Identifier() const { return identifier_; }
    void SetIdentifier(const QByteArray& Value);

    // This class reads the identifier block that follows the label: eleven bytes answer the class
    // registered for them, or the unknown kind; ten bytes answer the unknown kind; any other size
    // answers this class. Its descendants answer themselves.
    static TGIFExtensionClass ResolveClass(TGIFExtensionClass Self, TStream& Stream);

protected:
    // The identifier block is written with size 11. Read: a size below 10 fails with "Unsupported
    // Application Extension block size"; ten bytes take a 0 eleventh byte; bytes past the
    // eleventh are skipped.
    void SaveData(TStream& Stream) override;
    void LoadData(TStream& Stream) override;
    // What follows the identifier; here the data sub-blocks are skipped and none are written.
    virtual void WritePayload(TStream& Stream);
    virtual void ReadPayload(TStream& Stream);

private:
    QByteArray identifier_ = QByteArray(11, '\0');
};

// A sub-block of data as the file holds it (1 to 255 bytes).
using TGIFBlock = QByteArray;

// An application extension no class is registered for: its data blocks are kept as they are.
class TGIFUnknownAppExtension final : public TGIFApplicationExtension {
public:
    using TGIFApplicationExtension::TGIFApplicationExtension;

    static TGIFExtensionClass ResolveClass(TGIFExtensionClass Self, TStream&) { return Self; }

    QList<TGIFBlock> Blocks;

protected:
    void WritePayload(TStream& Stream) override;
    void ReadPayload(TStream& Stream) override;
};

// The loop extension: how often an animation repeats (0: without end) and a buffer size hint.
class TGIFAppExtNSLoop final : public TGIFApplicationExtension {
public:
    explicit TGIFAppExtNSLoop(TGIFSubImage* ASubImage);

    static TGIFExtensionClass ResolveClass(TGIFExtensionClass Self, TStream&) { return Self; }

    uint16_t Loops = 0;
    uint32_t BufferSize = 0;

protected:
    // 3, 1, the loop count; when the buffer size is not 0 also 5, 2, the buffer size; then 0.
    void WritePayload(TStream& Stream) override;
    // Sub-blocks up to a 0 size: kind 1 holds the loop count, kind 2 the buffer size (the kind in
    // the low three bits of the first byte); one too short for its number fails with "Invalid
    // GIF data".
    void ReadPayload(TStream& Stream) override;
};
