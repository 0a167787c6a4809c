// The editor's find and replace dialog: what its OK and Replace All do to the editor (with the
// prompts answered from a script), its buttons, and what it keeps in the registry between two
// lifetimes.
#include "dialogs/ed_repl_frm.h"

#include "editor/custom_syntax_memo.h"
#include "editor/search/search_text.h"
#include "platform/registry/reg_ini_file.h"
#include "platform/widgets/std_controls.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>

namespace {

class FindReplace : public ::testing::Test {
protected:
    TRegistryScope scope;
    TCustomSyntaxMemo memo;
    TFindReplaceController controller;

    FindReplace() { controller.SetEditor(&memo); }
    void Load(std::string_view Text, int SelStart = 0, int SelEnd = 0)
    {
        memo.SetText(Text);
        memo.SetSelection(SelStart, SelEnd);
    }
    std::string Text() { return memo.TextStore().GetText(0, memo.TextLength()); }
    std::pair<int, int> Selection() const { return {memo.SelStart(), memo.SelEnd()}; }
    static TFindReplaceRequest Request(const QString& Find, const QString& Replace = {}, unsigned Options = 0,
                                       bool Prompt = true)
    {
        return {Find, Replace, Options, Prompt};
    }
    static TScriptedPrompts::TStep Answer(const QString& Text, const QString& Caption)
    {
        return [Text, Caption](QDialog& Dialog) {
            EXPECT_EQ(Describe(Dialog), Text);
            Click(Caption)(Dialog);
        };
    }
};

TEST_F(FindReplace, TheSelectedTextSearchedAgainFindsTheNextOne)
{
    Load("abc xabc abc", 0, 3);
    EXPECT_TRUE(controller.Find(Request("abc", {}, foMatchCase)));
    EXPECT_EQ(Selection(), std::make_pair(5, 8));
    Load("ABC xabc abc", 0, 3);
    EXPECT_TRUE(controller.Find(Request("abc")));
    EXPECT_EQ(Selection(), std::make_pair(5, 8));
    // With case on, a selected "ABC" is not the text "abc": the search starts at the selection.
    Load("ABC xabc ABC", 0, 3);
    EXPECT_TRUE(controller.Find(Request("abc", {}, foMatchCase)));
    EXPECT_EQ(Selection(), std::make_pair(5, 8));
    // Backward from the selection, and a regular expression.
    Load("abc xabc abc", 9, 12);
    EXPECT_TRUE(controller.Find(Request("abc", {}, foBackward)));
    EXPECT_EQ(Selection(), std::make_pair(5, 8));
    EXPECT_TRUE(controller.Find(Request("a.c", {}, foRegularExpression)));
    EXPECT_EQ(Selection(), std::make_pair(9, 12));

    TScriptedPrompts prompts;
    prompts.Then(Answer("[Information] 'zz' not found", "OK"));
    EXPECT_FALSE(controller.Find(Request("zz")));
    EXPECT_EQ(Selection(), std::make_pair(9, 12));
}

TEST_F(FindReplace, ReplaceOneAsksFirst)
{
    Load("one two one");
    TScriptedPrompts prompts;
    prompts.Then(Answer("[Confirm] Replace this instance of 'one' with '1'?", "&No"))
        .Then(Answer("[Confirm] Replace this instance of 'one' with '1'?", "&Yes"));
    EXPECT_TRUE(controller.ReplaceOne(Request("one", "1")));
    EXPECT_EQ(Text(), "one two one");
    EXPECT_EQ(Selection(), std::make_pair(0, 3));
    // The selection is the find text: the next one is replaced.
    EXPECT_TRUE(controller.ReplaceOne(Request("one", "1")));
    EXPECT_EQ(Text(), "one two 1");
    // Without asking; an empty regular-expression match is passed over.
    Load("ab xx");
    EXPECT_TRUE(controller.ReplaceOne(Request("x*", "-", foRegularExpression, false)));
    EXPECT_EQ(Text(), "ab -");
}

TEST_F(FindReplace, ReplaceAllWithPrompts)
{
    const QString question = "[Confirm] Replace this instance of 'a' with 'b'?";
    Load("a a a a");
    {
        TScriptedPrompts prompts;
        for (int i = 0; i < 4; ++i)
            prompts.Then(Answer(question, "&No"));
        EXPECT_EQ(controller.ReplaceAll(Request("a", "b")), 0);
        EXPECT_EQ(Text(), "a a a a");
    }
    {
        TScriptedPrompts prompts;
        prompts.Then(Click("&Yes")).Then(Click("&Yes")).Then(Click("Cancel"));
        EXPECT_EQ(controller.ReplaceAll(Request("a", "b")), 2);
        EXPECT_EQ(Text(), "b b a a");
    }
    memo.Undo();
    EXPECT_EQ(Text(), "a a a a");
}

TEST_F(FindReplace, ReplaceAllRunsForwardAndEnds)
{
    struct TCase {
        const char* Text;
        const char* Find;
        const char* Replace;
        unsigned Options;
        int Count;
        const char* Result;
    };
    const TCase cases[] = {
        // An empty match is passed over, so these end.
        {"axxbx", "x*", "", foRegularExpression, 2, "ab"},
        {"abab", "(b)?", "-", foRegularExpression, 2, "a-a-"},
        // Back selected still replaces from the start forward.
        {"cat cat", "cat", "dog", foBackward, 2, "dog dog"},
        {"aaa", "a", "aa", 0, 3, "aaaaaa"},
        {"(a)(b) ab", "(a)(b)", "%2%1", foRegularExpression, 1, "(a)(b) a"},
        {"none", "zz", "y", 0, 0, "none"},
    };
    for (const TCase& c : cases) {
        Load(c.Text, 2, 2);
        EXPECT_EQ(controller.ReplaceAll(Request(c.Find, c.Replace, c.Options, false)), c.Count) << c.Text;
        EXPECT_EQ(Text(), c.Result) << c.Text;
    }
}

TEST(FindReplaceController, OptionsAndHistories)
{
    EXPECT_EQ(TFindReplaceController::OptionsOf(true, true, true, true), 16u + 64 + 32 + 128);
    EXPECT_EQ(TFindReplaceController::MaskFindOpt(256 | 8 | 16), 16u);
    EXPECT_EQ(TFindReplaceController::MaskFindOpt(-1), 240u);
    QStringList history;
    for (int i = 0; i < 12; ++i)
        history = TFindReplaceController::WithHistoryEntry(history, QString::number(i));
    EXPECT_EQ(history.size(), 10);
    EXPECT_EQ(history.front(), "11");
    EXPECT_EQ(TFindReplaceController::WithHistoryEntry(history, "5"), history);
}

TEST_F(FindReplace, AnEmptyFindTextDisablesOkAndReplaceAll)
{
    TEdReplFrm* form = GetEdReplFrm();
    form->Execute({}, &memo, TEdReplFrm::fmReplace);
    EXPECT_FALSE(memo.HideSelection);
    form->cbFindHistoryBox->setEditText({});
    EXPECT_FALSE(form->btnOk->isEnabled());
    EXPECT_FALSE(form->btnReplaceAllButton->isEnabled());
    form->cbFindHistoryBox->setEditText("a");
    EXPECT_TRUE(form->btnOk->isEnabled());
    EXPECT_TRUE(form->btnReplaceAllButton->isEnabled());
    // The buttons stand from the right, 3 pixels apart; find mode hides the replace controls.
    EXPECT_EQ(form->btnCancel->x() - form->btnReplaceAllButton->geometry().right(), 4);
    EXPECT_EQ(form->btnReplaceAllButton->x() - form->btnOk->geometry().right(), 4);
    // Executed again while open, it takes the new text at once.
    form->Execute("two", &memo, TEdReplFrm::fmFind);
    EXPECT_EQ(form->cbFindHistoryBox->currentText(), "two");
    EXPECT_EQ(form->windowTitle(), "Find");
    EXPECT_FALSE(form->cbReplHistoryBox->isVisible());
    EXPECT_EQ(form->btnCancel->x() - form->btnOk->geometry().right(), 4);
    form->btnCancel->click();
    EXPECT_TRUE(memo.HideSelection);
    EXPECT_EQ(GetEdReplFrm(1), nullptr);
}

TEST_F(FindReplace, TheDialogRemembersItsChoicesAndHistories)
{
    Load("abc abc");
    {
        TEdReplFrm* form = GetEdReplFrm();
        form->Execute("abc", &memo, TEdReplFrm::fmReplace);
        EXPECT_EQ(form->windowTitle(), "Find and Replace");
        EXPECT_EQ(form->cbFindHistoryBox->currentText(), "abc");
        EXPECT_TRUE(form->chkPromptOnReplBox->isChecked());
        form->chkPromptOnReplBox->setChecked(false);
        form->chkUseCaseBox->setChecked(true);
        form->optBackDirection->setChecked(true);
        for (int i = 0; i < 11; ++i) {
            form->cbFindHistoryBox->setEditText(QString("old%1").arg(i));
            form->cbReplHistoryBox->setEditText(QString("new%1").arg(i));
            form->btnReplaceAllButton->click();
        }
        form->cbFindHistoryBox->setEditText("abc");
        form->cbReplHistoryBox->setEditText("xyz");
        form->btnReplaceAllButton->click();
        EXPECT_EQ(Text(), "xyz xyz");
        GetEdReplFrm(1);
    }
    scope.Reload();
    TRegIniFile values(DialogKey("Search Edit"));
    EXPECT_EQ(values.ReadInteger({}, "FindOpt", -1), 16 + 128);
    EXPECT_EQ(values.ReadInteger({}, "Direction", -1), 0);
    EXPECT_EQ(values.ReadInteger({}, "PromptOnReplace", -1), 0);
    EXPECT_EQ(values.ReadString({}, "LastReplace", {}), "xyz");

    TEdReplFrm* form = GetEdReplFrm();
    EXPECT_TRUE(form->chkUseCaseBox->isChecked());
    EXPECT_FALSE(form->chkRegExBox->isChecked());
    EXPECT_TRUE(form->optBackDirection->isChecked());
    EXPECT_FALSE(form->chkPromptOnReplBox->isChecked());
    form->Execute({}, &memo, TEdReplFrm::fmReplace);
    EXPECT_EQ(form->cbFindHistoryBox->currentText(), "abc");
    EXPECT_EQ(form->cbReplHistoryBox->currentText(), "xyz");
    ASSERT_EQ(form->cbFindHistoryBox->count(), 10);
    EXPECT_EQ(form->cbFindHistoryBox->itemText(0), "abc");
    EXPECT_EQ(form->cbFindHistoryBox->itemText(1), "old10");
    ASSERT_EQ(form->cbReplHistoryBox->count(), 10);
    EXPECT_EQ(form->cbReplHistoryBox->itemText(0), "xyz");
    GetEdReplFrm(1);

    // A stored 256 does not switch searching off.
    TRegIniFile(DialogKey("Search Edit")).WriteInteger({}, "FindOpt", 256 | 32);
    form = GetEdReplFrm();
    EXPECT_EQ(form->FindOpt(), 32u);
    GetEdReplFrm(1);
}

} // namespace
