// TRegistry over the hive stores.
#include "platform/registry/registry.h"

#include "platform/registry/hive_store.h"
#include "platform/registry/reg_data.h"
#include "platform/rtl/string_list.h"

#include <algorithm>
#include <cstring>

using namespace win;

TRegistry::TRegistry() : rootKey_(HKEY_CURRENT_USER), store_(THiveStore::ForRoot(HKEY_CURRENT_USER)) {}

TRegistry::~TRegistry()
{
    CloseKey();
}

void TRegistry::SetRootKey(HKEY Value)
{
    CloseKey();
    rootKey_ = Value;
    store_ = THiveStore::ForRoot(Value);
}

QString TRegistry::FullPath(const QString& Key) const
{
    const QString path = Key.startsWith(QLatin1Char('\\')) ? Key : currentPath_ + QLatin1Char('\\') + Key;
    return SplitRegPath(path).join(QLatin1Char('\\'));
}

QString TRegistry::SectionPath(const QString& Section) const
{
    return Section.isEmpty() ? currentPath_ : currentPath_ + QLatin1Char('\\') + Section;
}

bool TRegistry::Open(const QString& Key, bool CanCreate, bool ReadOnly)
{
    const QString path = FullPath(Key);
    if (!store_ || store_->OpenKey(path, CanCreate) != ERROR_SUCCESS)
        return false;
    // The new key is open before the old one closes, so switching keys writes nothing yet.
    CloseKey();
    currentPath_ = path;
    keyOpen_ = true;
    readOnly_ = ReadOnly;
    return true;
}

bool TRegistry::OpenKey(const QString& Key, bool CanCreate)
{
    return Open(Key, CanCreate, false);
}

bool TRegistry::OpenKeyReadOnly(const QString& Key)
{
    return Open(Key, false, true);
}

void TRegistry::CloseKey()
{
    if (!keyOpen_)
        return;
    keyOpen_ = false;
    readOnly_ = false;
    currentPath_.clear();
    store_->CloseKey();
}

bool TRegistry::KeyExists(const QString& Key)
{
    return store_ && store_->Read(FullPath(Key), [](const THiveKey&) {});
}

bool TRegistry::DeleteKey(const QString& Key)
{
    return store_ && !readOnly_ && store_->DeleteKey(FullPath(Key)) == ERROR_SUCCESS;
}

bool TRegistry::GetValue(const QString& Path, const QString& Name, DWORD& Type, QByteArray& Data)
{
    bool found = false;
    if (store_) {
        store_->Read(Path, [&](const THiveKey& Key) {
            if (const THiveValue* value = Key.Value(Name)) {
                found = true;
                Type = value->Type;
                Data = value->Data;
            }
        });
    }
    return found;
}

void TRegistry::PutValue(const QString& Path, const QString& Name, DWORD Type, const QByteArray& Data)
{
    if (!store_ || readOnly_ || store_->SetValue(Path, Name, Type, Data) != ERROR_SUCCESS)
        throw ERegistryException(QStringLiteral("Failed to set data for '%1'").arg(Name));
}

bool TRegistry::ValueExists(const QString& Name)
{
    DWORD type;
    QByteArray data;
    return GetValue(currentPath_, Name, type, data);
}

bool TRegistry::DeleteValue(const QString& Name)
{
    return store_ && !readOnly_ && store_->DeleteValue(currentPath_, Name) == ERROR_SUCCESS;
}

bool TRegistry::GetKeyInfo(TRegKeyInfo& Value)
{
    Value = {};
    return store_ && store_->Read(currentPath_, [&](const THiveKey& Key) {
        Value.NumSubKeys = int(Key.SubKeys().size());
        Value.NumValues = int(Key.Values().size());
        for (const auto& [name, subKey] : Key.SubKeys())
            Value.MaxSubKeyLen = std::max(Value.MaxSubKeyLen, int(name.size()));
        for (const THiveValue& value : Key.Values()) {
            Value.MaxValueLen = std::max(Value.MaxValueLen, int(value.Name.size()));
            Value.MaxDataLen = std::max(Value.MaxDataLen, int(value.Data.size()));
        }
    });
}

QStringList TRegistry::SubKeyNames(const QString& Path)
{
    QStringList names;
    if (store_) {
        store_->Read(Path, [&](const THiveKey& Key) {
            for (const auto& [name, subKey] : Key.SubKeys())
                names += subKey->Name();
        });
    }
    return names;
}

QStringList TRegistry::ValueNames(const QString& Path)
{
    QStringList names;
    if (store_) {
        store_->Read(Path, [&](const THiveKey& Key) {
            for (const THiveValue& value : Key.Values())
                names += value.Name;
        });
    }
    return names;
}

void TRegistry::FillStrings(TStrings& Strings, const QStringList& Names)
{
    Strings.BeginUpdate();
    Strings.Clear();
    for (const QString& name : Names)
        Strings.Add(name);
    Strings.EndUpdate();
}

void TRegistry::GetKeyNames(TStrings& Strings)
{
    FillStrings(Strings, SubKeyNames(currentPath_));
}

void TRegistry::GetValueNames(TStrings& Strings)
{
    FillStrings(Strings, ValueNames(currentPath_));
}

TRegDataType TRegistry::GetDataType(const QString& Name)
{
    DWORD type;
    QByteArray data;
    if (!GetValue(currentPath_, Name, type, data))
        return rdUnknown;
    switch (type) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
    }
}

int TRegistry::GetDataSize(const QString& Name)
{
    DWORD type;
    QByteArray data;
    return GetValue(currentPath_, Name, type, data) ? int(data.size()) : -1;
}

QString TRegistry::ReadString(const QString& Name)
{
    DWORD type;
    QByteArray data;
    if (!GetValue(currentPath_, Name, type, data))
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw ERegistryException(QStringLiteral("Invalid data type for '%1'").arg(Name));
    return RegDataString(data);
}

void TRegistry::WriteString(const QString& Name, const QString& Value)
{
    PutValue(currentPath_, Name, REG_SZ, RegStringData(Value));
}

int TRegistry::ReadInteger(const QString& Name)
{
    DWORD type;
    QByteArray data;
    if (!GetValue(currentPath_, Name, type, data))
        throw ERegistryException(QStringLiteral("Failed to get data for '%1'").arg(Name));
    const auto number = RegDataDword(data);
    if (type != REG_DWORD || !number)
        throw ERegistryException(QStringLiteral("Invalid data type for '%1'").arg(Name));
    return int(*number);
}

void TRegistry::WriteInteger(const QString& Name, int Value)
{
    PutValue(currentPath_, Name, REG_DWORD, RegDwordData(std::uint32_t(Value)));
}

int TRegistry::ReadBinaryData(const QString& Name, void* Buffer, int BufSize)
{
    DWORD type;
    QByteArray data;
    if (!GetValue(currentPath_, Name, type, data))
        return 0;
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_DWORD)
        throw ERegistryException(QStringLiteral("Invalid data type for '%1'").arg(Name));
    if (data.size() > BufSize)
        throw ERegistryException(QStringLiteral("Failed to get data for '%1'").arg(Name));
    if (!data.isEmpty())
        std::memcpy(Buffer, data.constData(), size_t(data.size()));
    return int(data.size());
}

void TRegistry::WriteBinaryData(const QString& Name, const void* Buffer, int BufSize)
{
    PutValue(currentPath_, Name, REG_BINARY, QByteArray(static_cast<const char*>(Buffer), BufSize));
}
