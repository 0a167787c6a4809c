// ParseMountInfo: the mountinfo lines, the volume filter and the removable flag.
#include "platform/shellapi/mount_table.h"

#include "platform/system/name_encoding.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

// Decodes the octal escapes ("\040") the kernel writes for blanks, tabs, new lines and "\".
QByteArray Unescaped(const QByteArray& Field)
{
    QByteArray out;
    out.reserve(Field.size());
    for (qsizetype i = 0; i < Field.size(); ++i) {
        if (Field[i] == '\\' && i + 3 < Field.size()) {
            const QByteArray digits = Field.mid(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
                out.append(char(digits.toInt(nullptr, 8)));
                i += 3;
                continue;
            }
        }
        out.append(Field[i]);
    }
    return out;
}

bool IsNetworkType(const QByteArray& Type)
{
    static const QByteArrayList types = {"nfs",  "nfs4", "cifs",      "smb3",  "smbfs",  "ncpfs",
                                         "afs",  "ceph", "glusterfs", "9p",    "davfs",  "coda"};
    return types.contains(Type);
}

bool IsFuseType(const QByteArray& Type)
{
    return Type == "fuse" || Type == "fuseblk" || Type.startsWith("fuse.");
}

// File systems of block devices that are images or internals of the system, never volumes.
bool IsPseudoBlockType(const QByteArray& Type)
{
    static const QByteArrayList types = {"squashfs", "devtmpfs", "overlay", "proc", "sysfs"};
    return types.contains(Type);
}

bool BelowMedia(const QByteArray& MountPath)
{
    return MountPath.startsWith("/media/") || MountPath.startsWith("/run/media/");
}

// The disk of a block device name: "sdb1" is "sdb", "mmcblk0p1" "mmcblk0", "nvme0n1p2" "nvme0n1".
QByteArray DiskOf(QByteArray Device)
{
    const QByteArray whole = Device;
    while (!Device.isEmpty() && Device.back() >= '0' && Device.back() <= '9')
        Device.chop(1);
    if (Device.size() == whole.size())
        return whole;
    if (Device.endsWith('p') && Device.size() > 1 && Device[Device.size() - 2] >= '0' &&
        Device[Device.size() - 2] <= '9')
        Device.chop(1);
    return Device;
}

bool IsRemovable(const QByteArray& Source, const QString& SysBlock)
{
    QByteArray device = Source;
    const QFileInfo info(DecodeName(Source));
    if (info.isSymLink()) {
        const QByteArray target = EncodeName(info.canonicalFilePath());
        if (target.startsWith("/dev/"))
            device = target;
    }
    device = device.mid(device.lastIndexOf('/') + 1);
    for (const QByteArray& name : {device, DiskOf(device)}) {
        QFile flag(SysBlock + QLatin1Char('/') + DecodeName(name) + QStringLiteral("/removable"));
        if (flag.open(QIODevice::ReadOnly))
            return flag.readAll().trimmed() == "1";
    }
    return false;
}

// The volume of one mount, false when it is not shown.
bool VolumeOf(const QList<QByteArray>& Fields, qsizetype Dash, const QString& SysBlock, win::TVolume& Volume)
{
    const QByteArray root = Unescaped(Fields[3]);
    Volume.MountPath = Unescaped(Fields[4]);
    Volume.FsType = Unescaped(Fields[Dash + 1]);
    Volume.Source = Unescaped(Fields[Dash + 2]);
    if (!Volume.MountPath.startsWith('/'))
        return false;
    if (Volume.MountPath == "/") {
        Volume.Kind = win::vkRoot;
        return true;
    }
    if (root != "/")
        return false;
    const bool blockDevice = Volume.Source.startsWith("/dev/");
    if (IsNetworkType(Volume.FsType) || (IsFuseType(Volume.FsType) && !blockDevice)) {
        Volume.Kind = win::vkNetwork;
        return true;
    }
    if ((Volume.FsType == "tmpfs" || Volume.FsType == "ramfs") && BelowMedia(Volume.MountPath)) {
        Volume.Kind = win::vkRam;
        return true;
    }
    if (blockDevice && !IsPseudoBlockType(Volume.FsType)) {
        Volume.Kind = IsRemovable(Volume.Source, SysBlock) ? win::vkRemovable : win::vkFixed;
        return true;
    }
    return false;
}

} // namespace

QList<win::TVolume> win::ParseMountInfo(const QByteArray& Text, const QString& SysBlock)
{
    QList<TVolume> volumes;
    for (const QByteArray& line : Text.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (dash < 6 || fields.size() < dash + 3)
            continue;
        TVolume volume;
        if (!VolumeOf(fields, dash, SysBlock, volume))
            continue;
        volumes.removeIf([&](const TVolume& v) { return v.MountPath == volume.MountPath; });
        volumes.append(volume);
    }
    if (std::none_of(volumes.begin(), volumes.end(), [](const TVolume& v) { return v.MountPath == "/"; }))
        volumes.append(TVolume{"/", {}, {}, vkRoot});
    std::sort(volumes.begin(), volumes.end(), [](const TVolume& a, const TVolume& b) {
        if ((a.MountPath == "/") != (b.MountPath == "/"))
            return a.MountPath == "/";
        return a.MountPath < b.MountPath;
    });
    return volumes;
}
