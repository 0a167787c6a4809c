// TPTSysFolderDlg: the folder picker component that runs the program's modal folder picker below a
// special folder, with a status line and an OK button its owner may steer while it runs.
#pragma once

#include "dialogs/sys_folder_picker.h"

#include "shell/pidl_routines.h"

#include "platform/rtl/object.h"

#include <QFlags>
#include <functional>

enum TPTSysFolderDlgOption : unsigned {
    fdoReturnOnlyFSDirs = bifReturnOnlyFSDirs,
    fdoDontGoBelowDomain = bifDontGoBelowDomain,
    fdoStatusText = bifStatusText,
    fdoReturnFSAncestors = bifReturnFSAncestors,
    fdoComputers = bifBrowseForComputer,
    fdoPrinters = bifBrowseForPrinter,
};
Q_DECLARE_FLAGS(TPTSysFolderDlgOptions, TPTSysFolderDlgOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPTSysFolderDlgOptions)

// Keeps the chosen folder as an item list of its own. GUI thread only.
class TPTSysFolderDlg : public TComponent {
public:
    explicit TPTSysFolderDlg(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    ~TPTSysFolderDlg() override;
    TPTSysFolderDlg(const TPTSysFolderDlg&) = delete;
    TPTSysFolderDlg& operator=(const TPTSysFolderDlg&) = delete;

    // Shows the picker (through the prompt service); true with the chosen folder kept, false with
    // none kept after a cancel. A call while it runs raises Exception "<Name>: Execute already
    // called.".
    bool Execute();

    // The kept folder's path with a trailing "/"; empty when it has none.
    QString GetFolderPath() const;
    // Keeps the folder of Path (the picker's first selection); a path that does not parse keeps
    // the folder kept before.
    void SetFolderPath(const QString& Path);
    win::LPCITEMIDLIST FolderPidl() const { return pidl_; }

    // While Execute runs: enable or disable OK, show Text in the status line. Outside it they raise
    // Exception.
    virtual void SetOkEnabled(bool Value);
    virtual void SetStatusText(const QString& Text);

    // The picker's root (csidlNone: the desktop).
    TCSIDL Domain = csidlNone;
    TPTSysFolderDlgOptions Options;
    QString Title;
    std::function<void(TObject* Sender, TSysFolderPicker* Window)> OnInitialized;
    std::function<void(TObject* Sender, TSysFolderPicker* Window, win::LPCITEMIDLIST Pidl)> OnSelChanged;

private:
    void SetPidl(win::LPCITEMIDLIST Pidl);

    win::LPITEMIDLIST pidl_ = nullptr;
    TSysFolderPicker* window_ = nullptr;
    bool executing_ = false;
};
