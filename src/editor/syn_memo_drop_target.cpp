// The editor's drop target.
#include "editor/syn_memo_drop_target.h"

#include "editor/custom_syntax_memo.h"
#include "editor/memo_formats.h"

#include "platform/ole/drop_files.h"
#include "platform/ole/medium.h"
#include "platform/rtl/ansi_codec.h"

#include <optional>

using namespace win;

namespace {

// The record every query and read of the editor uses.
FORMATETC FormatRecord(CLIPFORMAT Format)
{
    return {Format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

CLIPFORMAT ClipboardFormatOf(unsigned Flag)
{
    switch (Flag) {
    case stFiles: return CF_HDROP;
    case stUnicodeText: return CF_UNICODETEXT;
    case stPlainText: return CF_TEXT;
    default: return CLIPFORMAT(HtmlFormat());
    }
}

QByteArray UpToNul(const QByteArray& Block)
{
    const qsizetype nul = Block.indexOf('\0');
    return nul < 0 ? Block : Block.left(nul);
}

// UTF-16 text up to its first NUL character (an odd last byte is dropped).
QString WideUpToNul(const QByteArray& Block)
{
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(Block.constData()), Block.size() / 2);
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

} // namespace

DWORD DropEffectOfKeys(DWORD KeyState, DWORD Allowed)
{
    const DWORD wanted = (KeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    const DWORD other = wanted == DROPEFFECT_COPY ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
    if (Allowed & wanted)
        return wanted;
    return Allowed & other ? other : DROPEFFECT_NONE;
}

TSynMemoDropTarget::TSynMemoDropTarget(TCustomSyntaxMemo* Memo) : memo_(Memo) {}

HRESULT TSynMemoDropTarget::QueryInterface(const IID& riid, void** ppv)
{
    return FindInterface(this, riid, ppv,
                         {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IDropTarget, static_cast<IDropTarget*>(this)}});
}

HRESULT TSynMemoDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    return ComGuard([&] {
        if (!pdwEffect)
            return E_INVALIDARG;
        const DWORD allowed = *pdwEffect;
        *pdwEffect = DROPEFFECT_NONE;
        dataObject_ = ComPtr<IDataObject>(pDataObj);
        formats_ = 0;
        accepting_ = false;
        if (!memo_ || !pDataObj)
            return S_OK;
        for (const unsigned flag : {stUnicodeText, stPlainText, htmlTrim, stFiles}) {
            if (flag == stFiles && !memo_->HasOption(smoProcessDroppedFiles))
                continue;
            FORMATETC format = FormatRecord(ClipboardFormatOf(flag));
            if (ComGuard([&] { return pDataObj->QueryGetData(&format); }) == S_OK)
                formats_ |= flag;
        }
        accepting_ = formats_ != 0;
        if (accepting_) {
            *pdwEffect = DropEffectOfKeys(grfKeyState, allowed);
            memo_->MoveDropCaret(QPoint(pt.x, pt.y));
        }
        return S_OK;
    });
}

HRESULT TSynMemoDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    return ComGuard([&] {
        if (!pdwEffect)
            return E_INVALIDARG;
        const DWORD allowed = *pdwEffect;
        *pdwEffect = DROPEFFECT_NONE;
        if (!memo_)
            return S_OK;
        const QPoint screen(pt.x, pt.y);
        if (accepting_) {
            memo_->MoveDropCaret(screen);
            *pdwEffect = DropEffectOfKeys(grfKeyState, allowed);
        }
        if (OnDragOver)
            OnDragOver(dataObject_.Get(), *pdwEffect, memo_->viewport()->mapFromGlobal(screen));
        return S_OK;
    });
}

HRESULT TSynMemoDropTarget::DragLeave()
{
    return ComGuard([&] {
        EndDrag();
        return S_OK;
    });
}

HRESULT TSynMemoDropTarget::Drop(IDataObject*, DWORD grfKeyState, POINTL, DWORD* pdwEffect)
{
    return ComGuard([&] {
        if (!pdwEffect)
            return E_INVALIDARG;
        const DWORD allowed = *pdwEffect;
        *pdwEffect = DropEffectOfKeys(grfKeyState, allowed);
        struct TEnd {
            TSynMemoDropTarget& target;
            ~TEnd() { target.EndDrag(); }
        } end{*this};
        if (!dataObject_ || !memo_) {
            *pdwEffect = DROPEFFECT_NONE;
            return E_FAIL;
        }
        unsigned flags = formats_ | stDropped;
        if (memo_->OnDataDrop)
            memo_->OnDataDrop(memo_.data(), flags);
        const unsigned control = flags & stControl;
        const unsigned remaining = flags & ~stControl & formats_;
        TDropObj data;
        unsigned read = 0;
        if (!(control & stRefuse))
            for (const unsigned flag : {htmlTrim, stPlainText, stUnicodeText, stFiles})
                if (remaining & flag) {
                    read = Read(flag, data) ? flag : 0;
                    break;
                }
        if (!read || !OnDrop) {
            *pdwEffect = DROPEFFECT_NONE;
            return S_OK;
        }
        // Dropped files are opened or named, never taken over: a move would let their source
        // delete them.
        if (read == stFiles)
            *pdwEffect = DropEffectOfKeys(MK_CONTROL, allowed);
        return OnDrop(data, control | read, *pdwEffect);
    });
}

bool TSynMemoDropTarget::Read(unsigned Flag, TDropObj& Data)
{
    FORMATETC format = FormatRecord(ClipboardFormatOf(Flag));
    STGMEDIUM medium{};
    if (ComGuard([&] { return dataObject_->GetData(&format, &medium); }) != S_OK)
        return false;
    const std::optional<QByteArray> block = BytesOfMedium(medium);
    ReleaseStgMedium(&medium);
    if (!block)
        return false;
    switch (Flag) {
    case stFiles:
        if (const std::optional<TDropFiles> files = ReadDropFiles(ByteSpan(*block)))
            Data.Files = files->Names;
        Data.Text = EncodeAnsi(Data.Files.join(QStringLiteral("\r\n")));
        return !Data.Files.isEmpty();
    case stUnicodeText: Data.Text = EncodeAnsi(WideUpToNul(*block)); break;
    case stPlainText: Data.Text = UpToNul(*block); break;
    default: Data.Text = HtmlAsDocumentText(*block); break;
    }
    return !Data.Text.isEmpty();
}

void TSynMemoDropTarget::EndDrag()
{
    dataObject_.Reset();
    if (memo_)
        memo_->EndDropCaret();
}
