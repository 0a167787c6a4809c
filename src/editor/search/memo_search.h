// TMemoSearch: the editor's searching, made once per editor: the direct find with the plain
// search's tables and the regular-expression engine, find-and-select with the replacement text,
// replacing every match as one undo step, and the last search and last match.
#pragma once

#include "editor/search/re_parser.h"
#include "editor/search/replacement.h"
#include "editor/search/search_text.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TCustomSyntaxMemo;
class TMemoFindFlow;

// One match found by a replace-all run, with what goes in its place.
struct TFoundMatch {
    int Pos = 0;
    int Length = 0;
    std::string Replacement;
};

class TMemoSearch {
public:
    explicit TMemoSearch(TCustomSyntaxMemo& Editor);
    ~TMemoSearch();
    TMemoSearch(const TMemoSearch&) = delete;
    TMemoSearch& operator=(const TMemoSearch&) = delete;

    // From the selection (taken in rising order s, e): forward from e, backward from s. Plain
    // text is found from s forward or ending by s backward, and is not selected; a regular
    // expression match is selected and remembered as the last match. -1 when nothing is found,
    // for an empty document, forward with e at the end, or backward with s at 0. A pattern that
    // does not compile, or a search that overflows the log, is reported in a message box.
    int FindText(std::string_view Text, unsigned Options);
    // FindText, then selects the match and gives the replacement text (expanded for a regular
    // expression).
    bool FindReplaceText(std::string_view FindText, std::string_view ReplaceText, unsigned Options,
                         std::string& Replacement, int& Position);
    // Calls Found (position, length) for each match from Start on that ends by RangeEnd, one
    // after another without overlapping; a regular expression's empty matches are skipped (for a
    // regular expression the log describes the match while Found runs). False when the regular
    // expression does not compile or the search fails (reported as FindText does).
    bool ForEachMatch(int RangeEnd, int Start, unsigned Options, std::string_view FindText,
                      const std::function<void(int Pos, int Length)>& Found);
    // ForEachMatch, keeping each match with its replacement.
    bool CollectMatches(int RangeEnd, int Start, unsigned Options, std::string_view ReplaceText,
                        std::string_view FindText, std::vector<TFoundMatch>& Matches);
    // Puts each match's replacement in its place front to back inside undo block BlockID, quietly,
    // and leaves the caret after the last one.
    void ApplyMatches(const std::vector<TFoundMatch>& Matches, int BlockID);
    // CollectMatches then ApplyMatches with block 23; the count, or -1 (nothing compiled).
    int ReplaceAll(int RangeEnd, int Start, unsigned Options, std::string_view ReplaceText, std::string_view FindText);

    // Entry N of the last regular-expression match's log (N limited to the entries recorded), and
    // how many were recorded.
    int RegexMatchPos(int N) const;
    int RegexMatchCount() const;
    // The text between entries N - 1 and N of the last match's log; empty when one is unset.
    std::string LoggedText(int N);

    TREParser& Regex() { return regex_; }
    // The built-in find and replace flow, made on first use.
    TMemoFindFlow& Flow();
    const std::string& LastSearch() const { return lastSearch_; }
    // Where the last regular-expression match (or the built-in flow's last match) began; -1: none.
    int LastMatch = -1;

    // Compiles Pattern; an error is reported in a message box that shows the pattern with a
    // caret under the error.
    bool CompileReporting(std::string_view Pattern);

private:
    // A search that failed (its log overflowed) is reported with the error's text.
    void ReportSearchError(const EREParserError& Error);
    bool IsWordChar(char C) const;

    TCustomSyntaxMemo& editor_;
    TSearchTables tables_;
    TREParser regex_;
    std::string lastSearch_;
    std::unique_ptr<TMemoFindFlow> flow_;
};
