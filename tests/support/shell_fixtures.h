// Fixtures of the shell namespace tests: item identifier lists a test owns, and a mount table of
// the test's own.
#pragma once

#include "platform/shellapi/item_id_list.h"

#include <QByteArray>
#include <QString>
#include <memory>

struct TPidlFree {
    void operator()(win::ITEMIDLIST* Pidl) const { win::CoTaskMemFree(Pidl); }
};
// A list in the task allocator, freed with the test's variable.
using TPidl = std::unique_ptr<win::ITEMIDLIST, TPidlFree>;

// A list of exactly Bytes (no terminator added), in a task-allocator block of that size.
TPidl RawPidl(const QByteArray& Bytes);
// The bytes of List up to and with its terminator (empty for null or a malformed list).
QByteArray PidlBytes(win::LPCITEMIDLIST List);

// Reads the volumes from "<Folder>/mountinfo" and "<Folder>/block" while it lives (the volumes
// of the machine again afterwards).
class TMountTableScope {
public:
    explicit TMountTableScope(const QString& Folder, const QByteArray& MountInfo);
    ~TMountTableScope();
    TMountTableScope(const TMountTableScope&) = delete;
    TMountTableScope& operator=(const TMountTableScope&) = delete;

    // Replaces the mount table file's content (the volumes are not read again).
    void Write(const QByteArray& MountInfo) const;
    // Gives the disk Disk (such as "sdb") the removable flag Removable.
    void SetRemovable(const QString& Disk, bool Removable) const;

private:
    QString folder_;
};

// A mountinfo line of a mount of a whole file system.
QByteArray MountLine(int Id, const QByteArray& MountPoint, const QByteArray& Type, const QByteArray& Source);

// HOME pointed at Folder while it lives (the desktop's folder is then "<Folder>/Desktop").
class THomeScope {
public:
    explicit THomeScope(const QString& Folder);
    ~THomeScope();
    THomeScope(const THomeScope&) = delete;
    THomeScope& operator=(const THomeScope&) = delete;

private:
    QByteArray old_;
};
