// The editor's searching: the direct find and the search message, find-and-select with the
// replacement, replacing all as one undo step, errors reported in message boxes, and the built-in
// find and replace flow with its prompts.
#include "editor/custom_syntax_memo.h"
#include "editor/memo_messages.h"
#include "editor/search/find_flow.h"
#include "editor/search/memo_search.h"

#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QMessageBox>

using namespace sm;

namespace {

class MemoSearch : public ::testing::Test {
protected:
    TCustomSyntaxMemo memo;
    QStringList failures;

    MemoSearch()
    {
        memo.OnSearchFail = [this](TObject*, const QString& Text) { failures << Text; };
    }
    void Load(std::string_view Text)
    {
        memo.SetText(Text);
        memo.SetSelection(0, 0);
    }
    std::pair<int, int> Selection() const { return {memo.SelStart(), memo.SelEnd()}; }
    // Answers the next message box with the button Caption, checking that its text holds Text.
    static TScriptedPrompts::TStep Answer(const QString& Text, const QString& Caption)
    {
        return [Text, Caption](QDialog& Dialog) {
            EXPECT_TRUE(Describe(Dialog).contains(Text)) << Describe(Dialog).toStdString();
            Click(Caption)(Dialog);
        };
    }
};

TEST_F(MemoSearch, DirectFindStartsAtTheSelection)
{
    Load("abc abc ABC");
    EXPECT_EQ(memo.FindText("abc", foSearchNow), 0);
    // Plain text is found from the selection's start and not selected.
    EXPECT_EQ(Selection(), std::make_pair(0, 0));
    memo.SetSelection(1, 2);
    EXPECT_EQ(memo.FindText("abc", foSearchNow), 4);
    EXPECT_EQ(memo.FindText("abc", foSearchNow | foMatchCase | foWholeWord), 4);
    EXPECT_EQ(memo.FindText("ABC", foSearchNow | foMatchCase), 8);
    memo.SetSelection(11, 8);
    EXPECT_EQ(memo.FindText("abc", foSearchNow | foBackward), 4);
    EXPECT_EQ(memo.Search().LastSearch(), "abc");
    // Forward with the selection at the end, backward at 0, and an empty text find nothing.
    memo.SetSelection(11, 11);
    EXPECT_EQ(memo.FindText("abc", foSearchNow), -1);
    memo.SetSelection(0, 3);
    EXPECT_EQ(memo.FindText("abc", foSearchNow | foBackward), -1);
    Load("");
    EXPECT_EQ(memo.FindText("abc", foSearchNow), -1);
}

TEST_F(MemoSearch, TheSearchMessageFindsWithBitEight)
{
    Load("one two one");
    memo.SetSelection(1, 1);
    EXPECT_EQ(memo.Perform(SM_SEARCH, foSearchNow, win::LPARAM("one")), 8);
    EXPECT_EQ(memo.Perform(SM_SEARCH, foSearchNow | foRegularExpression, win::LPARAM("t.o")), 4);
    EXPECT_EQ(Selection(), std::make_pair(4, 7));
    EXPECT_EQ(memo.Search().LastMatch, 4);
    EXPECT_EQ(memo.RegexMatchCount(), 3);
    EXPECT_EQ(memo.RegexMatchPos(99), 7);
}

TEST_F(MemoSearch, RegularExpressionErrorsAreShownNotThrown)
{
    Load("abababab");
    {
        TScriptedPrompts prompts;
        prompts.Then(Answer(QStringLiteral("Invalid range\r\n[z-a]\r\n   ^"), QStringLiteral("OK")));
        EXPECT_EQ(memo.FindText("[z-a]", foSearchNow | foRegularExpression), -1);
    }
    std::string pairs;
    for (int i = 0; i < 300; ++i)
        pairs += "ab";
    Load(pairs);
    TScriptedPrompts prompts;
    prompts.Then(Answer(QStringLiteral("Index range error"), QStringLiteral("OK")));
    EXPECT_EQ(memo.FindText("(ab)*", foSearchNow | foRegularExpression), -1);
}

TEST_F(MemoSearch, FindReplaceTextSelectsAndExpands)
{
    Load("xx ab ab");
    std::string replacement;
    int position = -1;
    ASSERT_TRUE(memo.FindReplaceText("ab", "cd", 0, replacement, position));
    EXPECT_EQ(position, 3);
    EXPECT_EQ(Selection(), std::make_pair(3, 5));
    EXPECT_EQ(replacement, "cd");
    EXPECT_FALSE(memo.FindReplaceText("ab", "cd", foSearchNothing, replacement, position));

    // The replacement reads the log: after group 1 the next entry is the position after it, so
    // "%2" is the empty text between group 2's entry and b's, and "%1" is "a".
    memo.SetSelection(0, 0);
    ASSERT_TRUE(memo.FindReplaceText("(a)(b)", "%2%1", foRegularExpression, replacement, position));
    EXPECT_EQ(position, 3);
    EXPECT_EQ(Selection(), std::make_pair(3, 5));
    EXPECT_EQ(replacement, "a");
    ASSERT_TRUE(memo.FindReplaceText("(a)(b)", "[%1|%3]", foRegularExpression, replacement, position));
    EXPECT_EQ(replacement, "[a|b]");
    // A reference past the log gives nothing, not the whole text.
    memo.SetSelection(0, 0);
    ASSERT_TRUE(memo.FindReplaceText("(a)(b)", "%9", foRegularExpression, replacement, position));
    EXPECT_EQ(replacement, "");
}

TEST_F(MemoSearch, ReplaceAllIsOneUndoStep)
{
    const std::string text = "<td>a</td><td>b</td>\r<td>";
    Load(text);
    EXPECT_EQ(memo.ReplaceAll(memo.TextLength(), 0, 0, "<TD>", "<td>"), 3);
    EXPECT_EQ(memo.GetText(), "<TD>a</td><TD>b</td>\r\n<TD>");
    EXPECT_EQ(Selection(), std::make_pair(int(text.size()), int(text.size())));
    memo.Undo();
    EXPECT_EQ(memo.TextStore().GetText(0, memo.TextLength()), text);

    // Matches do not overlap, empty matches are skipped, and the range end counts.
    struct TCase {
        const char* Text;
        const char* Find;
        const char* Replace;
        unsigned Options;
        int RangeEnd;
        int Count;
        const char* Result;
    };
    const TCase cases[] = {
        {"aaaa", "aa", "b", 0, 4, 2, "bb"},
        {"abxxcxd", "x*", "", foRegularExpression, 7, 2, "abcd"},
        {"abxxcxd", "x*", "-", foRegularExpression, 7, 2, "ab-c-d"},
        {"a1b22c", "\\d+", "<%1>", foRegularExpression, 6, 2, "a<1>b<22>c"},
        {"cat cats cat", "cat", "dog", foWholeWord, 12, 2, "dog cats dog"},
        {"ab ab ab", "ab", "x", 0, 5, 2, "x x ab"},
        {"none", "zz", "x", 0, 4, 0, "none"},
    };
    for (const TCase& c : cases) {
        Load(c.Text);
        EXPECT_EQ(memo.ReplaceAll(c.RangeEnd, 0, c.Options, c.Replace, c.Find), c.Count) << c.Text;
        EXPECT_EQ(memo.TextStore().GetText(0, memo.TextLength()), c.Result) << c.Text;
    }
}

// Everything an edit can move, line by line and anchor by anchor.
std::string Layout(TCustomSyntaxMemo& Memo)
{
    TTextStore& store = Memo.TextStore();
    std::string layout;
    for (const TLineRecord* line = store.FirstLine(); line; line = line->Next)
        layout += line->Text + "|" + std::to_string(line->Bookmarks) + "\n";
    for (int i = 0; i < store.NamedBookmarks().Count(); ++i)
        layout += "bookmark " + std::to_string(store.NamedBookmarks().Position(i)) + "\n";
    for (int i = 0; store.Marks() && i < store.Marks()->Count(); ++i)
        layout += "mark " + std::to_string(store.Marks()->Items(i)->Start) + "-" +
                  std::to_string(store.Marks()->Items(i)->End) + "\n";
    for (int i = 0; i < store.Breakpoints().Count(); ++i)
        layout += "breakpoint " + std::to_string(store.Breakpoints().Items(i)->Position) + "\n";
    const TSM_BreakpointData* marker = store.CodeBreaks().Marker();
    return layout + "code break " + std::to_string(marker->Position) + (marker->Active() ? " on" : " off");
}

// Replace All may put the matches of a line in as one edit: the text, the line records, whatever
// is anchored in the text and the undo step come out as with one edit per match.
TEST(MemoReplaceAll, LeavesWhatOneEditPerMatchWould)
{
    struct TCase {
        std::string Text, Find, Replace;
        unsigned Options;
    };
    const TCase cases[] = {
        {"<td>a<td>b<td>\r\n<td>\r\nx<td><td>", "<td>", "<TD>", 0},
        {"aa aa aa\r\naa", "aa", "b", 0},
        {"ab ab\r\nab", "ab", "", 0},
        {"ab ab\r\nab ab", "ab", "x\r\ny", 0},
        {"a1b22c3\r\n44 5", "\\d+", "<%1>", foRegularExpression},
        {"one two one two one two one two one two one two\r\ntwo", "two", "three", 0},
    };
    // Nothing anchored; anchors (a named bookmark, a mark, a breakpoint, the code break) at the
    // start, between and at the end of the first line's matches; the same with word wrap.
    const int anchors[][4] = {{0, 0, 0, 0}, {4, 9, 0, 14}, {0, 4, 5, 9}};
    for (int variant = 0; variant < 3; ++variant) {
        for (const TCase& c : cases) {
            SCOPED_TRACE(c.Text + " variant " + std::to_string(variant));
            TCustomSyntaxMemo joined;
            TCustomSyntaxMemo reference;
            for (TCustomSyntaxMemo* m : {&joined, &reference}) {
                m->resize(200, 100);
                m->SetWordWrap(variant == 2);
                m->SetText(c.Text);
                m->SetSelection(1, 1);
                if (variant > 0) {
                    const int* at = anchors[variant];
                    TTextStore& store = m->TextStore();
                    store.NamedBookmarks().Add(QStringLiteral("b"), at[0]);
                    store.EnsureMarks().Add(at[1], at[1] + 1, 0);
                    store.Breakpoints()
                        .Add(std::make_unique<TSM_BreakpointData>(0, true, QString(), 0))
                        ->Position = at[2];
                    store.CodeBreaks().Marker()->Position = at[3];
                    store.CodeBreaks().Marker()->SetActive(true);
                }
            }

            // One edit per match, in one undo block.
            std::vector<TFoundMatch> matches;
            ASSERT_TRUE(reference.Search().CollectMatches(reference.TextLength(), 0, c.Options, c.Replace,
                                                          c.Find, matches));
            reference.BeginUndoBlock(ubFindReplace);
            int shift = 0;
            for (const TFoundMatch& match : matches) {
                reference.SetSelection(match.Pos + shift, match.Pos + shift + match.Length, true);
                reference.ReplaceSelectionText(match.Replacement, true);
                shift += int(match.Replacement.size()) - match.Length;
            }
            reference.EndUndoBlock(ubFindReplace);
            reference.SetSelection(reference.SelEnd(), reference.SelEnd());

            EXPECT_EQ(joined.ReplaceAll(joined.TextLength(), 0, c.Options, c.Replace, c.Find),
                      int(matches.size()));
            const auto same = [&] {
                EXPECT_EQ(Layout(joined), Layout(reference));
                EXPECT_EQ(joined.SelStart(), reference.SelStart());
                EXPECT_EQ(joined.SelEnd(), reference.SelEnd());
            };
            same();
            if (variant == 0 && c.Replace.find('\r') == std::string::npos) {
                EXPECT_LT(joined.TextStore().UndoLog()->Count(), reference.TextStore().UndoLog()->Count());
            }
            for (const bool back : {true, false}) {
                for (TCustomSyntaxMemo* m : {&joined, &reference})
                    back ? m->Undo() : m->Redo();
                same();
            }
            joined.Undo();
            EXPECT_EQ(joined.GetText(), c.Text);
        }
    }
}

TEST_F(MemoSearch, FindNextMovesOnFromTheLastMatch)
{
    Load("abc abc abc");
    TMemoFindFlow& flow = memo.Search().Flow();
    TFindDialogState state;
    state.FindText = "abc";
    ASSERT_TRUE(flow.FindNext(state));
    EXPECT_EQ(Selection(), std::make_pair(0, 3));
    ASSERT_TRUE(flow.FindNext(state));
    EXPECT_EQ(Selection(), std::make_pair(4, 7));
    state.Down = false;
    ASSERT_TRUE(flow.FindNext(state));
    EXPECT_EQ(Selection(), std::make_pair(0, 3));
    // Backward at 0 fails and reports; the selection stays.
    EXPECT_FALSE(flow.FindNext(state));
    EXPECT_EQ(Selection(), std::make_pair(0, 3));
    EXPECT_EQ(failures, QStringList{QStringLiteral("abc")});

    // A regular expression's empty match does not count.
    Load("xyzabc");
    flow.Regex = true;
    state.Down = true;
    state.FindText = "a*";
    ASSERT_TRUE(flow.FindNext(state));
    EXPECT_EQ(Selection(), std::make_pair(3, 4));
}

TEST_F(MemoSearch, TheFlowReplacesWithPrompts)
{
    Load("a a a a");
    TMemoFindFlow& flow = memo.Search().Flow();
    TFindDialogState state;
    state.FindText = "a";
    state.ReplaceText = "bb";
    {
        // No, Yes, then All: the rest is replaced without asking.
        TScriptedPrompts prompts;
        const QString question = QStringLiteral("Replace this occurence of 'a' with 'bb' ?");
        prompts.Then(Answer(question, QStringLiteral("&No")))
            .Then(Answer(question, QStringLiteral("&Yes")))
            .Then(Answer(question, QStringLiteral("&All")));
        EXPECT_EQ(flow.Replace(state, false), 3);
    }
    EXPECT_EQ(memo.TextStore().GetText(0, memo.TextLength()), "a bb bb bb");
    {
        Load("a a a");
        TScriptedPrompts prompts;
        prompts.Then(Click(QStringLiteral("&Yes"))).Then(Click(QStringLiteral("Cancel")));
        EXPECT_EQ(flow.Replace(state, false), 1);
        EXPECT_EQ(memo.TextStore().GetText(0, memo.TextLength()), "bb a a");
    }
    // Replace All asks nothing; a regular expression collects its non-empty matches first.
    Load("axxbxc");
    flow.Regex = true;
    state.FindText = "x*";
    state.ReplaceText = "-";
    EXPECT_EQ(flow.Replace(state, true), 2);
    EXPECT_EQ(memo.TextStore().GetText(0, memo.TextLength()), "a-b-c");
    memo.Undo();
    EXPECT_EQ(memo.TextStore().GetText(0, memo.TextLength()), "axxbxc");
    // Nothing found is reported.
    state.FindText = "q+";
    EXPECT_EQ(flow.Replace(state, true), 0);
    EXPECT_EQ(failures, QStringList{QStringLiteral("q+")});
}

TEST_F(MemoSearch, TheSearchMessageWithoutBitEightShowsTheFindWindow)
{
    Load("one two");
    memo.SetSelection(4, 7);
    EXPECT_EQ(memo.Perform(SM_SEARCH, foMatchCase, 0), -1);
    TPlatformFindDialog* dialog = memo.Search().Flow().Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->ReplaceMode());
    EXPECT_EQ(dialog->State().FindText, "two");
    EXPECT_TRUE(dialog->State().MatchCase);
    memo.Perform(SM_REPLACEDIALOG, 0, 0);
    EXPECT_TRUE(dialog->ReplaceMode());
    EXPECT_TRUE(dialog->btnReplaceAll->isVisible());
    dialog->close();
}

} // namespace
