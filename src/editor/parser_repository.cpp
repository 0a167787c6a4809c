// The parser repository: the parser list, file filters and the parsers' stored settings.
#include "editor/parser_repository.h"

#include "editor/language/custom_syntax_memo_parser.h"
#include "editor/language/sm_settings.h"

#include "routines/name_checks.h"
#include "routines/registry_helpers.h"
#include "settings/app_settings.h"

#include "platform/rtl/string_list.h"

#include <QRegularExpression>
#include <QStringList>
#include <memory>
#include <utility>

namespace {

std::unique_ptr<TStringList>& Parsers()
{
    static std::unique_ptr<TStringList> list;
    return list;
}

QString& EditableExts()
{
    static QString text;
    return text;
}

const QString PlainDocuments = QStringLiteral("Plain Documents");
const QString TextDocuments = QStringLiteral("Text Documents");
const QString WebDocuments = QStringLiteral("Web Documents");

TCustomSyntaxMemoParser* ParserOf(const TStrings& List, int I)
{
    return dynamic_cast<TCustomSyntaxMemoParser*>(List.Objects(I));
}

// The patterns of one filter text: the part after "=" (when there is one), without the bracketed
// default extension, split at ";".
QStringList PatternsOf(QString Text)
{
    if (const int equals = Text.indexOf(QLatin1Char('=')); equals >= 0)
        Text = Text.mid(equals + 1);
    if (const int open = Text.indexOf(QLatin1Char('[')); open >= 0) {
        const int close = Text.indexOf(QLatin1Char(']'), open);
        Text.remove(open, close < 0 ? Text.size() - open : close - open + 1);
    }
    QStringList patterns;
    for (const QString& item : Text.split(QLatin1Char(';'))) {
        if (const QString pattern = item.trimmed(); !pattern.isEmpty())
            patterns.push_back(pattern);
    }
    return patterns;
}

QString NamePart(const QString& FileName)
{
    return FileName.mid(FileName.lastIndexOf(QLatin1Char('/')) + 1);
}

TStrings& FileFilters()
{
    return *AppSettings()->EditFileFilters();
}

QString DefaultExtOf(const TStrings& Filters, int I)
{
    if (I < 0 || I >= Filters.Count())
        return {};
    QString patterns = Filters.Strings(I).mid(Filters.Strings(I).indexOf(QLatin1Char('=')) + 1);
    const QString ext = ExtractBracketed(patterns, false);
    return ext.isEmpty() ? QString() : QLatin1Char('.') + ext;
}

} // namespace

TStringList* ParserList(int Flag)
{
    std::unique_ptr<TStringList>& list = Parsers();
    if (Flag == 1) {
        list.reset();
        EditableExts().clear();
        return nullptr;
    }
    if (!list)
        list = std::make_unique<TStringList>();
    return list.get();
}

TCustomSyntaxMemoParser* ParserByIndex(int I)
{
    const TStringList& list = *ParserList();
    return I >= 0 && I < list.Count() ? ParserOf(list, I) : nullptr;
}

int IndexOfParser(const QString& Name)
{
    const TStringList& list = *ParserList();
    for (int i = 0; i < list.Count(); ++i) {
        const TCustomSyntaxMemoParser* parser = ParserOf(list, i);
        if (parser && parser->Settings().Name.compare(Name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

TCustomSyntaxMemoParser* ParserByName(const QString& Name)
{
    return ParserByIndex(IndexOfParser(Name));
}

bool MatchesFilterPatterns(const QString& FileName, const QString& Patterns)
{
    const QString name = NamePart(FileName);
    for (const QString& pattern : PatternsOf(Patterns)) {
        if (QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive).match(name).hasMatch())
            return true;
    }
    return false;
}

int ParserIndexForFile(const QString& FileName)
{
    const TStrings& filters = FileFilters();
    for (int i = 0; i < filters.Count(); ++i) {
        const QString filter = filters.Strings(i);
        if (filter.contains(QLatin1Char('=')) && MatchesFilterPatterns(FileName, filter))
            return ParserList()->IndexOf(filters.Names(i));
    }
    return -1;
}

int ParserIndexForFileDef(const QString& FileName)
{
    int index = ParserIndexForFile(FileName);
    if (index < 0)
        index = PlainParserIndex();
    if (index < 0)
        index = WebParserIndex();
    return index;
}

TCustomSyntaxMemoParser* ParserForFile(const QString& FileName)
{
    const int index = ParserIndexForFile(FileName);
    return index >= 0 ? ParserByIndex(index) : PlainParser();
}

int PlainParserIndex()
{
    if (const int named = IndexOfParser(PlainDocuments); named >= 0)
        return named;
    const TCustomSyntaxMemoParser* second = ParserByIndex(1);
    return second && second->Settings().Name.compare(TextDocuments, Qt::CaseInsensitive) == 0 ? 1 : -1;
}

TCustomSyntaxMemoParser* PlainParser()
{
    return ParserByIndex(PlainParserIndex());
}

int WebParserIndex()
{
    return IndexOfParser(WebDocuments);
}

TCustomSyntaxMemoParser* WebParser()
{
    return ParserByIndex(WebParserIndex());
}

QString DefaultExtForFilter(const QString& Name)
{
    const TStrings& filters = FileFilters();
    return DefaultExtOf(filters, filters.IndexOfName(Name));
}

QString DefaultExtAt(int I)
{
    const TStrings& filters = FileFilters();
    return DefaultExtOf(filters, FilterEntryLine(filters, I));
}

void SetEditableExts(const QString& Text)
{
    EditableExts() = Text;
}

bool IsEditableFile(const QString& FileName)
{
    const QString name = NamePart(FileName);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot == name.size() - 1)
        return true;
    const QStringList lines = EditableExts().split(QRegularExpression(QStringLiteral("[\r\n]+")));
    for (const QString& line : lines) {
        if (MatchesFilterPatterns(name, line))
            return true;
    }
    return false;
}

QString ParserSettingsKey()
{
    return MainFormRegKey + QStringLiteral("Parsers\\");
}

void SaveParserSettings(const TStrings& List)
{
    for (int i = 0; i < List.Count(); ++i) {
        TCustomSyntaxMemoParser* parser = ParserOf(List, i);
        if (!parser)
            continue;
        const bool allowed = std::exchange(parser->UseRegistry, true);
        parser->RegistryKey = ParserSettingsKey();
        try {
            parser->SaveToRegistry();
        } catch (...) {
            parser->UseRegistry = allowed;
            throw;
        }
        parser->UseRegistry = allowed;
    }
}

void LoadParserSettings(const TStrings& List)
{
    for (int i = 0; i < List.Count(); ++i) {
        if (TCustomSyntaxMemoParser* parser = ParserOf(List, i))
            parser->LoadFromRegistry(false, ParserSettingsKey());
    }
}
