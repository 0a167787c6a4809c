// Storage media: releasing and copying them (ReleaseStgMedium, CopyStgMedium), and the bytes they
// carry in both directions for the two media this layer moves data in, HGLOBAL and IStream.
#pragma once

#include "platform/ole/types.h"

#include <QByteArray>
#include <optional>

namespace win {

// The most bytes this layer reads from one stream medium.
constexpr qint64 MaxMediumBytes = qint64(1) << 30;

// Frees what the medium holds: an HGLOBAL block unless pUnkForRelease owns it, a stream or
// storage by releasing it; then releases pUnkForRelease and leaves the medium empty (TYMED_NULL),
// so a second call does nothing.
void ReleaseStgMedium(STGMEDIUM* pmedium);
// A copy that is released on its own: an HGLOBAL block copied byte for byte (no release object),
// a stream or storage shared with one more reference (and so its release object). An empty
// medium copies as empty. E_INVALIDARG for null pointers or a refused handle, DV_E_TYMED for
// other media, E_OUTOFMEMORY when the copy cannot be made.
HRESULT CopyStgMedium(const STGMEDIUM* pcstgmedSrc, STGMEDIUM* pstgmedDest);

// The bytes a medium carries: a whole HGLOBAL block, or a stream from its start (left at its
// end); nothing for other media or a failing one. The medium stays the caller's.
std::optional<QByteArray> BytesOfMedium(const STGMEDIUM& Medium);
// Fills Medium with a new medium holding Bytes: an HGLOBAL block when Tymed allows one, else a
// stream at its start when Tymed allows that. False when Tymed allows neither or memory runs out.
bool MediumFromBytes(const QByteArray& Bytes, DWORD Tymed, STGMEDIUM& Medium);

} // namespace win
