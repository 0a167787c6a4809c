// The drop target with data formats.
#include "dragdrop/drop_multi_target.h"

#include "dragdrop/data_format.h"
#include "dragdrop/pidl_clipboard_format.h"
#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"
#include "platform/threads/thread.h"

using namespace win;

namespace {

// Whether filling the data format may turn shell item lists offered by the data object into paths.
bool ReadsShellItems(const TCustomDataFormat& DataFormat, IDataObject* DataObject)
{
    const TClipboardFormat* items = DataFormat.ConvertibleFormats().FirstOfClass(TPIDLClipboardFormat::Class);
    return items && items->IsAvailableIn(DataObject);
}

} // namespace

TCustomDropMultiTarget::TCustomDropMultiTarget(TComponent* AOwner) : TCustomDropTarget(AOwner)
{
    Dragtypes = DragTypeBit(dtCopy) | DragTypeBit(dtLink);
    GetDataOnEnter = false;
    DataFormats = std::make_unique<TDataFormats>();
}

TCustomDropMultiTarget::~TCustomDropMultiTarget()
{
    WaitForTransfer();
    while (DataFormats->Count() > 0)
        delete DataFormats->Formats(DataFormats->Count() - 1);
}

void TCustomDropMultiTarget::NotifyFormatOffered(TCustomDataFormat* DataFormat, bool& Accept)
{
    Fire(OnFormatOffered, this, DataFormat, Accept);
}

bool TCustomDropMultiTarget::IsAvailableIn(IDataObject* DataObject)
{
    ComPtr<IEnumFORMATETC> formats;
    if (FAILED(DataObject->EnumFormatEtc(DATADIR_GET, formats.Put())) || !formats || FAILED(formats->Reset()))
        return false;
    FORMATETC offered{};
    ULONG fetched = 0;
    while (formats->Next(1, &offered, &fetched) == S_OK && fetched == 1) {
        for (int i = 0; i < DataFormats->Count(); ++i) {
            TCustomDataFormat* format = DataFormats->Formats(i);
            if (!format->MatchesFormatRecord(offered) || !format->IsAvailableIn(DataObject))
                continue;
            bool accept = true;
            NotifyFormatOffered(format, accept);
            if (accept)
                return true;
        }
    }
    return false;
}

bool TCustomDropMultiTarget::FillDataFormats(IDataObject* DataObject)
{
    bool result = false;
    for (int i = 0; i < DataFormats->Count(); ++i) {
        TCustomDataFormat* format = DataFormats->Formats(i);
        if (!format->IsAvailableIn(DataObject))
            continue;
        bool accept = true;
        NotifyFormatOffered(format, accept);
        if (!accept)
            continue;
        bool taken = false;
        if (ReadsShellItems(*format, DataObject))
            TThread::Synchronize([&] { taken = format->GetData(DataObject); });
        else
            taken = format->GetData(DataObject);
        result = taken || result;
    }
    return result;
}

void TCustomDropMultiTarget::ClearData()
{
    if (AsyncTransferInProgress())
        throw Exception(QStringLiteral("Can't clear data while async data transfer is in progress"));
    for (int i = 0; i < DataFormats->Count(); ++i)
        DataFormats->Formats(i)->Clear();
}
