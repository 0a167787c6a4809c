// TRegIniFile: a key of the user's registry used like an INI file.
#pragma once

#include "platform/registry/registry.h"

// Sections are subkeys of the key (a section may be a path several levels down; "" is the key
// itself) and idents are value names. Writing a value creates its section; reading from a
// missing section gives the default and creates nothing.
//
// Reading is tolerant: a missing value gives the default; a REG_DWORD reads as its signed decimal
// text; ReadInteger takes a REG_SZ of decimal digits (with an optional sign) or a REG_DWORD and
// gives the default for any other text; a value of any other type reads as missing (and is noted
// once per run in the log). Integers and Booleans are written as REG_SZ decimal text.
class TRegIniFile : public TRegistry {
public:
    // Opens the key FileName below HKEY_CURRENT_USER, creating it when missing; raises
    // ERegistryException when it cannot.
    explicit TRegIniFile(const QString& FileName);

    const QString& FileName() const { return fileName_; }

    QString ReadString(const QString& Section, const QString& Ident, const QString& Default);
    int ReadInteger(const QString& Section, const QString& Ident, int Default);
    // Any integer but 0 is true.
    bool ReadBool(const QString& Section, const QString& Ident, bool Default);
    void WriteString(const QString& Section, const QString& Ident, const QString& Value);
    void WriteInteger(const QString& Section, const QString& Ident, int Value);
    // "1" or "0".
    void WriteBool(const QString& Section, const QString& Ident, bool Value);

    bool SectionExists(const QString& Section);
    bool ValueExists(const QString& Section, const QString& Ident);
    // The value names of the section, in their order.
    void ReadSection(const QString& Section, TStrings& Strings);
    // The value names and texts of the section as Name=Value lines.
    void ReadSectionValues(const QString& Section, TStrings& Strings);
    // The sections of the key itself, in the registry's order.
    void ReadSections(TStrings& Strings);
    // The subkeys of a section, in the registry's order.
    void ReadSubSections(const QString& Section, TStrings& Strings);
    // Deletes the section with everything below it.
    void EraseSection(const QString& Section);

private:
    // The text of a value of a text or DWORD type; nothing for a missing value or another type.
    std::optional<QString> ReadText(const QString& Section, const QString& Ident);

    QString fileName_;
};
