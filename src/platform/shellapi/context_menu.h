// IContextMenu: the commands the shell offers for a set of items, filled into a menu model and
// run by their offsets or verbs.
#pragma once

#include "platform/messages/messages.h"
#include "platform/shellapi/hresult.h"
#include "platform/shellapi/shell_execute.h"
#include "platform/ui/menu_model.h"

#include <QString>

namespace win {

// QueryContextMenu: which commands.
constexpr UINT CMF_NORMAL = 0x0;
constexpr UINT CMF_DEFAULTONLY = 0x1; // the default command alone
constexpr UINT CMF_VERBSONLY = 0x2;
constexpr UINT CMF_EXPLORE = 0x4;
constexpr UINT CMF_CANRENAME = 0x10; // the caller edits names in place: offer "rename"

// GetCommandString: which text.
constexpr UINT GCS_VERBA = 0x0;
constexpr UINT GCS_HELPTEXTA = 0x1;

// The commands' offsets: the menu's id of a command is the first id plus its offset.
constexpr UINT CMD_OPEN = 0;
constexpr UINT CMD_CUT = 10;
constexpr UINT CMD_COPY = 11;
constexpr UINT CMD_PASTE = 12;
constexpr UINT CMD_LINK = 16;
constexpr UINT CMD_DELETE = 17;
constexpr UINT CMD_RENAME = 18;
constexpr UINT CMD_PROPERTIES = 19;

// The command InvokeCommand runs: the one whose verb is Verb, or with an empty Verb the one at
// Offset.
struct CMINVOKECOMMANDINFO {
    HWND hwnd = nullptr; // the owner window: failures are shown to it
    UINT Offset = 0;
    QString Verb;
    int nShow = SW_SHOWNORMAL;
};

class IContextMenu {
public:
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

    // Inserts the commands into Menu before position Index, each with the id IdFirst + its offset
    // (commands whose id would exceed IdLast are left out). Returns a success code whose low 16 bits
    // are the number of ids it may use (the highest offset + 1).
    virtual HRESULT QueryContextMenu(TMenuModel& Menu, UINT Index, UINT IdFirst, UINT IdLast, UINT Flags) = 0;
    // The verb (GCS_VERBA) or help text (GCS_HELPTEXTA) of the command at Offset; E_INVALIDARG for
    // an offset this menu does not offer.
    virtual HRESULT GetCommandString(UINT Offset, UINT Type, QString* Text) = 0;
    // Runs a command. A verb or offset that no command of this menu carries runs nothing and
    // gives E_INVALIDARG.
    virtual HRESULT InvokeCommand(const CMINVOKECOMMANDINFO& Info) = 0;

protected:
    virtual ~IContextMenu() = default;
};

} // namespace win
