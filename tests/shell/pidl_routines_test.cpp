// The item identifier routines: sizes, copies and joins as byte tables, comparison, paths, special
// folders, names, icons and drive validation.
#include "shell/pidl_routines.h"

#include "platform/shellapi/shell_item.h"
#include "platform/shellapi/system_image_list.h"
#include "platform/shellapi/volumes.h"
#include "platform/system/name_encoding.h"

#include "support/shell_fixtures.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <climits>
#include <sys/stat.h>

using namespace win;

namespace {

const QByteArray Terminator(2, '\0');
const QByteArray One = QByteArray::fromHex("04001001");
const QByteArray Two = QByteArray::fromHex("06002000") + "/" + '\0';
const QByteArray Three = QByteArray::fromHex("16003100") + QByteArray(16, '\1') + "a" + '\0';

// Counts what goes through it, handing the work to the task allocator.
class TCountingMalloc final : public IMalloc {
public:
    void* Alloc(std::size_t Size) override
    {
        ++Allocated;
        return SHGetMalloc()->Alloc(Size);
    }
    void Free(void* Block) override
    {
        ++Freed;
        SHGetMalloc()->Free(Block);
    }
    std::size_t GetSize(const void* Block) override { return SHGetMalloc()->GetSize(Block); }

    int Allocated = 0;
    int Freed = 0;
};

TPidl Parsed(const QString& Path)
{
    LPITEMIDLIST pidl = nullptr;
    EXPECT_EQ(PathToPidl(Path, pidl), S_OK) << Path.toStdString();
    return TPidl(pidl);
}

class PidlRoutines : public ::testing::Test {
protected:
    TTempTree tree;
    TMountTableScope mounts{tree.Path("mounts"), MountLine(1, "/", "ext4", "/dev/sda1")};
    THomeScope home{tree.Path("home")};
};

} // namespace

TEST(PidlBytes, SizesCopiesAndJoinsAreByteExact)
{
    const struct {
        const char* Name;
        QByteArray Items; // without the terminator; null for a null list
        bool Null;
    } lists[] = {
        {"null", {}, true},
        {"empty", {}, false},
        {"one", One, false},
        {"three", One + Two + Three, false},
    };
    TCountingMalloc counting;
    for (const auto& a : lists) {
        SCOPED_TRACE(a.Name);
        const TPidl pa = a.Null ? nullptr : RawPidl(a.Items + Terminator);
        EXPECT_EQ(PidlSize(pa.get()), a.Null ? 0 : int(a.Items.size()) + 2);
        const TPidl copy(CopyPidl(nullptr, pa.get()));
        EXPECT_EQ(PidlBytes(copy.get()), a.Items + Terminator);
        EXPECT_EQ(SHGetMalloc()->GetSize(copy.get()), std::size_t(a.Items.size() + 2));
        const TPidl counted(CopyPidl(&counting, pa.get()));
        EXPECT_EQ(PidlBytes(counted.get()), a.Items + Terminator);
        for (const auto& b : lists) {
            SCOPED_TRACE(b.Name);
            const TPidl pb = b.Null ? nullptr : RawPidl(b.Items + Terminator);
            const TPidl joined(ConcatPidls(nullptr, pa.get(), pb.get()));
            EXPECT_EQ(PidlBytes(joined.get()), a.Items + b.Items + Terminator);
            EXPECT_EQ(SHGetMalloc()->GetSize(joined.get()), std::size_t(a.Items.size() + b.Items.size() + 2));
        }
    }
    EXPECT_EQ(counting.Allocated, 4);
    // A list whose counts run past its block counts as no items at all.
    const TPidl bad = RawPidl(QByteArray::fromHex("09001001"));
    EXPECT_EQ(PidlSize(bad.get()), 0);
    EXPECT_EQ(PidlBytes(TPidl(CopyPidl(nullptr, bad.get())).get()), Terminator);
}

