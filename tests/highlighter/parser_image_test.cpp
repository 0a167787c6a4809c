// The compiled table image and the "Parser" property: byte-stable round trips, what is and is not
// stored, the version-mismatch path, copying parsers, and truncated and malformed images.
#include "compress_bytes.h"
#include "sample_parser.h"
#include "table_builder.h"

#include "editor/language/sm_settings.h"
#include "editor/document/syntax_memo_error.h"
#include "editor/document/table_stream.h"
#include "highlighter/compressor_exceptions.h"
#include "highlighter/parser_image.h"

#include "support/qt_printers.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <functional>
#include <optional>
#include <tuple>

namespace {

QByteArray Content(TCustomMemoryStream& Stream)
{
    return QByteArray(Stream.Memory(), qsizetype(Stream.Size()));
}

void Fill(TMemoryStream& Stream, const QByteArray& Bytes)
{
    Stream.Clear();
    Stream.WriteBuffer(Bytes.constData(), Bytes.size());
    Stream.SetPosition(0);
}

QByteArray Image(const TSyntaxMemoParser& Parser)
{
    TMemoryStream stream;
    WriteParserImage(Parser, stream);
    return Content(stream);
}

QByteArray Property(const TSyntaxMemoParser& Parser)
{
    TMemoryStream stream;
    Parser.WriteData(stream);
    return Content(stream);
}

// A property of the given version holding Image, with its stated size.
QByteArray PropertyOf(int Version, const QByteArray& Image, std::int32_t StatedSize)
{
    TMemoryStream stream;
    WriteWord(stream, std::uint16_t(Version));
    WriteInteger(stream, StatedSize);
    const QByteArray container = CompressBytes(Image, TCompressor::MethodKH);
    stream.WriteBuffer(container.constData(), container.size());
    return Content(stream);
}

void ReadProperty(TSyntaxMemoParser& Parser, const QByteArray& Bytes)
{
    TMemoryStream stream;
    Fill(stream, Bytes);
    Parser.ReadData(stream);
}

void ReadImage(TSyntaxMemoParser& Parser, const QByteArray& Bytes)
{
    TMemoryStream stream;
    Fill(stream, Bytes);
    Parser.ResetTables();
    ReadParserImage(Parser, stream, TSyntaxMemoParser::ParserVersion);
}

bool TablesEmpty(const TSyntaxMemoParser& Parser)
{
    for (int i = 0; i < 256; ++i) {
        if (Parser.Handlers[i] || Parser.StartTable[i] || Parser.Transitions[i] || Parser.StateStartTables[i])
            return false;
    }
    return Parser.NoStateTables && Parser.Keywords->Words.empty() && !Parser.UsesEvents;
}

// The image's bytes at the end: state start tables (their count last before), three sets, a byte.
constexpr int ImageTailSize = 3 * 32 + 1;

std::int32_t StateTableCount(const QByteArray& Image)
{
    TMemoryStream stream;
    Fill(stream, Image.mid(Image.size() - ImageTailSize - 4, 4));
    return ReadInteger(stream);
}

TEST(ParserImage, RoundTripIsByteStableAndKeepsEveryTable)
{
    TSyntaxMemoParser original;
    BuildSampleParser(original);
    const QByteArray property = Property(original);
    ASSERT_EQ(property.left(2), QByteArray::fromHex("3300")); // version 51

    TSyntaxMemoParser copy;
    ReadProperty(copy, property);
    EXPECT_EQ(Property(copy), property);
    EXPECT_EQ(Image(copy), Image(original));

    EXPECT_EQ(copy.StateTableStates, TSM_StateSet::Of({2, 3}));
    EXPECT_FALSE(copy.NoStateTables);
    EXPECT_EQ(copy.StateStartTables[2]->Ranges.size(), 2u);
    EXPECT_EQ(copy.StateStartTables[2]->Ranges[1].Low, 'a');
    EXPECT_EQ(copy.ContextStates[5], TSM_StateSet::Of({1}));
    EXPECT_EQ(copy.ContextStates[7], copy.DefaultStates);
    EXPECT_EQ(copy.AnchorStates, original.AnchorStates);
    EXPECT_EQ(copy.BoundStates, original.BoundStates);
    EXPECT_TRUE(copy.UsesEvents);
    EXPECT_EQ(copy.Settings().Name, "Sample");
    EXPECT_EQ(copy.Settings().StreamVersion, TSM_Settings::CurrentStreamVersion);
    for (int v = 0; v < 256; ++v) {
        ASSERT_EQ(bool(copy.Transitions[v]), bool(original.Transitions[v])) << v;
        if (copy.Transitions[v]) {
            EXPECT_EQ(*copy.Transitions[v], *original.Transitions[v]) << v;
        }
        EXPECT_EQ(bool(copy.Handlers[v]), bool(original.Handlers[v])) << v;
        EXPECT_EQ(bool(copy.StartTable[v]), bool(original.StartTable[v])) << v;
    }
    // Group IDs are the reader's own; what the tables do is the same.
    EXPECT_EQ(Tokenize(copy, SampleParserText), Tokenize(original, SampleParserText));
}

TEST(ParserImage, WithoutStateBlocksTheCountIsZero)
{
    TSyntaxMemoParser parser;
    TTableBuilder b(parser);
    b.Single(1, "x");
    b.Finish();
    EXPECT_EQ(StateTableCount(Image(parser)), 0);

    TSyntaxMemoParser sample;
    BuildSampleParser(sample);
    sample.NoStateTables = true; // blocks that say they are not there are not written
    const QByteArray image = Image(sample);
    EXPECT_EQ(StateTableCount(image), 0);
    TSyntaxMemoParser copy;
    ReadImage(copy, image);
    EXPECT_TRUE(copy.NoStateTables);
    EXPECT_TRUE(copy.StateTableStates.IsEmpty());
    EXPECT_EQ(copy.StateStartTables[2], nullptr);
}

TEST(ParserImage, ContextStatesEqualToTheDefaultAreNotStored)
{
    TSyntaxMemoParser parser;
    TTableBuilder b(parser);
    parser.DefaultStates = TSM_StateSet::Of({4});
    b.Finish();
    const QByteArray plain = Image(parser);
    parser.ContextStates[9] = TSM_StateSet::Of({1});
    const QByteArray withOne = Image(parser);
    EXPECT_EQ(withOne.size(), plain.size() + 33); // token value and set of the one entry

    TSyntaxMemoParser copy;
    ReadImage(copy, withOne);
    for (int v = 0; v < 256; ++v)
        EXPECT_EQ(copy.ContextStates[v], v == 9 ? TSM_StateSet::Of({1}) : TSM_StateSet::Of({4})) << v;
}

TEST(ParserImage, ReadingReplacesTheTablesAndAFailedReadLeavesThemReset)
{
    TSyntaxMemoParser sample;
    BuildSampleParser(sample);
    const QByteArray property = Property(sample);

    TSyntaxMemoParser parser;
    BuildSampleParser(parser);
    TSyntaxMemoParser empty;
    ReadProperty(parser, Property(empty));
    EXPECT_TRUE(TablesEmpty(parser));
    EXPECT_EQ(parser.Settings().Name, empty.Settings().Name);

    BuildSampleParser(parser);
    EXPECT_THROW(ReadProperty(parser, property.left(property.size() - 1)), Exception);
    EXPECT_TRUE(TablesEmpty(parser));
}

TEST(ParserImage, Version50ReadsAlikeWithoutTheGutterFont)
{
    TSyntaxMemoParser sample;
    BuildSampleParser(sample);
    const QByteArray image51 = Image(sample);
    // Version 50 settings streams end without the gutter font.
    TMemoryStream settings;
    sample.Settings().StreamVersion = 51;
    sample.Settings().SaveToStream(settings);
    const QByteArray settings51 = Content(settings);
    settings.Clear();
    sample.Settings().StreamVersion = 50;
    sample.Settings().SaveToStream(settings);
    sample.Settings().StreamVersion = TSM_Settings::CurrentStreamVersion;
    const QByteArray image50 = Content(settings) + image51.mid(settings51.size());
    ASSERT_LT(image50.size(), image51.size());

    TSyntaxMemoParser parser;
    ReadProperty(parser, PropertyOf(50, image50, image50.size()));
    EXPECT_EQ(Image(parser), image51);
}

TEST(ParserImage, OlderVersionWhileTheFormIsReadRaises)
{
    TSyntaxMemoParser parser;
    parser.Name = QStringLiteral("Parser1");
    BuildSampleParser(parser);
    TMemoryStream stream;
    Fill(stream, PropertyOf(49, "whatever", 8));
    try {
        parser.ReadFromForm(stream);
        ADD_FAILURE() << "no exception";
    } catch (const ESyntaxMemoParserError& e) {
        EXPECT_EQ(e.Message, "Parser1: DFM file saved by different version of TSyntaxMemoParser.\r\n"
                             "Recompile script to update DFM file.\r\n"
                             "Expected version was 51 read version was 49");
    }
    EXPECT_TRUE(TablesEmpty(parser));
}

TEST(ParserImage, OlderVersionOutsideLoadingGoesToTheEventOrAMessage)
{
    const QByteArray property = PropertyOf(49, "whatever", 8);
    TSyntaxMemoParser parser;
    parser.Name = QStringLiteral("Parser1");
    BuildSampleParser(parser);
    std::vector<std::tuple<TObject*, int, int>> calls;
    parser.OnParserVersionError = [&](TObject* Sender, int Encountered, int Expected) {
        calls.emplace_back(Sender, Encountered, Expected);
    };
    ReadProperty(parser, property);
    EXPECT_EQ(calls, (std::vector<std::tuple<TObject*, int, int>>{{&parser, 49, 51}}));
    EXPECT_TRUE(TablesEmpty(parser));

    // Without a handler an information box says so.
    parser.OnParserVersionError = nullptr;
    QString shown;
    TScriptedPrompts prompts;
    prompts.Then([&](QDialog& Dialog) {
        shown = static_cast<QMessageBox&>(Dialog).text();
        Click(QStringLiteral("OK"))(Dialog);
    });
    ReadProperty(parser, property);
    EXPECT_TRUE(shown.startsWith("Parser1: DFM file saved by different version")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("Expected version was 51 read version was 49")) << shown.toStdString();
}

TEST(ParserImage, AssignCopiesAParserAndRefusesAnythingElse)
{
    TSyntaxMemoParser sample;
    BuildSampleParser(sample);
    TSyntaxMemoParser copy;
    copy.Assign(sample);
    EXPECT_EQ(Image(copy), Image(sample));
    EXPECT_EQ(Tokenize(copy, SampleParserText), Tokenize(sample, SampleParserText));
    copy.Assign(copy);
    EXPECT_EQ(Image(copy), Image(sample));

    TMemoCore memo;
    try {
        copy.Assign(memo);
        ADD_FAILURE() << "no exception";
    } catch (const ESyntaxMemo& e) {
        EXPECT_EQ(e.Message, "Cannot assign a TMemoCore to TSyntaxMemoParser");
    }
}

TEST(ParserImage, EveryPrefixFails)
{
    TSyntaxMemoParser sample;
    BuildSampleParser(sample);
    const QByteArray property = Property(sample);
    const QByteArray image = Image(sample);
    TSyntaxMemoParser parser;
    for (qsizetype n = 0; n < property.size(); ++n)
        EXPECT_THROW(ReadProperty(parser, property.left(n)), Exception) << n;
    for (qsizetype n = 0; n < image.size(); ++n)
        EXPECT_THROW(ReadImage(parser, image.left(n)), EReadError) << n;
}

// --- malformed images, composed byte by byte ---

class TImageComposer {
public:
    TImageComposer()
    {
        TSM_Settings settings;
        settings.StreamVersion = TSyntaxMemoParser::ParserVersion;
        settings.SaveToStream(stream_);
        TSyntaxKeywords().SaveToStream(stream_);
    }
    TImageComposer& Integer(std::int32_t Value)
    {
        WriteInteger(stream_, Value);
        return *this;
    }
    TImageComposer& Byte(std::uint8_t Value)
    {
        WriteByte(stream_, Value);
        return *this;
    }
    TImageComposer& Word(std::uint16_t Value)
    {
        WriteWord(stream_, Value);
        return *this;
    }
    TImageComposer& Group()
    {
        TSM_CharGroup().SaveToStream(stream_);
        return *this;
    }
    TImageComposer& Set()
    {
        WriteStateSet(stream_, TSM_StateSet::Of({0}));
        return *this;
    }
    // A set rule, or a scanner rule with Number.
    TImageComposer& Rule(std::optional<int> Number = {})
    {
        Byte(0).Group().Byte(Number.has_value());
        if (Number)
            Byte(0).Integer(*Number);
        return *this;
    }
    TImageComposer& EndRule(int Groups = 1)
    {
        Byte(1).Byte(0).Byte(std::uint8_t(Groups));
        for (int k = 0; k < Groups; ++k)
            Group();
        return *this;
    }
    TImageComposer& ScannerEndRule(int Number)
    {
        return Byte(0).Byte(1).Byte(0).Integer(Number);
    }
    // A definition with the given start, body and end (as composer steps).
    TImageComposer& Definition(std::optional<int> Start = 10, std::optional<int> Body = {},
                               std::function<void(TImageComposer&)> End = {})
    {
        Rule(Start).Set().Rule(Body);
        if (End)
            End(*this);
        else
            EndRule();
        return Byte(7);
    }
    // Empty item counts from the given item on (3 handlers .. 7 state tables), then the sets.
    TImageComposer& Rest(int FromItem)
    {
        for (int item = FromItem; item <= 7; ++item)
            Integer(0);
        return Set().Set().Set().Byte(0);
    }
    QByteArray Bytes() { return Content(stream_); }

private:
    TMemoryStream stream_;
};

struct TMalformed {
    const char* Name;
    std::function<void(TImageComposer&)> Compose;
    bool Valid = false; // the control cases that must read
};

void PrintTo(const TMalformed& c, std::ostream* os)
{
    *os << c.Name;
}

class MalformedImages : public testing::TestWithParam<TMalformed> {};

TEST_P(MalformedImages, FailWithAReadErrorAndResetTables)
{
    TImageComposer composer;
    GetParam().Compose(composer);
    const QByteArray image = composer.Bytes();
    TSyntaxMemoParser parser;
    if (GetParam().Valid) {
        EXPECT_NO_THROW(ReadImage(parser, image));
        EXPECT_NO_THROW(ReadProperty(parser, PropertyOf(51, image, image.size())));
        return;
    }
    EXPECT_THROW(ReadImage(parser, image), EReadError);
    BuildSampleParser(parser);
    EXPECT_THROW(ReadProperty(parser, PropertyOf(51, image, image.size())), EReadError);
    EXPECT_TRUE(TablesEmpty(parser));
}

using C = TImageComposer;

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedImages,
    testing::Values(
        TMalformed{"Empty", [](C& c) { c.Rest(3); }, true},
        TMalformed{"HandlerWithEveryScanner",
                   [](C& c) {
                       c.Integer(21);
                       for (int n = 0; n <= 20; ++n)
                           c.Byte(std::uint8_t(n)).Rule(n).ScannerEndRule(13);
                       c.Rest(4);
                   },
                   true},
        TMalformed{"DefinitionsWithFourEndGroups",
                   [](C& c) {
                       c.Integer(0).Integer(1).Byte('a').Definition(
                           std::nullopt, 13, [](C& d) { d.EndRule(4); });
                       c.Rest(5);
                   },
                   true},
        TMalformed{"SetCount5",
                   [](C& c) {
                       c.Integer(1).Byte(7).Rule().EndRule(5);
                       c.Rest(4);
                   }},
        TMalformed{"HandlerBodyScanner21",
                   [](C& c) {
                       c.Integer(1).Byte(7).Rule(21).EndRule(0);
                       c.Rest(4);
                   }},
        TMalformed{"HandlerBodyScanner99",
                   [](C& c) {
                       c.Integer(1).Byte(7).Rule(99).EndRule(0);
                       c.Rest(4);
                   }},
        TMalformed{"HandlerEndScanner14",
                   [](C& c) {
                       c.Integer(1).Byte(7).Rule().ScannerEndRule(14);
                       c.Rest(4);
                   }},
        TMalformed{"NegativeScanner",
                   [](C& c) {
                       c.Integer(1).Byte(7).Rule(-1).EndRule(0);
                       c.Rest(4);
                   }},
        TMalformed{"StartScanner9",
                   [](C& c) {
                       c.Integer(0).Integer(1).Byte('a').Definition(9);
                       c.Rest(5);
                   }},
        TMalformed{"StartScanner21",
                   [](C& c) {
                       c.Integer(0).Integer(1).Byte('a').Definition(21);
                       c.Rest(5);
                   }},
        TMalformed{"DefinitionBodyScanner14",
                   [](C& c) {
                       c.Integer(0).Integer(1).Byte('a').Definition(std::nullopt, 14);
                       c.Rest(5);
                   }},
        TMalformed{"DefinitionEndScanner20",
                   [](C& c) {
                       c.Integer(0).Integer(1).Byte('a').Definition(
                           std::nullopt, std::nullopt, [](C& d) { d.ScannerEndRule(20); });
                       c.Rest(5);
                   }},
        TMalformed{"HugeCount", [](C& c) { c.Integer(0x7FFFFFFF).Rest(4); }},
        TMalformed{"NegativeCount", [](C& c) { c.Integer(0).Integer(-1).Rest(5); }},
        TMalformed{"CountBeyondTheBytesLeft",
                   [](C& c) {
                       c.Integer(0).Integer(0).Integer(0).Integer(3).Byte(1).Set().Set().Set().Byte(0).Byte(0).Byte(0);
                       c.Rest(7);
                   }},
        TMalformed{"RangeAbove255",
                   [](C& c) {
                       c.Integer(0).Integer(0).Integer(0).Integer(0);
                       c.Integer(1).Byte(2).Integer(1).Byte('a').Definition();
                       c.Integer(1).Word('a').Word(256).Definition();
                       c.Set().Set().Set().Byte(0);
                   }},
        TMalformed{"StateBlockEntriesBeyondTheBytesLeft",
                   [](C& c) {
                       c.Integer(0).Integer(0).Integer(0).Integer(0);
                       c.Integer(1).Byte(2).Integer(1000).Byte('a');
                       c.Set().Set().Set().Byte(0);
                   }},
        TMalformed{"MissingUsesEvents", [](C& c) { c.Integer(0).Integer(0).Integer(0).Integer(0).Integer(0).Set().Set().Set(); }}));

TEST(ParserProperty, SizesThatDoNotFitFail)
{
    TSyntaxMemoParser sample;
    BuildSampleParser(sample);
    const QByteArray image = Image(sample);
    TSyntaxMemoParser parser;
    ReadProperty(parser, PropertyOf(51, image, image.size()));
    for (const std::int32_t stated : {std::int32_t(image.size() - 1), std::int32_t(image.size() + 1), 0, -1,
                                      std::int32_t(0x7FFFFFFF)}) {
        EXPECT_THROW(ReadProperty(parser, PropertyOf(51, image, stated)), EReadError) << stated;
        EXPECT_TRUE(TablesEmpty(parser));
    }
    // A container that is no container.
    QByteArray bad = PropertyOf(51, image, image.size());
    bad[6] = 'X';
    EXPECT_THROW(ReadProperty(parser, bad), ECompressorException);
}

} // namespace
