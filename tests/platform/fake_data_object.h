// FakeDataObject: a data object of byte blocks for tests, which counts what is asked of it and
// every medium it hands out and gets back, so tests can check that each is released exactly once.
#pragma once

#include "platform/ole/format_enumerator.h"
#include "platform/ole/hglobal.h"
#include "platform/ole/medium.h"

#include <QByteArray>
#include <QThread>
#include <map>
#include <vector>

// Counts the releases of the media it makes; their blocks are freed when the counter goes.
class ReleaseCounter : public win::IUnknown {
public:
    win::HRESULT QueryInterface(const win::IID&, void** ppv) override
    {
        *ppv = nullptr;
        return win::E_NOINTERFACE;
    }
    win::ULONG AddRef() override { return 1; }
    win::ULONG Release() override
    {
        ++Releases;
        return 1;
    }

    // A medium holding Bytes whose release this counter counts.
    win::STGMEDIUM Medium(const QByteArray& Bytes)
    {
        win::STGMEDIUM medium;
        medium.tymed = win::TYMED_HGLOBAL;
        medium.hGlobal = win::GlobalFromBytes(Bytes);
        medium.pUnkForRelease = this;
        blocks_.push_back(medium.hGlobal);
        ++MediaMade;
        return medium;
    }

    ~ReleaseCounter()
    {
        for (win::HGLOBAL block : blocks_)
            win::GlobalFree(block);
    }

    int MediaMade = 0;
    int Releases = 0;

private:
    std::vector<win::HGLOBAL> blocks_;
};

class FakeDataObject : public win::ComObject, public win::IDataObject {
public:
    // Offers Bytes in Format for HGLOBAL media.
    void Offer(win::CLIPFORMAT Format, const QByteArray& Bytes) { offered_.push_back({Format, Bytes}); }

    win::HRESULT QueryInterface(const win::IID& riid, void** ppv) override
    {
        return win::FindInterface(this, riid, ppv,
                                  {{win::IID_IUnknown, static_cast<win::IUnknown*>(this)},
                                   {win::IID_IDataObject, static_cast<win::IDataObject*>(this)}});
    }

    win::HRESULT GetData(const win::FORMATETC* format, win::STGMEDIUM* medium) override
    {
        CallThreads.push_back(QThread::currentThread());
        ++GetDataCalls[format->cfFormat];
        const QByteArray* bytes = Find(*format);
        if (!bytes)
            return win::DV_E_FORMATETC;
        *medium = Counter.Medium(*bytes);
        return win::S_OK;
    }
    win::HRESULT GetDataHere(const win::FORMATETC*, win::STGMEDIUM*) override { return win::E_NOTIMPL; }
    win::HRESULT QueryGetData(const win::FORMATETC* format) override
    {
        ++QueryCalls[format->cfFormat];
        return Find(*format) ? win::S_OK : win::DV_E_FORMATETC;
    }
    win::HRESULT GetCanonicalFormatEtc(const win::FORMATETC*, win::FORMATETC*) override { return win::E_NOTIMPL; }
    // Accepts when AcceptSetData is set, keeping the medium's bytes and releasing the medium
    // itself when fRelease is TRUE; otherwise fails and leaves the medium alone.
    win::HRESULT SetData(const win::FORMATETC* format, win::STGMEDIUM* medium, win::BOOL release) override
    {
        if (!AcceptSetData)
            return win::E_FAIL;
        Received[format->cfFormat] = win::BytesOfMedium(*medium).value_or(QByteArray());
        if (release)
            win::ReleaseStgMedium(medium);
        return win::S_OK;
    }
    win::HRESULT EnumFormatEtc(win::DWORD direction, win::IEnumFORMATETC** formats) override
    {
        if (direction != win::DATADIR_GET)
            return win::E_NOTIMPL;
        std::vector<win::FORMATETC> list;
        for (const auto& [format, bytes] : offered_)
            list.push_back({format, nullptr, win::DVASPECT_CONTENT, -1, win::TYMED_HGLOBAL});
        *formats = new win::FormatEtcEnumerator(list);
        return win::S_OK;
    }
    win::HRESULT DAdvise(const win::FORMATETC*, win::DWORD, win::IAdviseSink*, win::DWORD*) override
    {
        return win::OLE_E_ADVISENOTSUPPORTED;
    }
    win::HRESULT DUnadvise(win::DWORD) override { return win::OLE_E_ADVISENOTSUPPORTED; }
    win::HRESULT EnumDAdvise(win::IEnumSTATDATA**) override { return win::OLE_E_ADVISENOTSUPPORTED; }

    ReleaseCounter Counter;
    std::map<win::CLIPFORMAT, int> GetDataCalls;
    std::map<win::CLIPFORMAT, int> QueryCalls;
    std::vector<QThread*> CallThreads;
    bool AcceptSetData = true;
    std::map<win::CLIPFORMAT, QByteArray> Received;

private:
    const QByteArray* Find(const win::FORMATETC& format) const
    {
        if (!(format.tymed & win::TYMED_HGLOBAL) || format.dwAspect != win::DVASPECT_CONTENT)
            return nullptr;
        for (const auto& [offered, bytes] : offered_)
            if (offered == format.cfFormat)
                return &bytes;
        return nullptr;
    }

    std::vector<std::pair<win::CLIPFORMAT, QByteArray>> offered_;
};
