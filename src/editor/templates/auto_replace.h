// TAutoReplace, the auto-replace list of a language: a word typed before one of the activation
// keys (blank, TAB, return, punctuation) is replaced by its replacement text.
#pragma once

#include "editor/templates/code_templates.h"

#include <QByteArray>
#include <vector>

class TAutoReplace : public TCodeTemplates {
public:
    static constexpr const char* DefaultActivationKeys = ";,:.=()[]\\{Return}\\{Tab}\\{Space}";

    TAutoReplace();

    // True when enabled, there are activation keys and (Key, Shift) is one of them.
    bool IsTriggerKey(int Key, TShiftState Shift) const override;
    // Reads the activation keys: a plain character adds the key that types it; "\n" and "\r" add
    // Return, "\s" Space, "\t" TAB (either case); "\{name}" adds the named key (0 for an unknown
    // name; letters and digits count, other characters are skipped; no "}" raises ESyntaxMemo "Bad
    // key specifier"); a backslash before any other character adds that character's key when it
    // needs no modifier. Each key once.
    void SetActivationKeys(const QByteArray& Specification);
    const QByteArray& ActivationKeys() const { return activationKeys_; }
    // Key codes: the virtual key + 0x100 with Shift, + 0x200 with Ctrl, + 0x400 with Alt.
    const std::vector<int>& ActivationKeyCodes() const { return activationKeyCodes_; }

    void AddReplacement(const QByteArray& Word, const QByteArray& Replacement);
    // Drops every replacement and restores the default activation keys.
    void Clear() override;

    // The template stream, then ShortString the activation keys.
    void SaveToStream(TStream& Stream) const override;
    void LoadFromStream(TStream& Stream) override;

protected:
    std::unique_ptr<TSM_Base> NewInstance() const override;

private:
    QByteArray activationKeys_;
    std::vector<int> activationKeyCodes_;
};

// The key code of a key press as the activation keys hold it; 0 for a key above 255.
int ActivationKeyCode(int Key, TShiftState Shift);
