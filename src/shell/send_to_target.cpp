// SendToTarget.
#include "shell/send_to_target.h"

#include "shell/pidl_routines.h"
#include "shell/shell_routines.h"

#include "platform/rtl/exception.h"
#include "platform/shellapi/hresult.h"

using namespace win;

namespace {

void Check(HRESULT Result)
{
    if (FAILED(Result))
        throw Exception(SystemMessage(Result));
}

} // namespace

void SendToTarget(const QString& FileName, IDataObject* Data)
{
    // The name is looked up inside the Send To folder and must not lead out of it.
    if (FileName.isEmpty() || FileName == u"." || FileName == u".." || FileName.contains(u'/'))
        Check(E_INVALIDARG);

    LPITEMIDLIST folderPidl = nullptr;
    const HRESULT located = GetSpecialFolderPidl(nullptr, csidlSendTo, folderPidl);
    const TOwnedPidl ownedFolderPidl(folderPidl);
    Check(located);
    Ref<IShellFolder> folder;
    Check(GetShellFolder(folderPidl, folder));

    LPITEMIDLIST itemPidl = nullptr;
    const HRESULT parsed = folder->ParseDisplayName(nullptr, FileName, &itemPidl, nullptr);
    const TOwnedPidl ownedItemPidl(itemPidl);
    Check(parsed);
    void* object = nullptr;
    const LPCITEMIDLIST items[] = {itemPidl};
    Check(folder->GetUIObjectOf(nullptr, items, TUIObject::DropTarget, &object));
    const ComPtr<IDropTarget> target = ComPtr<IDropTarget>::Adopt(static_cast<IDropTarget*>(object));

    const POINTL origin{0, 0};
    DWORD effect = DROPEFFECT_COPY;
    Check(target->DragEnter(Data, MK_LBUTTON, origin, &effect));
    effect = DROPEFFECT_COPY;
    Check(target->DragOver(MK_LBUTTON, origin, &effect));
    effect = DROPEFFECT_COPY;
    Check(target->Drop(Data, MK_LBUTTON, origin, &effect));
}
