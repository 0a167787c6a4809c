// TTableBuilder: fills a parser's tables by hand, entry by entry as the script sections would, so
// that the tokenizer and the table image can be tested without a script compiler; and Tokenize,
// which runs a parser over a whole text.
#pragma once

#include "highlighter/syntax_memo_parser.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TTableBuilder {
public:
    // Starts from reset tables.
    explicit TTableBuilder(TSyntaxMemoParser& Parser);

    // The ID of a character group given by its specification ("[a-z_]", "\n", "a-c").
    std::uint16_t Group(const char* Spec);

    // --- rules ---
    // A body rule taking the characters of Spec; EndFirst tests the end rule before the first.
    TTokenRule Chars(const char* Spec, bool EndFirst = false);
    // A rule that calls scanner Number, or the custom-parse event with ParseID.
    static TTokenRule Scanner(int Number, bool Flag = false);
    static TTokenRule Event(int ParseID, bool Flag = false);
    // An end rule of up to four groups in a row; Consume makes them part of the token.
    TTokenRule End(std::initializer_list<const char*> Specs, bool Consume = true);

    // --- entries ---
    // A keyword (lower case unless the store is case-sensitive) that ends before a character of
    // EndSpec ("" takes any) and gives Token in States; the token is then valid in States.
    void Word(const char* Text, int Token, TSM_StateSet States = TSM_StateSet::Of({0}), const char* EndSpec = "");
    // A token starting with a character of StartSpec, filed in the default start table, or in the
    // start table of state InState; it applies in state 0 (or InState) and Extra.
    TTokenDefinition& Token(int Token, const char* StartSpec, TTokenRule Body, TTokenRule End,
                            TSM_StateSet Extra = {}, int InState = -1);
    // A token of one character of StartSpec.
    TTokenDefinition& Single(int Token, const char* StartSpec, TSM_StateSet Extra = {}, int InState = -1);
    // A token read whole by standard scanner Number, starting with a character of StartSpec.
    TTokenDefinition& ScannerToken(int Token, int Number, const char* StartSpec, TSM_StateSet Extra = {},
                                   int InState = -1);
    THandlerDefinition& Handler(int Token, TTokenRule Body, TTokenRule End = {});
    // The token's state transition, made on first use as the sections make it.
    TStateTransition& Transition(int Token);
    // The transition of Token that adds and removes states (a container when Container).
    TStateTransition& States(int Token, TSM_StateSet Add, TSM_StateSet Remove = {}, std::uint8_t StackOps = 0,
                             bool Container = false);

    // What compiling does last: empty context states become the default states, and
    // NoStateTables says whether any state has a start table.
    void Finish();

private:
    TStartTable& Table(int InState);
    TTokenDefinition& File(TTokenDefinition Definition, const char* StartSpec, int InState);

    TSyntaxMemoParser& parser_;
};

// One token: its value and its text.
using TTok = std::pair<int, std::string>;

// Resets the parser with ContextToken and reads every token of Text (CR line ends only, no control
// characters), checking that
// each has a length of at least 1 that matches the stream's progress.
std::vector<TTok> Tokenize(TSyntaxMemoParser& Parser, std::string_view Text, int ContextToken = 0);
