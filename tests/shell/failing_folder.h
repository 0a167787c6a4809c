// TFailingFolder: a shell folder whose listing fails, for the controls' error paths.
#pragma once

#include "platform/shellapi/item_id_list.h"
#include "platform/shellapi/ref.h"
#include "platform/shellapi/shell_folder.h"

// A folder whose listing gives one item and then fails with Error, or that cannot be listed at
// all (OpenError).
class TFailingFolder final : public win::TRefCounted<win::IShellFolder> {
public:
    explicit TFailingFolder(win::HRESULT Error, win::HRESULT OpenError = win::S_OK) : error_(Error), openError_(OpenError)
    {
    }
    win::HRESULT ParseDisplayName(win::HWND, const QString&, win::LPITEMIDLIST*, win::ULONG*) override { return win::E_NOTIMPL; }
    win::HRESULT EnumObjects(win::HWND, win::DWORD, win::Ref<win::IEnumIDList>* List) override
    {
        if (win::FAILED(openError_))
            return openError_;
        *List = new TEnum(error_);
        return win::S_OK;
    }
    win::HRESULT BindToObject(win::LPCITEMIDLIST, win::Ref<win::IShellFolder>*) override { return win::E_NOTIMPL; }
    win::HRESULT CompareIDs(win::LPARAM, win::LPCITEMIDLIST, win::LPCITEMIDLIST) override { return win::S_OK; }
    win::HRESULT GetAttributesOf(std::span<const win::LPCITEMIDLIST>, win::ULONG* Attributes) override
    {
        *Attributes = 0;
        return win::S_OK;
    }
    win::HRESULT GetDisplayNameOf(win::LPCITEMIDLIST, win::DWORD, QString*) override { return win::E_NOTIMPL; }
    win::HRESULT SetNameOf(win::HWND, win::LPCITEMIDLIST, const QString&, win::DWORD, win::LPITEMIDLIST*) override
    {
        return win::E_NOTIMPL;
    }
    win::HRESULT GetUIObjectOf(win::HWND, std::span<const win::LPCITEMIDLIST>, win::TUIObject, void**) override
    {
        return win::E_NOTIMPL;
    }

private:
    class TEnum final : public win::TRefCounted<win::IEnumIDList> {
    public:
        explicit TEnum(win::HRESULT Error) : error_(Error) {}
        win::HRESULT Next(win::ULONG, win::LPITEMIDLIST* Items, win::ULONG*) override
        {
            if (given_++)
                return error_;
            *Items = win::ItemListFromBytes(QByteArray("\x04\x00xy", 4));
            return win::S_OK;
        }
        win::HRESULT Skip(win::ULONG) override { return win::E_NOTIMPL; }
        win::HRESULT Reset() override { return win::E_NOTIMPL; }

    private:
        win::HRESULT error_;
        int given_ = 0;
    };
    win::HRESULT error_;
    win::HRESULT openError_;
};
