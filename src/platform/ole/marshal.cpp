// Interfaces passed between threads, and the proxy of GUI-thread data objects.
#include "platform/ole/marshal.h"

#include "platform/threads/thread.h"

#include <QCoreApplication>
#include <QThread>

namespace win {

namespace {

constexpr IID IID_IMarshalledInterface{0x6B1F3A52, 0x0C7E, 0x4E8B, {0x9A, 0x41, 0x27, 0xD5, 0xC3, 0xE8, 0x0A, 0x12}};

// The stream that carries a marshalled interface.
class MarshalStream : public MemoryStream {
public:
    explicit MarshalStream(ComPtr<IUnknown> Carried) : carried_(std::move(Carried)) {}

    HRESULT QueryInterface(const IID& riid, void** ppv) override
    {
        if (riid == IID_IMarshalledInterface)
            return FindInterface(this, riid, ppv, {{IID_IMarshalledInterface, this}});
        return MemoryStream::QueryInterface(riid, ppv);
    }

    IUnknown* Carried() const { return carried_.Get(); }

private:
    ComPtr<IUnknown> carried_;
};

bool OnGuiThread()
{
    return !QCoreApplication::instance() || QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Runs a call of the target on the GUI thread and gives its result.
template <class Call>
HRESULT OnGui(Call&& call)
{
    return ComGuard([&] {
        HRESULT result = E_UNEXPECTED;
        TThread::Synchronize([&] { result = ComGuard(call); });
        return result;
    });
}

} // namespace

HRESULT CoMarshalInterThreadInterfaceInStream(const IID& riid, IUnknown* pUnk, IStream** ppStm)
{
    return ComGuard([&] {
        if (!pUnk || !ppStm)
            return E_INVALIDARG;
        *ppStm = nullptr;
        void* itf = nullptr;
        if (const HRESULT hr = pUnk->QueryInterface(riid, &itf); FAILED(hr))
            return hr;
        // The object has the interface; the stream keeps a reference of its own below.
        pUnk->Release();
        ComPtr<IUnknown> carried(pUnk);
        if (const ComPtr<IUnknown> bound = carried.Query<IUnknown>(IID_IGuiThreadBound)) {
            if (riid != IID_IDataObject)
                return E_NOINTERFACE;
            const ComPtr<IDataObject> data = carried.Query<IDataObject>(IID_IDataObject);
            carried = MakeComObject<CrossThreadDataObjectProxy>(data.Get());
        }
        *ppStm = new MarshalStream(carried);
        return S_OK;
    });
}

HRESULT CoGetInterfaceAndReleaseStream(IStream* pStm, const IID& iid, void** ppv)
{
    if (!pStm || !ppv)
        return E_INVALIDARG;
    *ppv = nullptr;
    const auto stream = ComPtr<IStream>::Adopt(pStm);
    void* carrier = nullptr;
    if (FAILED(pStm->QueryInterface(IID_IMarshalledInterface, &carrier)))
        return E_INVALIDARG;
    const auto marshal = ComPtr<MarshalStream>::Adopt(static_cast<MarshalStream*>(carrier));
    return ComGuard([&] { return marshal->Carried()->QueryInterface(iid, ppv); });
}

CrossThreadDataObjectProxy::CrossThreadDataObjectProxy(IDataObject* Target) : target_(Target)
{
    target_->AddRef();
}

CrossThreadDataObjectProxy::~CrossThreadDataObjectProxy()
{
    IDataObject* target = target_;
    if (OnGuiThread())
        target->Release();
    else
        QMetaObject::invokeMethod(QCoreApplication::instance(), [target] { target->Release(); }, Qt::QueuedConnection);
}

HRESULT CrossThreadDataObjectProxy::QueryInterface(const IID& riid, void** ppv)
{
    return FindInterface(this, riid, ppv,
                         {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IDataObject, static_cast<IDataObject*>(this)}});
}

HRESULT CrossThreadDataObjectProxy::GetData(const FORMATETC* pformatetcIn, STGMEDIUM* pmedium)
{
    return OnGui([&] { return target_->GetData(pformatetcIn, pmedium); });
}

HRESULT CrossThreadDataObjectProxy::GetDataHere(const FORMATETC* pformatetc, STGMEDIUM* pmedium)
{
    return OnGui([&] { return target_->GetDataHere(pformatetc, pmedium); });
}

HRESULT CrossThreadDataObjectProxy::QueryGetData(const FORMATETC* pformatetc)
{
    return OnGui([&] { return target_->QueryGetData(pformatetc); });
}

HRESULT CrossThreadDataObjectProxy::GetCanonicalFormatEtc(const FORMATETC* pformatectIn, FORMATETC* pformatetcOut)
{
    return OnGui([&] { return target_->GetCanonicalFormatEtc(pformatectIn, pformatetcOut); });
}

HRESULT CrossThreadDataObjectProxy::SetData(const FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease)
{
    return OnGui([&] { return target_->SetData(pformatetc, pmedium, fRelease); });
}

HRESULT CrossThreadDataObjectProxy::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc)
{
    return OnGui([&] { return target_->EnumFormatEtc(dwDirection, ppenumFormatEtc); });
}

HRESULT CrossThreadDataObjectProxy::DAdvise(const FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT CrossThreadDataObjectProxy::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT CrossThreadDataObjectProxy::EnumDAdvise(IEnumSTATDATA** ppenumAdvise)
{
    if (ppenumAdvise)
        *ppenumAdvise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

} // namespace win
