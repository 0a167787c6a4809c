// Runs the script lexer for the tests.
#include "script_lexer.h"

#include "highlighter/script_symbols.h"
#include "highlighter/sym_compiler.h"

#include "platform/rtl/ansi_codec.h"
#include "platform/rtl/streams.h"

#include <memory>

QString Lex(const QByteArray& Script, const QString& IncludeFolder)
{
    TMemoryStream stream;
    stream.WriteBuffer(Script.constData(), Script.size());
    stream.SetPosition(0);
    QStringList read;
    try {
        TSYM_Compiler lexer(stream, IncludeFolder);
        for (;;) {
            const int token = lexer.NextToken();
            if (token == tkNumber)
                read << QStringLiteral("91:%1").arg(lexer.Number());
            else if (token == tkString)
                read << "92:" + DecodeAnsi(lexer.GetStringValue());
            else
                read << QString::number(token);
            if (token == tkEndOfText)
                break;
        }
    } catch (const ESYM_COMP_ERROR& e) {
        read << "! " + e.Message;
    }
    return read.join(' ');
}
