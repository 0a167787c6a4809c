// TCustomDropMultiSource, a drop source that serves a list of data formats, with the feedback
// values in a TFeedbackDataFormat and the formats a target sets that no data format takes in a
// TRawDataFormat; TSourceDataFormats, its list; and TEnumFormatEtc, the format enumerator it
// hands out.
#pragma once

#include "dragdrop/data_format.h"
#include "dragdrop/drop_source.h"
#include "platform/ole/format_enumerator.h"

class TFeedbackDataFormat;
class TRawDataFormat;
class TCustomDropMultiSource;

// A snapshot of format records with a cursor; Next takes a null count pointer.
using TEnumFormatEtc = win::FormatEtcEnumerator;

// Directs the OnChanging of every data format added to the source.
class TSourceDataFormats : public TDataFormats {
public:
    explicit TSourceDataFormats(TCustomDropMultiSource& Source) : source_(Source) {}
    int Add(TCustomDataFormat* Format) override;

private:
    TCustomDropMultiSource& source_;
};

class TCustomDropMultiSource : public TCustomDropSource {
public:
    explicit TCustomDropMultiSource(TComponent* AOwner);
    // Empties the clipboard while the source is on it, then frees every data format.
    ~TCustomDropMultiSource() override;

    TConversionScopes DataFormatScope() const override { return csSource; }
    TFeedbackDataFormat& FeedbackDataFormat() const { return *feedback_; }
    TRawDataFormat& RawDataFormat() const { return *raw_; }

    // A data format is about to change: what the clipboard holds of the source is rendered
    // first, so that the clipboard keeps the data that was put on it.
    void DataChanging(TObject* Sender);

protected:
    // The first data format holding data whose matching clipboard format takes it and builds the
    // medium; DV_E_FORMATETC when none does.
    win::HRESULT ServeMedium(const win::FORMATETC& FormatEtc, win::STGMEDIUM& Medium) override;
    // The first matching clipboard format that reads the medium and whose data format takes it;
    // otherwise a raw format of the record keeps a copy. A "Paste Succeeded" read tells OnPaste.
    win::HRESULT ReceiveMedium(const win::FORMATETC& FormatEtc, win::STGMEDIUM& Medium) override;
    bool ServesFormat(const win::FORMATETC& FormatEtc) override;
    // Every format: one that no data format takes goes to the raw data format.
    bool TakesFormat(const win::FORMATETC&) override { return true; }
    // The records of the clipboard formats that move data the direction's way, each class once.
    win::ComPtr<win::IEnumFORMATETC> MakeFormatEnumerator(win::DWORD Direction) override;
    win::DWORD ReadPerformedEffect() override;
    win::DWORD ReadLogicalPerformedEffect() override;
    void WritePerformedEffect(win::DWORD Effect) override;
    win::DWORD ReadPreferredEffect() override;
    void WritePreferredEffect(win::DWORD Effect) override;
    bool ReadShellDragLoop() override;
    win::CLSID ReadTargetClassId() override;
    void WriteShellDragLoop(bool Flag) override;

private:
    TFeedbackDataFormat* feedback_;
    TRawDataFormat* raw_;
};
