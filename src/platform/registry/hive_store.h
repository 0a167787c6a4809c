// THiveStore: the keys and values behind one registry root. HKEY_CURRENT_USER is kept in the file
// $XDG_CONFIG_HOME/tarnwick-halyard/registry.reg (mode 0600; ~/.config when XDG_CONFIG_HOME is not
// an absolute path); HKEY_LOCAL_MACHINE is read-only and empty unless a test seeds it.
//
// The user's file is read on first use. Changes are kept in memory and written in one batch when
// the last open key is closed, on Flush and at program end; never once per value. A batch is
// written under a lock file ("registry.reg.lock"): the file is read again, and when another
// running copy of the program has changed it, this process's changes since its last write are
// replayed onto that content, so neither copy erases what the other saved. The new content goes to
// a temporary file that is flushed to the disk and renamed over the old one, so the file on disk
// is always whole.
//
// A file that is not a registry file is renamed to "registry.reg.bad" (or .bad2, .bad3 ...) beside
// it, the user is told, and the program goes on with empty settings; a file that exists but
// cannot be read is never written during the run. The messages go through the application's
// exception prompt.
//
// Paths are key names separated by "\" (see SplitRegPath); all calls are thread-safe.
#pragma once

#include "platform/registry/hive.h"

#include <QString>
#include <functional>
#include <mutex>
#include <optional>

class THiveStore {
public:
    // The store of HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE; null for any other root.
    static THiveStore* ForRoot(win::HKEY Root);
    static THiveStore& CurrentUser();

    // Opens the key at Path, creating it and its parents when CanCreate is set. ERROR_SUCCESS
    // counts an open key; ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED (creating in a read-only root)
    // or ERROR_INVALID_PARAMETER (a bad name or too deep) do not.
    win::LONG OpenKey(const QString& Path, bool CanCreate);
    // Closes one open key; closing the last one writes the pending changes.
    void CloseKey();

    // Runs Use on the key at Path (under the store's lock: Use must not call the store); false,
    // without calling Use, when the key does not exist.
    bool Read(const QString& Path, const std::function<void(const THiveKey& Key)>& Use);

    // Sets a value, creating the key at Path and its parents when missing.
    win::LONG SetValue(const QString& Path, const QString& Name, win::DWORD Type, const QByteArray& Data);
    // ERROR_FILE_NOT_FOUND when there is no such value.
    win::LONG DeleteValue(const QString& Path, const QString& Name);
    // Deletes the key with all its subkeys and values; the root itself cannot be deleted.
    win::LONG DeleteKey(const QString& Path);

    // Writes the pending changes now; false when they could not be written (they stay pending).
    bool Flush();
    // Writes the pending changes and forgets the keys: the next call reads the file again, from
    // where XDG_CONFIG_HOME then points. For tests and benchmarks.
    void Unload();
    // The user's file, once it has been read; empty for a root without a file.
    QString FileName() const;

    // Tests only: replaces the keys of a read-only root, to seed HKEY_LOCAL_MACHINE.
    void Seed(THiveKey Root);

private:
    // One change of this process since its last write, kept to be replayed onto the file's content.
    struct TChange {
        enum Kind { CreateKey, DeleteKey, SetValue, DeleteValue } Kind;
        QString Path;
        QString Name;
        win::DWORD Type = win::REG_NONE;
        QByteArray Data;
    };

    explicit THiveStore(bool FileBacked) : fileBacked_(FileBacked) {}

    // Runs Body with the store locked and loaded, then reports what it has to tell the user.
    template <class Body> auto Locked(Body body);
    void Unlock(std::unique_lock<std::mutex>& Lock);
    void EnsureLoaded();
    // The file's current content; nothing when there is no file. Raises nothing: a read error
    // goes into Error.
    std::optional<QByteArray> ReadDisk(int& Error) const;
    // Parses the file's content; a damaged file is moved aside and reads as empty.
    THiveKey ParseOrSetAside(const QByteArray& Content);
    // Makes the change (on Key, the key of its path, when known) and keeps it for the next write.
    void Record(TChange Change, THiveKey* Key);
    static void Apply(THiveKey& Root, const TChange& Change);
    // The key at Path, or null. The last key found is remembered, as calls come in runs on one key.
    THiveKey* FindKey(const QString& Path);
    void SetRoot(THiveKey Root);
    bool WritePending();
    void Tell(const QString& Message);

    const bool fileBacked_;
    mutable std::mutex mutex_;
    bool loaded_ = false;
    QString fileName_;
    THiveKey root_;
    QString foundPath_;
    THiveKey* found_ = nullptr;
    // The file's content as last read or written; nothing when there was no file.
    std::optional<QByteArray> disk_;
    std::vector<TChange> pending_;
    int openKeys_ = 0;
    // False after the file could not be read, or a damaged file could not be set aside.
    bool saving_ = true;
    bool toldWriteFailure_ = false;
    QString message_;
};
