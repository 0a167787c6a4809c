// TDataStreamDataFormat: the contents of dropped virtual files as named streams.
#pragma once

#include "dragdrop/data_format.h"
#include "dragdrop/stream_list.h"

class TDataStreamDataFormat : public TCustomDataFormat {
public:
    static const TDataFormatClass Class;

    explicit TDataStreamDataFormat(TComponent* AOwner);
    ~TDataStreamDataFormat() override;

    // Fires Changing and frees the streams.
    void Clear() override;
    bool HoldsData() const override { return Streams.Count() > 0; }

    // Fires the data format's Changing before every change.
    TStreamList Streams;
};
