// Short cuts as text and back, the US character-to-key table and the Qt key translation.
#include "platform/ui/shortcut_text.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

using namespace win;

TEST(ShortCutText, NamesKeysAfterTheirModifiers)
{
    const struct {
        TShortCut value;
        const char* text;
    } cases[] = {
        {0, ""},
        {scCtrl | 'J', "Ctrl+J"},
        {scShift | scCtrl | scAlt | VK_DELETE, "Shift+Ctrl+Alt+Del"},
        {VK_BACK, "BkSp"},
        {VK_TAB, "Tab"},
        {VK_RETURN, "Enter"},
        {VK_ESCAPE, "Esc"},
        {VK_SPACE, "Space"},
        {scShift | VK_NEXT, "Shift+PgDn"},
        {VK_PRIOR, "PgUp"},
        {VK_LEFT, "Left"},
        {VK_DOWN, "Down"},
        {VK_INSERT, "Ins"},
        {'7', "7"},
        {VK_NUMPAD0 + 5, "5"},
        {VK_F1, "F1"},
        {VK_F24, "F24"},
        {VK_OEM_1, "#186"},
        {scAlt, "Alt+#0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ShortCutToText(c.value), QString::fromLatin1(c.text));
    }
}

TEST(ShortCutText, ReadsModifiersInAnyOrderAndNamesIgnoringCase)
{
    const struct {
        const char* text;
        TShortCut value;
    } cases[] = {
        {"Ctrl+J", scCtrl | 'J'},
        {"^J", scCtrl | 'J'},
        {"ctrl+shift+pgdn", scCtrl | scShift | VK_NEXT},
        {"Alt+Shift+Alt+f4", scAlt | scShift | (VK_F1 + 3)},
        {"Del", VK_DELETE},
        {"5", '5'},
        {"#186", VK_OEM_1},
        // No key from 8 up is named "#3"; the first code whose low byte is 3 is.
        {"#3", 0x103},
        {"", 0},
        {"Ctrl+", 0},
        {"Ctrl+Nonsense", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TextToShortCut(QString::fromLatin1(c.text)), c.value);
    }
}

TEST(ShortCutText, EveryShortCutReadsBackToTheSameText)
{
    for (const int modifiers : {0, int(scShift), int(scCtrl), int(scAlt), scShift | scCtrl | scAlt}) {
        for (int key = 1; key < 256; ++key) {
            const auto value = TShortCut(key | modifiers);
            const QString text = ShortCutToText(value);
            EXPECT_EQ(ShortCutToText(TextToShortCut(text)), text) << key << " " << modifiers;
        }
    }
}

TEST(VirtualKeys, CharactersOfTheUsLayout)
{
    const struct {
        char ch;
        std::int16_t key;
    } cases[] = {
        {'a', 'A'},
        {'A', 0x100 | 'A'},
        {'0', '0'},
        {')', 0x100 | '0'},
        {'(', 0x100 | '9'},
        {';', VK_OEM_1},
        {':', 0x100 | VK_OEM_1},
        {'=', VK_OEM_PLUS},
        {',', VK_OEM_COMMA},
        {'.', VK_OEM_PERIOD},
        {'[', VK_OEM_4},
        {']', VK_OEM_6},
        {'~', 0x100 | VK_OEM_3},
        {' ', VK_SPACE},
        {'\t', VK_TAB},
        {'\r', VK_RETURN},
        {'\x01', -1},
        {'\xE9', -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.ch));
        EXPECT_EQ(VkKeyScan(c.ch), c.key);
    }
    EXPECT_EQ(ShortCut(0x141, ssCtrl), 0);
    int key = 0;
    TShiftState shift = 0;
    ShortCutToKey(ShortCut('K', ssCtrl | ssShift | ssLeft), key, shift);
    EXPECT_EQ(key, 'K');
    EXPECT_EQ(shift, ssCtrl | ssShift);
}

TEST(VirtualKeys, QtKeysAndModifiers)
{
    const struct {
        int qtKey;
        int key;
    } cases[] = {
        {Qt::Key_A, 'A'},
        {Qt::Key_5, '5'},
        {Qt::Key_Left, VK_LEFT},
        {Qt::Key_Up, VK_UP},
        {Qt::Key_Right, VK_RIGHT},
        {Qt::Key_Down, VK_DOWN},
        {Qt::Key_Home, VK_HOME},
        {Qt::Key_End, VK_END},
        {Qt::Key_PageUp, VK_PRIOR},
        {Qt::Key_PageDown, VK_NEXT},
        {Qt::Key_Insert, VK_INSERT},
        {Qt::Key_Delete, VK_DELETE},
        {Qt::Key_Backspace, VK_BACK},
        {Qt::Key_Tab, VK_TAB},
        {Qt::Key_Return, VK_RETURN},
        {Qt::Key_Enter, VK_RETURN},
        {Qt::Key_Space, VK_SPACE},
        {Qt::Key_F1, VK_F1},
        {Qt::Key_F12, VK_F12},
        {Qt::Key_Escape, VK_ESCAPE},
        {Qt::Key_Control, VK_CONTROL},
        {Qt::Key_Semicolon, VK_OEM_1},
        {Qt::Key_Colon, VK_OEM_1},
        {Qt::Key_ParenLeft, '9'},
        {Qt::Key_BracketRight, VK_OEM_6},
        {Qt::Key_Menu, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.qtKey);
        EXPECT_EQ(VirtualKeyFromQt(c.qtKey), c.key);
    }
    EXPECT_EQ(ShiftStateFromQt(Qt::ShiftModifier | Qt::ControlModifier), ssShift | ssCtrl);
    EXPECT_EQ(ShiftStateFromQt(Qt::AltModifier | Qt::KeypadModifier), ssAlt);
}
