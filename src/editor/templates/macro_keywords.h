// TMacroKeywords, the base of the code templates and the auto-replace list: named texts whose
// names are stored reversed in a keyword trie, so that the name ending at the caret is found by
// matching backward; the trigger key; and IMacroEditor, what they need of the editor.
#pragma once

#include "editor/language/keywords.h"

#include "platform/ui/vkeys.h"

#include <QByteArray>
#include <QPointer>
#include <QRect>
#include <functional>
#include <vector>

class QWidget;
class TMemoCore;

// What the templates and the auto-replace list need of the editor they expand in (the editor
// control implements it).
class IMacroEditor {
public:
    virtual ~IMacroEditor() = default;
    // The document with its caret and selection.
    virtual TMemoCore& Memo() = 0;
    // The editor's word tests.
    virtual bool CharStartsWord(char C) = 0;
    virtual bool CharIsInWord(char C) = 0;
    // The widget the pick list opens on, and the caret's line in its coordinates: left at the caret,
    // top and height of the line.
    virtual QWidget* PickListParent() = 0;
    virtual QRect CaretLineRect() = 0;
    // The pick list selected the typed prefix and takes the keys now; it closed again. The editor
    // saves and clears, then restores, the state it keeps away from the list.
    virtual void PickListOpened() {}
    virtual void PickListClosed() {}
};

// The pick list as the templates drive it. It is a widget: the editor's widgets make it (through the
// factory they install at start-up), and its parent widget may free it first.
class IMacroPickList {
public:
    // Moves the list to Editor's widget and empties it.
    virtual void Reuse(IMacroEditor& Editor) = 0;
    // Fills the list, places it at the caret, shows and focuses it.
    virtual void Open() = 0;
    // The list's widget.
    virtual QObject* Widget() = 0;

protected:
    ~IMacroPickList() = default;
};

class TMacroKeywords;
// Makes a hidden, empty pick list of Owner's macros on Editor's widget.
using TMacroPickListFactory = std::function<IMacroPickList*(TMacroKeywords& Owner, IMacroEditor& Editor)>;
// Installs Factory (empty: no pick list opens) and returns the one installed before.
TMacroPickListFactory SetMacroPickListFactory(TMacroPickListFactory Factory);

// Runs an expansion: Name is the name as typed (empty from the pick list), Body may be changed.
using TMacroExpandEvent = std::function<void(TObject* Sender, const QByteArray& Name, QByteArray& Body)>;

class TMacroKeywords : public TKeywords {
public:
    struct TMacro {
        QByteArray Name;
        QByteArray Description;
        QByteArray Body; // with the editor's CR line ends
    };
    // Longer names and descriptions are cut: the streams keep them in short strings.
    static constexpr int MaxNameLength = 255;

    TMacroKeywords();
    ~TMacroKeywords() override;

    // Adds or replaces the macro Name (lower-cased when CaseFlag is 0).
    void AddMacro(const QByteArray& Name, const QByteArray& Description, std::uint8_t CaseFlag,
                  const QByteArray& Body);
    // DeleteMacro, then AddMacro with case flag 0.
    void SetMacro(const QByteArray& Name, const QByteArray& Description, const QByteArray& Body);
    // Removes the macro of the lower-cased Name; nothing when there is none.
    void DeleteMacro(const QByteArray& Name);
    // The body of the macro of the lower-cased Name.
    bool GetMacro(const QByteArray& Name, QByteArray& Body) const;
    // In name order, ignoring case.
    const std::vector<TMacro>& Macros() const { return macros_; }
    // Drops every macro.
    void Clear() override;

    // True when enabled and (Key, Shift) is the trigger key.
    virtual bool IsTriggerKey(int Key, TShiftState Shift) const;
    // Called for every key press before the editor handles it. On the trigger key, expands the
    // macro whose name ends at the caret through OnExpand; without one, keeps the word before the
    // caret in TypedPrefix and opens the pick list when ShowPickList is set. Returns true after an
    // expansion; Handled then tells the editor to swallow the key.
    bool HandleKey(IMacroEditor& Editor, int& Key, bool& Handled, TShiftState Shift);

    // Integer n, then per macro: ShortString name, ShortString description, LongString body; then
    // LongString the trigger key's short-cut text and Integer Enabled. Bad counts raise EReadError.
    void SaveToStream(TStream& Stream) const override;
    void LoadFromStream(TStream& Stream) override;

    TShortCut TriggerKey = scCtrl | 'J';
    TMacroExpandEvent OnExpand;
    // The partial name before the caret when nothing matched.
    QByteArray TypedPrefix;
    bool Enabled = true;
    bool ConsumeKey = true;       // the trigger key is swallowed after an expansion
    bool IndentBody = true;       // body lines after the first are indented to the caret's column
    bool CaretMarker = true;      // a "|" in the body marks where the caret goes
    bool ShowPickList = true;     // the pick list opens when nothing matched
    bool RecreatePickList = true; // a new pick list each time

    // The open pick list, null when there is none.
    IMacroPickList* PickList() const;

protected:
    std::unique_ptr<TSM_Base> NewInstance() const override;

private:
    // Where Name is or would go in the macros.
    std::vector<TMacro>::const_iterator Find(const QByteArray& Name, bool& Found) const;
    void AddReversedName(const QByteArray& Name);
    void RebuildTrie();
    void OpenPickList(IMacroEditor& Editor);

    std::vector<TMacro> macros_;
    IMacroPickList* pickList_ = nullptr;
    QPointer<QObject> pickListWidget_; // tells whether pickList_ still lives
};

// The text reversed.
QByteArray Reversed(const QByteArray& Text);
