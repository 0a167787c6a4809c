// TMemoFindFlow: the editor's built-in find and replace flow over its own find window: find next
// from the last match, and replacing with a prompt per occurrence or all at once.
#pragma once

#include "editor/search/platform_find_dialog.h"

#include <QPointer>
#include <string_view>

class TCustomSyntaxMemo;
class TMemoSearch;

class TMemoFindFlow {
public:
    TMemoFindFlow(TCustomSyntaxMemo& Editor, TMemoSearch& Search);
    ~TMemoFindFlow();
    TMemoFindFlow(const TMemoFindFlow&) = delete;
    TMemoFindFlow& operator=(const TMemoFindFlow&) = delete;

    // Shows the window in find or replace mode: match case preset by foMatchCase, regular
    // expressions remembered from foRegularExpression, the find text Pattern or else (with a
    // selection and no regular expressions) the selected text; the last match is forgotten.
    void Show(std::string_view Pattern, unsigned Options, bool Replace);
    // The window, made on the first Show.
    TPlatformFindDialog* Dialog() const { return dialog_; }

    // Find Next: from the selection, one character further when it starts at the last match; a
    // regular-expression match must not be empty. The match is selected and becomes the last
    // match; otherwise the editor's search failure report runs. True when found.
    bool FindNext(const TFindDialogState& State);
    // Replace (All false): from the end of the selection each occurrence is found, selected and
    // asked about (Yes, No, Cancel, All). Replace All: every match from there is replaced as one
    // undo step. Returns the number of replacements.
    int Replace(const TFindDialogState& State, bool All);

    // Whether the find text is a regular expression.
    bool Regex = false;

private:
    unsigned OptionsOf(const TFindDialogState& State) const;
    // The next occurrence from Pos in the state's direction, selected; false when there is none
    // (or the pattern does not compile: then Reported is set).
    bool FindFrom(const TFindDialogState& State, int Pos, bool& Reported);
    int AskReplace(const TFindDialogState& State);

    TCustomSyntaxMemo& editor_;
    TMemoSearch& search_;
    QPointer<TPlatformFindDialog> dialog_;
};
