// The editor's parser slots: the settings that follow the active slot, parsers and editors freed
// in either order, the options dialog of the active parser and the font fed back to the parser.
#include "stub_parser.h"

#include "editor/custom_syntax_memo.h"
#include "editor/document/syntax_memo_error.h"
#include "editor/language/sm_settings.h"

#include "../support/scripted_prompts.h"

#include <QDialog>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

bool Lists(const TCustomSyntaxMemoParser& Parser, const TMemoCore& Memo)
{
    const auto& editors = Parser.Editors();
    return std::find(editors.begin(), editors.end(), &Memo) != editors.end();
}

bool HasTokens(const TCustomSyntaxMemo& Memo)
{
    return Memo.TextStore().FirstLine()->Tokens != nullptr;
}

TEST(MemoParsers, TheActiveSlotChoosesTheSettingsShown)
{
    TCustomSyntaxMemo memo;
    TSM_Settings* own = &memo.Settings();
    memo.SetText("ab");
    EXPECT_EQ(memo.CurrentParser(), nullptr);
    EXPECT_FALSE(HasTokens(memo)) << "an empty slot highlights nothing";

    TStubParser first;
    TStubParser second;
    memo.SetParser(1, &first);
    memo.SetParser(2, &second);
    EXPECT_EQ(&memo.Settings(), &first.Settings());
    EXPECT_TRUE(Lists(first, memo) && Lists(second, memo));
    EXPECT_TRUE(HasTokens(memo));

    memo.SetActiveParser(2);
    EXPECT_EQ(memo.CurrentParser(), &second);
    EXPECT_EQ(&memo.Settings(), &second.Settings());
    memo.SetActiveParser(3);
    EXPECT_EQ(&memo.Settings(), own);

    for (const int slot : {0, 7}) {
        try {
            memo.SetActiveParser(slot);
            ADD_FAILURE() << slot;
        } catch (const ESyntaxMemo& E) {
            EXPECT_EQ(E.Message, QStringLiteral("Parser index out of range"));
        }
    }
    EXPECT_EQ(memo.ActiveParser(), 3);

    // Emptied slots leave the parser's list.
    memo.SetParser(2, nullptr);
    EXPECT_FALSE(Lists(second, memo));
}

TEST(MemoParsers, FreeingTheActiveParserSwitchesToTheOwnSettings)
{
    TCustomSyntaxMemo memo;
    TSM_Settings* own = &memo.Settings();
    auto parser = std::make_unique<TStubParser>();
    memo.SetParser(1, parser.get());
    memo.SetParser(4, parser.get()); // one parser in two slots
    memo.SetParser(4, nullptr);
    EXPECT_TRUE(Lists(*parser, memo)) << "still in slot 1";
    memo.SetText("ab");
    parser.reset();
    EXPECT_EQ(memo.Parser(1), nullptr);
    EXPECT_EQ(&memo.Settings(), own);
    memo.SetText("cd"); // nothing reaches the freed parser (ASan watches)
    EXPECT_EQ(memo.HighlightedLines(), 0);
}

TEST(MemoParsers, AnEditorFreedFirstLeavesItsParsers)
{
    TStubParser parser;
    auto memo = std::make_unique<TCustomSyntaxMemo>();
    memo->SetParser(1, &parser);
    memo->SetParser(2, &parser);
    memo.reset();
    EXPECT_TRUE(parser.Editors().empty());
    EXPECT_TRUE(parser.Settings().Editors().empty());
    parser.RefreshEditors(); // nothing left to reach
}

TEST(MemoParsers, AFontSetOnOneEditorReachesEveryEditorOfTheParser)
{
    TStubParser parser;
    TCustomSyntaxMemo first;
    TCustomSyntaxMemo second;
    first.SetParser(1, &parser);
    second.SetParser(1, &parser);
    QFont font = first.font();
    font.setPointSize(17);
    first.setFont(font);
    EXPECT_EQ(parser.Settings().FontSize, 17);
    EXPECT_EQ(second.font().pointSize(), 17);

    // The options dialog's sample editor keeps its font to itself.
    TCustomSyntaxMemo sample;
    sample.NoFontFeedback = true;
    sample.SetParser(1, &parser);
    font.setPointSize(9);
    sample.setFont(font);
    EXPECT_EQ(second.font().pointSize(), 17);
}

TEST(MemoParsers, EditOptionsRunsTheActiveParsersDialog)
{
    TCustomSyntaxMemo memo;
    {
        TScriptedPrompts prompts;
        prompts.Then([](QDialog& Dialog) {
            EXPECT_TRUE(Describe(Dialog).contains(QStringLiteral("No active parser"))) << Describe(Dialog).toStdString();
            Click(QStringLiteral("OK"))(Dialog);
        });
        memo.EditOptions();
        EXPECT_EQ(prompts.Shown(), 1);
    }

    TStubParser parser;
    memo.SetParser(1, &parser);
    memo.SetText(std::string(40, 'w') + " " + std::string(40, 'w'));
    memo.VisiblePropEdPages = 1u << ppTEMPLATES;
    bool listedDuringDialog = true;
    TPropEdPages pages = 0;
    parser.OnOptionsDialog = [&](TPropEdPages Pages) {
        pages = Pages;
        listedDuringDialog = Lists(parser, memo);
        parser.Settings().Options |= OPT_WORDWRAP;
        parser.Settings().WrapAtColumn = 20;
        return true;
    };
    memo.EditOptions();
    EXPECT_EQ(pages, 1u << ppTEMPLATES);
    EXPECT_FALSE(listedDuringDialog);
    EXPECT_TRUE(Lists(parser, memo));
    // Confirmed: the word wrap the dialog switched on lays the text out again.
    EXPECT_TRUE(memo.GetWordWrap());
    EXPECT_GT(memo.TextStore().LineCount(), 1);
}

} // namespace
