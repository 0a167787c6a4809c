// TPTCustomFolderBrowseDlg and TPTFolderBrowseDlg: the folder-browse dialog component that runs
// the program's own form with a shell folder tree.
#pragma once

#include "dialogs/pt_dialog.h"

#include "shell/shell_locator.h"
#include "shell/shell_tree.h"

#include <QFlags>
#include <functional>
#include <memory>

class TPTFrmFolderBrowseDlg;

enum TPTFolderBrowseDlgOption : unsigned {
    ptfbCreateDeleteButtons = 1 << 0,
    ptfbContextMenus = 1 << 1,
    ptfbReadOnly = 1 << 2,
    ptfbIncludeNonFolders = 1 << 3,
    ptfbOleDrag = 1 << 4,
    ptfbOleDrop = 1 << 5,
    ptfbCreateFolderIcon = 1 << 6,
    ptfbDeleteFolderIcon = 1 << 7,
    ptfbVirtualFolders = 1 << 8,
    ptfbShowHidden = 1 << 9,
};
Q_DECLARE_FLAGS(TPTFolderBrowseDlgOptions, TPTFolderBrowseDlgOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPTFolderBrowseDlgOptions)

// The tree options the dialog's options switch on (the others of Tree are kept).
TPTShellTreeOptions FolderBrowseTreeOptions(TPTFolderBrowseDlgOptions Options, TPTShellTreeOptions Tree);

// Execute shows the form through the prompt service; on OK the tree's selected folder becomes the
// selected folder. GUI thread only.
class TPTCustomFolderBrowseDlg : public TPTDialog {
public:
    static constexpr TPTFolderBrowseDlgOptions DefaultOptions =
        TPTFolderBrowseDlgOptions(ptfbContextMenus | ptfbCreateFolderIcon | ptfbDeleteFolderIcon | ptfbShowHidden);

    explicit TPTCustomFolderBrowseDlg(TComponent* AOwner = nullptr);
    ~TPTCustomFolderBrowseDlg() override;

    QString ClassName() const override { return QStringLiteral("TPTFolderBrowseDlg"); }

    // The tree's top node.
    TPTShellLocator* BaseFolder() const { return baseFolder_.get(); }
    // The folder selected when the form opens and chosen when it closed with OK.
    TPTShellLocator* SelectedFolder() const { return selectedFolder_.get(); }
    QString GetSelectedPath() const { return selectedFolder_->GetPath(); }
    void SetSelectedPath(const QString& Path) { selectedFolder_->SetPath(Path); }

    TPTFolderBrowseDlgOptions Options = DefaultOptions;
    QString StatusText;
    // The form while it runs (null otherwise).
    TPTFrmFolderBrowseDlg* Form() const { return form_; }

    std::function<void(TObject* Sender, win::LPCITEMIDLIST Pidl)> OnSelChange;
    decltype(TPTCustomShellTree::OnAddItem) OnAddItem;
    decltype(TPTCustomShellTree::OnCustomDrawSh) OnTvCustomDrawSh;
    decltype(TPTCustomShellTree::OnCustomDrawShEx) OnTvCustomDrawShEx;

protected:
    bool DoExecute() override;

private:
    // Hands the settings to Form.
    void Prepare(TPTFrmFolderBrowseDlg& Form);

    std::unique_ptr<TPTShellLocator> baseFolder_;
    std::unique_ptr<TPTShellLocator> selectedFolder_;
    TPTFrmFolderBrowseDlg* form_ = nullptr;
};

class TPTFolderBrowseDlg : public TPTCustomFolderBrowseDlg {
public:
    using TPTCustomFolderBrowseDlg::TPTCustomFolderBrowseDlg;
};
