// The editor's built-in find and replace flow.
#include "editor/search/find_flow.h"

#include "editor/custom_syntax_memo.h"
#include "editor/search/editor_text.h"
#include "editor/search/memo_search.h"

#include "platform/rtl/format.h"
#include "platform/rtl/resource_strings.h"
#include "platform/ui/beep.h"
#include "platform/ui/screen.h"
#include "platform/widgets/message_form.h"

#include <algorithm>

TMemoFindFlow::TMemoFindFlow(TCustomSyntaxMemo& Editor, TMemoSearch& Search) : editor_(Editor), search_(Search) {}

TMemoFindFlow::~TMemoFindFlow()
{
    delete dialog_.data();
}

void TMemoFindFlow::Show(std::string_view Pattern, unsigned Options, bool Replace)
{
    if (!dialog_) {
        dialog_ = new TPlatformFindDialog(&editor_);
        dialog_->SetMatchCase(Options & foMatchCase);
        dialog_->OnFind = [this](const TFindDialogState& State) {
            FindNext(State);
        };
        dialog_->OnReplace = [this](const TFindDialogState& State, bool All) { this->Replace(State, All); };
    }
    Regex = Options & foRegularExpression;
    if (!Pattern.empty())
        dialog_->SetFindText(std::string(Pattern));
    else if (editor_.SelStart() != editor_.SelEnd() && !Regex)
        dialog_->SetFindText(editor_.SelText());
    search_.LastMatch = -1;
    dialog_->SetReplaceMode(Replace);
    dialog_->show();
    dialog_->raise();
}

unsigned TMemoFindFlow::OptionsOf(const TFindDialogState& State) const
{
    return foSearchNow | (State.MatchCase ? foMatchCase : 0) | (State.WholeWord ? foWholeWord : 0) |
           (Regex ? foRegularExpression : 0) | (State.Down ? 0 : foBackward);
}

bool TMemoFindFlow::FindFrom(const TFindDialogState& State, int Pos, bool& Reported)
{
    Reported = false;
    if (Regex && !search_.CompileReporting(State.FindText)) {
        Reported = true;
        return false;
    }
    const unsigned options = OptionsOf(State);
    const int length = editor_.TextLength();
    for (int pos = Pos; pos >= 0 && pos <= length;) {
        editor_.SetSelection(pos, pos, true);
        const int found = search_.FindText(State.FindText, options);
        if (found < 0)
            return false;
        const int end = Regex ? search_.Regex().MatchPos(search_.Regex().MatchCount())
                              : found + int(State.FindText.size());
        if (end > found) {
            editor_.SetSelection(found, end, true);
            return true;
        }
        // An empty regular-expression match does not count: on one character further.
        if (!State.Down && found == 0)
            return false;
        pos = State.Down ? found + 1 : found;
    }
    return false;
}

bool TMemoFindFlow::FindNext(const TFindDialogState& State)
{
    const int selStart = editor_.SelStart();
    const int selEnd = editor_.SelEnd();
    const int s = std::min(selStart, selEnd);
    // A forward search from a selection that is the last match would find it again; a backward
    // one only finds what ends by the selection's start.
    const int from = State.Down && s == search_.LastMatch ? s + 1 : s;
    bool reported = false;
    const bool found = (State.Down || s > 0) && FindFrom(State, from, reported);
    if (found) {
        search_.LastMatch = std::min(editor_.SelStart(), editor_.SelEnd());
        editor_.SetSelection(editor_.SelStart(), editor_.SelEnd());
    } else {
        editor_.SetSelection(selStart, selEnd, true);
        if (!reported)
            editor_.ReportSearchFailure(EditorString(State.FindText));
    }
    editor_.ScrollCaretIntoView();
    return found;
}

int TMemoFindFlow::AskReplace(const TFindDialogState& State)
{
    auto box = CreateMessageDialog(Format(LoadStr(4401), {EditorString(State.FindText), EditorString(State.ReplaceText)}),
                                   mtConfirmation, {mbYes, mbNo, mbCancel, mbAll});
    if (dialog_)
        box->move(dialog_->pos() - QPoint(10, 10));
    return box->ShowModal();
}

int TMemoFindFlow::Replace(const TFindDialogState& State, bool All)
{
    const int start = std::max(editor_.SelStart(), editor_.SelEnd());
    if (All) {
        if (Regex && !search_.Regex().Compile(State.FindText)) {
            MessageBeep();
            return 0;
        }
        const TCursor cursor = Screen().Cursor();
        Screen().SetCursor(crHourGlass);
        const int count = search_.ReplaceAll(editor_.TextLength(), start, OptionsOf(State), State.ReplaceText,
                                             State.FindText);
        Screen().SetCursor(cursor);
        if (count == 0)
            editor_.ReportSearchFailure(EditorString(State.FindText));
        return std::max(count, 0);
    }
    int replaced = 0;
    bool prompt = true;
    int pos = start;
    for (;;) {
        bool reported = false;
        if (!FindFrom(State, pos, reported)) {
            if (!replaced && !reported)
                editor_.ReportSearchFailure(EditorString(State.FindText));
            break;
        }
        const int s = std::min(editor_.SelStart(), editor_.SelEnd());
        const int e = std::max(editor_.SelStart(), editor_.SelEnd());
        search_.LastMatch = s;
        std::string replacement = State.ReplaceText;
        if (Regex)
            replacement = ExpandReplacement(State.ReplaceText, [this](int N) { return search_.LoggedText(N); });
        int answer = mrYes;
        if (prompt) {
            editor_.SetSelection(s, e);
            answer = AskReplace(State);
        }
        if (answer == mrCancel)
            break;
        if (answer == mrAll)
            prompt = false;
        if (answer == mrNo) {
            pos = State.Down ? e : s;
            continue;
        }
        editor_.SetSelection(s, e, true);
        editor_.ReplaceSelectionText(replacement, !prompt);
        ++replaced;
        pos = State.Down ? s + int(replacement.size()) : s;
    }
    editor_.SetSelection(editor_.SelStart(), editor_.SelEnd());
    return replaced;
}
