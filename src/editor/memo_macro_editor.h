// TMemoMacroEditor: what the code templates and the auto-replace list see of the editor control
// they expand in: its text, its word tests, where the pick list opens, and the selection that stays
// visible while the list has the focus.
#pragma once

#include "editor/custom_syntax_memo.h"
#include "editor/templates/macro_keywords.h"

class TMemoMacroEditor : public IMacroEditor {
public:
    explicit TMemoMacroEditor(TCustomSyntaxMemo& Memo) : memo_(Memo) {}

    TMemoCore& Memo() override { return memo_; }
    bool CharStartsWord(char C) override { return memo_.CharStartsWord(C); }
    bool CharIsInWord(char C) override { return memo_.CharIsInWord(C); }
    QWidget* PickListParent() override { return &memo_; }
    // In the control's coordinates: left at the caret, the top and height of its line.
    QRect CaretLineRect() override;
    // The typed name the list will replace stays selected on screen while the list is open.
    void PickListOpened() override;
    void PickListClosed() override;

private:
    TCustomSyntaxMemo& memo_;
    bool hideSelection_ = true;
};
