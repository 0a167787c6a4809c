// The editor control's selection properties and its clipboard: copy as text and RTF, cut, and
// paste of plain text or HTML.
#include "editor/custom_syntax_memo.h"

#include "editor/document/syntax_memo_error.h"
#include "editor/language/settings_routines.h"
#include "editor/memo_formats.h"

#include "platform/graphics/clipboard.h"
#include "platform/ole/types.h"
#include "platform/rtl/resource_strings.h"
#include "platform/rtl/streams.h"

#include <algorithm>
#include <new>

namespace {

unsigned RtfFormat()
{
    static const unsigned format = win::RegisterClipboardFormat(QStringLiteral("Rich Text Format"));
    return format;
}

QByteArray Bytes(TMemoryStream& Stream)
{
    return QByteArray(Stream.Memory(), qsizetype(Stream.Size()));
}

// The text of a clipboard block, up to its first NUL.
QByteArray UpToNul(const QByteArray& Block)
{
    const qsizetype nul = Block.indexOf('\0');
    return nul < 0 ? Block : Block.left(nul);
}

} // namespace

// --- selection ---

int TCustomSyntaxMemo::GetSelStart() const
{
    return std::min(SelStart(), SelEnd());
}

void TCustomSyntaxMemo::SetSelStart(int Value)
{
    SetSelection(Value, Value);
}

int TCustomSyntaxMemo::GetSelLength()
{
    return int(GetSelText().size());
}

void TCustomSyntaxMemo::SetSelLength(int Value)
{
    const int start = GetSelStart();
    SetSelection(start, start + Value);
}

std::string TCustomSyntaxMemo::GetSelText()
{
    return SelText(TextStore().SelLineStyle == lsCRLF ? TLineEnds::CRLF : TLineEnds::CR);
}

void TCustomSyntaxMemo::SetSelText(std::string_view Text)
{
    ReplaceSelectionText(Text);
}

int TCustomSyntaxMemo::GetSelTextBuf(std::span<char> Buffer)
{
    if (Buffer.empty())
        return 0;
    const int count = SelectionToBuffer(Buffer, TextStore().SelLineStyle == lsCRLF);
    return std::min(count, int(Buffer.size()) - 1);
}

void TCustomSyntaxMemo::SetSelTextBuf(const char* Text)
{
    ReplaceSelectionText(Text ? std::string_view(Text) : std::string_view());
}

void TCustomSyntaxMemo::SelectAll()
{
    SetSelection(-1, 0);
}

void TCustomSyntaxMemo::ClearSelection()
{
    ReplaceSelectionText({});
}

// --- clipboard ---

void TCustomSyntaxMemo::CopyToClipboard()
{
    TClipboard& clipboard = Clipboard();
    clipboard.Open();
    try {
        clipboard.Clear();
        if (ClipCopyFormats & smTEXT) {
            TMemoryStream text;
            WriteSelectionToStream(text, sm::wfCRLF);
            clipboard.SetAsHandle(win::CF_TEXT, {Bytes(text) + QByteArray(1, '\0'), {}});
        }
        if (ClipCopyFormats & smRTF) {
            TMemoryStream rtf;
            WriteSelectionToStream(rtf, sm::wfRTF);
            clipboard.SetAsHandle(RtfFormat(), {Bytes(rtf), {}});
        }
    } catch (...) {
        clipboard.Close();
        throw;
    }
    clipboard.Close();
}

void TCustomSyntaxMemo::CutToClipboard()
{
    if (ReadOnly())
        return;
    BeginUndoBlock(ubCut);
    CopyToClipboard();
    ReplaceSelectionText({});
    EndUndoBlock(ubCut);
    ScrollCaretIntoView();
    Invalidate();
}

bool TCustomSyntaxMemo::CanPaste() const
{
    return Clipboard().HasFormat(win::CF_TEXT);
}

// Only HTML that is pasted as HTML is trimmed: plain text is pasted whole even when the source
// types ask to trim the HTML offered beside it.
void TCustomSyntaxMemo::PasteFromClipboard()
{
    if (ReadOnly())
        return;
    TClipboard& clipboard = Clipboard();
    unsigned types = 0;
    if (clipboard.HasFormat(HtmlFormat()))
        types |= htmlTrim;
    if (clipboard.HasFormat(win::CF_TEXT))
        types |= stPlainText;
    if (!types)
        return;
    types |= stPasteable;
    if (OnDataDrop)
        OnDataDrop(this, types);
    QByteArray data;
    try {
        if (types & stPlainText) {
            data = UpToNul(clipboard.GetAsHandle(win::CF_TEXT).Bytes);
        } else if (types & htmlTrim) {
            data = HtmlAsDocumentText(clipboard.GetAsHandle(HtmlFormat()).Bytes);
            TrimHtmlFragment(data, types);
        } else {
            return;
        }
    } catch (const std::bad_alloc&) {
        throw ESyntaxMemo(LoadStr(4196));
    }
    TMemoryStream stream;
    stream.WriteBuffer(data.constData(), data.size());
    stream.SetPosition(0);
    const bool redraw = PaintingEnabled();
    if (redraw)
        SetRedraw(false);
    BeginUndoBlock(ubPaste);
    try {
        ReadSelectionFromStream(stream, true);
    } catch (...) {
        EndUndoBlock(ubPaste);
        if (redraw)
            SetRedraw(true);
        throw;
    }
    EndUndoBlock(ubPaste);
    ScrollCaretIntoView();
    if (redraw)
        SetRedraw(true);
}
