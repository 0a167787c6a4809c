// The key map: the built-in bindings, recognising key sequences, clashes, enumeration and the
// key-assignment stream.
#include "editor/language/default_key_map.h"
#include "editor/language/key_controller.h"
#include "editor/document/syntax_memo_error.h"
#include "editor/document/table_stream.h"
#include "golden.h"

#include "platform/rtl/resource_strings.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

using namespace win;

namespace {

constexpr TShortCut CtrlK = scCtrl | 'K';
constexpr TShortCut CtrlQ = scCtrl | 'Q';

class TForeign : public TObject {};

// A copy of the built-in map that records the commands it recognises.
struct TRecordingMap {
    TKeyboardActionContoller map;
    std::vector<int> commands;

    TRecordingMap()
    {
        map.Assign(DefaultKeyController());
        map.OnCommand = [this](TObject*, int& command) { commands.push_back(command); };
    }
};

} // namespace

TEST(DefaultKeyMap, HasTheFortyEightCommandsWithTheirKeys)
{
    TKeyboardActionContoller& map = DefaultKeyController();
    ASSERT_EQ(map.CommandNames().size(), 48u);
    for (int command = 0; command < 48; ++command)
        EXPECT_EQ(map.GetCommandName(command), LoadStr(4146 + command));
    EXPECT_EQ(map.Bindings().size(), 48u);

    const struct {
        int command;
        TShortCut first, second;
    } keys[] = {
        {caLEFT, VK_LEFT, 0},
        {caRIGHT, VK_RIGHT, 0},
        {caLINEHOME, VK_HOME, 0},
        {caLINEEND, VK_END, 0},
        {caUP, VK_UP, 0},
        {caDOWN, VK_DOWN, 0},
        {caPAGEUP, VK_PRIOR, 0},
        {caPAGEDOWN, VK_NEXT, 0},
        {caWORDLEFT, scCtrl | VK_LEFT, 0},
        {caWORDRIGHT, scCtrl | VK_RIGHT, 0},
        {caDOCSTART, scCtrl | VK_HOME, 0},
        {caDOCEND, scCtrl | VK_END, 0},
        {caCUT, scCtrl | 'X', 0},
        {caCOPY, scCtrl | 'C', 0},
        {caPASTE, scCtrl | 'V', 0},
        {caDELETE, VK_DELETE, 0},
        {caBACKSPACE, VK_BACK, 0},
        {caBLOCKIND, CtrlK, 'I'},
        {caBLOCKUND, CtrlK, 'U'},
        {caINSTOGGLE, VK_INSERT, 0},
        {caSETBOOKMARK0, CtrlK, '0'},
        {caSETBOOKMARK0 + 9, CtrlK, '9'},
        {caGOTOBOOKMARK0, CtrlQ, '0'},
        {caGOTOBOOKMARK0 + 9, CtrlQ, '9'},
        {caDELETELINE, scCtrl | 'Y', 0},
        {caUNDO, scCtrl | 'Z', 0},
        {caREDO, scCtrl | scShift | 'Z', 0},
        {caDELPREVWORD, scCtrl | VK_BACK, 0},
        {caPRINTSEL, CtrlK, 'P'},
        {caDELNEXTWORD, scCtrl | VK_DELETE, 0},
        {46, scCtrl | VK_UP, 0},
        {47, scCtrl | VK_DOWN, 0},
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(k.command);
        TShortCut first = 1;
        TShortCut second = 1;
        map.FindFirstKeys(k.command, first, second);
        EXPECT_EQ(first, k.first);
        EXPECT_EQ(second, k.second);
        map.FindNextKeys(k.command, first, second);
        EXPECT_EQ(first, 0);
        EXPECT_EQ(second, 0);
    }
}

TEST(DefaultKeyMap, StreamMatchesTheGoldenBytesAndReadsBack)
{
    const QByteArray golden = GoldenBytes("default_key_map.bin");
    EXPECT_EQ(StreamBytes(DefaultKeyController()), golden);

    TKeyboardActionContoller copy;
    TBytesStream stream(golden);
    copy.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(StreamBytes(copy), golden);
    EXPECT_EQ(copy.Bindings(), DefaultKeyController().Bindings());
    ExpectEveryTruncationFails<TKeyboardActionContoller>(golden);
}

