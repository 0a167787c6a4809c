// TGIFExtensionList: the extensions that precede a frame, in file order.
#pragma once

#include "imaging/gif_extension.h"
#include "imaging/gif_item.h"

class TGIFExtensionList final : public TGIFList<TGIFExtension> {
public:
    explicit TGIFExtensionList(TGIFSubImage* ASubImage);

    TGIFSubImage* SubImage() const { return subImage_; }

    // Reads extensions until an image descriptor, the trailer or the end of the stream; any other
    // block start gives the warning "Invalid extension introducer" and ends the list, and an
    // unregistered label fails with "Unknown extension type". The stream is left at the byte that
    // ended the list.
    void LoadFromStream(TStream& Stream) override;

private:
    TGIFSubImage* subImage_;
};
