// TPTCustomShellCombo: filling from the current folder, the links to a tree or a list, and going up.
#include "shell/shell_combo.h"

#include "shell/id_list_array.h"
#include "shell/pidl_routines.h"
#include "shell/shell_routines.h"

#include "platform/rtl/exception.h"
#include "platform/shellapi/file_info.h"

#include <algorithm>

using namespace win;

namespace {

// The attributes asked of the children listed and of the current folder's ancestors.
constexpr ULONG ChildMask = 0xF00B0000;
constexpr ULONG ChainMask = 0xB00B0000;
// The overlays of the combo's image list: shared folders and links.
constexpr int ShareOverlay = 1;
constexpr int LinkOverlay = 2;

// The folder SortPidls is sorting with; set only while a sort runs.
IShellFolder* SortFolder = nullptr;

void Check(HRESULT Result)
{
    if (FAILED(Result))
        throw Exception(SystemMessage(Result));
}

// Frees the lists of an enumeration when it goes.
struct TPidlsRelease {
    QList<LPITEMIDLIST>& Items;
    ~TPidlsRelease()
    {
        for (LPITEMIDLIST item : Items)
            ShellFree(item);
    }
};

} // namespace

TPTCustomShellCombo::TPTCustomShellCombo(QWidget* Parent)
    : TPTCustomImageCombo(Parent), folder_(std::make_unique<TPTShellLocator>())
{
    images_.ShareImages = true;
    images_.SetHandle(GetSysImageList(silSmall));
    SetImageList(&images_);
    folder_->OnChange = [this](TObject*) { FolderChanged(); };
}

TPTCustomShellCombo::~TPTCustomShellCombo()
{
    UnlinkAll();
    ClearEntries();
    SetImageList(nullptr);
}

void TPTCustomShellCombo::UnlinkAll()
{
    if (shellTree_ && shellTree_->ShellCombo() == this)
        shellTree_->SetShellCombo(nullptr);
    if (shellList_)
        shellList_->SetShellCombo(nullptr);
    shellTree_ = nullptr;
    shellList_ = nullptr;
}

void TPTCustomShellCombo::SetShellTree(TPTCustomShellTree* Value)
{
    if (shellList_ && Value)
        return;
    if (shellTree_ && shellTree_ != Value && shellTree_->ShellCombo() == this)
        shellTree_->SetShellCombo(nullptr);
    shellTree_ = Value;
    if (Value)
        Value->SetShellCombo(this);
}

void TPTCustomShellCombo::SetShellList(TPTCustomShellList* Value)
{
    if (shellTree_ && Value)
        return;
    if (shellList_ && shellList_ != Value)
        shellList_->SetShellCombo(nullptr);
    shellList_ = Value;
    if (Value)
        Value->SetShellCombo(this);
}

void TPTCustomShellCombo::CreateWnd()
{
    if (created_)
        return;
    created_ = true;
    if (options_ & ptscoAutofill)
        Fill();
}

void TPTCustomShellCombo::DestroyWnd()
{
    ClearEntries();
    created_ = false;
}

void TPTCustomShellCombo::showEvent(QShowEvent* Event)
{
    TPTCustomImageCombo::showEvent(Event);
    AtBoundary([this] { CreateWnd(); });
}

void TPTCustomShellCombo::Loaded()
{
    if (!(options_ & ptscoAutofill))
        return;
    ++nesting_;
    try {
        Fill();
        if (shellTree_) {
            shellTree_->Folder()->Assign(folder_.get());
            shellTree_->Refresh();
        } else if (shellList_) {
            shellList_->Folder()->Assign(folder_.get());
        }
    } catch (...) {
        --nesting_;
        throw;
    }
    --nesting_;
}

void TPTCustomShellCombo::ClearEntries()
{
    const bool blocked = blockSignals(true);
    Clear();
    blockSignals(blocked);
}

void TPTCustomShellCombo::Fill()
{
    if (!created_)
        return;
    ++nesting_;
    const bool blocked = blockSignals(true);
    TPTIdListArray* ids = nullptr;
    try {
        setCurrentIndex(-1);
        Clear();
        TPTIdListArray chain(folder_->GetPidl());
        ids = &chain;
        Ref<IShellFolder> desktop;
        Check(SHGetDesktopFolder(&desktop));
        AddItems(desktop.get(), ids, -1);
        if (currentIndex() < 0 && count() > 0)
            setCurrentIndex(0);
    } catch (...) {
        blockSignals(blocked);
        --nesting_;
        throw;
    }
    blockSignals(blocked);
    --nesting_;
    update();
}

