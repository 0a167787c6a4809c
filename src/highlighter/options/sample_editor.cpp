// The sample editors: attached to the parser, given its settings and highlighted by it.
#include "highlighter/options/sample_editor.h"

#include "highlighter/syntax_memo_parser.h"

#include "editor/document/ed_stream.h"
#include "editor/language/sm_settings.h"
#include "editor/syntax_memo.h"

#include <cstdint>
#include <vector>

namespace {

// The token of every character, from the start of the text in the parser's first states.
std::vector<std::uint8_t> ScanTokens(TSyntaxMemo& Editor, TSyntaxMemoParser& Parser)
{
    TEdStream stream(&Editor);
    stream.SetRange(Editor.TextStore().FirstLine(), 0, 0);
    Parser.ResetState(0);
    std::vector<std::uint8_t> tokens;
    while (!stream.EndOfText()) {
        const int start = stream.GetPosition();
        int length = 0;
        const std::uint8_t token = Parser.NextToken(&Editor, stream, length);
        if (stream.GetPosition() <= start) {
            // A rule that claims nothing: the character is plain text.
            stream.Next();
            tokens.push_back(0);
            continue;
        }
        tokens.insert(tokens.end(), std::size_t(stream.GetPosition() - start), token);
    }
    Parser.ResetState(0);
    tokens.resize(std::size_t(Editor.TextLength()) + 1, 0);
    return tokens;
}

} // namespace

void AttachSample(TSyntaxMemo& Editor, TSyntaxMemoParser& Parser)
{
    Parser.AddEditor(&Editor);
    RefreshSample(Editor, Parser);
}

void DetachSample(TSyntaxMemo& Editor, TSyntaxMemoParser& Parser)
{
    Parser.RemoveEditor(&Editor);
}

void RefreshSample(TSyntaxMemo& Editor, TSyntaxMemoParser& Parser)
{
    if (&Editor.Settings() != &Parser.Settings()) {
        Editor.Settings().Assign(Parser.Settings());
        Editor.Settings().UpdateStyleFonts();
    }
    Editor.ApplySettings();
    HighlightSample(Editor, Parser);
}

void HighlightSample(TSyntaxMemo& Editor, TSyntaxMemoParser& Parser)
{
    const std::vector<std::uint8_t> tokens = ScanTokens(Editor, Parser);
    Editor.SetTokenBytes(tokens, nullptr);
}
