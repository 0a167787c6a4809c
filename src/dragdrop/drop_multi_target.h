// TCustomDropMultiTarget: a drop target with a list of data formats, which it fills from the
// dropped data object with the formats the application accepts.
#pragma once

#include "dragdrop/drop_target.h"

class TCustomDataFormat;

using TDataFormatOfferedEvent = std::function<void(TObject* Sender, TCustomDataFormat* DataFormat, bool& Accept)>;

class TCustomDropMultiTarget : public TCustomDropTarget {
public:
    // Drag types copy and link.
    explicit TCustomDropMultiTarget(TComponent* AOwner);
    // Waits for a background transfer, then frees every data format, last first.
    ~TCustomDropMultiTarget() override;

    TConversionScopes DataFormatScope() const override { return csTarget; }

    TDataFormatOfferedEvent OnFormatOffered;

protected:
    virtual void NotifyFormatOffered(TCustomDataFormat* DataFormat, bool& Accept);
    // True when an offered format matches a data format that is available and accepted.
    bool IsAvailableIn(win::IDataObject* DataObject) override;
    // Fills every available, accepted data format; true when any took data. A format that may
    // read shell item lists the object offers is filled on the GUI thread, the only one that may
    // use the shell namespace.
    bool FillDataFormats(win::IDataObject* DataObject) override;
    // Clears every data format; raises while a background transfer fills them.
    void ClearData() override;
};
