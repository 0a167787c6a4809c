// parsercc: the parser script compiler as a build tool. It compiles one parser script and writes
// the parser's "Parser" property (version word, image size, compressed image) to a file:
//
//   parsercc <script> <output>
//
// Names in angle brackets of the script's #include lines are looked up in the script's folder. On
// an error it writes the compiler's message to standard error, leaves no output file and exits
// with 1. It needs no display.
#include "highlighter/syntax_memo_parser.h"

#include "platform/rtl/exception.h"
#include "platform/rtl/streams.h"
#include "platform/system/files.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace {

int Fail(const QString& Message)
{
    std::fprintf(stderr, "%s\n", Message.toLocal8Bit().constData());
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 3)
        return Fail(QStringLiteral("usage: parsercc <script> <output>"));
    const QString script = arguments[1];
    const QString output = arguments[2];
    QByteArray property;
    try {
        if (!FileExists(script))
            return Fail(QStringLiteral("%1: no such file").arg(script));
        TSyntaxMemoParser parser;
        parser.SetScript(script);
        TMemoryStream source;
        source.LoadFromFile(script);
        parser.CompileScript(source);
        TMemoryStream written;
        parser.WriteData(written);
        property = QByteArray(static_cast<const char*>(written.Memory()), qsizetype(written.Size()));
    } catch (const Exception& e) {
        return Fail(QStringLiteral("%1: %2").arg(script, e.Message));
    }
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || file.write(property) != property.size() || !file.commit())
        return Fail(QStringLiteral("%1: %2").arg(output, file.errorString()));
    return 0;
}
