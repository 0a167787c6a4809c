// The main window's seven languages for the document and repository tests: stub parsers named as
// the default editor file filters, entered in the parser list as the main window enters them.
#pragma once

#include "stub_parser.h"

#include "editor/language/sm_settings.h"
#include "editor/parser_repository.h"

#include "settings/app_settings.h"

#include "platform/rtl/string_list.h"

#include <QStringList>
#include <array>
#include <memory>
#include <vector>

inline const QStringList DefaultEditFileFilters = {
    QStringLiteral("Web Documents=*.htm;*.html;*.css;*.cgi;*.pl;*.asp;*.phtml;*.shtml;*.shtm;*.wml;*.cfm;*.cfml;"
                   "*.php;*.php3;*.pm;*.xml[html]"),
    QStringLiteral("Text Documents=*.txt;*.diz;*.log;*.asc;*.reg[txt]"),
    QStringLiteral("Object Pascal Documents=*.pas;*.dpr;*.inc[pas]"),
    QStringLiteral("ANSI C Documents=*.cpp;*.obj[cpp]"),
    QStringLiteral("Visual Basic Documents=*.vbs;*.vbp;*.frm;*.bas[vbs]"),
    QStringLiteral("Java Documents=*.java;*.js[js]"),
    QStringLiteral("PL/SQL Documents=*.sql[sql]"),
};

// While it lives the settings hold the default filters and the parser list the seven parsers
// (or the first Count of them); afterwards both are as before.
class TLanguageList {
public:
    explicit TLanguageList(int Count = 7)
    {
        TStrings& filters = *AppSettings()->EditFileFilters();
        savedFilters_.Assign(filters);
        filters.Clear();
        for (const QString& line : DefaultEditFileFilters)
            filters.Add(line);
        ParserList(1);
        for (int i = 0; i < Count; ++i) {
            const QString name = DefaultEditFileFilters[i].section(QLatin1Char('='), 0, 0);
            Parsers.push_back(std::make_unique<TStubParser>());
            Parsers.back()->Settings().Name = name;
            ParserList()->AddObject(name, Parsers.back().get());
        }
    }
    ~TLanguageList()
    {
        ParserList(1);
        AppSettings()->EditFileFilters()->Assign(savedFilters_);
    }
    TLanguageList(const TLanguageList&) = delete;
    TLanguageList& operator=(const TLanguageList&) = delete;

    std::vector<std::unique_ptr<TStubParser>> Parsers;

private:
    TStringList savedFilters_;
};
