// The parser's compile routine: the script lexer and the section compilers run over a script.
#include "highlighter/section_compiler.h"
#include "highlighter/sym_compiler.h"
#include "highlighter/syntax_memo_parser.h"

#include "platform/rtl/streams.h"
#include "platform/system/files.h"

#include <QFileInfo>

void TSyntaxMemoParser::CompileScript(TStream& Stream)
{
    ResetTables();
    const QString folder = script_.isEmpty() ? QString() : QFileInfo(script_).path();
    std::unique_ptr<TSYM_Compiler> lexer;
    try {
        lexer = std::make_unique<TSYM_Compiler>(Stream, folder);
        lexer->NextToken();
        TSectionCompiler(*this, *lexer).Run();
    } catch (const ESYM_COMP_ERROR& e) {
        ScriptLine = e.Line;
        ScriptColumn = e.Column;
        throw;
    } catch (...) {
        if (lexer) {
            ScriptLine = lexer->Line();
            ScriptColumn = lexer->Column();
        }
        throw;
    }
    ScriptLine = lexer->Line();
    ScriptColumn = lexer->Column();
    for (TSM_StateSet& context : ContextStates) {
        if (context.IsEmpty())
            context = DefaultStates;
    }
    NoStateTables = StateTableStates.IsEmpty();
}

void TSyntaxMemoParser::CompileScriptFile()
{
    if (script_.isEmpty() || !FileExists(script_))
        return;
    TMemoryStream stream;
    stream.LoadFromFile(script_);
    CompileScript(stream);
    RefreshEditors();
}
