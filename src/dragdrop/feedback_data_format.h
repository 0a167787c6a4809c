// TFeedbackDataFormat: the shell's drop feedback between a source and a target: the effect the
// source prefers, the effects the target performed, whether a paste succeeded, whether the drag
// runs inside the shell's own loop, and the target's class id.
#pragma once

#include "dragdrop/data_format.h"

class TFeedbackDataFormat : public TCustomDataFormat {
public:
    static const TDataFormatClass Class;

    explicit TFeedbackDataFormat(TComponent* AOwner);

    // Each field from and to the clipboard format of its name; reading "InShellDragLoop" also
    // notes that the value was present.
    bool Assign(TClipboardFormat* ClipboardFormat) override;
    bool AssignTo(TClipboardFormat* ClipboardFormat) override;
    // Fires Changing and resets the preferred and performed effects and the loop flag and its
    // presence; PasteSucceeded, LogicalPerformedDropEffect and TargetCLSID keep their values.
    void Clear() override;
    // True when any of the preferred effect, performed effect, paste result and loop presence is
    // set; lacking data when any of them is not.
    bool HoldsData() const override;
    bool LacksData() const override;

    win::DWORD PreferredDropEffect() const { return preferredDropEffect_; }
    void SetPreferredDropEffect(win::DWORD Value);
    win::DWORD PerformedDropEffect() const { return performedDropEffect_; }
    void SetPerformedDropEffect(win::DWORD Value);
    bool InShellDragLoop() const { return inShellDragLoop_; }
    void SetInShellDragLoop(bool Value);

    win::DWORD LogicalPerformedDropEffect = 0;
    win::DWORD PasteSucceeded = 0;
    bool ShellLoopValuePresent = false;
    win::CLSID TargetCLSID = win::GUID_NULL;

private:
    win::DWORD preferredDropEffect_ = 0;
    win::DWORD performedDropEffect_ = 0;
    bool inShellDragLoop_ = false;
};
