// TSysFolderPicker: the program's own modal folder picker behind TPTSysFolderDlg: a shell folder
// tree below a root, an optional status line, and OK and Cancel, which its owner may steer while
// it runs.
#pragma once

#include "platform/widgets/form.h"
#include "platform/shellapi/item_id_list.h"

#include <functional>

class QLabel;
class QPushButton;
class TPTShellTree;

// What the picker allows (the browse flags of TPTSysFolderDlg's options).
constexpr unsigned bifReturnOnlyFSDirs = 0x1;
constexpr unsigned bifDontGoBelowDomain = 0x2;
constexpr unsigned bifStatusText = 0x4;
constexpr unsigned bifReturnFSAncestors = 0x8;
constexpr unsigned bifBrowseForComputer = 0x1000;
constexpr unsigned bifBrowseForPrinter = 0x2000;

// The tree's root is the place given (null: the desktop) and the tree never leaves it. With
// bifReturnOnlyFSDirs, OK is disabled on items without a path (but for file-system ancestors with
// bifReturnFSAncestors); with bifStatusText a status line shows above the tree. The computer and
// printer flags change nothing here. GUI thread only.
class TSysFolderPicker : public TForm {
    Q_OBJECT
public:
    TSysFolderPicker(win::LPCITEMIDLIST Root, unsigned Flags, const QString& Title);
    ~TSysFolderPicker() override;

    void SetStatusText(const QString& Text);
    void SetOkEnabled(bool Value);
    // Selects the place Pidl (absolute).
    void SetSelection(win::LPCITEMIDLIST Pidl);
    // The selected place (owned by the tree); null when none.
    win::LPCITEMIDLIST Selection() const;

    QLabel* StatusLabel;
    TPTShellTree* Tree;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

    // The picker is up (its tree filled); then each time the selection moves (with the place
    // selected).
    std::function<void()> OnInitialized;
    std::function<void(win::LPCITEMIDLIST Pidl)> OnSelChanged;

protected:
    void showEvent(QShowEvent* E) override;

private:
    void SelectionChanged();

    unsigned flags_;
    // The first fill's selection is no choice: selections count once the picker is up.
    bool initialized_ = false;
};
