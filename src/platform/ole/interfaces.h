// The data-transfer interfaces: IDataObject and IEnumFORMATETC, the drag-and-drop pair
// IDropTarget and IDropSource, IAsyncOperation for transfers on another thread, and the shell's
// drag-image helpers (declared for their callers; no class provides them here, see com_init.h).
//
// Conventions every implementation keeps:
// - No exception leaves a method: each body runs inside ComGuard, so one becomes E_UNEXPECTED.
// - Media: the caller of GetData owns the medium it gets and releases it once (ReleaseStgMedium).
//   SetData with fRelease TRUE takes the medium over only when it returns S_OK; on failure the
//   caller still owns it. Nobody releases a medium that was only lent to it.
#pragma once

#include "platform/ole/unknown.h"

class QWidget;
class QImage;

namespace win {

constexpr IID IID_IDataObject{0x0000010E, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_IEnumFORMATETC{0x00000103, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_IDropSource{0x00000121, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_IDropTarget{0x00000122, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_IAsyncOperation{0x3D8B0590, 0xF691, 0x11D2, {0x8E, 0xA9, 0x00, 0x60, 0x97, 0xDF, 0x5B, 0xD4}};
constexpr IID IID_IDropTargetHelper{0x4657278B, 0x411B, 0x11D2, {0x83, 0x9A, 0x00, 0xC0, 0x4F, 0xD9, 0x18, 0xD0}};
constexpr IID IID_IDragSourceHelper{0xDE5BF786, 0x477A, 0x11D2, {0x83, 0x9D, 0x00, 0xC0, 0x4F, 0xD9, 0x18, 0xD0}};
constexpr CLSID CLSID_DragDropHelper{0x4657278A, 0x411B, 0x11D2, {0x83, 0x9A, 0x00, 0xC0, 0x4F, 0xD9, 0x18, 0xD0}};

struct IEnumFORMATETC;
// Advise sinks are not supported by any data object here (DAdvise answers
// OLE_E_ADVISENOTSUPPORTED); the types exist for the signatures.
struct IAdviseSink;
struct IEnumSTATDATA;
struct IBindCtx;

struct IDataObject : virtual IUnknown {
    virtual HRESULT GetData(const FORMATETC* pformatetcIn, STGMEDIUM* pmedium) = 0;
    virtual HRESULT GetDataHere(const FORMATETC* pformatetc, STGMEDIUM* pmedium) = 0;
    virtual HRESULT QueryGetData(const FORMATETC* pformatetc) = 0;
    virtual HRESULT GetCanonicalFormatEtc(const FORMATETC* pformatectIn, FORMATETC* pformatetcOut) = 0;
    virtual HRESULT SetData(const FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) = 0;
    virtual HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) = 0;
    virtual HRESULT DAdvise(const FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink,
                            DWORD* pdwConnection) = 0;
    virtual HRESULT DUnadvise(DWORD dwConnection) = 0;
    virtual HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) = 0;
};

struct IEnumFORMATETC : virtual IUnknown {
    // Copies up to celt formats; S_FALSE when fewer were left.
    virtual HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) = 0;
    virtual HRESULT Skip(ULONG celt) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumFORMATETC** ppenum) = 0;
};

// The target side of a drag: points are screen coordinates, key state is MK_* flags, and
// *pdwEffect comes in as the effects the source allows and goes out as the one the target takes.
struct IDropTarget : virtual IUnknown {
    virtual HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) = 0;
    virtual HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) = 0;
};

// The source side of a drag: asked at each step whether the drag goes on (S_OK), ends in a drop
// (DRAGDROP_S_DROP) or is cancelled (DRAGDROP_S_CANCEL), and told the effect the target shows.
struct IDropSource : virtual IUnknown {
    virtual HRESULT QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) = 0;
    virtual HRESULT GiveFeedback(DWORD dwEffect) = 0;
};

struct IAsyncOperation : virtual IUnknown {
    virtual HRESULT SetAsyncMode(BOOL fDoOpAsync) = 0;
    virtual HRESULT GetAsyncMode(BOOL* pfIsOpAsync) = 0;
    virtual HRESULT StartOperation(IBindCtx* pbcReserved) = 0;
    virtual HRESULT InOperation(BOOL* pfInAsyncOp) = 0;
    virtual HRESULT EndOperation(HRESULT hResult, IBindCtx* pbcReserved, DWORD dwEffects) = 0;
};

// The shell's drag-image service on the target side; the target window is a widget.
struct IDropTargetHelper : virtual IUnknown {
    virtual HRESULT DragEnter(QWidget* hwndTarget, IDataObject* pDataObject, POINT* ppt, DWORD dwEffect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT DragOver(POINT* ppt, DWORD dwEffect) = 0;
    virtual HRESULT Drop(IDataObject* pDataObject, POINT* ppt, DWORD dwEffect) = 0;
    virtual HRESULT Show(BOOL fShow) = 0;
};

struct SHDRAGIMAGE {
    SIZE sizeDragImage;
    POINT ptOffset;
    const QImage* hbmpDragImage;
    DWORD crColorKey;
};

// The shell's drag-image service on the source side.
struct IDragSourceHelper : virtual IUnknown {
    virtual HRESULT InitializeFromBitmap(SHDRAGIMAGE* pshdi, IDataObject* pDataObject) = 0;
    virtual HRESULT InitializeFromWindow(QWidget* hwnd, POINT* ppt, IDataObject* pDataObject) = 0;
};

} // namespace win
