// TFileContentsStreamClipboardFormat: "FileContents" read as one stream per virtual file, named
// by the file group descriptor when the data object offers one.
#pragma once

#include "dragdrop/clipboard_format.h"
#include "dragdrop/stream_list.h"

class TFileContentsStreamClipboardFormat : public TClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    TFileContentsStreamClipboardFormat();

    win::CLIPFORMAT GetClipboardFormat() const override;
    // Asks for the contents of each file the "FileGroupDescriptor" lists (lindex 0, 1, ...) as a
    // stream, or for one unnamed stream (lindex -1) when there is no descriptor; stops at the
    // first request that fails. A medium that is not a stream, a stream that cannot be read and
    // one that claims more than 1 GiB are passed over. Only the bytes a stream gives are kept.
    bool GetData(win::IDataObject* DataObject) override;
    // Moves the streams into a TDataStreamDataFormat.
    bool AssignTo(TCustomDataFormat* DataFormat) override;
    void Clear() override { Streams.Clear(); }
    bool HoldsData() const override { return Streams.Count() > 0; }

    TStreamList Streams;
};
