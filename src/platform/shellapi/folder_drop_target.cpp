// TFolderDropTarget, TProgramDropTarget, MakeDropTarget and the folder's choice of effect.
#include "platform/shellapi/folder_drop_target.h"

#include "platform/shellapi/drag_query_file.h"
#include "platform/shellapi/file_entries.h"
#include "platform/shellapi/file_operation.h"
#include "platform/shellapi/file_tree.h"
#include "platform/shellapi/item_verbs.h"
#include "platform/shellapi/shell_execute.h"
#include "platform/shellapi/shell_folder.h"
#include "platform/shellapi/shell_links.h"
#include "platform/system/files.h"
#include "platform/system/name_encoding.h"
#include "platform/ui/popup_menu.h"

#include <sys/stat.h>

namespace {

constexpr win::DWORD AllEffects = win::DROPEFFECT_COPY | win::DROPEFFECT_MOVE | win::DROPEFFECT_LINK;

bool SameDeviceForReal(const QStringList& Paths, const QString& Folder)
{
    struct stat folder, entry;
    if (::stat(EncodeName(Folder).constData(), &folder) != 0)
        return false;
    for (const QString& path : Paths) {
        if (::lstat(EncodeName(path).constData(), &entry) != 0 || entry.st_dev != folder.st_dev)
            return false;
    }
    return true;
}

win::TSameDeviceTest& InstalledSameDeviceTest()
{
    static win::TSameDeviceTest test;
    return test;
}

bool SameDevice(const QStringList& Paths, const QString& Folder)
{
    const win::TSameDeviceTest test = InstalledSameDeviceTest();
    return test ? test(Paths, Folder) : SameDeviceForReal(Paths, Folder);
}

QString FolderOf(const QString& Path)
{
    const qsizetype slash = Path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : Path.left(slash);
}

} // namespace

win::DWORD win::FolderDropEffect(DWORD KeyState, DWORD Offered, bool SameDevice)
{
    const bool control = KeyState & MK_CONTROL;
    const bool shift = KeyState & MK_SHIFT;
    if (control || shift) {
        const DWORD asked =
            control && shift ? DROPEFFECT_LINK : (control ? DROPEFFECT_COPY : DROPEFFECT_MOVE);
        return Offered & asked;
    }
    for (const DWORD effect : {SameDevice ? DROPEFFECT_MOVE : DROPEFFECT_COPY, DROPEFFECT_COPY,
                               DROPEFFECT_MOVE, DROPEFFECT_LINK}) {
        if (Offered & effect)
            return effect;
    }
    return DROPEFFECT_NONE;
}

win::TSameDeviceTest win::SetSameDeviceTest(TSameDeviceTest Test)
{
    return std::exchange(InstalledSameDeviceTest(), std::move(Test));
}

win::HRESULT win::TFilesDropTarget::QueryInterface(const IID& riid, void** ppv)
{
    return FindInterface(
        this, riid, ppv,
        {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IDropTarget, static_cast<IDropTarget*>(this)}});
}

win::HRESULT win::TFilesDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL,
                                              DWORD* pdwEffect)
{
    return ComGuard([&] {
        if (!pdwEffect)
            return E_INVALIDARG;
        files_ = DroppedFileNames(pDataObj);
        *pdwEffect = Effect(grfKeyState, *pdwEffect);
        return S_OK;
    });
}

win::HRESULT win::TFilesDropTarget::DragOver(DWORD grfKeyState, POINTL, DWORD* pdwEffect)
{
    return ComGuard([&] {
        if (!pdwEffect)
            return E_INVALIDARG;
        *pdwEffect = Effect(grfKeyState, *pdwEffect);
        return S_OK;
    });
}

win::HRESULT win::TFilesDropTarget::DragLeave()
{
    files_.clear();
    return S_OK;
}

win::HRESULT win::TFilesDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                         DWORD* pdwEffect)
{
    return ComGuard([&] {
        if (!pdwEffect)
            return E_INVALIDARG;
        files_ = DroppedFileNames(pDataObj);
        const DWORD effect = Effect(grfKeyState, *pdwEffect);
        *pdwEffect = effect ? Perform(effect, grfKeyState, *pdwEffect, pt) : DROPEFFECT_NONE;
        files_.clear();
        return S_OK;
    });
}

