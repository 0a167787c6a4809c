// TCustomSimpleClipboardFormat, the base of the clipboard formats whose data is one block of
// bytes carried by an HGLOBAL or an IStream medium, and TNamedFormat, which makes a concrete
// format of such a family from its class name and its format id or registered name.
//
// Reading: the whole block of the medium is handed to ParseBlock (a stream is read from its start,
// whatever its position, and only the bytes it gives are parsed). Writing: a new medium of
// BlockSize bytes is filled by FillBlock; a stream medium comes back positioned at its end.
#pragma once

#include "dragdrop/clipboard_format.h"

#include <cstdint>
#include <span>

class TCustomSimpleClipboardFormat : public TClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    // An HGLOBAL block or an IStream of at least one byte goes to ReadMediumBytes; a stream that
    // claims more than 1 GiB and any other medium are refused.
    bool DecodeMedium(win::IDataObject* DataObject, const win::STGMEDIUM& Medium) override;
    // A medium of BlockSize bytes filled by FillBlock: an IStream when the request allows one,
    // else an HGLOBAL block. Fails for a block size below 1, when FillBlock refuses, and when
    // filling raises (no exception leaves: the caller may be answering an OLE call).
    bool EncodeMedium(const win::FORMATETC& FormatEtc, win::STGMEDIUM& Medium) override;

    // Parses the first Size bytes of the medium (a stream from its start).
    virtual bool ReadMediumBytes(const win::STGMEDIUM& Medium, std::int64_t Size);
    // Reads the typed fields from a block; false when the block breaks the format's size rules,
    // and then the fields are left as they were.
    virtual bool ParseBlock(std::span<const std::uint8_t> Block) = 0;
    // Copies Buffer into an existing medium: an HGLOBAL block at least that large, or a stream
    // from its start. False when it does not fit or the stream takes fewer bytes.
    virtual bool WriteMediumBytes(win::STGMEDIUM& Medium, std::span<const std::uint8_t> Buffer);
    // Writes the typed fields into a zero-filled block; false when the block's size does not suit.
    virtual bool FillBlock(std::span<std::uint8_t> Block) = 0;
    // The size of the block to write; below 1 when there is nothing to write.
    virtual std::int64_t BlockSize() const = 0;

protected:
    // Create: media HGLOBAL and IStream.
    TCustomSimpleClipboardFormat(const TClipboardFormatClass& AClass,
                                 win::DWORD Tymed = win::TYMED_HGLOBAL | win::TYMED_ISTREAM);
};

// The name of a concrete format class and its format: a standard id, or a name registered on first
// use (StandardId then 0).
struct TFormatSpec {
    const char* ClassName;
    const char* RegisteredName;
    win::CLIPFORMAT StandardId;
};

win::CLIPFORMAT FormatIdOf(const TFormatSpec& Spec);

// A concrete format of a family that adds nothing but its format: each spec gives its own class.
template <class Family, const TFormatSpec& Spec>
class TNamedFormat : public Family {
public:
    static const TClipboardFormatClass Class;

    TNamedFormat() : Family(Class) {}

    win::CLIPFORMAT GetClipboardFormat() const override
    {
        static const win::CLIPFORMAT id = FormatIdOf(Spec);
        return id;
    }
};

template <class Family, const TFormatSpec& Spec>
const TClipboardFormatClass TNamedFormat<Family, Spec>::Class{
    Spec.ClassName, &Family::Class, []() -> TClipboardFormat* { return new TNamedFormat<Family, Spec>; }};
