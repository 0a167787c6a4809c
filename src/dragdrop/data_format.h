// TCustomDataFormat, the base of the data formats, which hold data in the program's terms (a file
// list, a text, feedback values) and move it through their compatible clipboard formats; and
// TDataFormats, a component's list of them.
//
// A data format gets its compatible clipboard formats from the conversion map when it is made
// (format_map.h), in the map's order: the formats of its class for the target side when it has
// no owner, otherwise for the side its owner serves (a multi-source or multi-target component,
// see TDragDropComponent::DataFormatScope). GetData tries them in that order and stops once the
// data format holds data.
#pragma once

#include "dragdrop/clipboard_format.h"

#include <functional>
#include <vector>

class TComponent;
class TDataFormats;

using TDataFormatClass = TFormatClass<TCustomDataFormat, TComponent*>;

class TCustomDataFormat : public TObject {
public:
    static const TDataFormatClass Class;

    ~TCustomDataFormat() override;

    const TDataFormatClass& ClassType() const { return *class_; }
    QString ClassName() const override { return QString::fromLatin1(class_->Name); }

    // The compatible clipboard formats, owned.
    TClipboardFormats& ConvertibleFormats() { return convertibleFormats_; }
    const TClipboardFormats& ConvertibleFormats() const { return convertibleFormats_; }
    TComponent* Owner() const { return owner_; }

    std::function<void(TObject* Sender)> OnChanging;

    // Fires OnChanging; the data format's lists call it before every change.
    virtual void Changing();
    virtual void Clear() = 0;
    // Takes data from a clipboard format; the base asks the clipboard format's AssignTo.
    virtual bool Assign(TClipboardFormat* ClipboardFormat);
    // Gives data to a clipboard format; the base asks the clipboard format's Assign.
    virtual bool AssignTo(TClipboardFormat* ClipboardFormat);
    // Reads the data object through the compatible formats in order while this format lacks data;
    // true when any was taken.
    virtual bool GetData(win::IDataObject* DataObject);
    virtual bool HoldsData() const = 0;
    virtual bool LacksData() const { return !HoldsData(); }
    // True when any compatible format is offered by the data object / matches the record.
    virtual bool IsAvailableIn(win::IDataObject* DataObject) const;
    virtual bool MatchesFormatRecord(const win::FORMATETC& FormatEtc) const;

protected:
    // Create(AOwner): fails with "<owner class> is not a valid owner for <class>. Owner must be
    // derived from TCustomDropMultiSource or TCustomDropMultiTarget" for an owner that serves
    // neither side; joins the owner's DataFormats.
    TCustomDataFormat(const TDataFormatClass& AClass, TComponent* AOwner);

private:
    friend class TDataFormats;

    const TDataFormatClass* class_;
    TComponent* owner_;
    TDataFormats* ownerList_ = nullptr;
    TClipboardFormats convertibleFormats_{true};
};

// An ordered list of data formats that does not own them; a format is in it at most once.
class TDataFormats {
public:
    TDataFormats() = default;
    TDataFormats(const TDataFormats&) = delete;
    TDataFormats& operator=(const TDataFormats&) = delete;
    // Removes every entry, last first, freeing none.
    virtual ~TDataFormats();

    // The format's index, adding it when it is not in the list yet.
    virtual int Add(TCustomDataFormat* Format);
    void Remove(TCustomDataFormat* Format);
    int Count() const { return int(formats_.size()); }
    TCustomDataFormat* Formats(int Index) const { return formats_.at(std::size_t(Index)); }

private:
    std::vector<TCustomDataFormat*> formats_;
};
