// The small registry routines.
#include "routines/registry_helpers.h"

#include "platform/registry/hive.h"
#include "platform/registry/reg_ini_file.h"

QString RegReadStr(TRegIniFile& Ini, const QString& Section, const QString& Name, const QString& Default)
{
    return Ini.ReadString(Section, Name, Default);
}

int RegReadInt(TRegIniFile& Ini, const QString& Section, const QString& Name, int Default)
{
    return Ini.ReadInteger(Section, Name, Default);
}

void RegWriteStr(TRegIniFile& Ini, const QString& Section, const QString& Name, const QString& Value)
{
    Ini.WriteString(Section, Name, Value);
}

void RegWriteInt(TRegIniFile& Ini, const QString& Section, const QString& Name, int Value)
{
    Ini.WriteInteger(Section, Name, Value);
}

int RegReadIntAt(const QString& Key, const QString& Section, const QString& Name, int Default)
{
    TRegIniFile ini(Key);
    return RegReadInt(ini, Section, Name, Default);
}

void RegWriteValueAt(const QString& Key, const QString& Section, const QString& Name, bool IsInteger,
                     int IntValue, const QString& StrValue)
{
    TRegIniFile ini(Key);
    if (IsInteger)
        RegWriteInt(ini, Section, Name, IntValue);
    else
        RegWriteStr(ini, Section, Name, StrValue);
}

bool RegDeleteSubKeyAt(const QString& Key, const QString& SubKey)
{
    // Always below Key: an empty path would name Key itself, and one with a leading "\" the root.
    const QStringList names = SplitRegPath(SubKey);
    if (names.isEmpty())
        return false;
    TRegistry registry;
    return registry.OpenKey(Key, false) && registry.DeleteKey(names.join(QLatin1Char('\\')));
}
