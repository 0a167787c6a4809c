// TRegIniFile over TRegistry.
#include "platform/registry/reg_ini_file.h"

#include "platform/registry/reg_data.h"
#include <QSet>
#include <mutex>

using namespace win;

TRegIniFile::TRegIniFile(const QString& FileName) : fileName_(FileName)
{
    if (!OpenKey(FileName, true))
        throw ERegistryException(QStringLiteral("Failed to create key '%1'").arg(FileName));
}

// Notes in the log, once per value and run, that a value of an unexpected type was skipped.
static void NoteUnexpectedType(const QString& Path, const QString& Ident, DWORD Type)
{
    static std::mutex mutex;
    static QSet<QString> noted;
    const QString value = Path + QLatin1Char('\\') + Ident;
    std::lock_guard lock(mutex);
    if (!noted.contains(value)) {
        noted.insert(value);
        qWarning("The registry value \"%s\" has the type %u; it reads as missing.", qPrintable(value), Type);
    }
}

std::optional<QString> TRegIniFile::ReadText(const QString& Section, const QString& Ident)
{
    DWORD type;
    QByteArray data;
    const QString path = SectionPath(Section);
    if (!GetValue(path, Ident, type, data))
        return std::nullopt;
    if (type == REG_SZ || type == REG_EXPAND_SZ)
        return RegDataString(data);
    const auto number = RegDataDword(data);
    if (type == REG_DWORD && number)
        return QString::number(std::int32_t(*number));
    NoteUnexpectedType(path, Ident, type);
    return std::nullopt;
}

QString TRegIniFile::ReadString(const QString& Section, const QString& Ident, const QString& Default)
{
    return ReadText(Section, Ident).value_or(Default);
}

int TRegIniFile::ReadInteger(const QString& Section, const QString& Ident, int Default)
{
    const auto text = ReadText(Section, Ident);
    if (!text)
        return Default;
    bool ok = false;
    const int value = text->toInt(&ok, 10);
    return ok ? value : Default;
}

bool TRegIniFile::ReadBool(const QString& Section, const QString& Ident, bool Default)
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TRegIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value)
{
    PutValue(SectionPath(Section), Ident, REG_SZ, RegStringData(Value));
}

void TRegIniFile::WriteInteger(const QString& Section, const QString& Ident, int Value)
{
    WriteString(Section, Ident, QString::number(Value));
}

void TRegIniFile::WriteBool(const QString& Section, const QString& Ident, bool Value)
{
    WriteInteger(Section, Ident, Value ? 1 : 0);
}

bool TRegIniFile::SectionExists(const QString& Section)
{
    return KeyExists(QLatin1Char('\\') + SectionPath(Section));
}

bool TRegIniFile::ValueExists(const QString& Section, const QString& Ident)
{
    DWORD type;
    QByteArray data;
    return GetValue(SectionPath(Section), Ident, type, data);
}

void TRegIniFile::ReadSection(const QString& Section, TStrings& Strings)
{
    FillStrings(Strings, ValueNames(SectionPath(Section)));
}

void TRegIniFile::ReadSectionValues(const QString& Section, TStrings& Strings)
{
    QStringList lines;
    for (const QString& name : ValueNames(SectionPath(Section)))
        lines += name + QLatin1Char('=') + ReadString(Section, name, {});
    FillStrings(Strings, lines);
}

void TRegIniFile::ReadSections(TStrings& Strings)
{
    ReadSubSections({}, Strings);
}

void TRegIniFile::ReadSubSections(const QString& Section, TStrings& Strings)
{
    FillStrings(Strings, SubKeyNames(SectionPath(Section)));
}

void TRegIniFile::EraseSection(const QString& Section)
{
    if (!Section.isEmpty())
        DeleteKey(QLatin1Char('\\') + SectionPath(Section));
}