TPTImageComboItem* TPTCustomShellCombo::AddShellEntry(IShellFolder* ParentFolder, LPCITEMIDLIST RelPidl,
                                                      LPCITEMIDLIST AbsPidl, ULONG Attribs, int Indent, bool Open)
{
    auto data = std::make_unique<TPTShComboData>(this);
    data->Init(ParentFolder, RelPidl, AbsPidl);
    TPTImageComboItem* item =
        AddItem(QString(), Open ? GetPidlIconIndex(AbsPidl, SHGFI_SMALLICON | SHGFI_OPENICON) : -1, Indent);
    item->Data = data.release();
    if (Attribs & SFGAO_SHARE)
        item->SetOverlayIndex(ShareOverlay);
    else if (Attribs & SFGAO_LINK)
        item->SetOverlayIndex(LinkOverlay);
    return item;
}

void TPTCustomShellCombo::AddItems(IShellFolder* Folder, TPTIdListArray*& Ids, int Depth)
{
    LPITEMIDLIST computer = nullptr;
    Check(GetSpecialFolderPidl(GetParentFormHandle(this), csidlDrives, computer));
    const TOwnedPidl computerHolder(computer);
    TOwnedPidl parentAbs;
    if (Depth < 0) {
        const TOwnedPidl empty(CopyPidl(nullptr, nullptr));
        TPTImageComboItem* desktop = AddItem(GetPidlDisplayName(nullptr, empty.get(), pnkNormal),
                                             GetPidlIconIndex(empty.get(), SHGFI_SMALLICON), 0);
        desktop->Data = new TPTShComboData(this);
        Depth = 1;
    } else {
        parentAbs.reset(CopyPidl(nullptr, EntryData(count() - 1) ? EntryData(count() - 1)->AbsolutePidl() : nullptr));
    }

    Ref<IEnumIDList> enumerator;
    Check(Folder->EnumObjects(GetParentFormHandle(this), SHCONTF_FOLDERS, &enumerator));
    QList<LPITEMIDLIST> children;
    const TPidlsRelease release{children};
    for (;;) {
        LPITEMIDLIST child = nullptr;
        const HRESULT result = enumerator ? enumerator->Next(1, &child, nullptr) : S_FALSE;
        if (result != S_OK) {
            if (result != S_FALSE && result != HRESULT_FROM_WIN32(ERROR_NO_MORE_ITEMS))
                Check(result);
            break;
        }
        children.append(child);
    }
    SortPidls(Folder, children);

    for (LPITEMIDLIST child : children) {
        ULONG attribs = ChildMask;
        const LPCITEMIDLIST one[] = {child};
        if (FAILED(Folder->GetAttributesOf(one, &attribs)))
            attribs = 0;
        const bool admitted = (options_ & ptscoNonFilesystemAncestors) ||
                              (attribs & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR));
        if (!admitted || !AllowAddItem(attribs, child))
            continue;
        const TOwnedPidl abs(ConcatPidls(nullptr, parentAbs.get(), child));
        const bool onPath = Ids && Depth <= Ids->Count() && Folder->CompareIDs(0, child, Ids->Items(Depth - 1)) == S_OK;
        const bool current = onPath && Depth == Ids->Count();
        const bool isComputer = Depth == 1 && ComparePidls(abs.get(), computer) == 0;
        TPTImageComboItem* item = AddShellEntry(Folder, child, abs.get(), attribs, Depth, current);
        if (onPath) {
            if (current) {
                setCurrentIndex(item->Index);
                Ids = nullptr;
            } else if (!isComputer) {
                Ref<IShellFolder> sub;
                Check(Folder->BindToObject(child, &sub));
                AddChain(sub.get(), abs.get(), *Ids, Depth);
                Ids = nullptr;
            }
        }
        if (isComputer) {
            Ref<IShellFolder> sub;
            Check(Folder->BindToObject(child, &sub));
            AddItems(sub.get(), Ids, Depth + 1);
        }
    }
}

