// The QMimeData over a data object of this process.
#include "platform/ole/ole_mime_data.h"

#include "platform/ole/mime_map.h"
#include "platform/rtl/exception.h"

namespace win {

OleMimeData::OleMimeData(IDataObject* Source, IDropSource* DropSource, TRendering Rendering)
    : source_(Source), dropSource_(DropSource)
{
    if (Rendering == RenderNow)
        Render();
}

OleMimeData::~OleMimeData() = default;

void OleMimeData::Render() const
{
    if (rendered_)
        return;
    rendered_ = true;
    // Rendering fills the entries QMimeData keeps: the object's content, not its visible state.
    // Qt asks for the data from its event handlers, which no exception may leave.
    AtBoundary([this] { RenderDataObject(source_.Get(), *const_cast<OleMimeData*>(this)); });
}

void OleMimeData::ReleaseSource()
{
    Render();
    source_.Reset();
    dropSource_.Reset();
}

QStringList OleMimeData::formats() const
{
    Render();
    return QMimeData::formats();
}

bool OleMimeData::hasFormat(const QString& MimeType) const
{
    return formats().contains(MimeType);
}

QVariant OleMimeData::retrieveData(const QString& MimeType, QMetaType Type) const
{
    Render();
    return QMimeData::retrieveData(MimeType, Type);
}

} // namespace win
