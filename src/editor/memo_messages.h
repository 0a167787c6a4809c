// The editor control's private messages (WM_USER + 0x800 onward), the bits of their wParam, and
// the small structures that pointer-carrying messages pass.
#pragma once

#include "platform/messages/messages.h"

#include <cstddef>
#include <cstdint>

namespace sm {

constexpr win::UINT SM_SELECTION = 0xC00;       // lParam: std::int32_t[2] {start, end}
constexpr win::UINT SM_OPTIONS = 0xC01;         // set: lParam the option word
constexpr win::UINT SM_REPLACESEL = 0xC02;      // lParam: NUL-terminated text or null
constexpr win::UINT SM_UPDATELOCK = 0xC05;      // set: lParam non-zero locks
constexpr win::UINT SM_READSTREAM = 0xC06;      // lParam: TStream*
constexpr win::UINT SM_WRITESTREAM = 0xC07;     // wParam: a TWriteFormat; lParam: TStream*
constexpr win::UINT SM_MODIFIED = 0xC08;        // set: low byte of lParam
constexpr win::UINT SM_TOPLINE = 0xC09;         // 0-based
constexpr win::UINT SM_LEFTCOLUMN = 0xC0A;      // 0-based
constexpr win::UINT SM_SEARCH = 0xC0B;          // wParam: search options; lParam: the pattern
constexpr win::UINT SM_REPLACEDIALOG = 0xC0C;   // wParam: search options
constexpr win::UINT SM_SELTOBUFFER = 0xC0D;     // wParam 0 CR, 1 CR LF; lParam: TMemoBuffer* or null
constexpr win::UINT SM_CANREDO = 0xC0E;
constexpr win::UINT SM_REDO = 0xC0F;
constexpr win::UINT SM_INDENT = 0xC10;          // wParam: count (0: IndentStep); lParam bit 0: TABs
constexpr win::UINT SM_UNINDENT = 0xC11;        // wParam: count
constexpr win::UINT SM_APPLYSETTINGS = 0xC12;
constexpr win::UINT SM_SETTOKENS = 0xC13;       // wParam: TMemoBuffer*; lParam: TLineRange* or null
constexpr win::UINT SM_GETTOKENS = 0xC14;       // as SM_SETTOKENS
constexpr win::UINT SM_UNDOLOG = 0xC15;         // set: lParam a TUndoStack* taken over, or null
constexpr win::UINT SM_TEXTSTORE = 0xC18;       // wParam 0 get (lParam: TTextStore**), 1 set
constexpr win::UINT SM_HIGHLIGHTFROM = 0xC21;   // set: lParam a TLineRecord*
constexpr win::UINT SM_IDENTITY = 0xC40;

// wParam bits of the get/set messages.
constexpr win::WPARAM smSet = 1;
constexpr win::WPARAM smQuiet = 2;

// Formats of SM_WRITESTREAM, tested in the order RTF, HTML, UNIX; otherwise bit 0 picks CR LF.
enum TWriteFormat : unsigned {
    wfBare = 0,  // line ends as the stored CR
    wfCRLF = 1,  // CR LF
    wfRTF = 2,
    wfHTML = 4,
    wfUNIX = 8,  // LF in place of each CR
};

// Where Windows passed a bare buffer, these messages pass its address and size, so that nothing
// is written past its end.
struct TMemoBuffer {
    void* Data = nullptr;
    std::size_t Size = 0;
};

// A range of 0-based lines, both included.
struct TLineRange {
    std::int32_t First = 0;
    std::int32_t Last = 0;
};

} // namespace sm
