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

namespace {

// Something is tied to a text position after Start up to End, or a mark touches the range: one
// edit from Start to End could move it otherwise than one edit per match does. (An anchor at Start
// goes where a match's edit at Start takes it, one at End after the replacement of the last
// match, in both ways.)
bool AnchoredWithin(TTextStore& Store, int Start, int End)
{
    const auto within = [Start, End](int Pos) { return Pos > Start && Pos <= End; };
    for (TSM_Breakpoints* list : {&Store.Breakpoints(), static_cast<TSM_Breakpoints*>(&Store.CodeBreaks())}) {
        for (int i = 0; i < list->Count(); ++i) {
            if (within(list->Items(i)->Position))
                return true;
        }
    }
    const TCustomBookmarks& bookmarks = Store.NamedBookmarks();
    for (int i = 0; i < bookmarks.Count(); ++i) {
        if (within(bookmarks.Position(i)))
            return true;
    }
    return Store.Marks() && Store.Marks()->Find(Start, End - Start);
}

// The matches from First on that lie on First's line become one replacement of the text from the
// first one's start to the last one's end (Shift: how far the edits so far moved the matches),
// the text between them kept: Joined, and the index after the last one. Only a line held by one
// record, with no line end going in, never reaching the re-wrap length and nothing anchored in the
// range, is joined: every edit wraps its line again from the line's whole text, so the one edit
// leaves the same text, records and anchors as the matches one by one. First + 1 when nothing is
// joined.
std::size_t JoinLineMatches(TTextStore& Store, const std::vector<TFoundMatch>& Matches, std::size_t First,
                            int Shift, std::string& Joined)
{
    int lineStart = 0;
    const TLineRecord* line = Store.LineAt(Matches[First].Pos + Shift, nullptr, &lineStart);
    if (!line || line->IsContinuation() || (!line->EndsLine() && line->Next))
        return First + 1;
    const int textEnd = lineStart + line->Length() - (line->EndsLine() ? 1 : 0);
    int grown = 0;
    std::size_t next = First;
    for (; next < Matches.size(); ++next) {
        const TFoundMatch& match = Matches[next];
        const int delta = int(match.Replacement.size()) - match.Length;
        grown += std::max(delta, 0);
        if (match.Pos + Shift + match.Length > textEnd ||
            match.Replacement.find_first_of("\r\n") != std::string::npos ||
            line->Length() + grown >= ReWrapLength)
            break;
    }
    if (next - First < 2 || AnchoredWithin(Store, Matches[First].Pos + Shift,
                                           Matches[next - 1].Pos + Matches[next - 1].Length + Shift))
        return First + 1;
    Joined.clear();
    int kept = Matches[First].Pos;
    for (std::size_t i = First; i < next; ++i) {
        const TFoundMatch& match = Matches[i];
        Joined.append(line->Text, std::size_t(kept + Shift - lineStart), std::size_t(match.Pos - kept));
        Joined += match.Replacement;
        kept = match.Pos + match.Length;
    }
    return next;
}

} // namespace

// The matches of one line go in as one edit where that changes nothing but the number of steps
// inside the undo block: far fewer edits of the store and records in the log.
void TMemoSearch::ApplyMatches(const std::vector<TFoundMatch>& Matches, int BlockID)
{
    if (Matches.empty())
        return;
    editor_.BeginUndoBlock(BlockID);
    TTextStore& store = editor_.TextStore();
    std::string joined;
    int shift = 0;
    int caret = 0;
    {
        THighlightHold hold(editor_);
        for (std::size_t i = 0; i < Matches.size();) {
            const std::size_t next = JoinLineMatches(store, Matches, i, shift, joined);
            const TFoundMatch& last = Matches[next - 1];
            const std::string& text = next - i > 1 ? joined : last.Replacement;
            const int pos = Matches[i].Pos + shift;
            const int end = last.Pos + last.Length + shift;
            editor_.SetSelection(pos, end, true);
            editor_.ReplaceSelectionText(text, true);
            shift += int(text.size()) - (end - pos);
            caret = pos + int(text.size());
            i = next;
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
