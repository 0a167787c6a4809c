// TRegistry: the class library's access to registry keys and typed values, and its exception.
#pragma once

#include "platform/registry/registry_types.h"
#include "platform/rtl/exception.h"
#include "platform/rtl/object.h"

#include <QByteArray>
#include <QString>

class TStrings;
class THiveStore;

// A value could not be written or read, or has the wrong type for the reading call.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegKeyInfo {
    int NumSubKeys = 0;
    int MaxSubKeyLen = 0;
    int NumValues = 0;
    int MaxValueLen = 0;
    int MaxDataLen = 0;
};

// One open key at a time below RootKey (HKEY_CURRENT_USER unless set). A key path that starts with
// "\" is taken from the root; any other is taken from the current key (from the root when none is
// open). Value calls work on the current key, or on the root when none is open. Closing the key
// (CloseKey, opening another, freeing the object) lets the store write its pending changes.
class TRegistry : public TObject {
public:
    TRegistry();
    ~TRegistry() override;

    win::HKEY RootKey() const { return rootKey_; }
    // Closes the current key first.
    void SetRootKey(win::HKEY Value);
    // The path of the current key below the root, its names joined by "\"; empty when none is open.
    const QString& CurrentPath() const { return currentPath_; }

    // Opens the key, creating it and its parents when CanCreate is set; false when it does not
    // exist (and may not be created) or its name is not allowed.
    bool OpenKey(const QString& Key, bool CanCreate);
    // Opens an existing key for reading: writes through it fail.
    bool OpenKeyReadOnly(const QString& Key);
    void CloseKey();

    bool KeyExists(const QString& Key);
    // Deletes the key with everything below it; false when it does not exist or cannot be deleted.
    bool DeleteKey(const QString& Key);
    bool ValueExists(const QString& Name);
    bool DeleteValue(const QString& Name);
    // The counts and longest names and data of the current key; false when it does not exist.
    bool GetKeyInfo(TRegKeyInfo& Value);
    // Fill Strings (emptied first) with the subkey names in the registry's order (sorted without
    // case) or the value names in the order the values were first set.
    void GetKeyNames(TStrings& Strings);
    void GetValueNames(TStrings& Strings);

    // rdUnknown for a missing value and for types other than the four named ones.
    TRegDataType GetDataType(const QString& Name);
    // The size of the value's data in bytes; -1 when it does not exist.
    int GetDataSize(const QString& Name);

    // A REG_SZ or REG_EXPAND_SZ text, every character kept; "" when the value does not exist.
    // Raises ERegistryException "Invalid data type for '<name>'" for other types.
    QString ReadString(const QString& Name);
    void WriteString(const QString& Name, const QString& Value);
    // A REG_DWORD as a signed integer; raises ERegistryException for a missing value or another type.
    int ReadInteger(const QString& Name);
    void WriteInteger(const QString& Name, int Value);
    // Copies a REG_BINARY value (or one of an unknown type) into Buffer; returns its size (0 when
    // missing). Raises ERegistryException for another type or a value larger than BufSize.
    int ReadBinaryData(const QString& Name, void* Buffer, int BufSize);
    void WriteBinaryData(const QString& Name, const void* Buffer, int BufSize);

protected:
    // The full path of Key below the root, as OpenKey takes it.
    QString FullPath(const QString& Key) const;
    // The path of a section below the current key ("" is the current key itself).
    QString SectionPath(const QString& Section) const;
    // Reads a value of the key at Path; false when there is none.
    bool GetValue(const QString& Path, const QString& Name, win::DWORD& Type, QByteArray& Data);
    // Writes a value of the key at Path (created when missing); raises ERegistryException
    // "Failed to set data for '<name>'" when the value cannot be written.
    void PutValue(const QString& Path, const QString& Name, win::DWORD Type, const QByteArray& Data);
    // The subkey names or the value names of the key at Path, in the registry's order (none when
    // it does not exist).
    QStringList SubKeyNames(const QString& Path);
    QStringList ValueNames(const QString& Path);
    // Strings emptied and filled with Names, in one update.
    static void FillStrings(TStrings& Strings, const QStringList& Names);

private:
    bool Open(const QString& Key, bool CanCreate, bool ReadOnly);

    win::HKEY rootKey_;
    THiveStore* store_;
    QString currentPath_;
    bool keyOpen_ = false;
    bool readOnly_ = false;
};
