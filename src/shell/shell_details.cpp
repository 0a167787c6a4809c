// The shell details adapter and GetShellDetails.
#include "shell/shell_details.h"

win::HRESULT TShellFolder2ToShellDetailsAdapter::QueryInterface(const win::IID& Riid, void** Object)
{
    return win::FindInterface(this, Riid, Object,
                              {{win::IID_IUnknown, static_cast<win::IUnknown*>(static_cast<IShellDetails*>(this))},
                               {IID_IShellDetails, static_cast<IShellDetails*>(this)}});
}

win::HRESULT TShellFolder2ToShellDetailsAdapter::GetDetailsOf(win::LPCITEMIDLIST Pidl, win::UINT Column,
                                                              win::SHELLDETAILS* Details)
{
    return win::ComGuard([&] {
        win::DWORD state = 0;
        const win::HRESULT stateResult = folder_->GetDefaultColumnState(Column, &state);
        if (win::SUCCEEDED(stateResult) && !(state & win::SHCOLSTATE_ONBYDEFAULT))
            return win::E_INVALIDARG;
        return folder_->GetDetailsOf(Pidl, Column, Details);
    });
}

win::HRESULT TShellFolder2ToShellDetailsAdapter::ColumnClick(win::UINT)
{
    return win::E_NOTIMPL;
}

win::ComPtr<IShellDetails> GetShellDetails(win::IShellFolder* Folder)
{
    if (!Folder)
        return {};
    win::IShellFolder2* folder2 = Folder->Details();
    if (!folder2)
        return {};
    win::SHELLDETAILS heading;
    if (win::SUCCEEDED(folder2->GetDetailsOf(nullptr, 0, &heading)))
        return win::ComPtr<IShellDetails>::Adopt(new TShellFolder2ToShellDetailsAdapter(folder2));
    return win::ComPtr<IShellDetails>(dynamic_cast<IShellDetails*>(Folder));
}
