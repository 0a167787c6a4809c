// CopyRegKey.
#include "platform/registry/key_copy.h"

#include "platform/registry/hive.h"
#include "platform/registry/hive_store.h"

#include <functional>
#include <vector>

using namespace win;

bool CopyRegKey(const QString& Source, const QString& Target)
{
    THiveStore& store = THiveStore::CurrentUser();
    // A snapshot first: the store's lock is held while Read runs, so nothing may be written then.
    struct TCopiedKey {
        QString RelativePath;
        std::vector<THiveValue> Values;
    };
    std::vector<TCopiedKey> keys;
    const std::function<void(const THiveKey&, const QString&)> collect = [&](const THiveKey& Key, const QString& Path) {
        keys.push_back({Path, Key.Values()});
        for (const auto& [name, subKey] : Key.SubKeys())
            collect(*subKey, Path + '\\' + subKey->Name());
    };
    if (!store.Read(Source, [&](const THiveKey& Key) { collect(Key, QString()); }))
        return false;
    for (const TCopiedKey& key : keys) {
        const QString path = Target + key.RelativePath;
        if (store.OpenKey(path, true) != ERROR_SUCCESS)
            return false;
        store.CloseKey();
        for (const THiveValue& value : key.Values)
            if (store.SetValue(path, value.Name, value.Type, value.Data) != ERROR_SUCCESS)
                return false;
    }
    return true;
}
