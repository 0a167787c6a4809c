// TClipboardFormat, the base of the clipboard formats: one wire format (a FORMATETC) and how its
// typed fields are read from a storage medium and written into one; and TClipboardFormats, a list
// of them.
//
// Media: GetData takes the medium it receives and TakeFromMedium releases it in every case;
// ReadMedium and DecodeMedium only read the medium they are lent. SetData builds a medium and hands it to the data
// object, which takes it over only when it accepts it; otherwise SetData releases it. IDataObject
// failures are never raised: they make these calls return false.
#pragma once

#include "dragdrop/drag_types.h"
#include "dragdrop/format_class.h"
#include "platform/ole/interfaces.h"
#include "platform/rtl/object.h"

#include <vector>

class TClipboardFormat;
class TCustomDataFormat;

using TClipboardFormatClass = TFormatClass<TClipboardFormat>;

// The id of a registered format name (the same for every call with that name).
win::CLIPFORMAT RegisterFormatName(const QString& Name);

class TClipboardFormat : public TObject {
public:
    static const TClipboardFormatClass Class;

    ~TClipboardFormat() override;

    const TClipboardFormatClass& ClassType() const { return *class_; }
    QString ClassName() const override { return QString::fromLatin1(class_->Name); }

    // The format record. Its format id comes from GetClipboardFormat the first time the record is
    // read (a constructor cannot reach the class's own override); StoreFormatId sets it at once.
    const win::FORMATETC& FormatEtc() const;
    win::FORMATETC& FormatEtc();

    virtual bool DecodeMedium(win::IDataObject* DataObject, const win::STGMEDIUM& Medium);
    virtual bool EncodeMedium(const win::FORMATETC& FormatEtc, win::STGMEDIUM& Medium);
    // The base fails with "Internal error: <class>.GetClipboardFormat needs implementation".
    virtual win::CLIPFORMAT GetClipboardFormat() const;
    virtual void StoreFormatId(win::CLIPFORMAT Value);
    // The registered name of the format (at most 255 characters); empty for a standard format.
    virtual QString GetClipboardFormatName() const;
    // The base fails with "<class>.ClipboardFormat is read-only".
    virtual void StoreFormatName(const QString& Name);
    // True when the data object offers the format.
    virtual bool IsAvailableIn(win::IDataObject* DataObject) const;
    // True when the offered record has the same format id and aspect, no target device and a
    // medium in common with this format's; lindex is not compared.
    virtual bool MatchesFormatRecord(const win::FORMATETC& FormatEtc) const;
    // Clears, then reads the format from the data object.
    virtual bool GetData(win::IDataObject* DataObject);
    // Clears, decodes Medium when its medium is one of the format's, and releases Medium.
    virtual bool TakeFromMedium(win::IDataObject* Source, win::STGMEDIUM& Medium);
    // As TakeFromMedium, but Medium stays the caller's (a data object's SetData reads this way).
    bool ReadMedium(win::IDataObject* Source, const win::STGMEDIUM& Medium);
    // Builds a medium for a request that matches the format and gives it to the data object with
    // fRelease TRUE; true when the object accepts it. Medium is empty afterwards.
    virtual bool SetData(win::IDataObject* DataObject, const win::FORMATETC& FormatEtc, win::STGMEDIUM& Medium);
    // Copies a data format's data into this format, and this format's data into a data format;
    // the base copies nothing and returns false.
    virtual bool Assign(TCustomDataFormat* DataFormat);
    virtual bool AssignTo(TCustomDataFormat* DataFormat);
    virtual void Clear() = 0;
    virtual bool HoldsData() const;

    TDataDirections TransferDirections = ddRead;

protected:
    // CreateWithMedium: the class's own format id, DVASPECT_CONTENT, lindex -1 and Tymed.
    TClipboardFormat(const TClipboardFormatClass& AClass, win::DWORD Tymed);
    // CreateWithFormatRecord: the record as it is.
    TClipboardFormat(const TClipboardFormatClass& AClass, const win::FORMATETC& FormatEtc);

private:
    const TClipboardFormatClass* class_;
    mutable win::FORMATETC formatEtc_;
    mutable bool formatIdPending_;
};

// An ordered list of clipboard formats; with OwnsObjects it frees them on Clear and when it goes.
class TClipboardFormats {
public:
    explicit TClipboardFormats(bool OwnsObjects = true) : OwnsObjects(OwnsObjects) {}
    TClipboardFormats(const TClipboardFormats&) = delete;
    TClipboardFormats& operator=(const TClipboardFormats&) = delete;
    ~TClipboardFormats();

    int Add(TClipboardFormat* Format);
    // The first format of the class or of a descendant of it; null when none.
    TClipboardFormat* FirstOfClass(const TClipboardFormatClass& Class) const;
    bool Contain(const TClipboardFormatClass& Class) const { return FirstOfClass(Class) != nullptr; }
    int Count() const { return int(formats_.size()); }
    TClipboardFormat* Formats(int Index) const { return formats_.at(std::size_t(Index)); }
    void Clear();

    bool OwnsObjects;

private:
    std::vector<TClipboardFormat*> formats_;
};
