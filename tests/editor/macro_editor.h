// An editor for the code-template tests: an editor core, a widget for the pick list, the default
// word tests, and a record of what the templates asked of it.
#pragma once

#include "editor/templates/macro_keywords.h"
#include "memo_fixture.h"

#include <QWidget>

class TTestMacroEditor : public IMacroEditor {
public:
    TTestMacroEditor()
    {
        widget.resize(400, 300);
        widget.show();
    }

    TMemoCore& Memo() override { return memo; }
    bool CharStartsWord(char C) override
    {
        return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
    }
    bool CharIsInWord(char C) override
    {
        return CharStartsWord(C) || (C >= '0' && C <= '9') || C == '\'' || C == '-';
    }
    QWidget* PickListParent() override { return &widget; }
    QRect CaretLineRect() override { return caretLine; }
    void PickListOpened() override { ++opened; }
    void PickListClosed() override { ++closed; }

    // Types Text and leaves the caret after it.
    void Type(std::string_view Text)
    {
        memo.SetSelection(memo.TextLength(), memo.TextLength());
        memo.ReplaceSelection(Text);
    }

    TTestMemo memo;
    QWidget widget;
    QRect caretLine{40, 30, 1, 15};
    int opened = 0;
    int closed = 0;
};