TEST_F(PidlRoutines, ComparePidlsTellsEqualityOnly)
{
    tree.File("a");
    tree.File("b");
    const TPidl empty = RawPidl(Terminator), empty2 = RawPidl(Terminator);
    const TPidl a = Parsed(tree.Path("a")), a2 = Parsed(tree.Path("a")), b = Parsed(tree.Path("b"));
    const struct {
        const char* Name;
        LPCITEMIDLIST First, Second;
        int Result;
    } cases[] = {
        {"null, null", nullptr, nullptr, 0},
        {"null, empty", nullptr, empty.get(), -1},
        {"empty, null", empty.get(), nullptr, -1},
        {"empty, empty", empty.get(), empty2.get(), 0},
        {"empty, item", empty.get(), a.get(), -1},
        {"item, empty", a.get(), empty.get(), -1},
        {"same path", a.get(), a2.get(), 0},
        {"siblings", a.get(), b.get(), -1},
        {"siblings turned", b.get(), a.get(), 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComparePidls(c.First, c.Second), c.Result) << c.Name;
    const TPidl computerTwice = RawPidl(One + One + Terminator);
    EXPECT_EQ(ComparePidls(computerTwice.get(), a.get()), INT_MAX);
}

TEST_F(PidlRoutines, PathsSpecialFoldersAndFolders)
{
    const QString odd = tree.Path() + QStringLiteral("/Grüße und ") + DecodeName("\xfe");
    ASSERT_EQ(::mkdir(EncodeName(odd).constData(), 0755), 0);
    EXPECT_EQ(PidlToPath(Parsed(odd).get()), odd);
    EXPECT_EQ(PidlToPath(nullptr), tree.Path("home/Desktop"));
    LPITEMIDLIST pidl = reinterpret_cast<LPITEMIDLIST>(1);
    EXPECT_EQ(PathToPidl(QStringLiteral("/") + QString(5000, QLatin1Char('x')), pidl), E_INVALIDARG);
    EXPECT_EQ(pidl, nullptr);
    EXPECT_EQ(PathToPidl(QStringLiteral("not/absolute"), pidl), E_INVALIDARG);

    tree.Folder("home/Desktop");
    tree.Folder("home/Documents");
    EXPECT_EQ(PidlToCsidl(RawPidl(Terminator).get()), csidlDesktop);
    EXPECT_EQ(PidlToCsidl(Parsed(odd).get()), csidlNone);
    EXPECT_EQ(PidlToCsidl(Parsed(tree.Path("home/Desktop")).get()), csidlDesktopDirectory);
    EXPECT_EQ(PidlToCsidl(Parsed(tree.Path("home/Documents")).get()), csidlPersonal);
    LPITEMIDLIST drives = nullptr;
    ASSERT_EQ(GetSpecialFolderPidl(nullptr, csidlDrives, drives), S_OK);
    const TPidl ownedDrives(drives);
    EXPECT_EQ(PidlToCsidl(drives), csidlDrives);
    EXPECT_EQ(SpecialFolderPath(nullptr, csidlDesktopDirectory), tree.Path("home/Desktop"));
    EXPECT_EQ(SpecialFolderPath(nullptr, csidlDrives), QString());
    EXPECT_EQ(SpecialFolderPath(nullptr, csidlPrinters), QString());
    // The number is masked to 7 bits, as the shell's flags above it are.
    LPITEMIDLIST masked = nullptr;
    ASSERT_EQ(GetSpecialFolderPidl(nullptr, TCSIDL(csidlDrives | 0x80), masked), S_OK);
    EXPECT_EQ(PidlBytes(masked), PidlBytes(drives));
    ShellFree(masked);

    Ref<IShellFolder> folder;
    ASSERT_EQ(GetShellFolder(nullptr, folder), S_OK);
    EXPECT_EQ(GetPidlDisplayName(folder.get(), RawPidl(Terminator).get(), pnkNormal), QStringLiteral("Desktop"));
    ASSERT_EQ(GetShellFolder(Parsed(tree.Path()).get(), folder), S_OK);
    LPITEMIDLIST child = nullptr;
    ASSERT_EQ(folder->ParseDisplayName(nullptr, DecodeName(EncodeName(odd).mid(EncodeName(tree.Path()).size() + 1)),
                                       &child, nullptr),
              S_OK);
    const TPidl ownedChild(child);
    EXPECT_EQ(GetPidlDisplayName(folder.get(), child, pnkInFolder), odd.mid(odd.lastIndexOf(QLatin1Char('/')) + 1));
    EXPECT_EQ(GetPidlDisplayName(nullptr, Parsed(odd).get(), pnkForParsing), odd);
    EXPECT_EQ(GetPidlDisplayName(nullptr, RawPidl(One + One + Terminator).get(), pnkNormal), QString());
    tree.File("file.txt");
    EXPECT_EQ(GetShellFolder(Parsed(tree.Path("file.txt")).get(), folder), E_NOINTERFACE);
    EXPECT_FALSE(folder);
}

TEST_F(PidlRoutines, IconsAndTheSystemImageLists)
{
    const TPidl folder = Parsed(tree.Path());
    const int closed = GetPidlIconIndex(folder.get(), SHGFI_SMALLICON);
    const int open = GetPidlIconIndex(folder.get(), SHGFI_SMALLICON | SHGFI_OPENICON);
    EXPECT_EQ(closed, SystemIconIndex(TSystemIcon::Folder));
    EXPECT_EQ(open, SystemIconIndex(TSystemIcon::FolderOpen));
    EXPECT_EQ(GetPidlIconIndex(RawPidl(One + Terminator).get(), 0), SystemIconIndex(TSystemIcon::Computer));

    TImageList small, large;
    small.ShareImages = large.ShareImages = true;
    small.SetHandle(GetSysImageList(silSmall));
    large.SetHandle(GetSysImageList(silLarge));
    EXPECT_EQ(small.Height(), 16);
    EXPECT_EQ(large.Height(), 32);
    EXPECT_EQ(small.OverlayImage(OverlayShared), 1);
    EXPECT_EQ(small.OverlayImage(OverlayLink), 2);

    EXPECT_TRUE(IsWinNT());
    std::uint64_t version = 0;
    ASSERT_TRUE(GetModuleFileVersion("COMCTL32.DLL", version));
    EXPECT_GE(version, (std::uint64_t(4) << 48) | (std::uint64_t(72) << 32));
    EXPECT_FALSE(GetModuleFileVersion("shell32.dll", version));
}

TEST_F(PidlRoutines, DriveValidationRereadsTheMountTableUnlessDisabled)
{
    const QByteArray root = MountLine(1, "/", "ext4", "/dev/sda1");
    QList<WPARAM> events;
    const HWND target = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_DEVICECHANGE)
            events.append(m.WParam);
    });
    AddDeviceChangeTarget(target);
    mounts.Write(root + MountLine(2, "/media/stick", "vfat", "/dev/sdb1"));
    DisableDriveValidation();
    DisableDriveValidation();
    ValidateDrives();
    EnableDriveValidation();
    ValidateDrives();
    EXPECT_TRUE(events.isEmpty());
    EnableDriveValidation();
    ValidateDrives();
    EXPECT_EQ(events, QList<WPARAM>{DBT_DEVICEARRIVAL});
    RemoveDeviceChangeTarget(target);
    DeallocateHWnd(target);
}
