// The order of the namespace's items, as CompareIDs gives it.
#pragma once

#include "platform/shellapi/shell_item.h"

namespace win {

// Orders two items of one folder by Column (below 0, 0, above 0); 0 only for the very same item.
// Root items first (Home, then Computer), then volumes, then entries: folders before files; by
// name without case, with case, then by bytes. Entries: column 1 size, 2 type, 3 modified time
// first. Volumes: 0 name, 1 type, 2 total size, 3 free space first, then the mount path.
int CompareItems(int Column, const TShellItem& A, const TShellItem& B);

// The total and free bytes of the file system mounted at MountPath (0 when it cannot be read).
void VolumeSpace(const QByteArray& MountPath, std::uint64_t& Total, std::uint64_t& Free);

} // namespace win
