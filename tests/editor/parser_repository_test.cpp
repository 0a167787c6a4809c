// The parser repository over the main window's seven default file filters.
#include "language_list.h"

#include "routines/registry_helpers.h"

#include <gtest/gtest.h>

namespace {

TEST(ParserRepository, AFileFindsTheParserOfTheFilterThatListsItsExtension)
{
    TLanguageList languages;
    const struct {
        const char* file;
        int parser;
    } cases[] = {
        {"X.HTM", 0},
        {"style.css", 0},
        {"/srv/www.d/index.PHP3", 0},
        {"notes.txt", 1},
        {"unit.pas", 2},
        {"main.cpp", 3},
        {"q.sql", 6},
        // Extensions that are only the start of a listed one match nothing.
        {"a.c", -1},
        {"a.h", -1},
        {"a.p", -1},
        {"a.as", -1},
        {"a.xyz", -1},
        {"Makefile", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParserIndexForFile(QString::fromLatin1(c.file)), c.parser) << c.file;

    EXPECT_EQ(ParserIndexForFileDef(QStringLiteral("a.xyz")), 1);
    EXPECT_EQ(ParserForFile(QStringLiteral("a.xyz")), languages.Parsers[1].get());
    EXPECT_EQ(ParserForFile(QStringLiteral("a.HTML")), languages.Parsers[0].get());
    EXPECT_EQ(IndexOfParser(QStringLiteral("web documents")), 0);
    EXPECT_EQ(ParserByName(QStringLiteral("Java Documents")), languages.Parsers[5].get());
    EXPECT_EQ(ParserByIndex(7), nullptr);
    EXPECT_EQ(PlainParserIndex(), 1);
    EXPECT_EQ(WebParser(), languages.Parsers[0].get());
}

TEST(ParserRepository, WithoutAPlainTextParserUnlistedFilesGetTheWebParser)
{
    TLanguageList languages(1);
    EXPECT_EQ(PlainParserIndex(), -1);
    EXPECT_EQ(PlainParser(), nullptr);
    EXPECT_EQ(ParserIndexForFileDef(QStringLiteral("a.xyz")), 0);
    // A parser named "Plain Documents" is taken wherever it stands.
    TStubParser plain;
    plain.Settings().Name = QStringLiteral("Plain Documents");
    ParserList()->AddObject(QStringLiteral("Plain"), &plain);
    EXPECT_EQ(ParserIndexForFileDef(QStringLiteral("a.xyz")), 1);
}

TEST(ParserRepository, DefaultExtensionsAndEditableFiles)
{
    TLanguageList languages;
    EXPECT_EQ(DefaultExtForFilter(QStringLiteral("Web Documents")), QStringLiteral(".html"));
    EXPECT_EQ(DefaultExtForFilter(QStringLiteral("No Documents")), QString());
    EXPECT_EQ(DefaultExtAt(1), QStringLiteral(".txt"));
    EXPECT_EQ(DefaultExtAt(7), QString());

    SetEditableExts(AppSettings()->EditFileFilters()->Text());
    for (const char* name : {"a.htm", "A.HTM", "dir/b.Css", "Makefile", "x.sql"})
        EXPECT_TRUE(IsEditableFile(QString::fromLatin1(name))) << name;
    for (const char* name : {"a.c", "a.h", "a.exe", "b.htmx"})
        EXPECT_FALSE(IsEditableFile(QString::fromLatin1(name))) << name;
    ParserList(1);
    EXPECT_FALSE(IsEditableFile(QStringLiteral("a.htm"))) << "cleared with the list";
}

TEST(ParserRepository, ALineWithoutEqualsIsNoFilter)
{
    TLanguageList languages;
    AppSettings()->EditFileFilters()->Insert(1, QStringLiteral("Broken *.pas;*.txt[zzz]"));
    EXPECT_EQ(ParserIndexForFile(QStringLiteral("unit.pas")), 2);
    EXPECT_EQ(ParserIndexForFile(QStringLiteral("notes.txt")), 1);
    // Counted as the file dialogs count their filters.
    EXPECT_EQ(DefaultExtAt(1), QStringLiteral(".txt"));
    EXPECT_EQ(DefaultExtAt(2), QStringLiteral(".pas"));
    EXPECT_EQ(DefaultExtAt(6), QStringLiteral(".sql"));
    EXPECT_EQ(DefaultExtAt(7), QString());
}

// Records how the repository calls the stored-settings entries.
class TRecordingParser : public TStubParser {
public:
    void SaveToRegistry() override
    {
        Calls.push_back(QStringLiteral("save %1 %2").arg(RegistryKey).arg(UseRegistry));
    }
    void LoadFromRegistry(bool UseOwnKey, const QString& KeyPath) override
    {
        Calls.push_back(QStringLiteral("load %1 %2").arg(KeyPath).arg(UseOwnKey));
    }
    QStringList Calls;
};

TEST(ParserRepository, ParserSettingsAreKeptUnderTheMainFormsKey)
{
    TRecordingParser a;
    TRecordingParser b;
    TStringList list;
    list.AddObject(QStringLiteral("a"), &a);
    list.AddObject(QStringLiteral("none"), nullptr);
    list.AddObject(QStringLiteral("b"), &b);
    const QString key = QStringLiteral("Software\\Tarnwick Software\\Halyard FTP 5\\Main Form\\Parsers\\");
    SaveParserSettings(list);
    LoadParserSettings(list);
    for (const TRecordingParser* parser : {&a, &b}) {
        EXPECT_EQ(parser->Calls, (QStringList{QStringLiteral("save %1 1").arg(key), QStringLiteral("load %1 0").arg(key)}));
        EXPECT_FALSE(parser->UseRegistry) << "allowed for the save only";
    }
}

} // namespace
