// TPTShellLocator and its "Pidl" stream record.
#include "shell/shell_locator.h"

#include "platform/rtl/events.h"
#include "platform/rtl/streams.h"

#include <QByteArray>
#include <climits>

namespace {

// The largest list a stored record may hold.
constexpr std::int32_t MaxStoredPidlSize = 64 * 1024;

// Do the item counts of Bytes lead exactly to a terminator in its last two bytes?
bool IsWholeItemList(const QByteArray& Bytes)
{
    const qsizetype end = Bytes.size() - 2;
    qsizetype at = 0;
    while (at < end) {
        const int count = std::uint8_t(Bytes[at]) | std::uint8_t(Bytes[at + 1]) << 8;
        if (count < 2 || count > end - at)
            return false;
        at += count;
    }
    return at == end && Bytes[end] == 0 && Bytes[end + 1] == 0;
}

} // namespace

TPTShellLocator::~TPTShellLocator()
{
    FreePidl();
}

void TPTShellLocator::FreePidl()
{
    ShellFree(pidl_);
    pidl_ = nullptr;
}

void TPTShellLocator::SetSpecialFolder(TCSIDL Value)
{
    if (kind_ == lkSpecialFolder && specialFolder_ == Value)
        return;
    FreePidl();
    kind_ = lkSpecialFolder;
    specialFolder_ = Value;
    Change();
}

win::LPCITEMIDLIST TPTShellLocator::GetPidl()
{
    switch (kind_) {
    case lkPidl:
        return pidl_;
    case lkSpecialFolder:
        if (!pidl_ && win::FAILED(GetSpecialFolderPidl(nullptr, specialFolder_, pidl_)))
            pidl_ = nullptr;
        return pidl_;
    }
    return nullptr;
}

void TPTShellLocator::SetPidl(win::LPCITEMIDLIST NewPidl)
{
    bool changed = kind_ != lkPidl;
    kind_ = lkPidl;
    if (pidl_) {
        if (!changed) {
            const int order = ComparePidls(pidl_, NewPidl);
            changed = order != 0 && order != INT_MAX;
        }
    } else {
        changed = changed || NewPidl;
    }
    // The copy is made before the old list goes: NewPidl may be the list held (SetPidl(GetPidl())).
    win::LPITEMIDLIST copy = PidlSize(NewPidl) > 2 ? CopyPidl(nullptr, NewPidl) : nullptr;
    FreePidl();
    pidl_ = copy;
    specialFolder_ = csidlNone;
    if (changed)
        Change();
}

QString TPTShellLocator::GetPath()
{
    return PidlToPath(GetPidl());
}

void TPTShellLocator::SetPath(const QString& Path)
{
    win::LPITEMIDLIST parsed = nullptr;
    if (win::FAILED(PathToPidl(Path, parsed))) {
        ShellFree(parsed);
        SetPidl(nullptr);
        return;
    }
    SetPidl(parsed);
    ShellFree(parsed);
}

bool TPTShellLocator::IsSame(const TPTShellLocator& Other) const
{
    if (&Other == this)
        return true;
    if (kind_ != Other.kind_)
        return false;
    if (kind_ == lkPidl)
        return ComparePidls(pidl_, Other.pidl_) == 0;
    return specialFolder_ == Other.specialFolder_;
}

void TPTShellLocator::Assign(TPersistent* Source)
{
    if (!Source) {
        if (pidl_) {
            FreePidl();
            kind_ = lkPidl;
            Change();
        }
        return;
    }
    auto* other = dynamic_cast<TPTShellLocator*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    if (IsSame(*other))
        return;
    FreePidl();
    kind_ = other->kind_;
    if (kind_ == lkSpecialFolder)
        specialFolder_ = other->specialFolder_;
    else if (other->pidl_)
        pidl_ = CopyPidl(nullptr, other->pidl_);
    Change();
}

void TPTShellLocator::Change()
{
    Fire(OnChange, this);
}

bool PidlPropertyStored(const TPTShellLocator& Locator)
{
    return Locator.pidl_ || Locator.Kind() == lkSpecialFolder;
}

void WritePidlProperty(TStream& Stream, const TPTShellLocator& Locator)
{
    const std::uint8_t kind = Locator.kind_;
    Stream.WriteBuffer(&kind, 1);
    if (Locator.kind_ == lkSpecialFolder) {
        const std::uint8_t folder = Locator.specialFolder_;
        Stream.WriteBuffer(&folder, 1);
        return;
    }
    const std::int32_t size = PidlSize(Locator.pidl_);
    const std::uint8_t count[4] = {std::uint8_t(size), std::uint8_t(size >> 8), std::uint8_t(size >> 16),
                                   std::uint8_t(size >> 24)};
    Stream.WriteBuffer(count, 4);
    Stream.WriteBuffer(Locator.pidl_, size);
}

void ReadPidlProperty(TStream& Stream, TPTShellLocator& Locator)
{
    Locator.FreePidl();
    Locator.kind_ = lkSpecialFolder;
    Locator.specialFolder_ = csidlDesktop;

    std::uint8_t kind = 0;
    if (Stream.Read(&kind, 1) != 1)
        return;
    if (kind == lkSpecialFolder) {
        std::uint8_t folder = 0;
        if (Stream.Read(&folder, 1) == 1)
            Locator.specialFolder_ = TCSIDL(folder);
        return;
    }
    std::uint8_t count[4] = {};
    if (kind != lkPidl || Stream.Read(count, 4) != 4)
        return;
    const std::int32_t size = std::int32_t(count[0] | count[1] << 8 | count[2] << 16 | std::uint32_t(count[3]) << 24);
    if (size < 2 || size > MaxStoredPidlSize)
        return;
    QByteArray bytes(size, '\0');
    if (Stream.Read(bytes.data(), size) != size || !IsWholeItemList(bytes))
        return;
    Locator.kind_ = lkPidl;
    Locator.specialFolder_ = csidlNone;
    if (size > 2)
        Locator.pidl_ = CopyPidl(nullptr, reinterpret_cast<win::LPCITEMIDLIST>(bytes.constData()));
}