void TPTCustomShellCombo::AddChain(IShellFolder* Folder, LPCITEMIDLIST ParentAbs, TPTIdListArray& Ids, int First)
{
    Ref<IShellFolder> folder(Folder);
    TOwnedPidl abs(CopyPidl(nullptr, ParentAbs));
    TPTImageComboItem* last = nullptr;
    for (int index = First; index < Ids.Count(); ++index) {
        const TOwnedPidl id(CopyPidl(nullptr, Ids.Items(index)));
        ULONG attribs = ChainMask;
        const LPCITEMIDLIST one[] = {id.get()};
        if (FAILED(folder->GetAttributesOf(one, &attribs)))
            attribs = 0;
        abs.reset(ConcatPidls(nullptr, abs.get(), id.get()));
        last = AddShellEntry(folder.get(), id.get(), abs.get(), attribs, index + 1, index == Ids.Count() - 1);
        if (index < Ids.Count() - 1) {
            Ref<IShellFolder> sub;
            Check(folder->BindToObject(id.get(), &sub));
            folder = sub;
        }
    }
    if (last)
        setCurrentIndex(last->Index);
}

void TPTCustomShellCombo::SortPidls(IShellFolder* Folder, QList<LPITEMIDLIST>& Items)
{
    if (SortFolder)
        throw Exception(QStringLiteral("Recursive call to SortPidls"));
    SortFolder = Folder;
    try {
        std::stable_sort(Items.begin(), Items.end(), [](LPITEMIDLIST Pidl1, LPITEMIDLIST Pidl2) {
            const HRESULT result = SortFolder->CompareIDs(0, Pidl1, Pidl2);
            return SUCCEEDED(result) && std::int16_t(result & 0xFFFF) < 0;
        });
    } catch (...) {
        SortFolder = nullptr;
        throw;
    }
    SortFolder = nullptr;
}

bool TPTCustomShellCombo::AllowAddItem(ULONG, LPCITEMIDLIST)
{
    return true;
}

TPTShComboData* TPTCustomShellCombo::EntryData(int Index) const
{
    TPTImageComboItem* item = GetComboItem(Index);
    return item ? static_cast<TPTShComboData*>(item->Data) : nullptr;
}

void TPTCustomShellCombo::DeleteItem(void* Object)
{
    const std::unique_ptr<TObject> data(Object ? static_cast<TPTImageComboItem*>(Object)->Data : nullptr);
    TPTCustomImageCombo::DeleteItem(Object);
}

void TPTCustomShellCombo::GetItemData(TPTImageComboItem* Item)
{
    auto* data = static_cast<TPTShComboData*>(Item->Data);
    if (data && data->AbsolutePidl()) {
        if (Item->Caption().isEmpty())
            Item->SetCaption(GetPidlDisplayName(data->ParentFolder(), data->RelativePidl(), pnkInFolder));
        if (Item->ImageIndex() == -1)
            Item->SetImageIndex(GetPidlIconIndex(data->AbsolutePidl(), SHGFI_SMALLICON));
    }
    TPTCustomImageCombo::GetItemData(Item);
}

void TPTCustomShellCombo::Change()
{
    TPTCustomImageCombo::Change();
    if (TPTShComboData* data = EntryData(currentIndex()))
        folder_->SetPidl(data->AbsolutePidl());
}

void TPTCustomShellCombo::FolderChanged()
{
    if (nesting_ > 0)
        return;
    ++nesting_;
    try {
        if (shellTree_)
            shellTree_->Folder()->Assign(folder_.get());
        else if (shellList_)
            shellList_->Folder()->SetPidl(folder_->GetPidl());
        Fill();
    } catch (...) {
        --nesting_;
        throw;
    }
    --nesting_;
}

void TPTCustomShellCombo::TreeSelectionChanged(TTreeNode* Node)
{
    TPTShTreeData* data = TPTCustomShellTree::NodeData(Node);
    if (Node && Node->Selected() && data)
        folder_->SetPidl(data->AbsolutePidl());
}

void TPTCustomShellCombo::ShowPidl(LPCITEMIDLIST Pidl)
{
    folder_->SetPidl(Pidl);
}

void TPTCustomShellCombo::GoUp(int Levels)
{
    int index = currentIndex();
    TPTImageComboItem* selected = GetComboItem(index);
    if (!selected)
        return;
    const int target = selected->Indent - Levels + 1;
    while (index >= 1) {
        TPTImageComboItem* item = GetComboItem(index);
        if (item && item->Indent < target)
            break;
        --index;
    }
    if (index != currentIndex()) {
        if (TPTShComboData* data = EntryData(index))
            folder_->SetPidl(data->AbsolutePidl());
    }
}

void TPTCustomShellCombo::SyncLinked(bool Flush)
{
    if (!Flush)
        return;
    if (shellTree_)
        shellTree_->SyncLinked();
    if (shellList_)
        shellList_->FlushPendingChanges(false);
}
