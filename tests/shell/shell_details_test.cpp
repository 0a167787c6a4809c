// GetShellDetails and the IShellFolder2 adapter: which folders get details, the columns shown by
// default, and the adapter's interfaces.
#include "shell/shell_details.h"
#include "shell/pidl_routines.h"

#include "support/shell_fixtures.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <vector>

using namespace win;

namespace {

constexpr IID IID_Other{0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};

// A folder that describes its children in columns whose default states it is given; the states
// can fail, and so can the details.
class TFakeDetailsFolder final : public TRefCounted<IShellFolder2> {
public:
    std::vector<DWORD> States;
    bool StatesFail = false;
    bool DetailsFail = false;

    HRESULT GetDetailsOf(LPCITEMIDLIST, UINT Column, SHELLDETAILS* Details) override
    {
        if (DetailsFail || Column >= States.size())
            return E_INVALIDARG;
        Details->str = QStringLiteral("Column %1").arg(Column);
        return S_OK;
    }
    HRESULT GetDefaultColumnState(UINT Column, DWORD* Flags) override
    {
        if (StatesFail || Column >= States.size())
            return E_FAIL;
        *Flags = States[Column];
        return S_OK;
    }

    HRESULT ParseDisplayName(HWND, const QString&, LPITEMIDLIST*, ULONG*) override { return E_NOTIMPL; }
    HRESULT EnumObjects(HWND, DWORD, Ref<IEnumIDList>*) override { return E_NOTIMPL; }
    HRESULT BindToObject(LPCITEMIDLIST, Ref<IShellFolder>*) override { return E_NOTIMPL; }
    HRESULT CompareIDs(LPARAM, LPCITEMIDLIST, LPCITEMIDLIST) override { return E_NOTIMPL; }
    HRESULT GetAttributesOf(std::span<const LPCITEMIDLIST>, ULONG*) override { return E_NOTIMPL; }
    HRESULT GetDisplayNameOf(LPCITEMIDLIST, DWORD, QString*) override { return E_NOTIMPL; }
    HRESULT SetNameOf(HWND, LPCITEMIDLIST, const QString&, DWORD, LPITEMIDLIST*) override { return E_NOTIMPL; }
    HRESULT GetUIObjectOf(HWND, std::span<const LPCITEMIDLIST>, TUIObject, void**) override { return E_NOTIMPL; }
};

// The headings a caller enumerating columns from 0 until a failure sees.
QStringList Headings(IShellDetails& Details)
{
    QStringList headings;
    SHELLDETAILS heading;
    for (UINT column = 0; SUCCEEDED(Details.GetDetailsOf(nullptr, column, &heading)); ++column)
        headings << heading.str;
    return headings;
}

} // namespace

TEST(ShellDetails, TheAdapterEndsAtTheFirstColumnNotShownByDefault)
{
    constexpr DWORD on = SHCOLSTATE_TYPE_STR | SHCOLSTATE_ONBYDEFAULT, off = SHCOLSTATE_TYPE_STR;
    const struct {
        const char* Name;
        std::vector<DWORD> States;
        bool StatesFail;
        QStringList Headings;
    } cases[] = {
        {"on, on, off, on", {on, on, off, on}, false, {"Column 0", "Column 1"}},
        {"all on", {on, on, on}, false, {"Column 0", "Column 1", "Column 2"}},
        {"states unreadable: every column", {off, off}, true, {"Column 0", "Column 1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Ref<TFakeDetailsFolder> folder(new TFakeDetailsFolder);
        folder->States = c.States;
        folder->StatesFail = c.StatesFail;
        ComPtr<IShellDetails> details = GetShellDetails(folder.get());
        ASSERT_TRUE(details);
        EXPECT_EQ(Headings(*details.Get()), c.Headings);
    }
}

TEST(ShellDetails, AFolderWhoseHeadingFailsGetsNoDetails)
{
    Ref<TFakeDetailsFolder> folder(new TFakeDetailsFolder);
    folder->States = {SHCOLSTATE_ONBYDEFAULT};
    folder->DetailsFail = true;
    EXPECT_FALSE(GetShellDetails(folder.get()));
    EXPECT_FALSE(GetShellDetails(nullptr));
}

TEST(ShellDetails, TheAdapterAnswersForItsOwnInterfacesAndHoldsTheFolder)
{
    Ref<TFakeDetailsFolder> folder(new TFakeDetailsFolder);
    folder->States = {SHCOLSTATE_ONBYDEFAULT};
    ComPtr<IShellDetails> details = GetShellDetails(folder.get());
    ASSERT_TRUE(details);

    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(details->QueryInterface(IID_Other, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(details.Query<IShellDetails>(IID_IShellDetails).Get(), details.Get());
    EXPECT_TRUE(details.Query<IUnknown>(IID_IUnknown));
    EXPECT_EQ(details->ColumnClick(0), E_NOTIMPL);

    // The adapter keeps the folder alive as long as it lives itself.
    TFakeDetailsFolder* raw = folder.get();
    folder.reset();
    SHELLDETAILS heading;
    EXPECT_EQ(details->GetDetailsOf(nullptr, 0, &heading), S_OK);
    EXPECT_EQ(heading.str, "Column 0");
    EXPECT_EQ(raw->AddRef(), 2u);
    raw->Release();
}

TEST(ShellDetails, ComputerHasDetailsAndFileSystemFoldersHaveNone)
{
    TTempTree tree;
    TMountTableScope mounts{tree.Path("mounts"), MountLine(1, "/", "ext4", "/dev/sda1")};
    THomeScope home{tree.Path("home")};

    LPITEMIDLIST computerPidl = nullptr;
    ASSERT_EQ(GetSpecialFolderPidl(nullptr, csidlDrives, computerPidl), S_OK);
    const TPidl computer(computerPidl);
    Ref<IShellFolder> computerFolder;
    ASSERT_EQ(GetShellFolder(computer.get(), computerFolder), S_OK);
    ComPtr<IShellDetails> details = GetShellDetails(computerFolder.get());
    ASSERT_TRUE(details);
    EXPECT_EQ(Headings(*details.Get()), QStringList({"Name", "Type", "Total Size", "Free Space"}));

    Ref<IShellFolder> desktop;
    ASSERT_EQ(SHGetDesktopFolder(&desktop), S_OK);
    EXPECT_FALSE(GetShellDetails(desktop.get()));
}
