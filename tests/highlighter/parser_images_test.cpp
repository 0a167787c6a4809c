// The parser images the host program compiles while the project builds: the embedded image reads
// into a parser that writes it back byte for byte, equals what compiling the script here gives,
// and tokenizes; the program's failures leave no image behind.
#include "table_builder.h"

#include "editor/language/sm_settings.h"
#include "highlighter/syntax_memo_parser.h"

#include "platform/rtl/streams.h"

#include "support/qt_printers.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

namespace {

QByteArray Resource(const QString& Name)
{
    QFile file(Name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << Name.toStdString();
    return file.readAll();
}

QByteArray PropertyOf(const TSyntaxMemoParser& Parser)
{
    TMemoryStream stream;
    Parser.WriteData(stream);
    return QByteArray(static_cast<const char*>(stream.Memory()), qsizetype(stream.Size()));
}

void ReadProperty(TSyntaxMemoParser& Parser, const QByteArray& Property)
{
    TMemoryStream stream;
    stream.WriteBuffer(Property.constData(), Property.size());
    stream.SetPosition(0);
    Parser.ReadData(stream);
}

struct TRun {
    int ExitCode;
    QString Errors;
};

TRun RunCompiler(const QStringList& Arguments)
{
    QProcess process;
    process.start(HFTP_PARSERCC, Arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(ParserImages, EmbeddedImageReadsAndWritesBackByteForByte)
{
    const QByteArray embedded = Resource(":/parsers/every_section.parser");
    ASSERT_GT(embedded.size(), 6);
    EXPECT_EQ(embedded.left(2), QByteArray("\x33\x00", 2)); // version 51

    TSyntaxMemoParser loaded;
    ReadProperty(loaded, embedded);
    EXPECT_EQ(PropertyOf(loaded), embedded);
    EXPECT_EQ(loaded.Settings().Name, "Every Section");
    EXPECT_EQ(loaded.Settings().KeyController().GetCommandName(13), "Copy");

    // Compiling the script here gives the same bytes as the build did.
    TSyntaxMemoParser compiled;
    compiled.SetScript(HFTP_TEST_SCRIPTS "/every_section.syn");
    compiled.CompileScriptFile();
    EXPECT_EQ(PropertyOf(compiled), embedded);

    const std::vector<TTok> expected{{1, "{ c }"}, {0, " "}, {2, "begin"}, {0, " "}, {3, "'it''s'"}, {0, " "},
                                     {4, "12"},    {0, " "}, {10, "<a"},    {0, " "}, {11, "href"},   {12, ">"},
                                     {0, "x"}};
    EXPECT_EQ(Tokenize(loaded, "{ c } begin 'it''s' 12 <a href>x"), expected);
}

TEST(ParserImages, CompilerProgramWritesOnlyWhatCompiled)
{
    TTempTree tree;
    tree.File("bad.syn", "%%language\rname = 'x'\r  bogus = 1");
    tree.File("good.syn", "%%language name = 'Good'");

    const TRun bad = RunCompiler({tree.Path("bad.syn"), tree.Path("bad.parser")});
    EXPECT_EQ(bad.ExitCode, 1);
    EXPECT_TRUE(bad.Errors.contains("** ERROR near line 3, Column 8: Identifier \"bogus\" Unknown"))
        << bad.Errors.toStdString();
    EXPECT_FALSE(tree.Exists("bad.parser"));

    const TRun missing = RunCompiler({tree.Path("none.syn"), tree.Path("none.parser")});
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_FALSE(tree.Exists("none.parser"));
    EXPECT_EQ(RunCompiler({tree.Path("good.syn")}).ExitCode, 1);

    // Two runs give the same bytes.
    ASSERT_EQ(RunCompiler({tree.Path("good.syn"), tree.Path("one.parser")}).ExitCode, 0);
    ASSERT_EQ(RunCompiler({tree.Path("good.syn"), tree.Path("two.parser")}).ExitCode, 0);
    EXPECT_EQ(tree.Read("one.parser"), tree.Read("two.parser"));
    TSyntaxMemoParser parser;
    ReadProperty(parser, tree.Read("one.parser"));
    EXPECT_EQ(parser.Settings().Name, "Good");
}

} // namespace
