// The registry and file storages.
#include "settings/storages.h"

#include "platform/rtl/streams.h"
#include "platform/system/atomic_file.h"
#include "platform/system/error_text.h"
#include "platform/system/files.h"
#include "settings/component_stream.h"
#include "settings/property_persistence.h"

void TStorageReg2::Save(QObject* Component)
{
    SavePropertiesToKey(Component, GetName());
}

bool TStorageReg2::Load(QObject* Component)
{
    LoadPropertiesFromKey(GetName(), Component);
    return true;
}

void TStorageCfg2::Save(QObject* Component)
{
    TMemoryStream stream;
    WriteComponentStream(stream, Component);
    const int error = WriteFileAtomically(GetName(), QByteArray(stream.Memory(), qsizetype(stream.Size())));
    if (error != 0)
        throw EFCreateError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(GetName(), SysErrorMessage(error)));
}

bool TStorageCfg2::Load(QObject* Component)
{
    if (!FileExists(GetName()))
        return false;
    try {
        TMemoryStream stream;
        stream.LoadFromFile(GetName());
        ReadComponentStream(stream, Component);
        return true;
    } catch (const Exception&) {
        return false;
    }
}
