// The editors a parser serves: listing, the shared settings, refreshing, and parsers and editors
// freed in either order.
#include "table_builder.h"

#include "editor/document/ed_stream.h"
#include "editor/document/syntax_memo_error.h"
#include "editor/language/sm_settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// An editor core that records the parser hooks the editor control overrides.
class TParserMemo : public TMemoCore {
public:
    int Reinstalls = 0;
    bool RefreshingSeen = false;
    std::vector<TCustomSyntaxMemoParser*> Freed;
    std::function<void()> OnReinstall;
    TCustomSyntaxMemoParser* Watched = nullptr;

    void ReinstallParser() override
    {
        ++Reinstalls;
        RefreshingSeen = Watched && Watched->Refreshing();
        if (OnReinstall)
            OnReinstall();
    }
    void ParserFreed(TCustomSyntaxMemoParser* Parser) override
    {
        Freed.push_back(Parser);
        // What the editor control does: leave the parser's settings for its own.
        Parser->RemoveEditor(this);
    }
};

TEST(ParserEditors, AnEditorIsListedOnceAndSharesTheSettings)
{
    TSyntaxMemoParser parser;
    TParserMemo a;
    TParserMemo b;
    parser.AddEditor(&a);
    parser.AddEditor(&a);
    parser.AddEditor(nullptr);
    EXPECT_EQ(parser.Editors(), std::vector<TMemoCore*>{&a});
    EXPECT_EQ(parser.Settings().UserCount(), 1);

    // The tokenizer lists the editor it reads for.
    TEdStream stream(&b);
    b.SetText("x");
    stream.SetRange(b.TextStore().FirstLine(), 0, 0);
    int length = 0;
    parser.ResetState(0);
    parser.NextToken(&b, stream, length);
    EXPECT_EQ(parser.Editors(), (std::vector<TMemoCore*>{&a, &b}));
    EXPECT_EQ(parser.Settings().Editors(), (std::vector<TMemoCore*>{&a, &b}));

    parser.RemoveEditor(&a);
    parser.RemoveEditor(&a);
    EXPECT_EQ(parser.Editors(), std::vector<TMemoCore*>{&b});
    EXPECT_EQ(parser.Settings().Editors(), std::vector<TMemoCore*>{&b});
    EXPECT_EQ(parser.Settings().UserCount(), 1);
}

TEST(ParserEditors, EditorFreedFirstLeavesTheParser)
{
    TSyntaxMemoParser parser;
    auto memo = std::make_unique<TParserMemo>();
    parser.AddEditor(memo.get());
    memo.reset();
    EXPECT_TRUE(parser.Editors().empty());
    EXPECT_TRUE(parser.Settings().Editors().empty());
    EXPECT_EQ(parser.Settings().UserCount(), 0);
    parser.RefreshEditors(); // nothing left to reach
}

TEST(ParserEditors, ParserFreedFirstEmptiesTheEditorsSlots)
{
    TParserMemo a;
    TParserMemo b;
    auto parser = std::make_unique<TSyntaxMemoParser>();
    TSyntaxMemoParser* freed = parser.get();
    parser->AddEditor(&a);
    parser->AddEditor(&b);
    parser.reset();
    EXPECT_EQ(a.Freed, std::vector<TCustomSyntaxMemoParser*>{freed});
    EXPECT_EQ(b.Freed, std::vector<TCustomSyntaxMemoParser*>{freed});
    // The editors are freed afterwards without reaching the parser (ASan watches).
}

TEST(ParserEditors, RefreshReinstallsInEveryEditorWhileRefreshing)
{
    TSyntaxMemoParser parser;
    TParserMemo a;
    TParserMemo b;
    TParserMemo c;
    for (TParserMemo* memo : {&a, &b, &c}) {
        memo->Watched = &parser;
        parser.AddEditor(memo);
    }
    // The first editor fails, the second takes the third off the list: the refresh goes on,
    // skips the third, and ends with Refreshing cleared.
    a.OnReinstall = [] { throw Exception(QStringLiteral("font")); };
    b.OnReinstall = [&] { parser.RemoveEditor(&c); };
    parser.RefreshEditors();
    EXPECT_EQ(a.Reinstalls, 1);
    EXPECT_EQ(b.Reinstalls, 1);
    EXPECT_EQ(c.Reinstalls, 0);
    EXPECT_TRUE(a.RefreshingSeen);
    EXPECT_TRUE(b.RefreshingSeen);
    EXPECT_FALSE(parser.Refreshing());

    parser.RefreshEditors();
    EXPECT_EQ(b.Reinstalls, 2);
    EXPECT_FALSE(parser.Refreshing());
}

TEST(ParserEditors, NoRefreshWhileTheFormIsRead)
{
    TSyntaxMemoParser source;
    TMemoryStream property;
    source.WriteData(property);

    TSyntaxMemoParser parser;
    TParserMemo memo;
    parser.AddEditor(&memo);
    property.SetPosition(0);
    parser.ReadFromForm(property);
    EXPECT_TRUE(parser.IsLoading());
    parser.RefreshEditors();
    EXPECT_EQ(memo.Reinstalls, 0);
    parser.Loaded();
    EXPECT_FALSE(parser.IsLoading());
    EXPECT_EQ(memo.Reinstalls, 1);
}

TEST(ParserEditors, WithoutOptionsDialogOrRegistryKeyNothingHappens)
{
    TSyntaxMemoParser parser;
    // A program without the options dialog's library has no dialog to show.
    const TSyntaxMemoParser::TOptionsDialogRunner runner = TSyntaxMemoParser::SetOptionsDialogRunner({});
    EXPECT_FALSE(parser.ShowOptionsDialog(AllPropEdPages));
    parser.ShowOptions();
    TSyntaxMemoParser::SetOptionsDialogRunner(runner);
    // Storing the settings needs the registry interface switched on for a key.
    EXPECT_THROW(parser.SaveToRegistry(), ESyntaxMemo);
    EXPECT_FALSE(parser.UseRegistry);
    EXPECT_TRUE(parser.RegistryKey.isEmpty());
}

} // namespace
