// The auto-replace list: activation keys, the trigger, and its stream.
#include "editor/templates/auto_replace.h"
#include "editor/document/syntax_memo_error.h"
#include "editor/document/table_stream.h"
#include "golden.h"
#include "macro_editor.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

using namespace win;

TEST(AutoReplace, DefaultActivationKeys)
{
    TAutoReplace list;
    EXPECT_EQ(list.ActivationKeys(), ";,:.=()[]\\{Return}\\{Tab}\\{Space}");
    const std::vector<int> expected = {VK_OEM_1,    VK_OEM_COMMA, 0x100 | VK_OEM_1, VK_OEM_PERIOD,
                                       VK_OEM_PLUS, 0x100 | '9',  0x100 | '0',      VK_OEM_4,
                                       VK_OEM_6,    VK_RETURN,    VK_TAB,           VK_SPACE};
    EXPECT_EQ(list.ActivationKeyCodes(), expected);
    EXPECT_TRUE(list.IsTriggerKey(VK_SPACE, 0));
    EXPECT_TRUE(list.IsTriggerKey(VK_OEM_1, ssShift)); // ":"
    EXPECT_TRUE(list.IsTriggerKey('9', ssShift));      // "("
    EXPECT_FALSE(list.IsTriggerKey('9', 0));
    EXPECT_FALSE(list.IsTriggerKey(VK_SPACE, ssCtrl));
    EXPECT_FALSE(list.IsTriggerKey(0x100 | VK_SPACE, 0));
    list.Enabled = false;
    EXPECT_FALSE(list.IsTriggerKey(VK_SPACE, 0));
}

TEST(AutoReplace, ActivationKeySpecifications)
{
    const struct {
        const char* spec;
        std::vector<int> codes;
    } cases[] = {
        {"\\n\\R\\s\\T", {VK_RETURN, VK_SPACE, VK_TAB}},
        {"\\{ReTurn}\\{f12}\\{page-down}", {VK_RETURN, VK_F12, VK_NEXT}},
        {"\\{bogus}", {0}},
        {"\\q\\:\\;", {'Q', VK_OEM_1}}, // an escaped character that needs Shift adds nothing
        {"aA", {'A', 0x100 | 'A'}},
        {"\xE9", {}},
        {"\\", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spec);
        TAutoReplace list;
        list.SetActivationKeys(c.spec);
        EXPECT_EQ(list.ActivationKeyCodes(), c.codes);
    }

    TAutoReplace list;
    try {
        list.SetActivationKeys("x\\{Tab");
        ADD_FAILURE() << "accepted";
    } catch (const ESyntaxMemo& e) {
        EXPECT_EQ(e.Message, QStringLiteral("Bad key specifier"));
    }
    list.SetActivationKeys("");
    EXPECT_FALSE(list.IsTriggerKey(0, 0)); // no activation keys: nothing triggers
}

TEST(AutoReplace, ReplacesTheWordBeforeAnActivationKey)
{
    TTestMacroEditor editor;
    TAutoReplace list;
    list.AddReplacement("teh", "the");
    QByteArrayList names;
    QByteArrayList bodies;
    list.OnExpand = [&](TObject*, const QByteArray& Name, QByteArray& Body) {
        names.append(Name);
        bodies.append(Body);
    };
    editor.Type("see Teh");
    int key = VK_SPACE;
    bool handled = true;
    EXPECT_TRUE(list.HandleKey(editor, key, handled, 0));
    EXPECT_FALSE(handled); // the blank is still typed
    EXPECT_EQ(key, VK_SPACE);
    EXPECT_EQ(names, QByteArrayList{"Teh"});
    EXPECT_EQ(bodies, QByteArrayList{"the"});

    // No pick list: an unknown word only sets the typed prefix.
    editor.Type(" xyz");
    EXPECT_FALSE(list.HandleKey(editor, key, handled, 0));
    EXPECT_EQ(list.TypedPrefix, "xyz");
    EXPECT_EQ(list.PickList(), nullptr);
}

TEST(AutoReplace, StreamAddsTheActivationKeys)
{
    TAutoReplace list;
    list.AddReplacement("teh", "the");
    list.SetActivationKeys(";\\{Space}");
    const QByteArray bytes = StreamBytes(list);

    TCodeTemplates asTemplates;
    asTemplates.AddMacro("teh", "", 0, "the");
    EXPECT_EQ(bytes, StreamBytes(asTemplates) + QByteArray("\x09;\\{Space}"));

    TAutoReplace copy;
    TBytesStream stream(bytes);
    copy.LoadFromStream(stream);
    EXPECT_EQ(copy.ActivationKeys(), ";\\{Space}");
    EXPECT_EQ(copy.ActivationKeyCodes(), (std::vector<int>{VK_OEM_1, VK_SPACE}));
    EXPECT_EQ(StreamBytes(copy), bytes);
    ExpectEveryTruncationFails<TAutoReplace>(bytes);

    // Clearing restores the default keys; a template list takes the replacements.
    copy.Clear();
    EXPECT_EQ(copy.ActivationKeys(), TAutoReplace::DefaultActivationKeys);
    EXPECT_TRUE(copy.Macros().empty());
    asTemplates.Assign(list);
    EXPECT_EQ(asTemplates.Macros().size(), 1u);
}
