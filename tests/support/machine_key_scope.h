// A seeded HKEY_LOCAL_MACHINE for one test: one key with one text value, emptied again at the end.
#pragma once

#include "platform/registry/hive.h"
#include "platform/registry/hive_store.h"
#include "platform/registry/reg_data.h"

#include <QString>

// While it lives, HKEY_LOCAL_MACHINE holds the key Path (backslash-separated) with the string
// value Name = Value, and nothing else.
class TMachineKeyScope {
public:
    TMachineKeyScope(const QString& Path, const QString& Name, const QString& Value)
    {
        THiveKey machine;
        THiveKey* key = &machine;
        for (const QString& name : Path.split(u'\\'))
            key = &key->AddSubKey(name);
        key->SetValue(Name, win::REG_SZ, RegStringData(Value));
        THiveStore::ForRoot(win::HKEY_LOCAL_MACHINE)->Seed(std::move(machine));
    }
    ~TMachineKeyScope() { THiveStore::ForRoot(win::HKEY_LOCAL_MACHINE)->Seed(THiveKey()); }
    TMachineKeyScope(const TMachineKeyScope&) = delete;
    TMachineKeyScope& operator=(const TMachineKeyScope&) = delete;
};
