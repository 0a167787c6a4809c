// Code templates and auto-replacements expanded in the editor control by their keys: the body
// indented and the caret at its marker, the pick list at the caret, and the rules that let a word
// be replaced.
#include "editor/language/sm_settings.h"
#include "editor/widgets/macro_pick_list.h"
#include "key_memo.h"

#include "platform/rtl/exception.h"

#include <gtest/gtest.h>

#include <QTest>
#include <string>

namespace {

constexpr auto None = Qt::NoModifier;
constexpr auto Ctrl = Qt::ControlModifier;

// An editor holding Text with the caret at its end.
void Typed(TKeyMemo& Memo, const std::string& Text)
{
    Memo.SetText(Text);
    Memo.Select(Memo.TextLength(), Memo.TextLength());
}

TCodeTemplates& Templates(TKeyMemo& Memo)
{
    return Memo.Settings().CodeTemplates();
}

TAutoReplace& Replacements(TKeyMemo& Memo)
{
    return Memo.Settings().AutoReplace();
}

} // namespace

TEST(MemoExpand, TemplateReplacesItsNameAndSwallowsTheTrigger)
{
    TKeyMemo memo;
    Templates(memo).AddMacro("for", "for loop", 0, "for (|;;)\r{\r}");
    Typed(memo, "x for");
    EXPECT_TRUE(memo.Press(Qt::Key_J, Ctrl));
    // The lines after the first start at the name's column; the caret stands at the marker.
    EXPECT_EQ(memo.Text(), "x for (;;)\r  {\r  }");
    EXPECT_EQ(memo.Selection(), std::make_pair(7, 7));
    EXPECT_TRUE(memo.Recognised.empty());
    EXPECT_FALSE(memo.UpdateLocked());
    // One undo step.
    memo.Undo();
    EXPECT_EQ(memo.Text(), "x for");

    // Without ConsumeKey the key goes on to be typed.
    Templates(memo).ConsumeKey = false;
    Typed(memo, "x for");
    EXPECT_FALSE(memo.Press(Qt::Key_J, Ctrl));
    EXPECT_EQ(memo.Text(), "x for (;;)\r  {\r  }");
}

TEST(MemoExpand, BodyIndentedToTheColumnOfTheName)
{
    TKeyMemo memo;
    // A CR LF before the marker counts as the one line end it becomes.
    Templates(memo).AddMacro("if", "", 0, "if x\rthen\r\n|end");
    Typed(memo, "a\r        if");
    memo.Press(Qt::Key_J, Ctrl);
    EXPECT_EQ(memo.Text(), "a\r        if x\r        then\r        end");
    EXPECT_EQ(memo.SelEnd(), 2 + 13 + 13 + 8);

    // Without IndentBody and CaretMarker the body goes in as it is.
    Templates(memo).IndentBody = false;
    Templates(memo).CaretMarker = false;
    Typed(memo, "  if");
    memo.Press(Qt::Key_J, Ctrl);
    EXPECT_EQ(memo.Text(), "  if x\rthen\r|end");
    EXPECT_EQ(memo.SelEnd(), memo.TextLength());
}

TEST(MemoExpand, TemplateEventMayChangeTheBody)
{
    TKeyMemo memo;
    Templates(memo).AddMacro("wh", "", 0, "while");
    QByteArray seen;
    memo.OnTemplateEvent = [&](TObject* Sender, const QByteArray& Name, QByteArray& Body) {
        EXPECT_EQ(Sender, static_cast<TObject*>(&memo));
        seen = Name + "=" + Body;
        Body = "while (|) do";
    };
    Typed(memo, "WH");
    memo.Press(Qt::Key_J, Ctrl);
    EXPECT_EQ(seen, "WH=while");
    EXPECT_EQ(memo.Text(), "while () do");
    EXPECT_EQ(memo.SelEnd(), 7);

    // A failing handler is reported; the key counts as handled and the editor is not left locked.
    TShownErrors shown;
    memo.OnTemplateEvent = [](TObject*, const QByteArray&, QByteArray&) {
        throw Exception(QStringLiteral("no template today"));
    };
    Typed(memo, "wh");
    EXPECT_TRUE(memo.Press(Qt::Key_J, Ctrl));
    EXPECT_EQ(shown.Messages, QStringList{QStringLiteral("no template today")});
    EXPECT_EQ(memo.Text(), "wh");
    EXPECT_FALSE(memo.UpdateLocked());
}

