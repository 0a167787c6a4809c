// The editor control's find and replace operations, done by its TMemoSearch.
#include "editor/custom_syntax_memo.h"

#include "editor/search/find_flow.h"
#include "editor/search/memo_search.h"

void TCustomSyntaxMemo::TSearchDeleter::operator()(TMemoSearch* Search) const
{
    delete Search;
}

TMemoSearch& TCustomSyntaxMemo::Search()
{
    if (!search_)
        search_.reset(new TMemoSearch(*this));
    return *search_;
}

int TCustomSyntaxMemo::FindText(std::string_view Text, unsigned Options)
{
    Options &= 0xFFFF;
    if (!(Options & foSearchNow)) {
        Search().Flow().Show(Text, Options, false);
        return -1;
    }
    return Search().FindText(Text, Options);
}

bool TCustomSyntaxMemo::FindReplaceText(std::string_view FindText, std::string_view ReplaceText, unsigned Options,
                                        std::string& Replacement, int& Position)
{
    return Search().FindReplaceText(FindText, ReplaceText, Options, Replacement, Position);
}

int TCustomSyntaxMemo::ReplaceAll(int RangeEnd, int Start, unsigned Options, std::string_view ReplaceText,
                                  std::string_view FindText)
{
    return Search().ReplaceAll(RangeEnd, Start, Options, ReplaceText, FindText);
}

int TCustomSyntaxMemo::RegexMatchPos(int N)
{
    return Search().RegexMatchPos(N);
}

int TCustomSyntaxMemo::RegexMatchCount()
{
    return Search().RegexMatchCount();
}
