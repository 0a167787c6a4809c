// Code templates: the macro list, the trigger key and the pick list, the template file and the
// template stream.
#include "editor/templates/code_templates.h"
#include "editor/widgets/macro_pick_list.h"
#include "editor/document/syntax_memo_error.h"
#include "editor/document/table_stream.h"
#include "golden.h"
#include "macro_editor.h"

#include "support/qt_printers.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

using namespace win;

namespace {

class TForeign : public TObject {};

QByteArrayList NamesOf(const TMacroKeywords& Macros)
{
    QByteArrayList names;
    for (const TMacroKeywords::TMacro& macro : Macros.Macros())
        names.append(macro.Name);
    return names;
}

// Templates with a recorded expansion.
struct TExpandingTemplates : TCodeTemplates {
    QByteArrayList names;
    QByteArrayList bodies;

    TExpandingTemplates()
    {
        AddMacro("for", "for loop", 0, "for (|;;)\r\n{\r\n}");
        AddMacro("foreach", "each item", 0, "foreach");
        AddMacro("if", "", 0, "if (|) then");
        AddMacro("while", "while loop", 0, "while");
        OnExpand = [this](TObject* Sender, const QByteArray& Name, QByteArray& Body) {
            EXPECT_EQ(Sender, this);
            names.append(Name);
            bodies.append(Body);
        };
    }
};

bool PressTrigger(TMacroKeywords& Macros, TTestMacroEditor& Editor, bool& Handled)
{
    int key = 'J';
    return Macros.HandleKey(Editor, key, Handled, ssCtrl);
}

} // namespace

TEST(CodeTemplates, KeepsMacrosSortedByName)
{
    TCodeTemplates templates;
    templates.AddMacro("While", "w", 0, "a\nb\r\nc");
    templates.AddMacro("Case", "c", 1, "x");
    templates.AddMacro("begin", "b", 0, "y");
    EXPECT_EQ(NamesOf(templates), (QByteArrayList{"begin", "Case", "while"}));
    QByteArray body;
    ASSERT_TRUE(templates.GetMacro("WHILE", body));
    EXPECT_EQ(body, "a\rb\rc"); // the editor's line ends
    EXPECT_TRUE(templates.GetMacro("case", body));

    templates.AddMacro("CASE", "new", 0, "z"); // replaces the macro of that name
    EXPECT_EQ(NamesOf(templates), (QByteArrayList{"begin", "case", "while"}));
    templates.SetMacro("Begin", "B", "yy");
    ASSERT_EQ(templates.Macros().size(), 3u);
    EXPECT_EQ(templates.Macros()[0].Description, "B");
    templates.DeleteMacro("WHILE");
    templates.DeleteMacro("missing");
    EXPECT_EQ(NamesOf(templates), (QByteArrayList{"begin", "case"}));
    EXPECT_FALSE(templates.GetMacro("while", body));

    // Names and descriptions fit the stream's short strings.
    templates.AddMacro(QByteArray(300, 'n'), QByteArray(300, 'd'), 0, "b");
    EXPECT_EQ(templates.Macros().back().Name.size(), 255);
    EXPECT_EQ(templates.Macros().back().Description.size(), 255);
    TCodeTemplates copy;
    copy.Assign(templates);
    EXPECT_EQ(StreamBytes(copy), StreamBytes(templates));
}

TEST(CodeTemplates, TriggerExpandsTheNameBeforeTheCaret)
{
    TTestMacroEditor editor;
    TExpandingTemplates templates;
    editor.Type("x = FOR");
    bool handled = false;
    EXPECT_TRUE(PressTrigger(templates, editor, handled));
    EXPECT_TRUE(handled); // ConsumeKey swallows the trigger
    EXPECT_EQ(templates.names, QByteArrayList{"FOR"});
    EXPECT_EQ(templates.bodies, QByteArrayList{"for (|;;)\r{\r}"});
    EXPECT_EQ(templates.PickList(), nullptr);

    templates.ConsumeKey = false;
    editor.Type(" if");
    EXPECT_TRUE(PressTrigger(templates, editor, handled));
    EXPECT_FALSE(handled);
    EXPECT_EQ(templates.names.back(), "if");

    // Other keys, a disabled list or another trigger key do nothing.
    int key = 'J';
    EXPECT_FALSE(templates.HandleKey(editor, key, handled, ssShift));
    templates.Enabled = false;
    EXPECT_FALSE(PressTrigger(templates, editor, handled));
    templates.Enabled = true;
    templates.TriggerKey = scAlt | VK_SPACE;
    key = VK_SPACE;
    EXPECT_TRUE(templates.HandleKey(editor, key, handled, ssAlt));
    EXPECT_EQ(templates.names.size(), 3);
}

