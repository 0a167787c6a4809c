// The parser repository: the program-wide list of language parsers, the choice of a parser for a
// file through the settings' editor file filters (lines "Name=*.ext1;*.ext2[defext]"), the
// extensions the editor opens, and every parser's settings kept in the registry.
#pragma once

#include <QString>

class TCustomSyntaxMemoParser;
class TStringList;
class TStrings;

// The list of parsers: names as the main window gives them, each parser as the line's object (not
// owned). Made on the first call; with Flag 1 it is freed (and the editable extensions cleared)
// and null returned.
TStringList* ParserList(int Flag = 0);
// The parser at I, null when I is out of range.
TCustomSyntaxMemoParser* ParserByIndex(int I);
// The first parser whose language name (its settings' Name) equals Name without case; -1 when none.
int IndexOfParser(const QString& Name);
TCustomSyntaxMemoParser* ParserByName(const QString& Name);

// Whether a file name matches a patterns text ("*.htm;*.html[html]"): each pattern before the
// bracketed default extension, compared without case with the name's last path component.
bool MatchesFilterPatterns(const QString& FileName, const QString& Patterns);

// The parser of the first file filter whose patterns match the file name: the index of the list
// line equal to the filter's name; -1 when no filter matches or no line has its name. Lines of
// the filters without "=" are no filters.
int ParserIndexForFile(const QString& FileName);
// ParserIndexForFile, else PlainParserIndex, else WebParserIndex.
int ParserIndexForFileDef(const QString& FileName);
// The parser for the file, else the plain-text parser.
TCustomSyntaxMemoParser* ParserForFile(const QString& FileName);
// The parser named "Plain Documents"; without one, the plain-text parser the main window enters
// second in the list under its filter's name "Text Documents". -1 when neither is there.
int PlainParserIndex();
TCustomSyntaxMemoParser* PlainParser();
// The parser named "Web Documents".
int WebParserIndex();
TCustomSyntaxMemoParser* WebParser();

// "." and the bracketed default extension of the file filter with that name (of filter I, counted
// as the file dialogs count them: lines without "=" left out); empty when there is no such
// filter or it names no default extension.
QString DefaultExtForFilter(const QString& Name);
QString DefaultExtAt(int I);

// The extensions the editor opens, as a patterns text or the text of the file filters.
void SetEditableExts(const QString& Text);
// True when the file has no extension, or a pattern of the editable extensions matches it.
bool IsEditableFile(const QString& FileName);

// The registry key of the parsers' settings: the main form's key + "Parsers\".
QString ParserSettingsKey();
// Each parser of List stores its settings under ParserSettingsKey (allowed to for the call).
void SaveParserSettings(const TStrings& List);
// Each parser of List reads its settings from ParserSettingsKey.
void LoadParserSettings(const TStrings& List);
