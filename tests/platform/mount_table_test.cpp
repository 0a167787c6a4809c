// The volumes of the mount table: which mounts are shown, their kinds, and the broadcast of the
// volumes that come and go.
#include "platform/shellapi/volumes.h"

#include "support/shell_fixtures.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

using namespace win;

namespace {

QByteArrayList MountPaths(const QList<TVolume>& Volumes)
{
    QByteArrayList paths;
    for (const TVolume& volume : Volumes)
        paths.append(volume.MountPath);
    return paths;
}

const TVolume* Find(const QList<TVolume>& Volumes, const QByteArray& MountPath)
{
    for (const TVolume& volume : Volumes)
        if (volume.MountPath == MountPath)
            return &volume;
    return nullptr;
}

} // namespace

TEST(MountTable, ShowsRealVolumesAndLeavesPseudoFileSystemsOut)
{
    TTempTree tree;
    TMountTableScope scope(tree.Path("fixture"), {});
    scope.SetRemovable("sdb", true);
    scope.SetRemovable("sda", false);
    scope.SetRemovable("mmcblk0", true);
    const QByteArray text = MountLine(20, "/", "ext4", "/dev/sda2") +
                            MountLine(21, "/proc", "proc", "proc") + MountLine(22, "/sys", "sysfs", "sysfs") +
                            MountLine(23, "/sys/fs/cgroup", "cgroup2", "cgroup2") +
                            MountLine(24, "/dev", "devtmpfs", "udev") + MountLine(25, "/run", "tmpfs", "tmpfs") +
                            MountLine(26, "/snap/core/1", "squashfs", "/dev/loop3") +
                            MountLine(27, "/var/lib/docker/x", "overlay", "overlay") +
                            MountLine(28, "/media/me/USB\\040Stick", "vfat", "/dev/sdb1") +
                            MountLine(29, "/home", "ext4", "/dev/sda3") +
                            MountLine(30, "/mnt/share", "nfs4", "server:/export") +
                            MountLine(31, "/mnt/remote", "fuse.sshfs", "me@host:") +
                            MountLine(32, "/run/media/me/ram", "tmpfs", "tmpfs") +
                            MountLine(33, "/mnt/card", "ext4", "/dev/mmcblk0p1") +
                            "this line is not a mount\n" + "34 1 8:1 / /mnt/short rw - ext4\n" +
                            // A subtree mounted elsewhere (a bind mount) is not a volume.
                            "35 1 8:3 /me/shared /srv/shared rw - ext4 /dev/sda3 rw\n" +
                            // The last mount over a mount point counts.
                            MountLine(36, "/mnt/card", "ext4", "/dev/sda4");
    const QList<TVolume> volumes = ParseMountInfo(text, tree.Path("fixture/block"));
    EXPECT_EQ(MountPaths(volumes), (QByteArrayList{"/", "/home", "/media/me/USB Stick", "/mnt/card", "/mnt/remote",
                                                   "/mnt/share", "/run/media/me/ram"}));
    const struct {
        QByteArray Path;
        TVolumeKind Kind;
    } kinds[] = {{"/", vkRoot},
                 {"/home", vkFixed},
                 {"/media/me/USB Stick", vkRemovable},
                 {"/mnt/card", vkFixed},
                 {"/mnt/remote", vkNetwork},
                 {"/mnt/share", vkNetwork},
                 {"/run/media/me/ram", vkRam}};
    for (const auto& k : kinds) {
        const TVolume* volume = Find(volumes, k.Path);
        ASSERT_TRUE(volume) << k.Path.constData();
        EXPECT_EQ(volume->Kind, k.Kind) << k.Path.constData();
    }
    EXPECT_EQ(Find(volumes, "/media/me/USB Stick")->Source, "/dev/sdb1");

    // A partition of a removable card is removable, and "/" is there even when the table lacks it.
    const QList<TVolume> card = ParseMountInfo(MountLine(1, "/mnt/card", "ext4", "/dev/mmcblk0p1"), tree.Path("fixture/block"));
    EXPECT_EQ(MountPaths(card), (QByteArrayList{"/", "/mnt/card"}));
    EXPECT_EQ(card[1].Kind, vkRemovable);
}

TEST(MountTable, TheVolumeHoldingAPathHasTheLongestMountPath)
{
    TTempTree tree;
    TMountTableScope scope(tree.Path("fixture"), MountLine(1, "/", "ext4", "/dev/sda1") +
                                                      MountLine(2, "/mnt/a", "ext4", "/dev/sda2") +
                                                      MountLine(3, "/mnt/a/b", "ext4", "/dev/sda3"));
    EXPECT_EQ(VolumeHolding("/mnt/a/b/c").MountPath, "/mnt/a/b");
    EXPECT_EQ(VolumeHolding("/mnt/a/bc").MountPath, "/mnt/a");
    EXPECT_EQ(VolumeHolding("/mnt/a").MountPath, "/mnt/a");
    EXPECT_EQ(VolumeHolding("/mnt").MountPath, "/");
}

TEST(MountTable, ChangedVolumesAreBroadcastAsRemovalsThenArrivals)
{
    TTempTree tree;
    const QByteArray root = MountLine(1, "/", "ext4", "/dev/sda1");
    TMountTableScope scope(tree.Path("fixture"), root + MountLine(2, "/mnt/old", "ext4", "/dev/sda2"));
    QList<std::pair<HWND, WPARAM>> received;
    HWND first = nullptr, second = nullptr;
    first = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_DEVICECHANGE)
            received.append({first, m.WParam});
    });
    second = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_DEVICECHANGE)
            received.append({second, m.WParam});
    });
    AddDeviceChangeTarget(first);
    AddDeviceChangeTarget(second);

    RereadVolumes(); // nothing changed
    EXPECT_TRUE(received.isEmpty());

    scope.Write(root + MountLine(3, "/media/new", "vfat", "/dev/sdc1"));
    RereadVolumes();
    const QList<std::pair<HWND, WPARAM>> expected = {{first, DBT_DEVICEREMOVECOMPLETE},
                                                      {second, DBT_DEVICEREMOVECOMPLETE},
                                                      {first, DBT_DEVICEARRIVAL},
                                                      {second, DBT_DEVICEARRIVAL}};
    EXPECT_EQ(received, expected);
    EXPECT_EQ(MountPaths(CurrentVolumes()), (QByteArrayList{"/", "/media/new"}));

    received.clear();
    RemoveDeviceChangeTarget(first);
    DeallocateHWnd(first);
    scope.Write(root);
    RereadVolumes();
    EXPECT_EQ(received, (QList<std::pair<HWND, WPARAM>>{{second, DBT_DEVICEREMOVECOMPLETE}}));
    RemoveDeviceChangeTarget(second);
    DeallocateHWnd(second);
}