TEST(CodeTemplates, PickListOffersTheTemplatesWhenNoNameMatches)
{
    TTestMacroEditor editor;
    TExpandingTemplates templates;
    editor.Type("a fo");
    bool handled = true;
    EXPECT_FALSE(PressTrigger(templates, editor, handled));
    EXPECT_FALSE(handled);
    EXPECT_EQ(templates.TypedPrefix, "fo");
    EXPECT_TRUE(templates.names.isEmpty());

    auto* list = dynamic_cast<TMacroPickList*>(templates.PickList());
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->parentWidget(), &editor.widget);
    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(list->currentRow(), 0); // "for", the first name holding "fo"
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("\tif"));
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("for loop\tfor"));
    EXPECT_EQ(list->width(), list->WidestDescription() + list->WidestName() + 48);
    EXPECT_EQ(editor.memo.SelStart(), 2); // the typed "fo" will be replaced
    EXPECT_EQ(editor.memo.SelEnd(), 4);
    EXPECT_EQ(editor.opened, 1);

    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(editor.closed, 1);
    EXPECT_EQ(editor.memo.GetText(), "a fo");
    EXPECT_EQ(editor.memo.SelStart(), 4);
    EXPECT_EQ(editor.memo.SelEnd(), 4);
    EXPECT_TRUE(templates.names.isEmpty());
}

TEST(CodeTemplates, PickListSearchesAndAccepts)
{
    TTestMacroEditor editor;
    TExpandingTemplates templates;
    editor.Type("x wh");
    bool handled = false;
    PressTrigger(templates, editor, handled);
    auto* list = dynamic_cast<TMacroPickList*>(templates.PickList());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentRow(), 3);

    const struct {
        char typed;
        const char* search;
        int row;
    } steps[] = {
        {'f', "f", 0},    {'o', "fo", 0}, {'r', "for", 0},
        {'e', "fore", 1}, {'i', "i", 2}, // no name starts with "forei": the search starts again at "i"
        {'q', "", 2},                    // nothing starts with "q" either: dropped
        {'W', "W", 3},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.typed);
        QTest::keyClick(list, s.typed);
        EXPECT_EQ(list->SearchText(), s.search);
        EXPECT_EQ(list->currentRow(), s.row);
    }
    QTest::keyClick(list, 'f');
    EXPECT_EQ(list->currentRow(), 0);
    // "for" does not hold the typed "wh": the selection collapses before the body comes.
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(templates.names, QByteArrayList{QByteArray()});
    EXPECT_EQ(templates.bodies, QByteArrayList{"for (|;;)\r{\r}"});
    EXPECT_EQ(editor.memo.SelStart(), 4);
    EXPECT_EQ(editor.memo.SelEnd(), 4);

    // A new list each time, unless told to keep it.
    templates.RecreatePickList = false;
    PressTrigger(templates, editor, handled);
    auto* kept = dynamic_cast<TMacroPickList*>(templates.PickList());
    PressTrigger(templates, editor, handled);
    EXPECT_EQ(templates.PickList(), kept);
    EXPECT_EQ(kept->count(), 4);
    kept->Accept();
    EXPECT_EQ(templates.names.size(), 2);
}

TEST(CodeTemplates, PickListPlacement)
{
    const QSize editor(400, 300);
    const struct {
        const char* name;
        QRect caretLine;
        QSize list;
        QPoint at;
    } cases[] = {
        {"below the caret's line", {40, 30, 1, 15}, {100, 97}, {40, 45}},
        {"above it near the bottom", {40, 250, 1, 15}, {100, 97}, {40, 153}},
        {"left of the right edge", {350, 30, 1, 15}, {100, 97}, {276, 45}},
        {"exactly fitting", {300, 188, 1, 15}, {100, 97}, {300, 203}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TMacroPickList::Placement(c.caretLine, c.list, editor), c.at);
    }
}

