// OleMimeData: the QMimeData that carries a data object of this process into Qt's drag and drop
// and clipboard, rendered into MIME entries by the map (mime_map.h).
//
// A drag renders at once (everything a drag offers is rendered before it starts: the receiving
// program may read it after the drag has ended, when the source's objects are gone). The
// clipboard renders on first use, as delayed rendering does. The data object itself, and the
// drop source of a drag, stay reachable for drop targets in this process, which take the
// source's own objects rather than the rendered copy. The object holds a reference to both
// until it is deleted or ReleaseSource is called.
#pragma once

#include "platform/ole/interfaces.h"

#include <QMimeData>

namespace win {

class OleMimeData : public QMimeData {
    Q_OBJECT

public:
    enum TRendering { RenderNow, RenderOnFirstUse };

    OleMimeData(IDataObject* Source, IDropSource* DropSource, TRendering Rendering);
    ~OleMimeData() override;

    IDataObject* Source() const { return source_.Get(); }
    IDropSource* DropSource() const { return dropSource_.Get(); }

    // Renders every format of the source that is not yet rendered.
    void Render() const;
    // Renders what is left and lets go of the data object and the drop source: what is read
    // later is the rendered copy.
    void ReleaseSource();

    QStringList formats() const override;
    bool hasFormat(const QString& MimeType) const override;

protected:
    QVariant retrieveData(const QString& MimeType, QMetaType Type) const override;

private:
    ComPtr<IDataObject> source_;
    ComPtr<IDropSource> dropSource_;
    mutable bool rendered_ = false;
};

} // namespace win
