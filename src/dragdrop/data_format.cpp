// The data format base and the list of data formats.
#include "dragdrop/data_format.h"

#include "dragdrop/drag_drop_component.h"
#include "dragdrop/format_map.h"
#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"
#include "platform/rtl/format.h"

#include <algorithm>

using namespace win;

const TDataFormatClass TCustomDataFormat::Class{"TCustomDataFormat", nullptr, nullptr};

namespace {

// The side an owner's data formats serve; fails for an owner that serves none.
TConversionScopes ScopeOfOwner(const TDataFormatClass& AClass, TComponent* AOwner)
{
    if (!AOwner)
        return csTarget;
    const auto* component = dynamic_cast<const TDragDropComponent*>(AOwner);
    const TConversionScopes scope = component ? component->DataFormatScope() : 0;
    if (scope == 0)
        throw Exception(Format("%s is not a valid owner for %s. Owner must be derived from %s",
                               {AOwner->ClassName(), AClass.Name, "TCustomDropMultiSource or TCustomDropMultiTarget"}));
    return scope;
}

} // namespace

TCustomDataFormat::TCustomDataFormat(const TDataFormatClass& AClass, TComponent* AOwner)
    : class_(&AClass), owner_(AOwner)
{
    const TConversionScopes scope = ScopeOfOwner(AClass, AOwner);
    CollectConvertibleFormats(AClass, convertibleFormats_, scope);
    if (auto* component = dynamic_cast<TDragDropComponent*>(AOwner); component && component->DataFormats) {
        component->DataFormats->Add(this);
        ownerList_ = component->DataFormats.get();
    }
}

TCustomDataFormat::~TCustomDataFormat()
{
    if (ownerList_)
        ownerList_->Remove(this);
}

void TCustomDataFormat::Changing()
{
    Fire(OnChanging, this);
}

bool TCustomDataFormat::Assign(TClipboardFormat* ClipboardFormat)
{
    return ClipboardFormat->AssignTo(this);
}

bool TCustomDataFormat::AssignTo(TClipboardFormat* ClipboardFormat)
{
    return ClipboardFormat->Assign(this);
}

bool TCustomDataFormat::GetData(IDataObject* DataObject)
{
    bool taken = false;
    for (int i = 0; i < convertibleFormats_.Count() && LacksData(); ++i) {
        TClipboardFormat* format = convertibleFormats_.Formats(i);
        format->Clear();
        if (format->GetData(DataObject) && format->HoldsData() && Assign(format)) {
            format->Clear();
            taken = true;
        }
    }
    return taken;
}

bool TCustomDataFormat::IsAvailableIn(IDataObject* DataObject) const
{
    for (int i = 0; i < convertibleFormats_.Count(); ++i)
        if (convertibleFormats_.Formats(i)->IsAvailableIn(DataObject))
            return true;
    return false;
}

bool TCustomDataFormat::MatchesFormatRecord(const FORMATETC& FormatEtc) const
{
    for (int i = 0; i < convertibleFormats_.Count(); ++i)
        if (convertibleFormats_.Formats(i)->MatchesFormatRecord(FormatEtc))
            return true;
    return false;
}

TDataFormats::~TDataFormats()
{
    while (!formats_.empty()) {
        formats_.back()->ownerList_ = nullptr;
        formats_.pop_back();
    }
}

int TDataFormats::Add(TCustomDataFormat* Format)
{
    const auto it = std::find(formats_.begin(), formats_.end(), Format);
    if (it != formats_.end())
        return int(it - formats_.begin());
    formats_.push_back(Format);
    return Count() - 1;
}

void TDataFormats::Remove(TCustomDataFormat* Format)
{
    formats_.erase(std::remove(formats_.begin(), formats_.end(), Format), formats_.end());
}
