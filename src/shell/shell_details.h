// IShellDetails, the column details of a folder's items; the adapter that offers them for a folder
// that only describes its items through IShellFolder2; and GetShellDetails, which finds them.
#pragma once

#include "platform/ole/unknown.h"
#include "platform/rtl/object.h"
#include "platform/shellapi/ref.h"
#include "platform/shellapi/shell_folder.h"

constexpr win::IID IID_IShellDetails{0x000214EC, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// Column by column: GetDetailsOf for no item gives the heading, for a child its cell; a caller
// enumerates columns from 0 until a call fails.
struct IShellDetails : virtual win::IUnknown {
    virtual win::HRESULT GetDetailsOf(win::LPCITEMIDLIST Pidl, win::UINT Column, win::SHELLDETAILS* Details) = 0;
    virtual win::HRESULT ColumnClick(win::UINT Column) = 0;
};

// The details of a folder's IShellFolder2, limited to the columns it shows by default: a column
// whose default state lacks SHCOLSTATE_ONBYDEFAULT answers E_INVALIDARG, so an enumeration ends
// there. The adapter holds a reference to the folder while it lives; its own count is
// thread-safe, and the last Release frees it.
class TShellFolder2ToShellDetailsAdapter final : public TObject, public win::ComObject, public IShellDetails {
public:
    explicit TShellFolder2ToShellDetailsAdapter(win::IShellFolder2* Folder) : folder_(Folder) {}

    // IUnknown and IShellDetails give the adapter; anything else E_NOINTERFACE.
    win::HRESULT QueryInterface(const win::IID& Riid, void** Object) override;
    // A column whose default state cannot be read is passed on as well.
    win::HRESULT GetDetailsOf(win::LPCITEMIDLIST Pidl, win::UINT Column, win::SHELLDETAILS* Details) override;
    // E_NOTIMPL: the caller sorts by itself.
    win::HRESULT ColumnClick(win::UINT Column) override;

private:
    win::Ref<win::IShellFolder2> folder_;
};

// The column details of Folder, or null: the adapter over the folder's IShellFolder2 when that
// answers the heading of column 0; when it does not, the folder's own IShellDetails, if it
// implements one. (A folder's view object would be asked next, and asked first by a folder
// without IShellFolder2; the namespace makes no view objects, so those ways give null.)
win::ComPtr<IShellDetails> GetShellDetails(win::IShellFolder* Folder);
