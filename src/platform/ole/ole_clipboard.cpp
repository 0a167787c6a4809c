// The OLE clipboard calls over QClipboard.
#include "platform/ole/ole_clipboard.h"

#include "platform/ole/mime_data_object.h"
#include "platform/ole/ole_mime_data.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QThread>

namespace win {

namespace {

// The clipboard when the calling thread may use it.
QClipboard* UsableClipboard()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ||
        QThread::currentThread() != QCoreApplication::instance()->thread())
        return nullptr;
    return QGuiApplication::clipboard();
}

// What this process put on the clipboard; null once the clipboard has let it go.
QPointer<OleMimeData>& Ours()
{
    static QPointer<OleMimeData> ours;
    return ours;
}

// Ours, while the clipboard still holds it.
OleMimeData* Current(QClipboard* Clipboard)
{
    OleMimeData* ours = Ours().data();
    return ours && Clipboard->mimeData() == ours ? ours : nullptr;
}

std::unique_ptr<QMimeData> Copy(const QMimeData* Data)
{
    auto copy = std::make_unique<QMimeData>();
    if (Data)
        for (const QString& type : Data->formats())
            copy->setData(type, Data->data(type));
    return copy;
}

} // namespace

HRESULT OleSetClipboard(IDataObject* pDataObj)
{
    return ComGuard([&] {
        QClipboard* clipboard = UsableClipboard();
        if (!clipboard)
            return CLIPBRD_E_CANT_OPEN;
        if (!pDataObj) {
            clipboard->clear();
            return S_OK;
        }
        auto* data = new OleMimeData(pDataObj, nullptr, OleMimeData::RenderOnFirstUse);
        Ours() = data;
        clipboard->setMimeData(data);
        return S_OK;
    });
}

HRESULT OleGetClipboard(IDataObject** ppDataObj)
{
    return ComGuard([&] {
        if (!ppDataObj)
            return E_INVALIDARG;
        *ppDataObj = nullptr;
        QClipboard* clipboard = UsableClipboard();
        if (!clipboard)
            return CLIPBRD_E_CANT_OPEN;
        if (OleMimeData* ours = Current(clipboard)) {
            *ppDataObj = ours->Source();
            (*ppDataObj)->AddRef();
        } else {
            *ppDataObj = new QtDataObject(Copy(clipboard->mimeData()));
        }
        return S_OK;
    });
}

HRESULT OleFlushClipboard()
{
    return ComGuard([&] {
        QClipboard* clipboard = UsableClipboard();
        if (!clipboard)
            return CLIPBRD_E_CANT_OPEN;
        if (OleMimeData* ours = Current(clipboard))
            clipboard->setMimeData(Copy(ours).release());
        return S_OK;
    });
}

HRESULT OleIsCurrentClipboard(IDataObject* pDataObj)
{
    return ComGuard([&] {
        QClipboard* clipboard = UsableClipboard();
        if (!clipboard || !pDataObj)
            return S_FALSE;
        const OleMimeData* ours = Current(clipboard);
        return ours && ours->Source() == pDataObj ? S_OK : S_FALSE;
    });
}

} // namespace win
