// TPTShellDataObject: the data object of a drag from the shell list or the shell tree: the items'
// "Shell IDList Array" and CF_HDROP blocks, offered in that order as global memory.
#pragma once

#include "shell/format_etc_list.h"
#include "shell/pt_unknown.h"

#include "platform/ole/interfaces.h"
#include "platform/shellapi/item_id_list.h"

#include <QStringList>
#include <vector>

// The blocks are made when the object is made and freed with it; GetData hands out copies.
class TPTShellDataObject : public TPTUnknown, public win::IDataObject {
public:
    win::HRESULT QueryInterface(const win::IID& riid, void** ppv) override;
    // A copy of the block of the format asked for, as global memory with no release object.
    win::HRESULT GetData(const win::FORMATETC* pformatetcIn, win::STGMEDIUM* pmedium) override;
    win::HRESULT GetDataHere(const win::FORMATETC* pformatetc, win::STGMEDIUM* pmedium) override;
    win::HRESULT QueryGetData(const win::FORMATETC* pformatetc) override;
    win::HRESULT GetCanonicalFormatEtc(const win::FORMATETC* pformatectIn, win::FORMATETC* pformatetcOut) override;
    win::HRESULT SetData(const win::FORMATETC* pformatetc, win::STGMEDIUM* pmedium, win::BOOL fRelease) override;
    win::HRESULT EnumFormatEtc(win::DWORD dwDirection, win::IEnumFORMATETC** ppenumFormatEtc) override;
    win::HRESULT DAdvise(const win::FORMATETC* pformatetc, win::DWORD advf, win::IAdviseSink* pAdvSink,
                         win::DWORD* pdwConnection) override;
    win::HRESULT DUnadvise(win::DWORD dwConnection) override;
    win::HRESULT EnumDAdvise(win::IEnumSTATDATA** ppenumAdvise) override;

    const TPTFormatEtcList& Formats() const { return formats_; }

protected:
    TPTShellDataObject();
    ~TPTShellDataObject() override;
    // Makes the blocks of Items (relative to the folder Parent) whose parsing names are Names;
    // false when memory ran out.
    bool Render(win::LPCITEMIDLIST Parent, const std::vector<win::LPCITEMIDLIST>& Items, const QStringList& Names);

private:
    TPTFormatEtcList formats_;
    win::HGLOBAL idListBlock_ = nullptr;
    win::HGLOBAL hdropBlock_ = nullptr;
};
