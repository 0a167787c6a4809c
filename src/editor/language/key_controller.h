// TKeyboardActionContoller, the key map of one language: editor commands bound to one key or to a
// pair of keys pressed one after the other (Ctrl+K then I), the commands' display names, the
// recognition of key presses, and the key-assignment stream; with TKeyStore, its bindings.
#pragma once

#include "editor/language/sm_base.h"

#include "platform/ui/vkeys.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

using TKeyboardActionEvent = std::function<void(TObject* Sender, int& Command)>;

// One binding: Second is 0 for a one-key binding.
struct TKeyBinding {
    TShortCut First = 0;
    TShortCut Second = 0;
    int Command = -1;

    friend bool operator==(const TKeyBinding&, const TKeyBinding&) = default;
};

// The bindings as a two-level tree: the first-key list, and below a first key that starts pairs its
// second-key list. Invariants: a first key is either a one-key binding or the first half of pairs,
// never both; a key sequence maps to one command; second keys carry no modifiers.
class TKeyStore {
public:
    enum class TKeyResult { Miss, Prefix, Match };

    // Adds a binding (Key2 without a key code: one key). Returns the command already bound in its
    // way when it clashes with the invariants, and then changes nothing.
    std::optional<int> Add(TShortCut Key1, TShortCut Key2, int Command);
    // Looks Key up in the list the previous keys lead to (the first-key list unless a first key of
    // a pair was pressed before; there modifiers are dropped). A match gives its command.
    TKeyResult Process(TShortCut Key, int& Command);
    // The next key is looked up in the first-key list again.
    void Reset() { current_ = NoList; }
    // Every binding in walk order: the first-key list's one-key bindings in list order, then the
    // second-key lists, that of the last first key first.
    std::vector<TKeyBinding> Bindings() const;

private:
    struct TKeyNode {
        TShortCut Key = 0;
        bool Terminal = false; // a binding ends here
        int Command = -1;
        std::vector<TKeyNode> Children; // the second-key list; empty for a one-key binding
    };
    static constexpr int NoList = -2;
    static constexpr int FirstKeys = -1;

    std::vector<TKeyNode> root_;
    // The list the next key is looked up in: NoList, FirstKeys, or the index of the first key whose
    // second-key list it is.
    int current_ = NoList;
};

class TKeyboardActionContoller : public TSM_Base {
public:
    struct TCommandName {
        QString Name;
        int Command = -1;
    };

    // Drops every binding and name.
    void Clear();
    // Binds Key1 (then Key2, unless Key2 has no key code) to Command. A clash raises
    // EAmbigiousKeyPair "Duplicate key sequence definition for\r\n"<new>" and "<existing>"" with
    // the display names of the two commands, and leaves the map as it was.
    void AddKeyPair(TShortCut Key1, TShortCut Key2, int Command);
    // Replaces the command's display name (the last entry of it) with a new entry at the end.
    void SetCommandName(int Command, const QString& Name);
    // The display name of the last entry of Command; empty when it has none.
    QString GetCommandName(int Command) const;
    const std::vector<TCommandName>& CommandNames() const { return names_; }
    std::vector<TKeyBinding> Bindings() const { return store_.Bindings(); }

    // The bindings of Command in walk order, one per call (FindFirstKeys starts again): Key2 is 0 for
    // a one-key binding; both are 0 when there is no further binding.
    void FindFirstKeys(int Command, TShortCut& Key1, TShortCut& Key2);
    void FindNextKeys(int Command, TShortCut& Key1, TShortCut& Key2);

    // Feeds one key press. The first key of a pair is swallowed (Handled, Key 0, Shift empty); a
    // completed binding is swallowed as well and reported through OnCommand; a key that completes
    // nothing is left to normal processing and the next key starts a new sequence.
    void ProcessKey(int& Key, TShiftState& Shift, bool& Handled);

    // Integer name count, then per name: Integer command, ShortString name; Integer binding count,
    // then per binding: Word first key, Word second key, Integer command. Loading replaces the map
    // (re-adding every binding, so a clash raises EAmbigiousKeyPair, in an order that makes the map
    // write the same bytes again); bad counts raise EReadError.
    void SaveToStream(TStream& Stream) const override;
    void LoadFromStream(TStream& Stream) override;
    // Source must be a key map: anything else raises Exception "Cannot assign a <source> to a <this>".
    void Assign(const TObject& Source) override;

    TKeyboardActionEvent OnCommand;

protected:
    std::unique_ptr<TSM_Base> NewInstance() const override;

private:
    void FindKeys(int Command, TShortCut& Key1, TShortCut& Key2);

    TKeyStore store_;
    std::vector<TCommandName> names_;
    // The walk index of the binding FindFirstKeys or FindNextKeys returned last.
    int enumeration_ = -1;
};
