// Fuzz target: any bytes read as a compiled parser table image either raise an Exception or give
// tables that write an image reading back to itself, and that read a text token by token with every
// token at least one character long (a pop on an empty state stack may raise). The same bytes packed
// into a "Parser" property read, or fail, the same way.
#include "../highlighter/compress_bytes.h"
#include "editor/document/ed_stream.h"
#include "editor/document/memo_core.h"
#include "editor/document/table_stream.h"
#include "highlighter/parser_image.h"
#include "highlighter/syntax_memo_parser.h"

#include "platform/rtl/streams.h"

#include <cstdint>
#include <cstdlib>

namespace {

const char SampleText[] = "begin rem a note\rnum42 q; w a.b 'it''s' \"s\\\"\" <!-- x --> // c\r{ c } (* c *) /***/"
                          " 12.5e3 -7 a@b.c.\r\t<x y; x @at end\rSELECT from x\r";

// A parser that never shows a window and whose custom-parse handler takes one character.
struct TFuzzParser : TSyntaxMemoParser {
    TFuzzParser()
    {
        OnParserVersionError = [](TObject*, int, int) {};
        OnCustomParse = [](TObject*, std::int32_t ParseID, TCustomEdStream& IStream, std::int32_t& kLength,
                           std::int32_t& kValue) {
            if (!IStream.EndOfText()) {
                IStream.Next();
                ++kLength;
            }
            kValue = ParseID;
            return ParseID % 2 == 0;
        };
    }
};

bool ReadImage(TSyntaxMemoParser& Parser, const QByteArray& Bytes)
{
    TMemoryStream stream;
    stream.WriteBuffer(Bytes.constData(), Bytes.size());
    stream.SetPosition(0);
    try {
        ReadParserImage(Parser, stream, TSyntaxMemoParser::ParserVersion);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

QByteArray ImageOf(const TSyntaxMemoParser& Parser)
{
    TMemoryStream stream;
    WriteParserImage(Parser, stream);
    return QByteArray(stream.Memory(), qsizetype(stream.Size()));
}

// The image of the tables Bytes read into; aborts when they do not read.
QByteArray Reread(const QByteArray& Bytes)
{
    TFuzzParser parser;
    if (!ReadImage(parser, Bytes))
        std::abort();
    return ImageOf(parser);
}

void Tokenize(TSyntaxMemoParser& Parser, int ContextToken)
{
    TMemoCore memo;
    memo.SetText(SampleText);
    TEdStream stream(&memo);
    stream.SetRange(memo.TextStore().FirstLine(), 0, 0);
    Parser.ResetState(std::uint8_t(ContextToken));
    try {
        while (!stream.EndOfText()) {
            const int start = stream.GetPosition();
            int length = 0;
            Parser.NextToken(nullptr, stream, length);
            if (length < 1 || stream.GetPosition() != start + length)
                std::abort();
        }
    } catch (const EStackError&) {
    }
}

bool ReadProperty(const QByteArray& Image)
{
    TMemoryStream property;
    WriteWord(property, TSyntaxMemoParser::ParserVersion);
    WriteInteger(property, std::int32_t(Image.size()));
    const QByteArray container = CompressBytes(Image, TCompressor::MethodKH);
    property.WriteBuffer(container.constData(), container.size());
    property.SetPosition(0);
    TFuzzParser parser;
    try {
        parser.ReadData(property);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TFuzzParser parser;
    const bool read = ReadImage(parser, bytes);
    if (read) {
        // Reading starts from defaults, so the first image written may differ from the bytes; from
        // then on the image reads back to itself.
        const QByteArray once = Reread(ImageOf(parser));
        if (Reread(once) != once)
            std::abort();
        for (const int context : {0, size > 0 ? int(data[0]) : 1})
            Tokenize(parser, context);
    }
    if (ReadProperty(bytes) != read)
        std::abort();
    return 0;
}
