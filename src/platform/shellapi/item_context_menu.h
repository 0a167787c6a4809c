// TItemContextMenu: the context menu of a set of places of the namespace (the items of a folder,
// or a folder itself).
//
// Commands and their offsets: open 0 (the default), cut 10, copy 11, paste 12, link 16, delete 17,
// rename 18 and properties 19, each offered where it applies: cut, copy, link, delete and rename
// as the items' attributes allow (rename for a single item and only when the caller edits names),
// paste for a single folder (grayed while no files are on the clipboard), and on Computer and
// volumes only open and properties. Items that can be copied also get a "Send To" submenu with a
// single grayed placeholder, which the controls fill with the entries of the Send To folder.
#pragma once

#include "platform/shellapi/context_menu.h"
#include "platform/shellapi/ref.h"
#include "platform/shellapi/shell_places.h"

#include <vector>

namespace win {

class TItemContextMenu final : public TRefCounted<IContextMenu> {
public:
    struct TTarget {
        TShellPlace Place;
        ULONG Attributes = 0; // its SFGAO attributes
    };

    explicit TItemContextMenu(QList<TTarget> Targets);

    HRESULT QueryContextMenu(TMenuModel& Menu, UINT Index, UINT IdFirst, UINT IdLast, UINT Flags) override;
    HRESULT GetCommandString(UINT Offset, UINT Type, QString* Text) override;
    HRESULT InvokeCommand(const CMINVOKECOMMANDINFO& Info) override;

    // The offsets of the commands offered, in menu order.
    const std::vector<UINT>& Offsets() const { return offsets_; }

private:
    bool Offers(UINT Offset) const;
    QStringList Paths() const;

    QList<TTarget> targets_;
    std::vector<UINT> offsets_;
    bool sendTo_ = false;
};

} // namespace win
