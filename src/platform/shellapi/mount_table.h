// The volumes of the mount table: which mounts the namespace shows under Computer, read from the
// kernel's mountinfo text.
#pragma once

#include "platform/shellapi/shell_item.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace win {

struct TVolume {
    QByteArray MountPath; // exact bytes, escapes decoded
    QByteArray FsType;
    QByteArray Source;
    TVolumeKind Kind = vkFixed;

    bool operator==(const TVolume&) const = default;
};

// The volumes of a mountinfo text ("id parent major:minor root mount-point options [optional...]
// - type source super-options", one mount a line, octal escapes such as "\040" decoded), "/"
// first, then in byte order of their mount paths; a mount point mounted over keeps its last mount.
// Shown are: "/" always; mounts of whole file systems (root "/") that are network file systems,
// FUSE file systems, block devices (removable when "<SysBlock>/<disk>/removable" reads 1, the
// disk being the device without its partition number) or tmpfs and ramfs below /media and
// /run/media (RAM disks). Pseudo file systems (proc, sysfs, cgroup, devtmpfs, overlay, squashfs,
// other tmpfs...) are left out, and so are lines that do not have this form.
QList<TVolume> ParseMountInfo(const QByteArray& Text, const QString& SysBlock);

} // namespace win