TEST(CodeTemplates, FileReadsBackWhatWasWritten)
{
    TCodeTemplates templates;
    templates.AddMacro("for", "for loop", 0, "for i := 0 to n do\rbegin\r  |\rend;");
    templates.AddMacro("if", "", 0, "if | then");
    templates.AddMacro("empty", "no body", 0, "");
    templates.AddMacro("blank", "blank lines", 0, "\r\rx\r");
    const QByteArray golden = GoldenBytes("sample_templates.tpl");
    EXPECT_EQ(templates.ToText(), golden);

    const QString file = testRunFolder() + "/codetpl.tpl";
    templates.SaveToFile(file);
    TCodeTemplates copy;
    copy.LoadFromFile(file);
    EXPECT_EQ(StreamBytes(copy), StreamBytes(templates));

    // Saving replaces the whole file.
    copy.Clear();
    copy.AddMacro("only", "one", 0, "x");
    copy.SaveToFile(file);
    templates.LoadFromFile(file);
    EXPECT_EQ(NamesOf(templates), QByteArrayList{"only"});

    EXPECT_THROW(templates.SaveToFile(testRunFolder() + "/missing/codetpl.tpl"), EFCreateError);
    try {
        templates.LoadFromFile(testRunFolder() + "/none.tpl");
        ADD_FAILURE() << "loaded";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message,
                  QStringLiteral("Cannot open file \"%1/none.tpl\" for reading").arg(testRunFolder()));
    }
    EXPECT_EQ(NamesOf(templates), QByteArrayList{"only"});
}

TEST(CodeTemplates, FileParsing)
{
    const struct {
        const char* name;
        QByteArray text;
        std::vector<TMacroKeywords::TMacro> macros;
    } cases[] = {
        {"no description", "[ For ]\r\nbody\r\n", {{"for", "", "body"}}},
        {"blanks around name and description", "[ a  |  the a  ]\r\nx", {{"a", "the a", "x"}}},
        {"text before the first header is skipped",
         "junk\r\n[a | d]\r\nx\r\n[b | e]\r\n\r\ny\r\n\r\n",
         {{"a", "d", "x"}, {"b", "e", "\ry\r"}}},
        {"LF line ends", "[a | d]\nx\ny\n[b]\n", {{"a", "d", "x\ry"}, {"b", "", ""}}},
        {"a header without its bracket", "[a | d\r\nbody", {{"a", "d", "body"}}},
        {"a body line starting with [ starts a template",
         "[a]\r\nx\r\n[y] = 1\r\n",
         {{"a", "", "x"}, {"y", "", " = 1"}}},
        {"a description ends at ]", "[a | x]y]\r\nb", {{"a", "x", "y]\rb"}}},
        {"a duplicate name replaces the earlier", "[a]\r\n1\r\n[A]\r\n2", {{"a", "", "2"}}},
        {"nothing", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TCodeTemplates templates;
        templates.LoadFromText(c.text);
        ASSERT_EQ(templates.Macros().size(), c.macros.size());
        for (std::size_t i = 0; i < c.macros.size(); ++i) {
            EXPECT_EQ(templates.Macros()[i].Name, c.macros[i].Name);
            EXPECT_EQ(templates.Macros()[i].Description, c.macros[i].Description);
            EXPECT_EQ(templates.Macros()[i].Body, c.macros[i].Body);
        }
    }
}

TEST(CodeTemplates, StreamHoldsTheMacrosAndTheTrigger)
{
    TCodeTemplates templates;
    templates.AddMacro("if", "", 0, "if |");
    templates.AddMacro("do", "loop", 0, "do\rx");
    templates.TriggerKey = scCtrl | scShift | VK_SPACE;
    templates.Enabled = false;

    TMemoryStream expected;
    WriteInteger(expected, 2);
    WriteShortString(expected, "do");
    WriteShortString(expected, "loop");
    WriteLongString(expected, "do\rx");
    WriteShortString(expected, "if");
    WriteShortString(expected, "");
    WriteLongString(expected, "if |");
    WriteLongString(expected, "Shift+Ctrl+Space");
    WriteInteger(expected, 0);
    const QByteArray bytes = StreamBytes(templates);
    EXPECT_EQ(bytes, QByteArray(expected.Memory(), qsizetype(expected.Size())));

    TCodeTemplates copy;
    TBytesStream stream(bytes);
    copy.LoadFromStream(stream);
    EXPECT_EQ(copy.TriggerKey, scCtrl | scShift | VK_SPACE);
    EXPECT_FALSE(copy.Enabled);
    EXPECT_EQ(StreamBytes(copy), bytes);
    ExpectEveryTruncationFails<TCodeTemplates>(bytes);
    TBytesStream huge(QByteArray("\0\0\0\x10", 4));
    EXPECT_THROW(copy.LoadFromStream(huge), EReadError);

    TForeign foreign;
    try {
        copy.Assign(foreign);
        ADD_FAILURE() << "assigned";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, QStringLiteral("Cannot assign TForeign to TCodeTemplates"));
    }
}
