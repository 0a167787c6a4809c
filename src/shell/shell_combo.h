// TPTCustomShellCombo and TPTShellCombo: the drop-down that shows where the current folder lies
// in the shell namespace (the desktop, its folders, Computer's volumes and the current folder's
// ancestors), linked to a shell tree or a shell list that it moves and that moves it.
#pragma once

#include "shell/image_combo.h"
#include "shell/shell_combo_data.h"
#include "shell/shell_list.h"
#include "shell/shell_locator.h"
#include "shell/shell_tree.h"

#include <QFlags>
#include <QList>
#include <QPointer>

class TPTIdListArray;

enum TPTShellComboOption : unsigned {
    ptscoAutofill = 1 << 0,               // fill when created and when loaded
    ptscoNonFilesystemAncestors = 1 << 1, // admit items that are neither in nor above the file system
};
Q_DECLARE_FLAGS(TPTShellComboOptions, TPTShellComboOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPTShellComboOptions)

// Each entry carries a TPTShComboData, freed with the entry. The entries are made again from
// Folder on every folder change. Linked to a tree or to a list, never both: picking an entry moves
// the linked control there, and the control moving elsewhere moves the combo; a nesting counter
// keeps the two from answering each other more than once. Nothing is filled before the combo is
// created (first shown, or CreateWnd). GUI thread only.
class TPTCustomShellCombo : public TPTCustomImageCombo, public TPTShellListPartner, public TPTShellTreeCombo {
    Q_OBJECT
public:
    static constexpr TPTShellComboOptions DefaultOptions =
        TPTShellComboOptions(ptscoAutofill | ptscoNonFilesystemAncestors);

    explicit TPTCustomShellCombo(QWidget* Parent = nullptr);
    ~TPTCustomShellCombo() override;

    // The current folder (owned).
    TPTShellLocator* GetFolder() const { return folder_.get(); }
    TPTShellComboOptions Options() const { return options_; }
    void SetOptions(TPTShellComboOptions Value) { options_ = Value; }

    TPTCustomShellTree* ShellTree() const { return shellTree_; }
    // Ignored while a list is linked.
    void SetShellTree(TPTCustomShellTree* Value);
    TPTCustomShellList* ShellList() const { return shellList_; }
    // Ignored while a tree is linked.
    void SetShellList(TPTCustomShellList* Value);

    // Creates the combo's window: from now on it fills (with ptscoAutofill at once). Showing it the
    // first time does the same.
    void CreateWnd();
    bool Created() const { return created_; }
    // The entries go with the window.
    void DestroyWnd();
    // After the combo was read from a form: with ptscoAutofill, fills and shows Folder in the
    // linked tree or list.
    void Loaded();

    // Makes the entries again from Folder (only once created); the current folder's entry is
    // selected, the desktop's when none is.
    void Fill();
    // Names the place of the entry Levels levels above the selected one; nothing on the desktop.
    void GoUp(int Levels) override;
    // Flush: the linked tree runs what its timer waits for, the linked list its pending changes.
    void SyncLinked(bool Flush);

    // The data of entry Index; null when there is none.
    TPTShComboData* EntryData(int Index) const;

    // Linked list and tree partner.
    void ShowPidl(win::LPCITEMIDLIST Pidl) override;
    void FlushPendingChanges() override {}
    void TreeSelectionChanged(TTreeNode* Node) override;

protected:
    // Whether an item with the attributes Attribs is listed; true here.
    virtual bool AllowAddItem(win::ULONG Attribs, win::LPCITEMIDLIST RelPidl);
    // Folder changed: moves the linked control (unless the combo is moving it) and fills again.
    virtual void FolderChanged();
    // Adds the children of Folder at indent Depth (below 0: the desktop's entry first), opening
    // Computer and the current folder's ancestors from Ids (which are dropped once shown).
    virtual void AddItems(win::IShellFolder* Folder, TPTIdListArray*& Ids, int Depth);

    // Orders Items by Folder's first column. Raises Exception when a sort is already running.
    static void SortPidls(win::IShellFolder* Folder, QList<win::LPITEMIDLIST>& Items);

    void DeleteItem(void* Object) override;
    void GetItemData(TPTImageComboItem* Item) override;
    void Change() override;
    void showEvent(QShowEvent* Event) override;

private:
    // Adds an entry for RelPidl of ParentFolder at indent Indent, with the open folder's icon when
    // Open, and the overlay its attributes ask for.
    TPTImageComboItem* AddShellEntry(win::IShellFolder* ParentFolder, win::LPCITEMIDLIST RelPidl,
                                     win::LPCITEMIDLIST AbsPidl, win::ULONG Attribs, int Indent, bool Open);
    // Adds the ancestors Ids[First..] below Folder (whose absolute list is ParentAbs) and selects the
    // last.
    void AddChain(win::IShellFolder* Folder, win::LPCITEMIDLIST ParentAbs, TPTIdListArray& Ids, int First);
    void ClearEntries();
    void UnlinkAll();

    std::unique_ptr<TPTShellLocator> folder_;
    TPTShellComboOptions options_ = DefaultOptions;
    QPointer<TPTCustomShellTree> shellTree_;
    QPointer<TPTCustomShellList> shellList_;
    TImageList images_;
    int nesting_ = 0;
    bool created_ = false;
};

// Publishes the shell combo.
class TPTShellCombo : public TPTCustomShellCombo {
    Q_OBJECT
    Q_PROPERTY(int IndentPixels READ IndentPixels WRITE SetIndentPixels)
    Q_CLASSINFO("default:IndentPixels", "12")
public:
    explicit TPTShellCombo(QWidget* Parent = nullptr) : TPTCustomShellCombo(Parent) {}
};
