// The raw pass-through formats: TRawClipboardFormat keeps a copy of whatever medium it receives
// for its format record, and TRawDataFormat holds a set of them (a drop source keeps there the
// formats a target sets that no other data format takes).
#pragma once

#include "dragdrop/data_format.h"

class TRawClipboardFormat : public TClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    // CreateWithFormatRecord. The parameterless constructor of the class record fails with
    // "The TRawClipboardFormat class can not be instantiated with the default constructor".
    explicit TRawClipboardFormat(const win::FORMATETC& FormatEtc);
    // Releases the medium it holds.
    ~TRawClipboardFormat() override;

    win::CLIPFORMAT GetClipboardFormat() const override;
    // Registers the name and takes its id as the format id.
    void StoreFormatName(const QString& Name) override;
    // Keeps a copy of the medium (releasing the one it held).
    bool DecodeMedium(win::IDataObject* DataObject, const win::STGMEDIUM& Medium) override;
    // Gives a copy of the medium it holds.
    bool EncodeMedium(const win::FORMATETC& FormatEtc, win::STGMEDIUM& Medium) override;
    // Keeps the medium: ReleaseMedium lets it go.
    void Clear() override {}
    bool HoldsData() const override { return Medium.tymed != win::TYMED_NULL; }
    // Succeed only with a TRawDataFormat, whose formats these are.
    bool Assign(TCustomDataFormat* DataFormat) override;
    bool AssignTo(TCustomDataFormat* DataFormat) override;
    void ReleaseMedium();

    win::STGMEDIUM Medium;
};

class TRawDataFormat : public TCustomDataFormat {
public:
    static const TDataFormatClass Class;

    explicit TRawDataFormat(TComponent* AOwner);

    // Fires Changing, then releases the medium of every compatible raw format.
    void Clear() override;
    // True when any compatible format holds a medium.
    bool HoldsData() const override;
    // True when any compatible format holds none.
    bool LacksData() const override;

protected:
    TRawDataFormat(const TDataFormatClass& AClass, TComponent* AOwner);
};
