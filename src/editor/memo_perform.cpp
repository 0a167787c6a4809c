// The editor control's message interface: each message unpacked onto its typed method.
#include "editor/custom_syntax_memo.h"

#include "editor/language/sm_settings.h"
#include "editor/search/find_flow.h"
#include "editor/search/memo_search.h"

#include "platform/messages/edit_messages.h"
#include "platform/ole/types.h"
#include "platform/rtl/streams.h"

#include <cstring>

using namespace win;
using namespace sm;

namespace {

template <typename T>
T* Pointer(std::intptr_t Value)
{
    return reinterpret_cast<T*>(Value);
}

} // namespace

LRESULT TCustomSyntaxMemo::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg >= SM_SELECTION && Msg <= SM_IDENTITY)
        return PerformPrivate(Msg, WParam, LParam);
    return PerformStandard(Msg, WParam, LParam);
}

LRESULT TCustomSyntaxMemo::PerformPrivate(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    const bool set = WParam & smSet;
    const bool quiet = WParam & smQuiet;
    switch (Msg) {
    case SM_SELECTION: {
        auto* pair = Pointer<std::int32_t>(LParam);
        if (!pair)
            return 0;
        if (set) {
            SetSelection(pair[0], pair[1], quiet);
        } else {
            pair[0] = SelStart();
            pair[1] = SelEnd();
        }
        return 0;
    }
    case SM_OPTIONS:
        if (!set)
            return LRESULT(OptionWord());
        SetOptionWord(std::uint32_t(LParam), quiet);
        return 0;
    case SM_REPLACESEL: {
        const char* text = Pointer<const char>(LParam);
        ReplaceSelectionText(text ? std::string_view(text) : std::string_view(), quiet);
        return 0;
    }
    case SM_UPDATELOCK:
        if (!set)
            return updateLock_;
        SetUpdateLock(LParam != 0, quiet);
        return 0;
    case SM_READSTREAM:
        if (auto* stream = Pointer<TStream>(LParam))
            ReadSelectionFromStream(*stream, quiet);
        return 0;
    case SM_WRITESTREAM:
        if (auto* stream = Pointer<TStream>(LParam))
            WriteSelectionToStream(*stream, unsigned(WParam));
        return 0;
    case SM_MODIFIED:
        if (!set)
            return Modified();
        SetModified((LParam & 0xFF) != 0);
        return 0;
    case SM_TOPLINE:
        if (!set)
            return TopLine();
        TMemoCore::SetTopLine(int(LParam));
        if (!quiet)
            Invalidate();
        return 0;
    case SM_LEFTCOLUMN:
        if (!set)
            return leftColumn_;
        SetLeftColumn(int(LParam), quiet);
        return 0;
    case SM_SEARCH: {
        const char* pattern = Pointer<const char>(LParam);
        return FindText(pattern ? std::string_view(pattern) : std::string_view(), unsigned(WParam));
    }
    case SM_REPLACEDIALOG: Search().Flow().Show({}, unsigned(WParam), true); return 0;
    case SM_SELTOBUFFER: {
        auto* buffer = Pointer<TMemoBuffer>(LParam);
        const bool crlf = WParam == 1;
        if (!buffer)
            return SelectionByteCount(crlf);
        return SelectionToBuffer({static_cast<char*>(buffer->Data), buffer->Size}, crlf);
    }
    case SM_CANREDO: return CanRedo();
    case SM_REDO:
        Redo();
        Invalidate();
        return 0;
    case SM_INDENT: IndentBlock(int(WParam), unsigned(LParam)); return 0;
    case SM_UNINDENT: UnindentBlock(int(WParam)); return 0;
    case SM_APPLYSETTINGS:
        ApplySettings();
        // A parser installed (or its settings changed) colours the whole text anew.
        if (ready_ && CurrentParser()) {
            ClearHighlighting();
            HighlightAll();
        }
        return 0;
    case SM_SETTOKENS:
    case SM_GETTOKENS: {
        auto* buffer = Pointer<TMemoBuffer>(LPARAM(WParam));
        if (!buffer)
            return 0;
        auto* bytes = static_cast<std::uint8_t*>(buffer->Data);
        const auto* range = Pointer<const TLineRange>(LParam);
        if (Msg == SM_SETTOKENS)
            SetTokenBytes({bytes, buffer->Size}, range);
        else
            GetTokenBytes({bytes, buffer->Size}, range);
        return 0;
    }
    case SM_UNDOLOG:
        if (!set)
            return LRESULT(GetUndoStack());
        // The log given is taken over; the one attached before goes to the caller.
        return LRESULT(SetUndoLog(std::unique_ptr<TUndoStack>(Pointer<TUndoStack>(LParam))).release());
    case SM_TEXTSTORE:
        if (WParam == 0) {
            if (auto* target = Pointer<TTextStore*>(LParam))
                *target = &TextStore();
            return 0;
        }
        if (WParam == 1 && LParam) {
            // The store given is taken over; the one shown before goes to the caller.
            return LRESULT(SetTextStore(std::unique_ptr<TTextStore>(Pointer<TTextStore>(LParam))).release());
        }
        return 0;
    case SM_HIGHLIGHTFROM:
        if (!set)
            return LRESULT(TextStore().HighlightFrom());
        TextStore().SetHighlightFrom(Pointer<TLineRecord>(LParam));
        return 0;
    case SM_IDENTITY: return LRESULT(Identity());
    default:
        // The numbers in between are not used.
        return 0;
    }
}

