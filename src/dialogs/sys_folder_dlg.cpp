// TPTSysFolderDlg.
#include "dialogs/sys_folder_dlg.h"

#include "shell/shell_routines.h"

#include "platform/rtl/exception.h"

TPTSysFolderDlg::~TPTSysFolderDlg()
{
    ShellFree(pidl_);
}

void TPTSysFolderDlg::SetPidl(win::LPCITEMIDLIST Pidl)
{
    win::LPITEMIDLIST copy = Pidl ? CopyPidl(nullptr, Pidl) : nullptr;
    ShellFree(pidl_);
    pidl_ = copy;
}

bool TPTSysFolderDlg::Execute()
{
    if (executing_)
        throw Exception(Name + QStringLiteral(": Execute already called."));
    executing_ = true;
    TOwnedPidl root;
    if (Domain != csidlNone) {
        win::LPITEMIDLIST domain = nullptr;
        const win::HRESULT located = GetSpecialFolderPidl(nullptr, Domain, domain);
        root.reset(domain);
        if (win::FAILED(located)) {
            executing_ = false;
            throw Exception(win::SystemMessage(located));
        }
    }
    TSysFolderPicker picker(root.get(), unsigned(Options), Title);
    picker.OnInitialized = [this, &picker] {
        window_ = &picker;
        if (OnInitialized)
            OnInitialized(this, &picker);
        if (pidl_)
            picker.SetSelection(pidl_);
    };
    picker.OnSelChanged = [this, &picker](win::LPCITEMIDLIST Pidl) {
        SetPidl(Pidl);
        if (OnSelChanged)
            OnSelChanged(this, &picker, Pidl);
    };
    int result = mrCancel;
    try {
        result = picker.ShowModal();
    } catch (...) {
        window_ = nullptr;
        executing_ = false;
        throw;
    }
    if (result == mrOk)
        SetPidl(picker.Selection());
    else
        SetPidl(nullptr);
    window_ = nullptr;
    executing_ = false;
    return result == mrOk;
}

QString TPTSysFolderDlg::GetFolderPath() const
{
    if (!pidl_)
        return {};
    QString path = PidlToPath(pidl_);
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

void TPTSysFolderDlg::SetFolderPath(const QString& Path)
{
    win::LPITEMIDLIST parsed = nullptr;
    if (win::SUCCEEDED(PathToPidl(Path, parsed)) && parsed) {
        ShellFree(pidl_);
        pidl_ = parsed;
    } else {
        ShellFree(parsed);
    }
}

void TPTSysFolderDlg::SetOkEnabled(bool Value)
{
    if (!window_)
        throw Exception(Name + QStringLiteral(": SetOkEnabled assignment only valid during Execute"));
    window_->SetOkEnabled(Value);
}

void TPTSysFolderDlg::SetStatusText(const QString& Text)
{
    if (!window_)
        throw Exception(Name + QStringLiteral(": Status text assignment only valid during Execute"));
    window_->SetStatusText(Text);
}
