// WriteDirectoryCols, apart from the shell headers (the registry's error numbers are its own).
#include "directory_cols_value.h"

#include "platform/registry/registry.h"

#include <gtest/gtest.h>

void WriteDirectoryCols(const QByteArray& Data)
{
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"), true));
    registry.WriteBinaryData(QStringLiteral("DirectoryCols"), Data.constData(), int(Data.size()));
}
