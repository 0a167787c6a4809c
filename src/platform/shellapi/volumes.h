// The volumes now mounted, watched for changes, and the broadcast of volumes that come and go.
//
// The mount table is read on first use and again whenever it changes (the kernel marks
// /proc/self/mountinfo with POLLPRI, watched by a QSocketNotifier on the GUI thread) or
// RereadVolumes is called. Each reading compares the volumes with the previous ones and sends
// every broadcast target WM_DEVICECHANGE for each volume gone (DBT_DEVICEREMOVECOMPLETE), then for
// each new one (DBT_DEVICEARRIVAL), both in byte order of their mount paths, with lParam 0.
#pragma once

#include "platform/messages/messages.h"
#include "platform/shellapi/mount_table.h"

namespace win {

constexpr UINT WM_DEVICECHANGE = 0x0219;
constexpr WPARAM DBT_DEVICEARRIVAL = 0x8000;
constexpr WPARAM DBT_DEVICEREMOVECOMPLETE = 0x8004;

// The volumes as last read.
QList<TVolume> CurrentVolumes();
// The volume with the longest mount path holding Path (an absolute path without "." or ".."
// components); the root volume when no other does.
TVolume VolumeHolding(const QByteArray& Path);
// Reads the mount table again and broadcasts the changes. GUI thread only.
void RereadVolumes();

void AddDeviceChangeTarget(HWND Target);
void RemoveDeviceChangeTarget(HWND Target);

// Reads the mount table from MountInfo and the removable flags from SysBlock from now on (tests
// point them at fixtures; empty texts restore "/proc/self/mountinfo" and "/sys/block"). The
// volumes are read from there at once, without a broadcast.
void SetMountTableSources(const QString& MountInfo, const QString& SysBlock);

} // namespace win
