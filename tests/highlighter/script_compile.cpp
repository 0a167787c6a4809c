// Compiling parser scripts in tests.
#include "script_compile.h"

#include "highlighter/syntax_memo_parser.h"

#include "platform/rtl/streams.h"

#include <QRegularExpression>

QString CompileText(TSyntaxMemoParser& Parser, const QByteArray& Script)
{
    TMemoryStream stream;
    stream.WriteBuffer(Script.constData(), Script.size());
    stream.SetPosition(0);
    try {
        Parser.CompileScript(stream);
    } catch (const Exception& e) {
        return e.Message;
    }
    return {};
}

QString Bare(const QString& Message)
{
    static const QRegularExpression frame(R"(^\*\* ERROR near line \d+, Column \d+: )");
    return QString(Message).remove(frame);
}
