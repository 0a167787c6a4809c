// Passing an interface to another thread: CoMarshalInterThreadInterfaceInStream puts it into a
// stream on one thread, CoGetInterfaceAndReleaseStream takes it out on the other.
//
// Objects that any thread may call (every plain in-memory object made here or by the program)
// pass as they are, with a reference. Objects bound to the GUI thread (those backed by Qt, which
// answer IID_IGuiThreadBound) pass as a CrossThreadDataObjectProxy, which runs each call on the
// GUI thread: a blocking call from any other thread, a direct one on the GUI thread. Only data
// objects can be bound to the GUI thread.
#pragma once

#include "platform/ole/interfaces.h"
#include "platform/ole/stream.h"

namespace win {

// Answered by objects that only the GUI thread may call; it has no methods of its own.
constexpr IID IID_IGuiThreadBound{0x6B1F3A52, 0x0C7E, 0x4E8B, {0x9A, 0x41, 0x27, 0xD5, 0xC3, 0xE8, 0x0A, 0x11}};

// *ppStm becomes a new stream carrying pUnk's interface riid. E_INVALIDARG for null arguments,
// E_NOINTERFACE when pUnk lacks riid (or is bound to the GUI thread and riid is not
// IID_IDataObject).
HRESULT CoMarshalInterThreadInterfaceInStream(const IID& riid, IUnknown* pUnk, IStream** ppStm);
// *ppv becomes the interface iid of what pStm carries; the stream is released in any case.
// E_INVALIDARG when pStm carries no interface.
HRESULT CoGetInterfaceAndReleaseStream(IStream* pStm, const IID& iid, void** ppv);

// The IDataObject that runs every call of a GUI-thread object on the GUI thread. It releases the
// object on the GUI thread too.
class CrossThreadDataObjectProxy : public ComObject, public IDataObject {
public:
    explicit CrossThreadDataObjectProxy(IDataObject* Target);
    ~CrossThreadDataObjectProxy() override;

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
    IDataObject* target_;
};

} // namespace win
