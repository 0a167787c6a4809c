// The sample editors of the options dialog: editors that show a parser's settings, highlighted by
// the parser.
//
// The editor control takes a parser through its parser slots; until it has them, a sample keeps
// its own settings as a copy of the parser's, brought up to date by RefreshSample, and its text is
// highlighted by running the parser over it here.
#pragma once

class TSyntaxMemo;
class TSyntaxMemoParser;

// Makes Editor one of Parser's editors, showing its settings.
void AttachSample(TSyntaxMemo& Editor, TSyntaxMemoParser& Parser);
// Takes Editor off Parser's editors.
void DetachSample(TSyntaxMemo& Editor, TSyntaxMemoParser& Parser);
// After a change of Parser's settings or of Editor's text: Editor shows the settings again and
// its text is highlighted anew.
void RefreshSample(TSyntaxMemo& Editor, TSyntaxMemoParser& Parser);
// After a change of Editor's text: the text is highlighted anew.
void HighlightSample(TSyntaxMemo& Editor, TSyntaxMemoParser& Parser);
