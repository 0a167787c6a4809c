// The shell namespace test fixtures.
#include "support/shell_fixtures.h"

#include "platform/shellapi/volumes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cstring>

TPidl RawPidl(const QByteArray& Bytes)
{
    void* block = win::CoTaskMemAlloc(std::size_t(Bytes.size()));
    if (!Bytes.isEmpty())
        std::memcpy(block, Bytes.constData(), std::size_t(Bytes.size()));
    return TPidl(static_cast<win::ITEMIDLIST*>(block));
}

QByteArray PidlBytes(win::LPCITEMIDLIST List)
{
    return QByteArray(reinterpret_cast<const char*>(List), qsizetype(win::ItemListSize(List)));
}

TMountTableScope::TMountTableScope(const QString& Folder, const QByteArray& MountInfo) : folder_(Folder)
{
    QDir().mkpath(folder_ + QStringLiteral("/block"));
    Write(MountInfo);
    win::SetMountTableSources(folder_ + QStringLiteral("/mountinfo"), folder_ + QStringLiteral("/block"));
}

TMountTableScope::~TMountTableScope()
{
    win::SetMountTableSources({}, {});
}

void TMountTableScope::Write(const QByteArray& MountInfo) const
{
    QSaveFile file(folder_ + QStringLiteral("/mountinfo"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(MountInfo);
    ASSERT_TRUE(file.commit());
}

void TMountTableScope::SetRemovable(const QString& Disk, bool Removable) const
{
    QDir().mkpath(folder_ + QStringLiteral("/block/") + Disk);
    QFile flag(folder_ + QStringLiteral("/block/") + Disk + QStringLiteral("/removable"));
    ASSERT_TRUE(flag.open(QIODevice::WriteOnly));
    flag.write(Removable ? "1\n" : "0\n");
}

QByteArray MountLine(int Id, const QByteArray& MountPoint, const QByteArray& Type, const QByteArray& Source)
{
    return QByteArray::number(Id) + " 1 8:" + QByteArray::number(Id) + " / " + MountPoint + " rw,relatime - " + Type +
           " " + Source + " rw\n";
}

THomeScope::THomeScope(const QString& Folder) : old_(qgetenv("HOME"))
{
    qputenv("HOME", Folder.toUtf8());
}

THomeScope::~THomeScope()
{
    qputenv("HOME", old_);
}
