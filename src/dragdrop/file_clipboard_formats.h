// The file formats: CF_HDROP (a file list), "FileName" and "FileNameW" (one file name), and
// "FileNameMap" and "FileNameMapW" (the names a target gives the dropped files).
#pragma once

#include "dragdrop/string_clipboard_formats.h"
#include "platform/rtl/string_list.h"

// CF_HDROP: a DROPFILES header and a name list. Read in either width; written with 8-bit names
// (the names' bytes, so every name survives) and fWide 0.
class TFileClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    TFileClipboardFormat();

    win::CLIPFORMAT GetClipboardFormat() const override { return win::CF_HDROP; }
    // Takes a block of at least 21 bytes whose list holds at least one name.
    bool ParseBlock(std::span<const std::uint8_t> Block) override;
    // Needs at least 21 bytes.
    bool FillBlock(std::span<std::uint8_t> Block) override;
    std::int64_t BlockSize() const override;
    void Clear() override { Files.Clear(); }
    bool HoldsData() const override { return Files.Count() > 0; }
    // Exchange the file list with a TFileDataFormat.
    bool Assign(TCustomDataFormat* DataFormat) override;
    bool AssignTo(TCustomDataFormat* DataFormat) override;

    TStringList Files;
};

// "FileName": one file name, as its bytes.
class TFilenameClipboardFormat : public TCustomTextClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    TFilenameClipboardFormat();

    win::CLIPFORMAT GetClipboardFormat() const override;
    // Takes the first file of a TFileDataFormat that holds one.
    bool Assign(TCustomDataFormat* DataFormat) override;
    // Adds the name to a TFileDataFormat.
    bool AssignTo(TCustomDataFormat* DataFormat) override;
};

// "FileNameW": one file name in UTF-16. The name ends at its first NUL when it joins a file list.
class TFilenameWClipboardFormat : public TCustomWideTextClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    TFilenameWClipboardFormat();

    win::CLIPFORMAT GetClipboardFormat() const override;
    bool Assign(TCustomDataFormat* DataFormat) override;
    // Adds the name, up to its first NUL, to a TFileDataFormat; false when that leaves no name.
    bool AssignTo(TCustomDataFormat* DataFormat) override;
};

// A name list as the whole block, of 8-bit names or UTF-16 names.
class TCustomFilenameMapClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    // Takes a list of at least one name.
    bool ParseBlock(std::span<const std::uint8_t> Block) override;
    bool FillBlock(std::span<std::uint8_t> Block) override;
    std::int64_t BlockSize() const override;
    void Clear() override { FileMaps.Clear(); }
    bool HoldsData() const override { return FileMaps.Count() > 0; }
    // Exchange the names with a TFileMapDataFormat.
    bool Assign(TCustomDataFormat* DataFormat) override;
    bool AssignTo(TCustomDataFormat* DataFormat) override;

    TStringList FileMaps;

protected:
    TCustomFilenameMapClipboardFormat(const TClipboardFormatClass& AClass, bool Wide);

private:
    bool wide_;
};

class TFilenameMapClipboardFormat : public TCustomFilenameMapClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    TFilenameMapClipboardFormat();

    win::CLIPFORMAT GetClipboardFormat() const override;
};

class TFilenameMapWClipboardFormat : public TCustomFilenameMapClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    TFilenameMapWClipboardFormat();

    win::CLIPFORMAT GetClipboardFormat() const override;
};
