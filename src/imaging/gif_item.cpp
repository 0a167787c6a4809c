// The GIF item base: warnings to the owning image and file reading and writing.
#include "imaging/gif_item.h"

#include "imaging/gif_image.h"

void GIFWarning(TGIFImage* Image, TObject* Sender, TGIFSeverity Severity, const QString& Message)
{
    if (Image)
        Image->Warning(Sender, Severity, Message);
}

void TGIFItem::SaveToFile(const QString& FileName)
{
    TFileStream stream(FileName, fmCreate);
    SaveToStream(stream);
    stream.FlushBuffer();
}

void TGIFItem::LoadFromFile(const QString& FileName)
{
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}
