// A small parser whose tables use every kind of record the table image stores: keywords and a
// keyword table, handlers with set, scanner and event rules, start tables of the default and of
// two states with range lists, transitions that push, pop and contain, non-default context states,
// anchor and bound states, and the custom-parse event.
#pragma once

class TSyntaxMemoParser;

void BuildSampleParser(TSyntaxMemoParser& Parser);

// A text that meets most of the sample's rules.
extern const char* const SampleParserText;
