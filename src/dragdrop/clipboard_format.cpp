// The clipboard format base and the list of clipboard formats.
#include "dragdrop/clipboard_format.h"

#include "platform/graphics/clipboard_format.h"
#include "platform/ole/medium.h"
#include "platform/rtl/exception.h"
#include "platform/rtl/format.h"

#include <utility>

using namespace win;

const TClipboardFormatClass TClipboardFormat::Class{"TClipboardFormat", nullptr, nullptr};

CLIPFORMAT RegisterFormatName(const QString& Name)
{
    return CLIPFORMAT(RegisterClipboardFormat(Name));
}

TClipboardFormat::TClipboardFormat(const TClipboardFormatClass& AClass, DWORD Tymed)
    : class_(&AClass), formatEtc_{0, nullptr, DVASPECT_CONTENT, -1, Tymed}, formatIdPending_(true)
{
}

TClipboardFormat::TClipboardFormat(const TClipboardFormatClass& AClass, const FORMATETC& FormatEtc)
    : class_(&AClass), formatEtc_(FormatEtc), formatIdPending_(false)
{
}

TClipboardFormat::~TClipboardFormat() = default;

const FORMATETC& TClipboardFormat::FormatEtc() const
{
    if (formatIdPending_) {
        formatEtc_.cfFormat = GetClipboardFormat();
        formatIdPending_ = false;
    }
    return formatEtc_;
}

FORMATETC& TClipboardFormat::FormatEtc()
{
    std::as_const(*this).FormatEtc();
    return formatEtc_;
}

bool TClipboardFormat::DecodeMedium(IDataObject*, const STGMEDIUM&)
{
    return false;
}

bool TClipboardFormat::EncodeMedium(const FORMATETC&, STGMEDIUM&)
{
    return false;
}

CLIPFORMAT TClipboardFormat::GetClipboardFormat() const
{
    throw Exception(Format("Internal error: %s.%s needs implementation", {ClassName(), "GetClipboardFormat"}));
}

void TClipboardFormat::StoreFormatId(CLIPFORMAT Value)
{
    formatEtc_.cfFormat = Value;
    formatIdPending_ = false;
}

QString TClipboardFormat::GetClipboardFormatName() const
{
    return ClipboardFormatName(GetClipboardFormat()).left(255);
}

void TClipboardFormat::StoreFormatName(const QString&)
{
    throw Exception(Format("%s.ClipboardFormat is read-only", {ClassName()}));
}

bool TClipboardFormat::IsAvailableIn(IDataObject* DataObject) const
{
    if (!DataObject)
        return false;
    FORMATETC format = FormatEtc();
    return ComGuard([&] { return DataObject->QueryGetData(&format); }) == S_OK;
}

bool TClipboardFormat::MatchesFormatRecord(const FORMATETC& Offered) const
{
    const FORMATETC& own = FormatEtc();
    return Offered.cfFormat == own.cfFormat && !Offered.ptd && Offered.dwAspect == own.dwAspect &&
           (Offered.tymed & own.tymed) != 0;
}

bool TClipboardFormat::GetData(IDataObject* DataObject)
{
    Clear();
    if (!DataObject)
        return false;
    FORMATETC format = FormatEtc();
    STGMEDIUM medium;
    if (ComGuard([&] { return DataObject->GetData(&format, &medium); }) != S_OK)
        return false;
    return TakeFromMedium(DataObject, medium);
}

bool TClipboardFormat::TakeFromMedium(IDataObject* Source, STGMEDIUM& Medium)
{
    struct Release {
        STGMEDIUM& medium;
        ~Release() { ReleaseStgMedium(&medium); }
    } release{Medium};
    return ReadMedium(Source, Medium);
}

bool TClipboardFormat::ReadMedium(IDataObject* Source, const STGMEDIUM& Medium)
{
    Clear();
    return (Medium.tymed & FormatEtc().tymed) != 0 && DecodeMedium(Source, Medium);
}

bool TClipboardFormat::SetData(IDataObject* DataObject, const FORMATETC& Requested, STGMEDIUM& Medium)
{
    Medium = STGMEDIUM();
    bool accepted = false;
    try {
        const FORMATETC& own = FormatEtc();
        if (DataObject && Requested.cfFormat == own.cfFormat && Requested.dwAspect == own.dwAspect &&
            (Requested.tymed & own.tymed) != 0 && EncodeMedium(Requested, Medium)) {
            FORMATETC format = own;
            accepted = ComGuard([&] { return DataObject->SetData(&format, &Medium, TRUE); }) == S_OK;
        }
    } catch (...) {
        ReleaseStgMedium(&Medium);
        throw;
    }
    if (accepted)
        Medium = STGMEDIUM(); // the data object's now
    else
        ReleaseStgMedium(&Medium);
    return accepted;
}

bool TClipboardFormat::Assign(TCustomDataFormat*)
{
    return false;
}

bool TClipboardFormat::AssignTo(TCustomDataFormat*)
{
    return false;
}

bool TClipboardFormat::HoldsData() const
{
    return true;
}

TClipboardFormats::~TClipboardFormats()
{
    Clear();
}

int TClipboardFormats::Add(TClipboardFormat* Format)
{
    formats_.push_back(Format);
    return Count() - 1;
}

TClipboardFormat* TClipboardFormats::FirstOfClass(const TClipboardFormatClass& Class) const
{
    for (TClipboardFormat* format : formats_)
        if (format->ClassType().InheritsFrom(Class))
            return format;
    return nullptr;
}

void TClipboardFormats::Clear()
{
    std::vector<TClipboardFormat*> formats;
    formats.swap(formats_);
    if (OwnsObjects)
        for (TClipboardFormat* format : formats)
            delete format;
}
