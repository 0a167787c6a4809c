// TIniFile over the file's lines.
#include "platform/registry/ini_file.h"

#include "platform/rtl/string_list.h"

TIniFile::TIniFile(const QString& FileName) : fileName_(FileName)
{
    TStringList lines;
    try {
        lines.LoadFromFile(FileName);
    } catch (const Exception&) {
        return;
    }
    for (int i = 0; i < lines.Count(); ++i) {
        const QString line = lines.Strings(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            sections_.push_back({line.mid(1, close < 0 ? -1 : close - 1).trimmed(), {}, {}});
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0 || sections_.empty())
            continue;
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        sections_.back().Idents += line.left(equals).trimmed();
        sections_.back().Values += value;
    }
}

const TIniFile::TSection* TIniFile::Find(const QString& Section) const
{
    for (const TSection& section : sections_) {
        if (section.Name.compare(Section, Qt::CaseInsensitive) == 0)
            return &section;
    }
    return nullptr;
}

int TIniFile::IndexOf(const TSection& Section, const QString& Ident)
{
    for (qsizetype i = 0; i < Section.Idents.size(); ++i) {
        if (Section.Idents[i].compare(Ident, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QString TIniFile::ReadString(const QString& Section, const QString& Ident, const QString& Default) const
{
    const TSection* section = Find(Section);
    const int index = section ? IndexOf(*section, Ident) : -1;
    return index < 0 ? Default : section->Values[index];
}

int TIniFile::ReadInteger(const QString& Section, const QString& Ident, int Default) const
{
    bool ok = false;
    const int value = ReadString(Section, Ident, {}).toInt(&ok, 10);
    return ok ? value : Default;
}

bool TIniFile::SectionExists(const QString& Section) const
{
    return Find(Section) != nullptr;
}

bool TIniFile::ValueExists(const QString& Section, const QString& Ident) const
{
    const TSection* section = Find(Section);
    return section && IndexOf(*section, Ident) >= 0;
}
