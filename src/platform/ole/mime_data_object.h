// QtDataObject: the IDataObject over a QMimeData from Qt (a drag entering from another program,
// or a snapshot of the clipboard), reading it through the MIME map (mime_map.h).
//
// It offers each format for HGLOBAL and IStream media and hands out new media that the caller
// releases. Formats set on it with SetData (a drop target's feedback, such as "Performed
// DropEffect") are kept aside and offered back; they never reach the QMimeData. The object lives
// on the GUI thread: it answers IID_IGuiThreadBound, so passing it to another thread gives a proxy
// (marshal.h). A drag's QMimeData is watched, not owned: once Qt deletes it, every call answers
// E_UNEXPECTED.
#pragma once

#include "platform/ole/interfaces.h"

#include <QPointer>
#include <memory>
#include <vector>

class QMimeData;

namespace win {

class QtDataObject : public ComObject, public IDataObject {
public:
    // Watches the data of a drag.
    explicit QtDataObject(const QMimeData* Data);
    // Owns a snapshot.
    explicit QtDataObject(std::unique_ptr<QMimeData> Data);
    ~QtDataObject() override;

    HRESULT QueryInterface(const IID& riid, void** ppv) override;
    HRESULT GetData(const FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override;
    HRESULT GetDataHere(const FORMATETC* pformatetc, STGMEDIUM* pmedium) override;
    HRESULT QueryGetData(const FORMATETC* pformatetc) override;
    HRESULT GetCanonicalFormatEtc(const FORMATETC* pformatectIn, FORMATETC* pformatetcOut) override;
    HRESULT SetData(const FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override;
    HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override;
    HRESULT DAdvise(const FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    HRESULT DUnadvise(DWORD dwConnection) override;
    HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) override;

private:
    struct TKeptFormat {
        FORMATETC Format;
        STGMEDIUM Medium;
    };

    const QMimeData* Data() const;
    // S_OK when the request's aspect, device and media fit this object's formats.
    static HRESULT CheckRequest(const FORMATETC& Format);
    TKeptFormat* Kept(CLIPFORMAT Format);

    QPointer<const QMimeData> watched_;
    std::unique_ptr<QMimeData> owned_;
    std::vector<TKeptFormat> kept_;
};

} // namespace win
