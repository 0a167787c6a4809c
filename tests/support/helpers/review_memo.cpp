// An editor for the review program to serve its find and replace dialog with, made in a file of
// its own: the editor's header and the HTML label's do not go into one translation unit.
#include "editor/custom_syntax_memo.h"

TCustomSyntaxMemo* NewReviewMemo(const char* Text)
{
    auto* memo = new TCustomSyntaxMemo;
    memo->SetText(Text);
    return memo;
}

void FreeReviewMemo(TCustomSyntaxMemo* Memo)
{
    delete Memo;
}
