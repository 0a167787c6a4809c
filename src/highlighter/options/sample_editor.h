// The sample editors of the options dialog: editors that show a parser's settings, highlighted by
// the parser, through the editor's first parser slot.
#pragma once

class TSyntaxMemo;
class TSyntaxMemoParser;

// Puts Parser into Editor's first slot and makes it the active one: Editor is one of Parser's
// editors and shows its settings.
void AttachSample(TSyntaxMemo& Editor, TSyntaxMemoParser& Parser);
// Empties the slot: Editor leaves Parser's editors and shows its own settings again.
void DetachSample(TSyntaxMemo& Editor);
// After a change of the settings Editor shows: it applies them again and is highlighted anew.
void RefreshSample(TSyntaxMemo& Editor);
