// The OLE data-transfer types with Windows' values: result codes, clipboard format ids, media,
// aspects, key-state and drop-effect flags, FORMATETC and STGMEDIUM, and the byte layouts of the
// blocks that travel between programs (DROPFILES, the CIDA header, file descriptors, GUID).
//
// The block layouts are the little-endian Windows layouts, checked below; a block read from
// outside is never cast to these structs without its size being checked first (see
// drop_files.h and cida.h for the walkers that do that).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace win {

static_assert(std::endian::native == std::endian::little, "the block layouts are little-endian");

using HRESULT = std::int32_t;
using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using BOOL = std::int32_t;
using CLIPFORMAT = std::uint16_t;
using LARGE_INTEGER = std::int64_t;
using ULARGE_INTEGER = std::uint64_t;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
constexpr HRESULT E_NOINTERFACE = HRESULT(0x80004002u);
constexpr HRESULT E_POINTER = HRESULT(0x80004003u);
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_UNEXPECTED = HRESULT(0x8000FFFFu);
constexpr HRESULT E_OUTOFMEMORY = HRESULT(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = HRESULT(0x80040003u);
constexpr HRESULT DV_E_FORMATETC = HRESULT(0x80040064u);
constexpr HRESULT DV_E_DVTARGETDEVICE = HRESULT(0x80040065u);
constexpr HRESULT DV_E_STGMEDIUM = HRESULT(0x80040066u);
constexpr HRESULT DV_E_LINDEX = HRESULT(0x80040068u);
constexpr HRESULT DV_E_TYMED = HRESULT(0x80040069u);
constexpr HRESULT DV_E_CLIPFORMAT = HRESULT(0x8004006Au);
constexpr HRESULT DV_E_DVASPECT = HRESULT(0x8004006Bu);
constexpr HRESULT DATA_S_SAMEFORMATETC = HRESULT(0x00040130u);
constexpr HRESULT DRAGDROP_S_DROP = HRESULT(0x00040100u);
constexpr HRESULT DRAGDROP_S_CANCEL = HRESULT(0x00040101u);
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = HRESULT(0x00040102u);
constexpr HRESULT DRAGDROP_E_NOTREGISTERED = HRESULT(0x80040100u);
constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = HRESULT(0x80040101u);
constexpr HRESULT DRAGDROP_E_INVALIDHWND = HRESULT(0x80040102u);
constexpr HRESULT CLIPBRD_E_CANT_OPEN = HRESULT(0x800401D0u);
constexpr HRESULT STG_E_INVALIDFUNCTION = HRESULT(0x80030001u);
constexpr HRESULT STG_E_MEDIUMFULL = HRESULT(0x80030070u);
constexpr HRESULT REGDB_E_CLASSNOTREG = HRESULT(0x80040154u);

// Standard clipboard formats; registered formats are numbered from 0xC000.
constexpr CLIPFORMAT CF_TEXT = 1;
constexpr CLIPFORMAT CF_UNICODETEXT = 13;
constexpr CLIPFORMAT CF_HDROP = 15;

// Storage media (TYMED), a set of bits.
constexpr DWORD TYMED_NULL = 0;
constexpr DWORD TYMED_HGLOBAL = 1;
constexpr DWORD TYMED_FILE = 2;
constexpr DWORD TYMED_ISTREAM = 4;
constexpr DWORD TYMED_ISTORAGE = 8;

constexpr DWORD DVASPECT_CONTENT = 1;
constexpr DWORD DVASPECT_THUMBNAIL = 2;
constexpr DWORD DVASPECT_ICON = 4;
constexpr DWORD DVASPECT_DOCPRINT = 8;

constexpr DWORD DATADIR_GET = 1;
constexpr DWORD DATADIR_SET = 2;

// Key state of a drag: mouse buttons and modifier keys.
constexpr DWORD MK_LBUTTON = 0x01;
constexpr DWORD MK_RBUTTON = 0x02;
constexpr DWORD MK_SHIFT = 0x04;
constexpr DWORD MK_CONTROL = 0x08;
constexpr DWORD MK_MBUTTON = 0x10;
constexpr DWORD MK_ALT = 0x20;

constexpr DWORD DROPEFFECT_NONE = 0;
constexpr DWORD DROPEFFECT_COPY = 1;
constexpr DWORD DROPEFFECT_MOVE = 2;
constexpr DWORD DROPEFFECT_LINK = 4;
constexpr DWORD DROPEFFECT_SCROLL = 0x80000000u;

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];

    friend bool operator==(const GUID&, const GUID&) = default;
};
static_assert(sizeof(GUID) == 16);
using IID = GUID;
using CLSID = GUID;

