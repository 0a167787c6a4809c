// The drop source with data formats.
#include "dragdrop/drop_multi_source.h"

#include "dragdrop/feedback_clipboard_formats.h"
#include "dragdrop/feedback_data_format.h"
#include "dragdrop/raw_formats.h"
#include "platform/ole/medium.h"

#include <memory>
#include <set>
#include <utility>

using namespace win;

int TSourceDataFormats::Add(TCustomDataFormat* Format)
{
    Format->OnChanging = [this](TObject* Sender) { source_.DataChanging(Sender); };
    return TDataFormats::Add(Format);
}

TCustomDropMultiSource::TCustomDropMultiSource(TComponent* AOwner) : TCustomDropSource(AOwner)
{
    DataFormats = std::make_unique<TSourceDataFormats>(*this);
    feedback_ = new TFeedbackDataFormat(this);
    raw_ = new TRawDataFormat(this);
}

TCustomDropMultiSource::~TCustomDropMultiSource()
{
    EmptyClipboard();
    while (DataFormats->Count() > 0)
        delete DataFormats->Formats(DataFormats->Count() - 1);
}

void TCustomDropMultiSource::DataChanging(TObject*)
{
    FlushClipboardData();
}

HRESULT TCustomDropMultiSource::ServeMedium(const FORMATETC& FormatEtc, STGMEDIUM& Medium)
{
    Medium = STGMEDIUM();
    for (int i = 0; i < DataFormats->Count(); ++i) {
        TCustomDataFormat* data = DataFormats->Formats(i);
        if (!data->HoldsData())
            continue;
        const TClipboardFormats& formats = data->ConvertibleFormats();
        for (int j = 0; j < formats.Count(); ++j) {
            TClipboardFormat* format = formats.Formats(j);
            if (!format->MatchesFormatRecord(FormatEtc) || !data->AssignTo(format) || !format->HoldsData())
                continue;
            const bool built = format->EncodeMedium(FormatEtc, Medium);
            format->Clear();
            if (built)
                return S_OK;
            ReleaseStgMedium(&Medium);
        }
    }
    return DV_E_FORMATETC;
}

HRESULT TCustomDropMultiSource::ReceiveMedium(const FORMATETC& FormatEtc, STGMEDIUM& Medium)
{
    for (int i = 0; i < DataFormats->Count(); ++i) {
        TCustomDataFormat* data = DataFormats->Formats(i);
        const TClipboardFormats& formats = data->ConvertibleFormats();
        for (int j = 0; j < formats.Count(); ++j) {
            TClipboardFormat* format = formats.Formats(j);
            if (!format->MatchesFormatRecord(FormatEtc) || !format->ReadMedium(this, Medium) || !data->Assign(format))
                continue;
            if (auto* paste = dynamic_cast<TPasteSuccededClipboardFormat*>(format)) {
                const DWORD value = paste->Value;
                if (value == DROPEFFECT_MOVE && ReadPerformedEffect() == DROPEFFECT_MOVE)
                    NotifyPaste(drDropMove, true);
                else
                    NotifyPaste(DragResultOfEffect(value), false);
            }
            format->Clear();
            return S_OK;
        }
    }
    // A format no data format takes: the raw data format keeps a copy, in the raw format of the
    // record when it has one already.
    TClipboardFormats& raws = raw_->ConvertibleFormats();
    for (int i = 0; i < raws.Count(); ++i)
        if (raws.Formats(i)->MatchesFormatRecord(FormatEtc))
            return raws.Formats(i)->ReadMedium(this, Medium) && raw_->Assign(raws.Formats(i)) ? S_OK : E_NOTIMPL;
    auto raw = std::make_unique<TRawClipboardFormat>(FormatEtc);
    if (!raw->ReadMedium(this, Medium) || !raw_->Assign(raw.get()))
        return E_NOTIMPL;
    raws.Add(raw.release());
    return S_OK;
}

bool TCustomDropMultiSource::ServesFormat(const FORMATETC& FormatEtc)
{
    for (int i = 0; i < DataFormats->Count(); ++i) {
        const TClipboardFormats& formats = DataFormats->Formats(i)->ConvertibleFormats();
        for (int j = 0; j < formats.Count(); ++j)
            if (formats.Formats(j)->MatchesFormatRecord(FormatEtc))
                return true;
    }
    return false;
}

ComPtr<IEnumFORMATETC> TCustomDropMultiSource::MakeFormatEnumerator(DWORD Direction)
{
    TDataDirections wanted = 0;
    if (Direction == DATADIR_GET)
        wanted = ddRead;
    else if (Direction == DATADIR_SET)
        wanted = ddWrite;
    else
        return {};
    std::vector<FORMATETC> records;
    // Raw formats share their class: each record of theirs counts on its own.
    std::set<std::pair<const TClipboardFormatClass*, CLIPFORMAT>> seen;
    for (int i = 0; i < DataFormats->Count(); ++i) {
        const TClipboardFormats& formats = DataFormats->Formats(i)->ConvertibleFormats();
        for (int j = 0; j < formats.Count(); ++j) {
            const TClipboardFormat* format = formats.Formats(j);
            if (!(format->TransferDirections & wanted))
                continue;
            const bool raw = format->ClassType().InheritsFrom(TRawClipboardFormat::Class);
            if (seen.insert({&format->ClassType(), raw ? format->FormatEtc().cfFormat : CLIPFORMAT(0)}).second)
                records.push_back(format->FormatEtc());
        }
    }
    return ComPtr<IEnumFORMATETC>::Adopt(new TEnumFormatEtc(std::move(records)));
}

DWORD TCustomDropMultiSource::ReadPerformedEffect()
{
    return feedback_->PerformedDropEffect();
}

DWORD TCustomDropMultiSource::ReadLogicalPerformedEffect()
{
    return feedback_->LogicalPerformedDropEffect;
}

void TCustomDropMultiSource::WritePerformedEffect(DWORD Effect)
{
    feedback_->SetPerformedDropEffect(Effect);
}

DWORD TCustomDropMultiSource::ReadPreferredEffect()
{
    return feedback_->PreferredDropEffect();
}

void TCustomDropMultiSource::WritePreferredEffect(DWORD Effect)
{
    feedback_->SetPreferredDropEffect(Effect);
}

bool TCustomDropMultiSource::ReadShellDragLoop()
{
    return feedback_->InShellDragLoop();
}

CLSID TCustomDropMultiSource::ReadTargetClassId()
{
    return feedback_->TargetCLSID;
}

void TCustomDropMultiSource::WriteShellDragLoop(bool Flag)
{
    feedback_->SetInShellDragLoop(Flag);
}