LRESULT TCustomSyntaxMemo::PerformStandard(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_SIZE: SetClientSize(LOWORD(LParam), HIWORD(LParam)); return 0;
    case WM_SETFOCUS:
        // The key map and the lists of the settings serve the focused editor.
        if (isVisible())
            HookSettings();
        Invalidate();
        return 0;
    case WM_KILLFOCUS:
        // Repainted without the caret.
        Invalidate();
        return 0;
    case WM_SETREDRAW: SetRedraw(WParam != 0); return 0;
    case WM_SETTEXT: SetTextBuffer(Pointer<const char>(LParam)); return 0;
    case WM_GETTEXT: {
        auto* buffer = Pointer<char>(LParam);
        return buffer ? GetTextBuffer({buffer, std::size_t(WParam)}) : 0;
    }
    case WM_GETTEXTLENGTH: return GetTextLen();
    case WM_PAINT: Invalidate(); return 0;
    case WM_ERASEBKGND:
        MarkAllForHighlight();
        return 1;
    case WM_GETDLGCODE: return DialogCode();
    case EM_GETSEL:
        if (auto* start = Pointer<DWORD>(LPARAM(WParam)))
            *start = DWORD(SelStart());
        if (auto* end = Pointer<DWORD>(LParam))
            *end = DWORD(SelEnd());
        return 0;
    case EM_SETSEL:
        // (0, -1) selects everything, as a start of -1 does for the private message.
        if (WParam == 0 && LParam == -1)
            SetSelection(-1, 0);
        else
            SetSelection(int(WParam), int(LParam));
        return 0;
    case EM_LINESCROLL: ScrollBy(int(WParam), int(LParam)); return 0;
    case EM_SCROLLCARET: SetSelection(SelStart(), SelEnd()); return 0;
    case EM_GETMODIFY: return Modified();
    case EM_GETLINECOUNT: return LineCount();
    case EM_LINEINDEX: return LineIndex(int(WParam));
    case EM_LINELENGTH: return LineLength(int(WParam));
    case EM_REPLACESEL: return PerformPrivate(SM_REPLACESEL, 0, LParam);
    case EM_GETLINE: {
        auto* buffer = Pointer<char>(LParam);
        if (!buffer)
            return 0;
        WORD capacity = 0;
        std::memcpy(&capacity, buffer, sizeof capacity);
        return GetLineBuffer(int(WParam), {buffer, capacity});
    }
    case EM_CANUNDO: return CanUndo();
    case EM_UNDO:
    case WM_UNDO:
        Undo();
        Invalidate();
        return 1;
    case EM_LINEFROMCHAR: return LineFromChar(int(WParam));
    case EM_EMPTYUNDOBUFFER: SetModified(false); return 0;
    case EM_GETFIRSTVISIBLELINE: return TopLine();
    case WM_HSCROLL:
    case WM_VSCROLL: Scroll(Msg == WM_VSCROLL, WParam); return 0;
    case EM_POSFROMCHAR:
        if (auto* point = Pointer<POINT>(LPARAM(WParam))) {
            const QPoint at = PointFromPosition(int(LParam));
            *point = {at.x(), at.y()};
        }
        return 0;
    case EM_CHARFROMPOS: {
        const auto* point = Pointer<const POINT>(LParam);
        return point ? CharFromPoint({int(point->x), int(point->y)}) : -1;
    }
    case WM_CUT: CutToClipboard(); return 0;
    case WM_COPY: CopyToClipboard(); return 0;
    case WM_PASTE: PasteFromClipboard(); return 0;
    case EM_CANPASTE: return WParam <= 1 && CanPaste();
    default:
        // Double clicks and dropped files come with the mouse and the drag and drop of the control.
        return 0;
    }
}
