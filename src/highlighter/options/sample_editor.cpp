// The sample editors: the parser in their first slot.
#include "highlighter/options/sample_editor.h"

#include "highlighter/syntax_memo_parser.h"

#include "editor/memo_messages.h"
#include "editor/syntax_memo.h"

void AttachSample(TSyntaxMemo& Editor, TSyntaxMemoParser& Parser)
{
    Editor.SetParser(1, &Parser);
    Editor.SetActiveParser(1);
}

void DetachSample(TSyntaxMemo& Editor)
{
    Editor.SetParser(1, nullptr);
}

void RefreshSample(TSyntaxMemo& Editor)
{
    Editor.Perform(sm::SM_APPLYSETTINGS, 0, 0);
}
