// The editor's searching.
#include "editor/search/memo_search.h"

#include "editor/custom_syntax_memo.h"
#include "editor/search/find_flow.h"

#include "platform/ui/message_dialogs.h"
#include "platform/widgets/message_form.h"

#include <QFontDatabase>
#include <algorithm>

TMemoSearch::TMemoSearch(TCustomSyntaxMemo& Editor) : editor_(Editor) {}

TMemoSearch::~TMemoSearch() = default;

TMemoFindFlow& TMemoSearch::Flow()
{
    if (!flow_)
        flow_ = std::make_unique<TMemoFindFlow>(editor_, *this);
    return *flow_;
}

bool TMemoSearch::IsWordChar(char C) const
{
    return editor_.CharStartsWord(C) || editor_.CharIsInWord(C);
}

void TMemoSearch::ReportSearchError(const EREParserError& Error)
{
    MessageDlg(Error.Message, mtError, {mbOK});
}

bool TMemoSearch::CompileReporting(std::string_view Pattern)
{
    if (regex_.Compile(Pattern))
        return true;
    // The pattern as compiled with a caret under the error, which needs a font whose characters
    // are all as wide.
    auto box = CreateMessageDialog(RegexErrorText(regex_.ErrorCode(), regex_.WorkingPattern(), regex_.ErrorColumn()),
                                   mtError, {mbOK});
    box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    box->ShowModal();
    return false;
}

int TMemoSearch::FindText(std::string_view Text, unsigned Options)
{
    const int length = editor_.TextLength();
    if (length == 0)
        return -1;
    const bool backward = Options & foBackward;
    const int s = std::min(editor_.SelStart(), editor_.SelEnd());
    const int e = std::max(editor_.SelStart(), editor_.SelEnd());
    if ((!backward && e >= length) || (backward && s == 0))
        return -1;
    lastSearch_.assign(Text);
    TStoreTextSource source(editor_.TextStore());
    TTextCursor cursor(source);
    if (Options & foRegularExpression) {
        if (!CompileReporting(Text))
            return -1;
        const int from = !backward || s == e ? e : s;
        try {
            if (!regex_.Search(cursor, from, !backward))
                return -1;
        } catch (const EREParserError& error) {
            ReportSearchError(error);
            return -1;
        }
        const int start = regex_.MatchPos(0);
        editor_.SetSelection(start, regex_.MatchPos(regex_.MatchCount()));
        LastMatch = start;
        return start;
    }
    TSearchRequest request;
    request.Pattern = Text;
    request.Start = s;
    request.Limit = length - 1;
    request.CaseSensitive = Options & foMatchCase;
    request.Backward = backward;
    request.WholeWords = Options & foWholeWord;
    request.IsWordChar = [this](char C) { return IsWordChar(C); };
    const int found = SearchText(cursor, tables_, request);
    return found < length ? found : -1;
}

bool TMemoSearch::FindReplaceText(std::string_view FindText, std::string_view ReplaceText, unsigned Options,
                                  std::string& Replacement, int& Position)
{
    if (Options & foSearchNothing)
        return false;
    const int found = this->FindText(FindText, Options | foSearchNow);
    if (found < 0)
        return false;
    int end = found + int(FindText.size());
    if (Options & foRegularExpression) {
        end = regex_.MatchPos(regex_.MatchCount());
        Replacement = ExpandReplacement(ReplaceText, [this](int N) { return LoggedText(N); });
    } else {
        Replacement.assign(ReplaceText);
    }
    editor_.SetSelection(found, end);
    Position = found;
    return true;
}

std::string TMemoSearch::LoggedText(int N)
{
    const int a = regex_.MatchPos(N - 1);
    const int b = regex_.MatchPos(N);
    if (a < 0 || b < 0)
        return {};
    return editor_.TextStore().GetText(std::min(a, b), std::max(a, b));
}

int TMemoSearch::RegexMatchPos(int N) const
{
    return regex_.MatchPos(std::clamp(N, 0, regex_.MatchCount()));
}

int TMemoSearch::RegexMatchCount() const
{
    return regex_.MatchCount();
}

bool TMemoSearch::ForEachMatch(int RangeEnd, int Start, unsigned Options, std::string_view FindText,
                               const std::function<void(int Pos, int Length)>& Found)
{
    const int length = editor_.TextLength();
    const int rangeEnd = std::min(RangeEnd, length);
    TStoreTextSource source(editor_.TextStore());
    TTextCursor cursor(source);
    int pos = std::max(Start, 0);
    if (Options & foRegularExpression) {
        if (!CompileReporting(FindText))
            return false;
        try {
            while (pos <= rangeEnd && regex_.Search(cursor, pos, true)) {
                const int start = regex_.MatchPos(0);
                const int end = regex_.MatchPos(regex_.MatchCount());
                if (end > rangeEnd)
                    break;
                if (end <= start) {
                    // An empty match is skipped: the search goes on one character further.
                    pos = start + 1;
                    continue;
                }
                Found(start, end - start);
                pos = end;
            }
        } catch (const EREParserError& error) {
            ReportSearchError(error);
            return false;
        }
        return true;
    }
    TSearchRequest request;
    request.Pattern = FindText;
    request.Limit = rangeEnd - 1;
    request.CaseSensitive = Options & foMatchCase;
    request.WholeWords = Options & foWholeWord;
    request.IsWordChar = [this](char C) { return IsWordChar(C); };
    const int size = int(FindText.size());
    for (;;) {
        request.Start = pos;
        const int found = SearchText(cursor, tables_, request);
        if (found >= length || found + size > rangeEnd)
            break;
        Found(found, size);
        pos = found + size;
    }
    return true;
}

bool TMemoSearch::CollectMatches(int RangeEnd, int Start, unsigned Options, std::string_view ReplaceText,
                                 std::string_view FindText, std::vector<TFoundMatch>& Matches)
{
    Matches.clear();
    const bool regex = Options & foRegularExpression;
    const bool ok = ForEachMatch(RangeEnd, Start, Options, FindText, [&](int Pos, int Length) {
        Matches.push_back({Pos, Length,
                           regex ? ExpandReplacement(ReplaceText, [this](int N) { return LoggedText(N); })
                                 : std::string(ReplaceText)});
    });
    if (!ok)
        Matches.clear();
    return ok;
}

void TMemoSearch::ApplyMatches(const std::vector<TFoundMatch>& Matches, int BlockID)
{
    if (Matches.empty())
        return;
    editor_.BeginUndoBlock(BlockID);
    int shift = 0;
    int caret = 0;
    {
        THighlightHold hold(editor_);
        for (const TFoundMatch& match : Matches) {
            const int pos = match.Pos + shift;
            editor_.SetSelection(pos, pos + match.Length, true);
            editor_.ReplaceSelectionText(match.Replacement, true);
            shift += int(match.Replacement.size()) - match.Length;
            caret = pos + int(match.Replacement.size());
        }
    }
    editor_.EndUndoBlock(BlockID);
    editor_.SetSelection(caret, caret);
}

int TMemoSearch::ReplaceAll(int RangeEnd, int Start, unsigned Options, std::string_view ReplaceText,
                            std::string_view FindText)
{
    std::vector<TFoundMatch> matches;
    if (!CollectMatches(RangeEnd, Start, Options, ReplaceText, FindText, matches))
        return -1;
    ApplyMatches(matches, 23);
    return int(matches.size());
}