TEST(MemoExpand, PickListOpensAtTheCaretWhenNoNameMatches)
{
    TKeyMemo memo;
    memo.resize(400, 300);
    memo.show();
    Templates(memo).AddMacro("do", "", 0, "do");
    Templates(memo).AddMacro("for", "for loop", 0, "for (|;;)");
    Templates(memo).AddMacro("foreach", "", 0, "foreach");
    Typed(memo, "x fo");
    EXPECT_TRUE(memo.Press(Qt::Key_J, Ctrl));
    auto* list = dynamic_cast<TMacroPickList*>(Templates(memo).PickList());
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->parentWidget(), &memo);
    EXPECT_EQ(list->NameOf(list->currentRow()), "for");
    // The typed "fo" is selected, and shows so while the list has the focus.
    EXPECT_EQ(memo.Selection(), std::make_pair(2, 4));
    EXPECT_FALSE(memo.HideSelection);
    // Below the caret's line.
    const QPoint caret = memo.viewport()->mapTo(&memo, memo.PointFromPosition(4));
    EXPECT_EQ(list->pos(), QPoint(caret.x(), caret.y() + memo.Metrics().LineHeight));

    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(memo.Text(), "x fo");
    EXPECT_EQ(memo.Selection(), std::make_pair(4, 4));
    EXPECT_TRUE(memo.HideSelection);

    memo.Press(Qt::Key_J, Ctrl);
    list = dynamic_cast<TMacroPickList*>(Templates(memo).PickList());
    ASSERT_NE(list, nullptr);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(memo.Text(), "x for (;;)");
    EXPECT_EQ(memo.SelEnd(), 7);
}

TEST(MemoExpand, PickListStaysInsideTheEditor)
{
    TKeyMemo memo;
    memo.resize(300, 200);
    memo.show();
    Templates(memo).AddMacro("a-rather-long-template-name", "with a long description", 0, "x");
    // The caret on the last visible line, far to the right.
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "\r";
    Typed(memo, text + std::string(30, ' ') + "zz");
    memo.Press(Qt::Key_J, Ctrl);
    auto* list = dynamic_cast<TMacroPickList*>(Templates(memo).PickList());
    ASSERT_NE(list, nullptr);
    const QPoint caret = memo.viewport()->mapTo(&memo, memo.PointFromPosition(memo.SelEnd()));
    EXPECT_EQ(list->geometry().bottom() + 1, caret.y()); // above the caret's line
    EXPECT_EQ(list->x(), memo.width() - list->width() - 24);
    QTest::keyClick(list, Qt::Key_Escape);
}

TEST(MemoExpand, AutoReplaceOnItsActivationKeys)
{
    struct Case {
        const char* typed;
        int key;
        const char* text;
        const char* after;
    };
    const Case cases[] = {
        {"a teh", Qt::Key_Space, " ", "a the"},
        {"a teh", Qt::Key_Return, "\r", "a the"},
        {"a teh", Qt::Key_Period, ".", "a the"},
        {"a teh", Qt::Key_Tab, "\t", "a the"},
        {"a teh", Qt::Key_A, "a", "a teh"},   // not an activation key
        {"xteh", Qt::Key_Space, " ", "xteh"}, // the end of a longer word
        {"xcpy", Qt::Key_Space, " ", "x(c)"}, // the replacement starts no word: it may follow one
        {"TEH", Qt::Key_Space, " ", "the"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TKeyMemo memo;
        Replacements(memo).AddReplacement("teh", "the");
        Replacements(memo).AddReplacement("cpy", "(c)");
        // A TAB is typed as a TAB character.
        memo.SetOption(smoUseTAB, true);
        memo.SetOption(smoTabToColumn, false);
        Typed(memo, c.typed);
        // The activation key itself is still typed.
        EXPECT_TRUE(memo.Press(c.key, None, QString::fromLatin1(c.text)));
        EXPECT_EQ(memo.Text(), std::string(c.after) + c.text);
    }
}

TEST(MemoExpand, AutoReplaceEventMayVetoOrChange)
{
    TKeyMemo memo;
    Replacements(memo).AddReplacement("teh", "the");
    bool veto = true;
    int streamAt = -1;
    memo.OnAutoReplace = [&](TObject*, TEdStream& Stream, const QByteArray& Item, QByteArray& With, bool& Can) {
        EXPECT_EQ(Item, "teh");
        EXPECT_EQ(With, "the");
        streamAt = Stream.GetPosition();
        With = "THE";
        Can = !veto;
    };
    Typed(memo, "one teh");
    memo.Press(Qt::Key_Space, None, QStringLiteral(" "));
    EXPECT_EQ(streamAt, 4); // at the word
    EXPECT_EQ(memo.Text(), "one teh ");
    veto = false;
    Typed(memo, "one teh");
    memo.Press(Qt::Key_Space, None, QStringLiteral(" "));
    EXPECT_EQ(memo.Text(), "one THE ");
    // It may also allow what the rules forbid.
    Typed(memo, "xteh");
    memo.Press(Qt::Key_Space, None, QStringLiteral(" "));
    EXPECT_EQ(memo.Text(), "xTHE ");
}

TEST(MemoExpand, TemplatesSeeAKeyBeforeTheAutoReplaceList)
{
    TKeyMemo memo;
    Replacements(memo).AddReplacement("teh", "the");
    Templates(memo).AddMacro("teh", "", 0, "template");
    Templates(memo).TriggerKey = ShortCut(win::VK_SPACE, 0);
    Typed(memo, "a teh");
    EXPECT_TRUE(memo.Press(Qt::Key_Space, None, QStringLiteral(" ")));
    EXPECT_EQ(memo.Text(), "a template");
}
