// TSynMemoDataObject, the data object of a drag that starts in the editor: it offers the
// selection as CF_TEXT (the code page's bytes, CR LF line ends, a closing NUL) and nothing else;
// and TSynMemoDragSource, the drop source of that drag.
#pragma once

#include "platform/ole/data_object_without_advise.h"

#include <QPointer>

class TCustomSyntaxMemo;

class TSynMemoDataObject : public win::ComObject, public win::DataObjectWithoutAdvise {
public:
    explicit TSynMemoDataObject(TCustomSyntaxMemo* Memo);

    win::HRESULT QueryInterface(const win::IID& riid, void** ppv) override;
    // CF_TEXT, content aspect, HGLOBAL only (else DV_E_FORMATETC): a new block of the selection.
    win::HRESULT GetData(const win::FORMATETC* pformatetcIn, win::STGMEDIUM* pmedium) override;
    // Writes the selection into the caller's HGLOBAL block: DV_E_FORMATETC for another format,
    // DV_E_DVASPECT for an aspect other than content or icon, DV_E_LINDEX for an index other
    // than -1, DV_E_TYMED without HGLOBAL, E_INVALIDARG without a block, STG_E_MEDIUMFULL when
    // the text and its NUL do not fit.
    win::HRESULT GetDataHere(const win::FORMATETC* pformatetc, win::STGMEDIUM* pmedium) override;
    win::HRESULT QueryGetData(const win::FORMATETC* pformatetc) override;
    // E_NOTIMPL, with the out record or pointer cleared.
    win::HRESULT GetCanonicalFormatEtc(const win::FORMATETC* pformatectIn, win::FORMATETC* pformatetcOut) override;
    win::HRESULT SetData(const win::FORMATETC* pformatetc, win::STGMEDIUM* pmedium, win::BOOL fRelease) override;
    win::HRESULT EnumFormatEtc(win::DWORD dwDirection, win::IEnumFORMATETC** ppenumFormatEtc) override;

private:
    QPointer<TCustomSyntaxMemo> memo_;
};

// Escape cancels the drag, the left button's release drops; the cursors are the default ones.
class TSynMemoDragSource : public win::ComObject, public win::IDropSource {
public:
    win::HRESULT QueryInterface(const win::IID& riid, void** ppv) override;
    win::HRESULT QueryContinueDrag(win::BOOL fEscapePressed, win::DWORD grfKeyState) override;
    win::HRESULT GiveFeedback(win::DWORD dwEffect) override;
};
