// The system image lists: the small (16 by 16) and large (32 by 32) images of every icon the
// shell hands out, in one index space shared by both lists.
//
// An icon gets its index the first time it is asked for, in both lists at once, and keeps it for
// the life of the process. Index 0 is a blank image and never a real icon (controls take 0 for
// "not fetched yet"). Images 1 and 2 are the overlay images "shared" (overlay 0 of the lists, the
// shell's overlay 1) and "link" (overlay 1, the shell's overlay 2). Icons come from the icon theme
// (QIcon::fromTheme), and where the theme has none from the fallback the platform's widgets set
// (the application style's standard icons), so a machine without a theme still draws them.
// GUI thread only.
#pragma once

#include "platform/graphics/image_list.h"

#include <QIcon>
#include <QMimeType>
#include <functional>

namespace win {

enum class TSystemIcon {
    File, // a file of no known type
    Folder,
    FolderOpen,
    Computer,
    Desktop,
    Home,
    VolumeRoot,
    VolumeFixed,
    VolumeRemovable,
    VolumeNetwork,
    VolumeRam,
};

// The overlay numbers of the lists (TImageList::Overlay, DrawOverlay).
constexpr int OverlayShared = 0;
constexpr int OverlayLink = 1;

// The icon of Icon where the theme has none (a file type without a themed icon asks for File).
// Without a fallback such icons stay blank. Set before the first icon is asked for.
using TSystemIconFallback = std::function<QIcon(TSystemIcon Icon)>;
void SetSystemIconFallback(TSystemIconFallback Fallback);

HIMAGELIST SystemImageList(bool Large);
int SystemIconIndex(TSystemIcon Icon);
// The index of a MIME type's icon (its own icon, else its generic one); the default type
// (application/octet-stream) has TSystemIcon::File's.
int MimeIconIndex(const QMimeType& Type);

} // namespace win
