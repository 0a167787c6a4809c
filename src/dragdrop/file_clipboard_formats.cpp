// The file list, file name and name map formats.
#include "dragdrop/file_clipboard_formats.h"

#include "dragdrop/file_data_formats.h"
#include "dragdrop/name_list_writer.h"
#include "dragdrop/string_lines.h"
#include "platform/ole/drop_files.h"
#include "platform/system/name_encoding.h"

#include <cstring>

using namespace win;

const TClipboardFormatClass TFileClipboardFormat::Class{"TFileClipboardFormat", &TCustomSimpleClipboardFormat::Class,
                                                        []() -> TClipboardFormat* { return new TFileClipboardFormat; }};
const TClipboardFormatClass TFilenameClipboardFormat::Class{
    "TFilenameClipboardFormat", &TCustomTextClipboardFormat::Class,
    []() -> TClipboardFormat* { return new TFilenameClipboardFormat; }};
const TClipboardFormatClass TFilenameWClipboardFormat::Class{
    "TFilenameWClipboardFormat", &TCustomWideTextClipboardFormat::Class,
    []() -> TClipboardFormat* { return new TFilenameWClipboardFormat; }};
const TClipboardFormatClass TCustomFilenameMapClipboardFormat::Class{"TCustomFilenameMapClipboardFormat",
                                                                     &TCustomSimpleClipboardFormat::Class, nullptr};
const TClipboardFormatClass TFilenameMapClipboardFormat::Class{
    "TFilenameMapClipboardFormat", &TCustomFilenameMapClipboardFormat::Class,
    []() -> TClipboardFormat* { return new TFilenameMapClipboardFormat; }};
const TClipboardFormatClass TFilenameMapWClipboardFormat::Class{
    "TFilenameMapWClipboardFormat", &TCustomFilenameMapClipboardFormat::Class,
    []() -> TClipboardFormat* { return new TFilenameMapWClipboardFormat; }};

namespace {

constexpr std::size_t HeaderSize = sizeof(DROPFILES);

} // namespace

TFileClipboardFormat::TFileClipboardFormat() : TCustomSimpleClipboardFormat(Class) {}

bool TFileClipboardFormat::ParseBlock(std::span<const std::uint8_t> Block)
{
    const std::optional<TDropFiles> files = ReadDropFiles(Block);
    if (!files || files->Names.isEmpty())
        return false;
    SetLines(Files, files->Names);
    return true;
}

bool TFileClipboardFormat::FillBlock(std::span<std::uint8_t> Block)
{
    if (Block.size() <= HeaderSize)
        return false;
    DROPFILES header{};
    header.pFiles = HeaderSize;
    header.fWide = FALSE;
    std::memcpy(Block.data(), &header, HeaderSize);
    return WriteNameList(Block.subspan(HeaderSize), false, LinesOf(Files));
}

std::int64_t TFileClipboardFormat::BlockSize() const
{
    return std::int64_t(HeaderSize) + NameListSize(LinesOf(Files), false);
}

bool TFileClipboardFormat::Assign(TCustomDataFormat* DataFormat)
{
    auto* files = dynamic_cast<TFileDataFormat*>(DataFormat);
    if (!files)
        return false;
    Files.Assign(files->Files);
    return true;
}

bool TFileClipboardFormat::AssignTo(TCustomDataFormat* DataFormat)
{
    auto* files = dynamic_cast<TFileDataFormat*>(DataFormat);
    if (!files)
        return false;
    files->Files.Assign(Files);
    return true;
}

TFilenameClipboardFormat::TFilenameClipboardFormat() : TCustomTextClipboardFormat(Class) {}

CLIPFORMAT TFilenameClipboardFormat::GetClipboardFormat() const
{
    static const CLIPFORMAT id = RegisterFormatName(QStringLiteral("FileName"));
    return id;
}

bool TFilenameClipboardFormat::Assign(TCustomDataFormat* DataFormat)
{
    auto* files = dynamic_cast<TFileDataFormat*>(DataFormat);
    if (!files || files->Files.Count() == 0)
        return false;
    Data = EncodeName(files->Files.Strings(0));
    return true;
}

bool TFilenameClipboardFormat::AssignTo(TCustomDataFormat* DataFormat)
{
    auto* files = dynamic_cast<TFileDataFormat*>(DataFormat);
    if (!files || Data.isEmpty())
        return false;
    files->Files.Add(DecodeName(Data));
    return true;
}

TFilenameWClipboardFormat::TFilenameWClipboardFormat() : TCustomWideTextClipboardFormat(Class) {}

CLIPFORMAT TFilenameWClipboardFormat::GetClipboardFormat() const
{
    static const CLIPFORMAT id = RegisterFormatName(QStringLiteral("FileNameW"));
    return id;
}

bool TFilenameWClipboardFormat::Assign(TCustomDataFormat* DataFormat)
{
    auto* files = dynamic_cast<TFileDataFormat*>(DataFormat);
    if (!files || files->Files.Count() == 0)
        return false;
    Data = files->Files.Strings(0);
    return true;
}

bool TFilenameWClipboardFormat::AssignTo(TCustomDataFormat* DataFormat)
{
    auto* files = dynamic_cast<TFileDataFormat*>(DataFormat);
    const QString name = Data.left(Data.indexOf(QChar(0)));
    if (!files || name.isEmpty())
        return false;
    files->Files.Add(name);
    return true;
}

TCustomFilenameMapClipboardFormat::TCustomFilenameMapClipboardFormat(const TClipboardFormatClass& AClass, bool Wide)
    : TCustomSimpleClipboardFormat(AClass), wide_(Wide)
{
}

bool TCustomFilenameMapClipboardFormat::ParseBlock(std::span<const std::uint8_t> Block)
{
    const QStringList names = ReadNameList(Block, wide_);
    if (names.isEmpty())
        return false;
    SetLines(FileMaps, names);
    return true;
}

bool TCustomFilenameMapClipboardFormat::FillBlock(std::span<std::uint8_t> Block)
{
    return WriteNameList(Block, wide_, LinesOf(FileMaps));
}

std::int64_t TCustomFilenameMapClipboardFormat::BlockSize() const
{
    return NameListSize(LinesOf(FileMaps), wide_);
}

bool TCustomFilenameMapClipboardFormat::Assign(TCustomDataFormat* DataFormat)
{
    auto* maps = dynamic_cast<TFileMapDataFormat*>(DataFormat);
    if (!maps)
        return false;
    FileMaps.Assign(maps->NameMappings);
    return true;
}

bool TCustomFilenameMapClipboardFormat::AssignTo(TCustomDataFormat* DataFormat)
{
    auto* maps = dynamic_cast<TFileMapDataFormat*>(DataFormat);
    if (!maps)
        return false;
    maps->NameMappings.Assign(FileMaps);
    return true;
}

TFilenameMapClipboardFormat::TFilenameMapClipboardFormat() : TCustomFilenameMapClipboardFormat(Class, false) {}

CLIPFORMAT TFilenameMapClipboardFormat::GetClipboardFormat() const
{
    static const CLIPFORMAT id = RegisterFormatName(QStringLiteral("FileNameMap"));
    return id;
}

TFilenameMapWClipboardFormat::TFilenameMapWClipboardFormat() : TCustomFilenameMapClipboardFormat(Class, true) {}

CLIPFORMAT TFilenameMapWClipboardFormat::GetClipboardFormat() const
{
    static const CLIPFORMAT id = RegisterFormatName(QStringLiteral("FileNameMapW"));
    return id;
}
