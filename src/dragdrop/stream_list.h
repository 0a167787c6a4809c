// TStreamList, a list of named streams that owns its streams.
#pragma once

#include "platform/rtl/streams.h"
#include "platform/rtl/string_list.h"

class TStreamList : public TObject {
public:
    ~TStreamList() override;

    // Takes Stream over under Name; returns its index.
    int AppendNamedStream(TStream* Stream, const QString& Name);
    int Count() const { return list_.Count(); }
    QString Names(int Index) const { return list_.Strings(Index); }
    TStream* Streams(int Index) const { return static_cast<TStream*>(list_.Objects(Index)); }
    // Takes over Other's streams in place of its own (freed); Other is left empty, freeing none.
    void Assign(TStreamList& Other);
    // Frees every stream.
    void Clear();

    // Fired before every change.
    TNotifyEvent OnChanging;

private:
    void Changing();

    TStringList list_;
};
