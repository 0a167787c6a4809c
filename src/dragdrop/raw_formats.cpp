// The raw clipboard format and the raw data format.
#include "dragdrop/raw_formats.h"

#include "platform/ole/medium.h"
#include "platform/rtl/exception.h"
#include "platform/rtl/format.h"

using namespace win;

const TClipboardFormatClass TRawClipboardFormat::Class{
    "TRawClipboardFormat", &TClipboardFormat::Class, []() -> TClipboardFormat* {
        throw Exception(Format("The %s class can not be instantiated with the default constructor", {"TRawClipboardFormat"}));
    }};

const TDataFormatClass TRawDataFormat::Class{"TRawDataFormat", &TCustomDataFormat::Class,
                                             [](TComponent* AOwner) -> TCustomDataFormat* { return new TRawDataFormat(AOwner); }};

namespace {

TRawClipboardFormat* AsRaw(TClipboardFormat* Format)
{
    return Format->ClassType().InheritsFrom(TRawClipboardFormat::Class) ? static_cast<TRawClipboardFormat*>(Format)
                                                                         : nullptr;
}

bool IsRawDataFormat(const TCustomDataFormat* DataFormat)
{
    return DataFormat && DataFormat->ClassType().InheritsFrom(TRawDataFormat::Class);
}

} // namespace

TRawClipboardFormat::TRawClipboardFormat(const FORMATETC& FormatEtc) : TClipboardFormat(Class, FormatEtc) {}

TRawClipboardFormat::~TRawClipboardFormat()
{
    ReleaseMedium();
}

CLIPFORMAT TRawClipboardFormat::GetClipboardFormat() const
{
    return FormatEtc().cfFormat;
}

void TRawClipboardFormat::StoreFormatName(const QString& Name)
{
    StoreFormatId(RegisterFormatName(Name));
}

bool TRawClipboardFormat::DecodeMedium(IDataObject*, const STGMEDIUM& Received)
{
    ReleaseMedium();
    return CopyStgMedium(&Received, &Medium) == S_OK;
}

bool TRawClipboardFormat::EncodeMedium(const FORMATETC&, STGMEDIUM& Out)
{
    return CopyStgMedium(&Medium, &Out) == S_OK;
}

bool TRawClipboardFormat::Assign(TCustomDataFormat* DataFormat)
{
    return IsRawDataFormat(DataFormat);
}

bool TRawClipboardFormat::AssignTo(TCustomDataFormat* DataFormat)
{
    return IsRawDataFormat(DataFormat);
}

void TRawClipboardFormat::ReleaseMedium()
{
    ReleaseStgMedium(&Medium);
}

TRawDataFormat::TRawDataFormat(TComponent* AOwner) : TRawDataFormat(Class, AOwner) {}

TRawDataFormat::TRawDataFormat(const TDataFormatClass& AClass, TComponent* AOwner) : TCustomDataFormat(AClass, AOwner) {}

void TRawDataFormat::Clear()
{
    Changing();
    for (int i = 0; i < ConvertibleFormats().Count(); ++i)
        if (TRawClipboardFormat* raw = AsRaw(ConvertibleFormats().Formats(i)))
            raw->ReleaseMedium();
}

bool TRawDataFormat::HoldsData() const
{
    for (int i = 0; i < ConvertibleFormats().Count(); ++i)
        if (ConvertibleFormats().Formats(i)->HoldsData())
            return true;
    return false;
}

bool TRawDataFormat::LacksData() const
{
    for (int i = 0; i < ConvertibleFormats().Count(); ++i)
        if (!ConvertibleFormats().Formats(i)->HoldsData())
            return true;
    return false;
}
