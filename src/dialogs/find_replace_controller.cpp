// What the find and replace dialog does.
#include "dialogs/find_replace_controller.h"

#include "editor/custom_syntax_memo.h"
#include "editor/document/memo_strings.h"
#include "editor/search/editor_text.h"
#include "editor/search/search_text.h"

#include "platform/rtl/format.h"
#include "platform/ui/message_dialogs.h"

#include <algorithm>

namespace {

// Undo block of a replace-all run.
constexpr int ReplaceAllBlock = 34;

bool SameText(std::string_view A, std::string_view B, bool CaseSensitive)
{
    return A.size() == B.size() &&
           std::equal(A.begin(), A.end(), B.begin(), [CaseSensitive](char X, char Y) {
               return CaseSensitive ? X == Y : UpperAZ(X) == UpperAZ(Y);
           });
}

} // namespace

TCustomSyntaxMemo* TFindReplaceController::Editor() const
{
    return editorAlive_ ? editor_ : nullptr;
}

void TFindReplaceController::SetEditor(TCustomSyntaxMemo* Editor)
{
    editor_ = Editor;
    editorAlive_ = Editor;
}

unsigned TFindReplaceController::OptionsOf(bool MatchCase, bool WholeWords, bool RegularExpressions, bool Back)
{
    return (MatchCase ? foMatchCase : 0) | (WholeWords ? foWholeWord : 0) |
           (RegularExpressions ? foRegularExpression : 0) | (Back ? foBackward : 0);
}

unsigned TFindReplaceController::MaskFindOpt(int Stored)
{
    return unsigned(Stored) & (foMatchCase | foRegularExpression | foWholeWord | foBackward);
}

QStringList TFindReplaceController::WithHistoryEntry(QStringList History, const QString& Text)
{
    if (!Text.isEmpty() && !History.contains(Text))
        History.prepend(Text);
    while (History.size() > HistoryLength)
        History.removeLast();
    return History;
}

void TFindReplaceController::SkipSelectedText(const TFindReplaceRequest& Request, bool CaseSensitive)
{
    const int s = std::min(editor_->SelStart(), editor_->SelEnd());
    const int e = std::max(editor_->SelStart(), editor_->SelEnd());
    if (s < e && SameText(editor_->SelText(), EditorBytes(Request.FindText), CaseSensitive))
        editor_->SetSelection(s + 1, e, true);
}

void TFindReplaceController::ReportNotFound(const QString& FindText)
{
    MessageDlg(Format(QStringLiteral("'%s' not found"), {FindText}), mtInformation, {mbOK});
}

int TFindReplaceController::AskReplace(const TFindReplaceRequest& Request)
{
    return MessageDlg(Format(QStringLiteral("Replace this instance of '%s' with '%s'?"),
                             {Request.FindText, Request.ReplaceText}),
                      mtConfirmation, {mbYes, mbNo, mbCancel});
}

bool TFindReplaceController::Find(const TFindReplaceRequest& Request)
{
    if (!Editor())
        return false;
    const int selStart = editor_->SelStart();
    const int selEnd = editor_->SelEnd();
    SkipSelectedText(Request, Request.FindOpt & foMatchCase);
    const std::string findText = EditorBytes(Request.FindText);
    const int found = editor_->FindText(findText, Request.FindOpt | foSearchNow);
    if (found < 0) {
        editor_->SetSelection(selStart, selEnd, true);
        ReportNotFound(Request.FindText);
        return false;
    }
    // A regular-expression match is selected by the find itself.
    if (!(Request.FindOpt & foRegularExpression))
        editor_->SetSelection(found, found + int(findText.size()));
    return true;
}

bool TFindReplaceController::FindNextReplacement(const TFindReplaceRequest& Request, unsigned Options,
                                                 std::string& Replacement)
{
    const std::string findText = EditorBytes(Request.FindText);
    const std::string replaceText = EditorBytes(Request.ReplaceText);
    for (;;) {
        int position = 0;
        if (!editor_->FindReplaceText(findText, replaceText, Options, Replacement, position))
            return false;
        if (editor_->SelStart() != editor_->SelEnd())
            return true;
        // An empty regular-expression match is skipped: on one character further.
        const int next = (Options & foBackward) ? position : position + 1;
        if (next > editor_->TextLength() || ((Options & foBackward) && position == 0))
            return false;
        editor_->SetSelection(next, next, true);
    }
}

bool TFindReplaceController::ReplaceOne(const TFindReplaceRequest& Request)
{
    if (!Editor())
        return false;
    if (!(Request.FindOpt & foRegularExpression))
        SkipSelectedText(Request, true);
    std::string replacement;
    if (!FindNextReplacement(Request, Request.FindOpt, replacement)) {
        ReportNotFound(Request.FindText);
        return false;
    }
    if (!Request.PromptOnReplace || AskReplace(Request) == mrYes)
        editor_->ReplaceSelectionText(replacement);
    return true;
}

int TFindReplaceController::ReplaceAll(const TFindReplaceRequest& Request)
{
    if (!Editor())
        return 0;
    TCustomSyntaxMemo& editor = *editor_;
    // Always forward: a run from the start of the text backward would find nothing.
    const unsigned options = Request.FindOpt & ~foBackward;
    editor.BeginUndoBlock(ReplaceAllBlock);
    if (!Request.PromptOnReplace)
        editor.Lines().BeginUpdate();
    editor.SetSelection(0, 0, true);
    int replaced = 0;
    std::string replacement;
    while (FindNextReplacement(Request, options, replacement)) {
        const int answer = Request.PromptOnReplace ? AskReplace(Request) : mrYes;
        if (answer == mrCancel)
            break;
        if (answer == mrYes) {
            editor.ReplaceSelectionText(replacement, true);
            ++replaced;
        }
        // On from the end of the selection (after a replacement the caret stands there).
        const int end = std::max(editor.SelStart(), editor.SelEnd());
        editor.SetSelection(end, end, true);
    }
    if (!Request.PromptOnReplace)
        editor.Lines().EndUpdate();
    editor.EndUndoBlock(ReplaceAllBlock);
    editor.SetSelection(editor.SelStart(), editor.SelEnd());
    return replaced;
}
