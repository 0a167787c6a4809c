// The file, name map and item list data formats.
#include "dragdrop/file_data_formats.h"

#include "dragdrop/file_clipboard_formats.h"
#include "dragdrop/id_lists.h"
#include "dragdrop/string_lines.h"
#include "platform/rtl/exception.h"

const TDataFormatClass TCustomStringsDataFormat::Class{"TCustomStringsDataFormat", &TCustomDataFormat::Class, nullptr};
const TDataFormatClass TFileDataFormat::Class{
    "TFileDataFormat", &TCustomStringsDataFormat::Class,
    [](TComponent* AOwner) -> TCustomDataFormat* { return new TFileDataFormat(AOwner); }};
const TDataFormatClass TFileMapDataFormat::Class{
    "TFileMapDataFormat", &TCustomStringsDataFormat::Class,
    [](TComponent* AOwner) -> TCustomDataFormat* { return new TFileMapDataFormat(AOwner); }};
const TDataFormatClass TPIDLDataFormat::Class{
    "TPIDLDataFormat", &TCustomStringsDataFormat::Class,
    [](TComponent* AOwner) -> TCustomDataFormat* { return new TPIDLDataFormat(AOwner); }};

namespace {

// Converts names to item lists; false when they cannot be (the conversion's failures are
// answered here, as the caller may be serving an OLE call).
bool ConvertNames(const TStrings& Names, TStrings& PIDLs)
{
    try {
        return IdListsFromNames(LinesOf(Names), PIDLs);
    } catch (const Exception&) {
        PIDLs.Clear();
        return false;
    }
}

} // namespace

TCustomStringsDataFormat::TCustomStringsDataFormat(const TDataFormatClass& AClass, TComponent* AOwner)
    : TCustomDataFormat(AClass, AOwner)
{
    lines_.OnChanging = [this](TObject*) { Changing(); };
}

TFileDataFormat::TFileDataFormat(TComponent* AOwner) : TCustomStringsDataFormat(Class, AOwner) {}

bool TFileDataFormat::Assign(TClipboardFormat* ClipboardFormat)
{
    if (auto* pidls = dynamic_cast<TPIDLClipboardFormat*>(ClipboardFormat)) {
        Files.Assign(pidls->Filenames);
        return true;
    }
    return TCustomDataFormat::Assign(ClipboardFormat);
}

bool TFileDataFormat::AssignTo(TClipboardFormat* ClipboardFormat)
{
    if (auto* pidls = dynamic_cast<TPIDLClipboardFormat*>(ClipboardFormat))
        return ConvertNames(Files, pidls->PIDLs);
    return TCustomDataFormat::AssignTo(ClipboardFormat);
}

TFileMapDataFormat::TFileMapDataFormat(TComponent* AOwner) : TCustomStringsDataFormat(Class, AOwner) {}

TPIDLDataFormat::TPIDLDataFormat(TComponent* AOwner) : TCustomStringsDataFormat(Class, AOwner) {}

bool TPIDLDataFormat::Assign(TClipboardFormat* ClipboardFormat)
{
    if (auto* pidls = dynamic_cast<TPIDLClipboardFormat*>(ClipboardFormat)) {
        PIDLs.Assign(pidls->PIDLs);
        return true;
    }
    if (auto* files = dynamic_cast<TFileClipboardFormat*>(ClipboardFormat))
        return ConvertNames(files->Files, PIDLs);
    return TCustomDataFormat::Assign(ClipboardFormat);
}

bool TPIDLDataFormat::AssignTo(TClipboardFormat* ClipboardFormat)
{
    if (auto* pidls = dynamic_cast<TPIDLClipboardFormat*>(ClipboardFormat)) {
        pidls->PIDLs.Assign(PIDLs);
        return true;
    }
    if (auto* files = dynamic_cast<TFileClipboardFormat*>(ClipboardFormat)) {
        files->Files.Assign(Filenames);
        return true;
    }
    return TCustomDataFormat::AssignTo(ClipboardFormat);
}
