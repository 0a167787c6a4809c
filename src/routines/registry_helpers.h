// The program's registry keys and the small routines that read, write or delete one registry
// value or key.
#pragma once

#include <QString>

class TRegIniFile;

// Keys below HKEY_CURRENT_USER, each ending in "\".
inline const QString CompanyRegKey = QStringLiteral("Software\\Tarnwick Software\\");
// The program's own key; the settings object, bookmarks and dialog positions lie below it.
inline const QString ProductRegKey = CompanyRegKey + QStringLiteral("Halyard FTP 5\\");
// Server profiles and firewall entries lie below this key, not below the program's own.
inline const QString InternetRegKey = CompanyRegKey + QStringLiteral("Internet\\");
inline const QString MainFormRegKey = ProductRegKey + QStringLiteral("Main Form\\");

// Through an open INI object; Section is a subkey path below its key ("" for the key itself).
// Reading gives Default for a missing value (TRegIniFile's rules).
QString RegReadStr(TRegIniFile& Ini, const QString& Section, const QString& Name, const QString& Default);
int RegReadInt(TRegIniFile& Ini, const QString& Section, const QString& Name, int Default);
void RegWriteStr(TRegIniFile& Ini, const QString& Section, const QString& Name, const QString& Value);
void RegWriteInt(TRegIniFile& Ini, const QString& Section, const QString& Name, int Value);

// Open the key Key (created when missing), read or write one value, and close it again.
int RegReadIntAt(const QString& Key, const QString& Section, const QString& Name, int Default);
// Writes IntValue when IsInteger, else StrValue.
void RegWriteValueAt(const QString& Key, const QString& Section, const QString& Name, bool IsInteger,
                     int IntValue, const QString& StrValue);
// Deletes the subkey SubKey (a path below Key, even when it starts with "\") of the existing key
// Key with everything below it; false when either does not exist or SubKey names no subkey.
bool RegDeleteSubKeyAt(const QString& Key, const QString& SubKey);