win::DWORD win::TFolderDropTarget::Allowed(DWORD Offered) const
{
    if (files_.isEmpty())
        return DROPEFFECT_NONE;
    DWORD allowed = Offered & AllEffects;
    for (const QString& file : files_) {
        // A folder never goes into itself, and a copy or move onto the folder holding the file
        // would only meet the file itself.
        if (EntryKind(file) == TEntryKind::Folder && IsWithinFolder(folder_, file))
            return DROPEFFECT_NONE;
        if (SameEntry(FolderOf(file), folder_))
            allowed &= ~(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    }
    return allowed;
}

win::DWORD win::TFolderDropTarget::Effect(DWORD KeyState, DWORD Offered) const
{
    const DWORD allowed = Allowed(Offered);
    return allowed ? FolderDropEffect(KeyState, allowed, SameDevice(files_, folder_)) : DROPEFFECT_NONE;
}

win::DWORD win::TFolderDropTarget::AskEffect(DWORD Allowed, DWORD Default, POINTL At) const
{
    struct TChoice {
        DWORD Effect;
        const char* Text;
    };
    constexpr TChoice choices[] = {{DROPEFFECT_COPY, "&Copy Here"},
                                   {DROPEFFECT_MOVE, "&Move Here"},
                                   {DROPEFFECT_LINK, "Create &Link Here"}};
    constexpr unsigned CancelId = 8;
    TMenuModel menu;
    for (const TChoice& choice : choices) {
        if (Allowed & choice.Effect) {
            TMenuItem item;
            item.Id = choice.Effect;
            item.Text = QString::fromLatin1(choice.Text);
            item.IsDefault = choice.Effect == Default;
            menu.Items().push_back(std::move(item));
        }
    }
    TMenuItem separator;
    separator.Separator = true;
    menu.Items().push_back(separator);
    TMenuItem cancel;
    cancel.Id = CancelId;
    cancel.Text = QStringLiteral("Cancel");
    menu.Items().push_back(cancel);
    const unsigned chosen = TrackPopupMenu(menu, QPoint(At.x, At.y));
    return chosen == CancelId ? DROPEFFECT_NONE : (chosen & Allowed);
}

win::DWORD win::TFolderDropTarget::Perform(DWORD Effect, DWORD KeyState, DWORD Offered, POINTL At)
{
    if (KeyState & MK_RBUTTON)
        Effect = AskEffect(Allowed(Offered), Effect, At);
    if (Effect == DROPEFFECT_LINK) {
        for (const QString& file : files_) {
            if (FAILED(CreateLinkIn(folder_, file)))
                return DROPEFFECT_NONE;
        }
        return Effect;
    }
    if (Effect != DROPEFFECT_COPY && Effect != DROPEFFECT_MOVE)
        return DROPEFFECT_NONE;
    TFileOperation operation;
    operation.Function = Effect == DROPEFFECT_MOVE ? FO_MOVE : FO_COPY;
    for (const QString& file : files_)
        operation.Sources += {file, false};
    operation.Target = folder_;
    return RunFileOperation(operation) == 0 && !operation.AnyOperationsAborted ? Effect : DROPEFFECT_NONE;
}

win::DWORD win::TProgramDropTarget::Effect(DWORD, DWORD Offered) const
{
    if (files_.isEmpty())
        return DROPEFFECT_NONE;
    for (const DWORD effect : {DROPEFFECT_COPY, DROPEFFECT_LINK, DROPEFFECT_MOVE}) {
        if (Offered & effect)
            return effect;
    }
    return DROPEFFECT_NONE;
}

win::DWORD win::TProgramDropTarget::Perform(DWORD Effect, DWORD, DWORD, POINTL)
{
    TShellLaunch launch;
    launch.Program = program_;
    TLinkTarget entry;
    if (IsDesktopEntryName(EncodeName(program_)) && SUCCEEDED(ReadLinkFile(program_, entry)) &&
        entry.Kind == TLinkTarget::lkApplication) {
        launch.Program = entry.Path;
        launch.Arguments = SplitParameters(entry.Arguments);
        launch.WorkingFolder = entry.WorkingFolder;
    }
    launch.Arguments += files_;
    return ShellLaunch(launch) ? Effect : DROPEFFECT_NONE;
}

win::IDropTarget* win::MakeDropTarget(const TShellPlace& Place, ULONG Attributes)
{
    if (Place.Path.isEmpty())
        return nullptr;
    const QString path = DecodeName(Place.Path);
    if (Place.IsFolder())
        return (Attributes & SFGAO_DROPTARGET) ? new TFolderDropTarget(path) : nullptr;
    if (Attributes & SFGAO_DROPTARGET)
        return new TProgramDropTarget(path);
    TLinkTarget link;
    if (IsDesktopEntryName(Place.Item().Name) && SUCCEEDED(ReadLinkFile(path, link)) &&
        link.Kind == TLinkTarget::lkFileLink && DirectoryExists(link.Path))
        return new TFolderDropTarget(link.Path);
    return nullptr;
}
