// TSynMemoDropTarget, the editor's OLE drop target: it finds the text and file formats a drag
// offers, moves the editor's drop caret with the drag, and reads the dropped data for the editor's
// drop handler; TDropObj holds what a drop read; and the format flags of a drop.
//
// Format flags (the source types the editor's OnDataDrop sees, as for a paste): a file list
// (CF_HDROP), Unicode text (CF_UNICODETEXT), ANSI text (CF_TEXT), "HTML Format" (htmlTrim); the
// control bits set for a drop (stDropped: keep HTML whole, and stFilesToHandler: files go to
// OnFilesDropped), stRefuse that the application sets to refuse the drop, and stControl, every
// control bit.
//
// The effect a drag gets is copy when Ctrl is held and move otherwise, among the effects the
// source allows: when that one is not allowed the other of the two is taken, else none, so a
// source that offers copy only is never answered with move.
#pragma once

#include "editor/language/settings_routines.h"
#include "platform/ole/interfaces.h"

#include <QByteArray>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <functional>

class TCustomSyntaxMemo;

constexpr unsigned stFiles = 0x0001;
constexpr unsigned stUnicodeText = 0x0002;
constexpr unsigned stFilesToHandler = 0x0800;
constexpr unsigned stDropped = htmlKeepWhole | stFilesToHandler;
constexpr unsigned stRefuse = 0x1000;
constexpr unsigned stControl = 0x7C00;

// What a drop read: the text of a text format (Unicode text through the code page, HTML trimmed
// to its document), or the names of a file list, which stay Unicode.
struct TDropObj {
    QByteArray Text;
    QStringList Files;
};

// Copy with Ctrl, else move, among Allowed (see above).
win::DWORD DropEffectOfKeys(win::DWORD KeyState, win::DWORD Allowed);

class TSynMemoDropTarget : public win::ComObject, public win::IDropTarget {
public:
    explicit TSynMemoDropTarget(TCustomSyntaxMemo* Memo);

    win::HRESULT QueryInterface(const win::IID& riid, void** ppv) override;
    // Keeps the data object and finds its formats (the file list only while the editor processes
    // dropped files); with none the effect is none.
    win::HRESULT DragEnter(win::IDataObject* pDataObj, win::DWORD grfKeyState, win::POINTL pt,
                           win::DWORD* pdwEffect) override;
    // Moves the drop caret, answers the effect and lets OnDragOver change it.
    win::HRESULT DragOver(win::DWORD grfKeyState, win::POINTL pt, win::DWORD* pdwEffect) override;
    // Removes the drop caret and lets the data object go.
    win::HRESULT DragLeave() override;
    // Lets the editor's OnDataDrop filter the formats, reads the first one left (HTML, ANSI
    // text, Unicode text, file list) and hands it to OnDrop. E_FAIL without a drag in progress.
    // The effect is none when nothing was read or the drop was refused.
    win::HRESULT Drop(win::IDataObject* pDataObj, win::DWORD grfKeyState, win::POINTL pt,
                      win::DWORD* pdwEffect) override;

    // The formats found at DragEnter, and whether there was any.
    unsigned Formats() const { return formats_; }
    bool Accepting() const { return accepting_; }

    // Called at each DragOver with the data object, the effect (which it may change) and the
    // client point.
    std::function<void(win::IDataObject* DataObject, win::DWORD& Effect, QPoint Point)> OnDragOver;
    // Called with what the drop read, the control bits and the flag of the format read, and the
    // effect (which it may change); answers the drop's result.
    std::function<win::HRESULT(TDropObj& Data, unsigned Flags, win::DWORD& Effect)> OnDrop;

private:
    // Reads the format of Flag from the data object into Data; false when it could not be read.
    bool Read(unsigned Flag, TDropObj& Data);
    void EndDrag();

    QPointer<TCustomSyntaxMemo> memo_;
    win::ComPtr<win::IDataObject> dataObject_;
    unsigned formats_ = 0;
    bool accepting_ = false;
};
