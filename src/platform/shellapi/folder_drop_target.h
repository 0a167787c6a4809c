// The drop targets of the namespace's items: a folder takes dropped files in (copying, moving or
// linking them), a program is started with them.
#pragma once

#include "platform/ole/interfaces.h"
#include "platform/shellapi/shell_places.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace win {

// The effect a folder takes for the keys KeyState (MK_*) out of the effects Offered: Ctrl copies,
// Shift moves, Ctrl and Shift link; with neither, files move within their file system
// (SameDevice) and are copied to another, and when the source does not offer that, the first it
// offers of copy, move and link. A key asking for an effect not offered gives none.
DWORD FolderDropEffect(DWORD KeyState, DWORD Offered, bool SameDevice);

// Whether all Paths lie on the file system of Folder. Tests install their own test (an empty
// function restores the real one, which compares the device numbers); returns the one before.
using TSameDeviceTest = std::function<bool(const QStringList& Paths, const QString& Folder)>;
TSameDeviceTest SetSameDeviceTest(TSameDeviceTest Test);

// What the targets of files share: the files of the drag in progress (read from its CF_HDROP
// data at DragEnter and again at Drop), and the effect each step answers with.
class TFilesDropTarget : public ComObject, public IDropTarget {
public:
    HRESULT QueryInterface(const IID& riid, void** ppv) override;
    HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT DragLeave() override;
    // Performs the drop; the effect becomes the one performed (none when it failed or was cancelled).
    HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

protected:
    // The effect the files take for the keys KeyState out of Offered.
    virtual DWORD Effect(DWORD KeyState, DWORD Offered) const = 0;
    // Performs a drop the target takes with Effect; returns the effect performed.
    virtual DWORD Perform(DWORD Effect, DWORD KeyState, DWORD Offered, POINTL At) = 0;

    QStringList files_;
};

// The target of a folder (Folder is its path). It takes the files of a drop and refuses a folder
// dropped onto itself or into its own subtree, and copies or moves onto the folder that already
// holds them. A drop with the right button (MK_RBUTTON) asks through a popup menu: "Copy Here",
// "Move Here", "Create Link Here" (those offered) and "Cancel". Copies and moves are file
// operations, which ask before replacing anything; links are made as the "link" command makes
// them. A drop the user kept part of back reports no effect, so the source removes nothing.
class TFolderDropTarget final : public TFilesDropTarget {
public:
    explicit TFolderDropTarget(QString Folder) : folder_(std::move(Folder)) {}

private:
    // The effects the dragged files may take here, out of Offered.
    DWORD Allowed(DWORD Offered) const;
    DWORD Effect(DWORD KeyState, DWORD Offered) const override;
    DWORD Perform(DWORD Effect, DWORD KeyState, DWORD Offered, POINTL At) override;
    // Asks which effect to take; none when the user cancels.
    DWORD AskEffect(DWORD Allowed, DWORD Default, POINTL At) const;

    QString folder_;
};

// The target of a program (an executable file or an application's desktop entry, Program being
// its path): a drop starts it with the dropped files as its last arguments, one argument each.
class TProgramDropTarget final : public TFilesDropTarget {
public:
    explicit TProgramDropTarget(QString Program) : program_(std::move(Program)) {}

private:
    DWORD Effect(DWORD KeyState, DWORD Offered) const override;
    DWORD Perform(DWORD Effect, DWORD KeyState, DWORD Offered, POINTL At) override;

    QString program_;
};

// The drop target of Place, whose attributes are Attributes, with one reference for the caller:
// a folder's for a folder (and for a desktop entry linking to one), a program's for a program;
// null for anything else.
IDropTarget* MakeDropTarget(const TShellPlace& Place, ULONG Attributes);

} // namespace win
