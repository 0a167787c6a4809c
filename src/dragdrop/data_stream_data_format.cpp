// The stream data format.
#include "dragdrop/data_stream_data_format.h"

const TDataFormatClass TDataStreamDataFormat::Class{
    "TDataStreamDataFormat", &TCustomDataFormat::Class,
    [](TComponent* AOwner) -> TCustomDataFormat* { return new TDataStreamDataFormat(AOwner); }};

TDataStreamDataFormat::TDataStreamDataFormat(TComponent* AOwner) : TCustomDataFormat(Class, AOwner)
{
    Streams.OnChanging = [this](TObject*) { Changing(); };
}

TDataStreamDataFormat::~TDataStreamDataFormat()
{
    Clear();
}

void TDataStreamDataFormat::Clear()
{
    Changing();
    Streams.Clear();
}