TEST(KeyController, ALoadedMapWritesTheBytesItWasReadFrom)
{
    TKeyboardActionContoller map;
    map.AddKeyPair(VK_F1, 'A', 1);
    map.AddKeyPair(VK_F1 + 2, 0, 2);
    map.AddKeyPair(CtrlK, 'B', 3);
    map.AddKeyPair(VK_F1, 'C', 4);
    map.AddKeyPair(CtrlQ, 'D', 5);
    const QByteArray bytes = StreamBytes(map);
    for (int round = 0; round < 3; ++round) {
        TKeyboardActionContoller copy;
        TBytesStream stream(bytes);
        copy.LoadFromStream(stream);
        EXPECT_EQ(copy.Bindings(), map.Bindings());
        EXPECT_EQ(StreamBytes(copy), bytes);
        map.Assign(copy);
    }
}

TEST(KeyController, StoredCountsMustFitTheData)
{
    const QByteArray huge("\xFF\xFF\xFF\x7F", 4);
    const QByteArray negative("\xFF\xFF\xFF\xFF", 4);
    const QByteArray none("\0\0\0\0", 4);
    for (const QByteArray& bytes : {huge, negative, none + huge, none + negative}) {
        TKeyboardActionContoller map;
        TBytesStream stream(bytes);
        EXPECT_THROW(map.LoadFromStream(stream), EReadError);
    }
    // A stream whose bindings clash is refused as adding them would be.
    TMemoryStream clash;
    WriteInteger(clash, 0);
    WriteInteger(clash, 2);
    for (const int command : {1, 2}) {
        WriteWord(clash, scCtrl | 'A');
        WriteWord(clash, 0);
        WriteInteger(clash, command);
    }
    clash.SetPosition(0);
    TKeyboardActionContoller map;
    EXPECT_THROW(map.LoadFromStream(clash), EAmbigiousKeyPair);
}

