// Reading the extensions that precede a frame.
#include "imaging/gif_extension_list.h"

#include "imaging/gif_exception.h"
#include "imaging/gif_frame.h"
#include "imaging/gif_stream_io.h"

TGIFExtensionList::TGIFExtensionList(TGIFSubImage* ASubImage)
    : TGIFList<TGIFExtension>(ASubImage ? ASubImage->Image() : nullptr), subImage_(ASubImage)
{
}

void TGIFExtensionList::LoadFromStream(TStream& Stream)
{
    uint8_t introducer = 0;
    while (TryReadByte(Stream, introducer)) {
        if (introducer == 0x2C || introducer == 0x3B) {
            StepBack(Stream);
            return;
        }
        if (introducer != 0x21) {
            Warning(gsWarning, gifmsg::BadExtensionIntroducer);
            StepBack(Stream);
            return;
        }
        const TGIFExtensionClass cls = ResolveExtensionClass(Stream);
        if (!cls)
            throw GIFException(gifmsg::UnknownExtension);
        StepBack(Stream);
        std::unique_ptr<TGIFExtension> extension = cls->Create(subImage_);
        extension->LoadFromStream(Stream);
        Add(std::move(extension));
    }
}
