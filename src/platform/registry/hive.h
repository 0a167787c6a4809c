// THiveKey: one registry key in memory with its subkeys and typed values, and the rules for names.
#pragma once

#include "platform/registry/registry_types.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

// Key and value names compare without case, one UTF-16 unit at a time in upper case, as the
// registry compares them. Returns <0, 0 or >0.
int CompareRegNames(const QString& A, const QString& B);
inline bool SameRegName(const QString& A, const QString& B)
{
    return A.size() == B.size() && CompareRegNames(A, B) == 0;
}

// A key name has 1 to 255 characters, no "\" and no control character, and survives the trip
// through the file's UTF-8 (EncodeName and DecodeName) unchanged.
bool IsValidRegKeyName(const QString& Name);
// A value name has up to 16383 characters and no control character, and survives that trip too;
// the empty name is the key's default value.
bool IsValidRegValueName(const QString& Name);
// Keys nest at most this deep below a root.
constexpr int MaxRegKeyDepth = 512;

// The names of a key path: the parts between "\" separators; empty parts (a leading, trailing or
// doubled "\") are dropped.
QStringList SplitRegPath(const QString& Path);

struct THiveValue {
    QString Name;
    win::DWORD Type = win::REG_NONE;
    QByteArray Data;
    bool operator==(const THiveValue&) const = default;
};

// A key keeps the case of its name as first created. Its subkeys are ordered by CompareRegNames
// (the order the registry enumerates them in); its values keep the order in which they were first
// set. Names are checked by the callers, not here.
class THiveKey {
public:
    struct NameLess {
        bool operator()(const QString& A, const QString& B) const { return CompareRegNames(A, B) < 0; }
    };
    using SubKeyMap = std::map<QString, std::unique_ptr<THiveKey>, NameLess>;

    explicit THiveKey(QString Name = {}) : name_(std::move(Name)) {}

    const QString& Name() const { return name_; }

    const SubKeyMap& SubKeys() const { return subKeys_; }
    THiveKey* SubKey(const QString& Name) const;
    // The subkey of that name, added when missing.
    THiveKey& AddSubKey(const QString& Name);
    // Removes the subkey with everything below it; false when there is none.
    bool DeleteSubKey(const QString& Name);
    // The key at the end of Path below this one; null when a part is missing.
    THiveKey* Find(const QStringList& Path);

    const std::vector<THiveValue>& Values() const { return values_; }
    const THiveValue* Value(const QString& Name) const;
    // A value set again keeps its place and the case of its name.
    void SetValue(const QString& Name, win::DWORD Type, const QByteArray& Data);
    bool DeleteValue(const QString& Name);

    // The same names (case included), values and subkeys all the way down.
    bool operator==(const THiveKey& Other) const;

private:
    QString name_;
    SubKeyMap subKeys_;
    std::vector<THiveValue> values_;
};