TEST(KeyController, RecognisesKeysAndPairs)
{
    const struct {
        const char* name;
        std::vector<std::pair<int, TShiftState>> keys;
        std::vector<int> commands;
        bool lastHandled;
        int lastKey; // the key the last press leaves for normal processing
    } cases[] = {
        {"Ctrl+K, I", {{'K', ssCtrl}, {'I', 0}}, {caBLOCKIND}, true, 0},
        {"Ctrl+K, Ctrl+I", {{'K', ssCtrl}, {'I', ssCtrl}}, {caBLOCKIND}, true, 0},
        {"Ctrl+K, Shift+Alt+7", {{'K', ssCtrl}, {'7', ssShift | ssAlt}}, {caSETBOOKMARK0 + 7}, true, 0},
        {"Ctrl+K, A types A", {{'K', ssCtrl}, {'A', 0}}, {}, false, 'A'},
        {"after a miss the next key starts again",
         {{'K', ssCtrl}, {'A', 0}, {VK_LEFT, 0}},
         {caLEFT},
         true,
         0},
        {"Ctrl+K alone", {{'K', ssCtrl}}, {}, true, 0},
        {"Shift+Delete", {{VK_DELETE, ssShift}}, {}, false, VK_DELETE},
        {"Ctrl+Shift+Z", {{'Z', ssCtrl | ssShift}}, {caREDO}, true, 0},
        {"Ctrl+Q, 3, Ctrl+Home",
         {{'Q', ssCtrl}, {'3', 0}, {VK_HOME, ssCtrl}},
         {caGOTOBOOKMARK0 + 3, caDOCSTART},
         true,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRecordingMap recording;
        bool handled = false;
        int key = 0;
        TShiftState shift = 0;
        for (const auto& [k, s] : c.keys) {
            key = k;
            shift = s;
            recording.map.ProcessKey(key, shift, handled);
        }
        EXPECT_EQ(recording.commands, c.commands);
        EXPECT_EQ(handled, c.lastHandled);
        EXPECT_EQ(key, c.lastKey);
        if (handled) {
            EXPECT_EQ(shift, 0u);
        }
    }
}

TEST(KeyController, HandlerMayChangeTheCommand)
{
    TKeyboardActionContoller map;
    map.AddKeyPair(VK_F1, 0, 5);
    int seen = -1;
    map.OnCommand = [&seen](TObject*, int& command) { seen = command; };
    int key = VK_F1;
    TShiftState shift = ssLeft;
    bool handled = false;
    map.ProcessKey(key, shift, handled);
    EXPECT_EQ(seen, 5);
    EXPECT_TRUE(handled);
}

TEST(KeyController, ClashesAreRefusedAndLeaveTheMapAsItWas)
{
    const struct {
        const char* name;
        TShortCut first, second;
        int command;
        const char* existing;
    } cases[] = {
        {"a first key of pairs bound alone", CtrlK, 0, 3, "Indent selected block"},
        {"a pair bound twice", CtrlK, 'I', 3, "Indent selected block"},
        {"a pair under a key bound alone", scCtrl | 'Y', 'A', 3, "Delete current line"},
        {"a key bound alone twice", VK_LEFT, 0, 3, "Cursor left"},
        {"a pair with modifiers on its second key", CtrlK, scShift | 'U', 3, "Un-indent selected block"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRecordingMap recording;
        const QByteArray before = StreamBytes(recording.map);
        try {
            recording.map.AddKeyPair(c.first, c.second, c.command);
            ADD_FAILURE() << "no clash";
        } catch (const EAmbigiousKeyPair& e) {
            EXPECT_EQ(e.Message,
                      QStringLiteral("Duplicate key sequence definition for\r\n\"Line end\" and \"%1\"")
                          .arg(QLatin1String(c.existing)));
        }
        EXPECT_EQ(StreamBytes(recording.map), before);
        // The refused binding left no node that would swallow keys.
        bool handled = false;
        int key = 'K';
        TShiftState shift = ssCtrl;
        recording.map.ProcessKey(key, shift, handled);
        key = 'I';
        shift = 0;
        recording.map.ProcessKey(key, shift, handled);
        EXPECT_EQ(recording.commands, std::vector<int>{caBLOCKIND});
    }
    // An unnamed command gives an empty name.
    TKeyboardActionContoller bare;
    bare.AddKeyPair((VK_F1 + 1), 0, 1);
    try {
        bare.AddKeyPair((VK_F1 + 1), 0, 2);
        ADD_FAILURE() << "no clash";
    } catch (const EKeyControllerException& e) {
        EXPECT_EQ(e.Message, QStringLiteral("Duplicate key sequence definition for\r\n\"\" and \"\""));
    }
}

TEST(KeyController, EnumeratesBindingsInWalkOrder)
{
    TRecordingMap recording;
    recording.map.AddKeyPair((VK_F1 + 1), 0, caBLOCKIND);
    TShortCut first = 0;
    TShortCut second = 0;
    recording.map.FindFirstKeys(caBLOCKIND, first, second);
    EXPECT_EQ(first, (VK_F1 + 1));
    EXPECT_EQ(second, 0);
    recording.map.FindNextKeys(caBLOCKIND, first, second);
    EXPECT_EQ(first, CtrlK);
    EXPECT_EQ(second, 'I');
    recording.map.FindNextKeys(caBLOCKIND, first, second);
    EXPECT_EQ(first, 0);
    recording.map.FindFirstKeys(caBLOCKIND, first, second);
    EXPECT_EQ(first, (VK_F1 + 1));

    // One-key bindings first; then the pairs, those of the last first key first.
    const std::vector<TKeyBinding> bindings = DefaultKeyController().Bindings();
    EXPECT_EQ(bindings.front(), (TKeyBinding{scCtrl | VK_BACK, 0, caDELPREVWORD}));
    EXPECT_EQ(bindings[25], (TKeyBinding{CtrlQ, '0', caGOTOBOOKMARK0}));
    EXPECT_EQ(bindings[35], (TKeyBinding{CtrlK, 'I', caBLOCKIND}));
    EXPECT_EQ(bindings.back(), (TKeyBinding{CtrlK, 'P', caPRINTSEL}));
}

TEST(KeyController, NamesAndAssign)
{
    TKeyboardActionContoller map;
    map.SetCommandName(3, QStringLiteral("first"));
    map.SetCommandName(4, QStringLiteral("other"));
    map.SetCommandName(3, QStringLiteral("second"));
    EXPECT_EQ(map.GetCommandName(3), QStringLiteral("second"));
    EXPECT_EQ(map.GetCommandName(9), QString());
    ASSERT_EQ(map.CommandNames().size(), 2u);
    EXPECT_EQ(map.CommandNames()[1].Name, QStringLiteral("second"));

    TForeign foreign;
    try {
        map.Assign(foreign);
        ADD_FAILURE() << "assigned";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, QStringLiteral("Cannot assign a TForeign to a TKeyboardActionContoller"));
    }
    map.Assign(DefaultKeyController());
    EXPECT_EQ(StreamBytes(map), StreamBytes(DefaultKeyController()));
    map.Clear();
    EXPECT_TRUE(map.Bindings().empty());
    EXPECT_TRUE(map.CommandNames().empty());
}