constexpr GUID GUID_NULL{0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

struct POINT {
    LONG x;
    LONG y;
};
using POINTL = POINT;
struct SIZE {
    LONG cx;
    LONG cy;
};
using SIZEL = SIZE;
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

// A printer description; always null here.
struct DVTARGETDEVICE;

struct FORMATETC {
    CLIPFORMAT cfFormat = 0;
    DVTARGETDEVICE* ptd = nullptr;
    DWORD dwAspect = DVASPECT_CONTENT;
    LONG lindex = -1;
    DWORD tymed = TYMED_NULL;
};

struct HGLOBAL__;
using HGLOBAL = HGLOBAL__*;
struct IUnknown;
struct IStream;
struct IStorage;

// A storage medium. Whoever receives one from IDataObject::GetData releases it once with
// ReleaseStgMedium; pUnkForRelease, when set, owns what the medium points at.
struct STGMEDIUM {
    DWORD tymed = TYMED_NULL;
    union {
        HGLOBAL hGlobal;
        IStream* pstm;
        IStorage* pstg;
    };
    IUnknown* pUnkForRelease = nullptr;

    STGMEDIUM() : hGlobal(nullptr) {}
};

// The header of a CF_HDROP block; the name list starts pFiles bytes from the block's start.
struct DROPFILES {
    DWORD pFiles;
    POINT pt;
    BOOL fNC;
    BOOL fWide;
};
static_assert(sizeof(DROPFILES) == 20);
static_assert(offsetof(DROPFILES, pFiles) == 0 && offsetof(DROPFILES, pt) == 4 &&
              offsetof(DROPFILES, fNC) == 12 && offsetof(DROPFILES, fWide) == 16);

// The header of a "Shell IDList Array" block: the item count, then cidl + 1 offsets (the parent
// folder's list first) from the block's start.
struct CIDA {
    UINT cidl;
    UINT aoffset[1];
};
static_assert(sizeof(CIDA) == 8 && offsetof(CIDA, aoffset) == 4);

constexpr int MAX_PATH = 260;

struct FILEDESCRIPTORA {
    DWORD dwFlags;
    CLSID clsid;
    SIZEL sizel;
    POINTL pointl;
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    char cFileName[MAX_PATH];
};
static_assert(sizeof(FILEDESCRIPTORA) == 332 && offsetof(FILEDESCRIPTORA, cFileName) == 72);
static_assert(offsetof(FILEDESCRIPTORA, clsid) == 4 && offsetof(FILEDESCRIPTORA, sizel) == 20 &&
              offsetof(FILEDESCRIPTORA, pointl) == 28 && offsetof(FILEDESCRIPTORA, dwFileAttributes) == 36 &&
              offsetof(FILEDESCRIPTORA, ftCreationTime) == 40 && offsetof(FILEDESCRIPTORA, nFileSizeHigh) == 64);

struct FILEDESCRIPTORW {
    DWORD dwFlags;
    CLSID clsid;
    SIZEL sizel;
    POINTL pointl;
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    char16_t cFileName[MAX_PATH];
};
static_assert(sizeof(FILEDESCRIPTORW) == 592 && offsetof(FILEDESCRIPTORW, cFileName) == 72);

struct FILEGROUPDESCRIPTORA {
    UINT cItems;
    FILEDESCRIPTORA fgd[1];
};
static_assert(sizeof(FILEGROUPDESCRIPTORA) == 4 + 332 && offsetof(FILEGROUPDESCRIPTORA, fgd) == 4);

struct FILEGROUPDESCRIPTORW {
    UINT cItems;
    FILEDESCRIPTORW fgd[1];
};
static_assert(sizeof(FILEGROUPDESCRIPTORW) == 4 + 592 && offsetof(FILEGROUPDESCRIPTORW, fgd) == 4);

} // namespace win
