// TPTShellLocator: one place of the shell namespace, named by an absolute item identifier list or
// by a special-folder number, with its change event and its "Pidl" stream record.
#pragma once

#include "shell/pidl_routines.h"

#include "platform/rtl/persistent.h"

#include <cstdint>

class TStream;

// How a locator names its place.
enum TPTShellLocatorKind : std::uint8_t {
    lkPidl = 0,          // by the list it holds (none: the desktop)
    lkSpecialFolder = 1, // by SpecialFolder, whose list is looked up on first use
};

// The locator always holds its own copy of the list it names (from the task allocator), never a
// borrowed one, and frees it when it goes. A special-folder locator looks its list up on the first
// GetPidl and keeps it until it is given another place. OnChange fires (Sender: the locator)
// whenever it comes to name another place. GUI thread only.
class TPTShellLocator : public TPersistent {
public:
    TPTShellLocator() = default;
    ~TPTShellLocator() override;

    TPTShellLocatorKind Kind() const { return kind_; }
    // The special folder of a special-folder locator; csidlNone once a list was set.
    TCSIDL SpecialFolder() const { return specialFolder_; }
    // Names the special folder Value (fires OnChange unless it named it already).
    void SetSpecialFolder(TCSIDL Value);

    // The list named (owned by the locator); null for the desktop, and for a special folder the
    // platform cannot locate.
    win::LPCITEMIDLIST GetPidl();
    // Names the place of NewPidl (copied; null or the empty list: the desktop). OnChange fires
    // when the kind was not a list, or when the old and the new list differ; a comparison that
    // fails counts as no change.
    void SetPidl(win::LPCITEMIDLIST NewPidl);
    void Clear() { SetPidl(nullptr); }

    // The file-system path of the place; empty for places without one.
    QString GetPath();
    // Names the place of Path; a path that does not parse names the desktop.
    void SetPath(const QString& Path);

    // Names Other the same place? Kinds that differ never do; lists that cannot be compared don't.
    bool IsSame(const TPTShellLocator& Other) const;

    // A locator Source is copied unless it already names the same place (null Source: a held list
    // is dropped, naming the desktop); other classes fail with EConvertError.
    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    friend bool PidlPropertyStored(const TPTShellLocator& Locator);
    friend void WritePidlProperty(TStream& Stream, const TPTShellLocator& Locator);
    friend void ReadPidlProperty(TStream& Stream, TPTShellLocator& Locator);

    // Frees the held list.
    void FreePidl();

    TPTShellLocatorKind kind_ = lkPidl;
    win::LPITEMIDLIST pidl_ = nullptr;
    TCSIDL specialFolder_ = csidlNone;
};

// The "Pidl" record of a locator in a stream: one byte Kind; for a list a little-endian 32-bit
// byte count N and the N bytes of the list with its terminator; for a special folder one byte
// with its number. It is stored only for a locator that holds a list or names a special folder.
bool PidlPropertyStored(const TPTShellLocator& Locator);
void WritePidlProperty(TStream& Stream, const TPTShellLocator& Locator);
// Reads a record into Locator without firing OnChange. A count of 0 names the desktop as special
// folder 0. A record is taken only when N is 2 to 65,536 and the item counts of its N bytes lead
// exactly to a terminator in the last two; any other record (a damaged form or settings stream)
// names the desktop the same way, so a bad count never makes a huge block or a list that runs
// past its end.
void ReadPidlProperty(TStream& Stream, TPTShellLocator& Locator);
