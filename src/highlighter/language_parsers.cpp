// The seven language parsers of the main window, made from the embedded parser images.
#include "highlighter/language_parsers.h"

#include "highlighter/syntax_memo_parser.h"

#include "platform/rtl/streams.h"

#include <QFile>
#include <memory>

const std::array<TLanguageParserImage, 7> LanguageParserImages{{
    {"parserHTML", ":/parsers/html.parser"},
    {"parserPlainText", ":/parsers/plain_text.parser"},
    {"parserPascal", ":/parsers/pascal.parser"},
    {"parserANSIC", ":/parsers/ansi_c.parser"},
    {"parserVB", ":/parsers/visual_basic.parser"},
    {"parserJava", ":/parsers/java.parser"},
    {"parserSQL", ":/parsers/sql.parser"},
}};

std::vector<TSyntaxMemoParser*> CreateLanguageParsers(TComponent* Owner)
{
    std::vector<TSyntaxMemoParser*> parsers;
    for (const TLanguageParserImage& image : LanguageParserImages) {
        QFile file(QString::fromLatin1(image.Resource));
        if (!file.open(QIODevice::ReadOnly))
            throw EFOpenError(QStringLiteral("Cannot open file \"%1\"").arg(file.fileName()));
        const QByteArray bytes = file.readAll();
        TMemoryStream stream;
        stream.WriteBuffer(bytes.constData(), bytes.size());
        stream.SetPosition(0);
        auto parser = std::make_unique<TSyntaxMemoParser>(Owner);
        parser->Name = QString::fromLatin1(image.ComponentName);
        parser->ReadFromForm(stream);
        parser->Loaded();
        parsers.push_back(parser.release());
    }
    return parsers;
}
