// The list of named streams.
#include "dragdrop/stream_list.h"

#include "platform/rtl/events.h"

TStreamList::~TStreamList()
{
    OnChanging = nullptr;
    Clear();
}

void TStreamList::Changing()
{
    Fire(OnChanging, this);
}

int TStreamList::AppendNamedStream(TStream* Stream, const QString& Name)
{
    Changing();
    return list_.AddObject(Name, Stream);
}

void TStreamList::Assign(TStreamList& Other)
{
    if (&Other == this)
        return;
    Clear();
    Changing();
    for (int i = 0; i < Other.Count(); ++i)
        list_.AddObject(Other.Names(i), Other.Streams(i));
    Other.Changing();
    Other.list_.Clear();
}

void TStreamList::Clear()
{
    if (Count() == 0)
        return;
    Changing();
    for (int i = 0; i < Count(); ++i)
        delete Streams(i);
    list_.Clear();
}
