// TPTShellLocator: when it reports a change, copying, paths, and its "Pidl" stream record (with
// damaged records).
#include "shell/shell_locator.h"

#include "platform/rtl/exception.h"
#include "platform/rtl/streams.h"

#include "support/shell_fixtures.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

using namespace win;

namespace {

const QByteArray Terminator(2, '\0');
// Computer twice: well-formed, but no place of the namespace, so it cannot be compared.
const QByteArray Uncomparable = QByteArray::fromHex("0400100104001001") + Terminator;

// A locator that counts its changes.
struct TCountedLocator : TPTShellLocator {
    TCountedLocator()
    {
        OnChange = [this](TObject* Sender) {
            EXPECT_EQ(Sender, this);
            ++Changes;
        };
    }
    int Changes = 0;
};

QByteArray LE32(std::int32_t Value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char(std::uint32_t(Value) >> (8 * i));
    return bytes;
}

QByteArray Written(const TPTShellLocator& Locator)
{
    TMemoryStream stream;
    WritePidlProperty(stream, Locator);
    return QByteArray(stream.Memory(), int(stream.Size()));
}

void ReadFrom(const QByteArray& Bytes, TPTShellLocator& Locator)
{
    TMemoryStream stream;
    stream.WriteBuffer(Bytes.constData(), Bytes.size());
    stream.SetPosition(0);
    ReadPidlProperty(stream, Locator);
}

class ShellLocator : public ::testing::Test {
protected:
    ShellLocator()
    {
        tree.File("a");
        tree.File("b");
        tree.Folder("home/Documents");
        tree.Folder("home/Desktop");
    }
    TPidl Parsed(const QString& Relative)
    {
        LPITEMIDLIST pidl = nullptr;
        EXPECT_EQ(PathToPidl(tree.Path(Relative), pidl), S_OK);
        return TPidl(pidl);
    }

    TTempTree tree;
    TMountTableScope mounts{tree.Path("mounts"), MountLine(1, "/", "ext4", "/dev/sda1")};
    THomeScope home{tree.Path("home")};
};

} // namespace

TEST_F(ShellLocator, SetPidlReportsOnlyRealChanges)
{
    const TPidl a = Parsed("a"), a2 = Parsed("a"), b = Parsed("b");
    const TPidl empty = RawPidl(Terminator);
    TCountedLocator locator;
    const struct {
        const char* Name;
        LPCITEMIDLIST Pidl;
        int Changes; // in total after the step
    } steps[] = {
        {"a", a.get(), 1},
        {"a again, another copy", a2.get(), 1},
        {"b", b.get(), 2},
        {"null", nullptr, 3},
        {"null again", nullptr, 3},
        {"a", a.get(), 4},
        {"the empty list", empty.get(), 5},
    };
    for (const auto& step : steps) {
        locator.SetPidl(step.Pidl);
        EXPECT_EQ(locator.Changes, step.Changes) << step.Name;
        EXPECT_EQ(locator.Kind(), lkPidl);
        EXPECT_EQ(locator.SpecialFolder(), csidlNone);
    }
    // The locator keeps its own copy, never the caller's list; the empty list holds none.
    locator.SetPidl(a.get());
    EXPECT_NE(locator.GetPidl(), a.get());
    EXPECT_EQ(PidlBytes(locator.GetPidl()), PidlBytes(a.get()));
    // Its own list given back is no change (and is copied before the old one goes).
    const int changes = locator.Changes;
    locator.SetPidl(locator.GetPidl());
    EXPECT_EQ(locator.Changes, changes);
    EXPECT_EQ(PidlBytes(locator.GetPidl()), PidlBytes(a.get()));
    locator.SetPidl(empty.get());
    EXPECT_EQ(locator.GetPidl(), nullptr);
}

TEST_F(ShellLocator, SpecialFoldersAndFailedComparisons)
{
    TCountedLocator locator;
    locator.SetSpecialFolder(csidlPersonal);
    locator.SetSpecialFolder(csidlPersonal);
    EXPECT_EQ(locator.Changes, 1);
    EXPECT_EQ(locator.Kind(), lkSpecialFolder);
    // The special folder's list is looked up once and kept.
    const LPCITEMIDLIST fetched = locator.GetPidl();
    ASSERT_NE(fetched, nullptr);
    EXPECT_EQ(locator.GetPidl(), fetched);
    EXPECT_EQ(locator.GetPath(), SpecialFolderPath(nullptr, csidlPersonal));
    // The same place as a list is still a change: the kind changed.
    const TPidl same(CopyPidl(nullptr, fetched));
    locator.SetPidl(same.get());
    EXPECT_EQ(locator.Changes, 2);
    EXPECT_EQ(locator.SpecialFolder(), csidlNone);

    // Lists that cannot be compared: no change for SetPidl, yet never the same place.
    const TPidl odd = RawPidl(Uncomparable), odd2 = RawPidl(Uncomparable);
    locator.SetPidl(odd.get());
    EXPECT_EQ(locator.Changes, 2);
    EXPECT_EQ(PidlBytes(locator.GetPidl()), Uncomparable);
    locator.SetPidl(odd2.get());
    EXPECT_EQ(locator.Changes, 2);
    TPTShellLocator other;
    other.SetPidl(odd.get());
    EXPECT_FALSE(locator.IsSame(other));
    EXPECT_TRUE(locator.IsSame(locator));
}

TEST_F(ShellLocator, AssignCopiesPlacesNotPointers)
{
    const TPidl a = Parsed("a");
    TPTShellLocator listSource, personal, desktopFolder;
    listSource.SetPidl(a.get());
    personal.SetSpecialFolder(csidlPersonal);
    desktopFolder.SetSpecialFolder(csidlDesktopDirectory);

    TCountedLocator locator;
    locator.SetSpecialFolder(csidlPersonal);
    locator.Changes = 0;
    const struct {
        const char* Name;
        TPTShellLocator* Source;
        int Changes;
        TPTShellLocatorKind Kind;
        TCSIDL SpecialFolder;
    } steps[] = {
        {"the same special folder", &personal, 0, lkSpecialFolder, csidlPersonal},
        {"another special folder", &desktopFolder, 1, lkSpecialFolder, csidlDesktopDirectory},
        {"a list", &listSource, 2, lkPidl, csidlDesktopDirectory},
        {"the same list", &listSource, 2, lkPidl, csidlDesktopDirectory},
        {"nothing, holding a list", nullptr, 3, lkPidl, csidlDesktopDirectory},
        {"nothing, holding none", nullptr, 3, lkPidl, csidlDesktopDirectory},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Name);
        locator.Assign(step.Source);
        EXPECT_EQ(locator.Changes, step.Changes);
        EXPECT_EQ(locator.Kind(), step.Kind);
        if (step.Kind == lkSpecialFolder)
            EXPECT_EQ(locator.SpecialFolder(), step.SpecialFolder);
        if (step.Source == &listSource) {
            EXPECT_NE(locator.GetPidl(), listSource.GetPidl());
            EXPECT_EQ(PidlBytes(locator.GetPidl()), PidlBytes(a.get()));
        }
    }
    EXPECT_EQ(locator.GetPidl(), nullptr);

    struct TOther : TPersistent {
    } other;
    EXPECT_THROW(locator.Assign(&other), EConvertError);
}

TEST_F(ShellLocator, PathsThatDoNotParseNameTheDesktop)
{
    TCountedLocator locator;
    locator.SetPath(tree.Path("a"));
    EXPECT_EQ(locator.Changes, 1);
    EXPECT_EQ(locator.GetPath(), tree.Path("a"));
    locator.SetPath(tree.Path("missing"));
    EXPECT_EQ(locator.Changes, 2);
    EXPECT_EQ(locator.GetPidl(), nullptr);
    locator.SetPath(tree.Path("missing"));
    EXPECT_EQ(locator.Changes, 2);
}

TEST_F(ShellLocator, StreamRecordsBothWays)
{
    TPTShellLocator desktop;
    EXPECT_FALSE(PidlPropertyStored(desktop));

    const TPidl a = Parsed("a");
    TPTShellLocator list;
    list.SetPidl(a.get());
    ASSERT_TRUE(PidlPropertyStored(list));
    const QByteArray listBytes = PidlBytes(a.get());
    EXPECT_EQ(Written(list), QByteArray(1, '\0') + LE32(int(listBytes.size())) + listBytes);

    TPTShellLocator special;
    special.SetSpecialFolder(csidlDrives);
    ASSERT_TRUE(PidlPropertyStored(special));
    EXPECT_EQ(Written(special), QByteArray::fromHex("0111"));

    for (TPTShellLocator* source : {&list, &special}) {
        TCountedLocator read;
        ReadFrom(Written(*source), read);
        EXPECT_TRUE(read.IsSame(*source));
        EXPECT_EQ(read.Changes, 0);
    }
}

TEST_F(ShellLocator, DamagedStreamRecordsNameTheDesktop)
{
    const QByteArray item = QByteArray::fromHex("0400") + "ab";
    const struct {
        const char* Name;
        QByteArray Record;
        QByteArray Pidl; // the list taken; empty: the desktop as special folder 0
    } cases[] = {
        {"a whole list", QByteArray(1, '\0') + LE32(6) + item + Terminator, item + Terminator},
        {"no bytes at all", {}, {}},
        {"a count of 0", QByteArray(1, '\0') + LE32(0), {}},
        {"a count of 1", QByteArray(1, '\0') + LE32(1) + "x", {}},
        {"a negative count", QByteArray(1, '\0') + LE32(-6) + item + Terminator, {}},
        {"a huge count", QByteArray(1, '\0') + LE32(0x7FFFFFFF) + item + Terminator, {}},
        {"just above 64 KiB", QByteArray(1, '\0') + LE32(65537) + QByteArray(65537, '\0'), {}},
        {"fewer bytes than counted", QByteArray(1, '\0') + LE32(12) + item + Terminator, {}},
        {"an item running past the count", QByteArray(1, '\0') + LE32(6) + QByteArray::fromHex("0900") + "ab" + Terminator, {}},
        {"an item count of 1", QByteArray(1, '\0') + LE32(6) + QByteArray::fromHex("0100") + "ab" + Terminator, {}},
        {"no terminator", QByteArray(1, '\0') + LE32(6) + item + "zz", {}},
        {"items ending before the terminator", QByteArray(1, '\0') + LE32(8) + item + Terminator + Terminator, {}},
        {"an unknown kind", QByteArray::fromHex("0211"), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPTShellLocator locator;
        locator.SetPidl(Parsed("a").get());
        ReadFrom(c.Record, locator);
        if (c.Pidl.isEmpty()) {
            EXPECT_EQ(locator.Kind(), lkSpecialFolder);
            EXPECT_EQ(locator.SpecialFolder(), csidlDesktop);
        } else {
            EXPECT_EQ(locator.Kind(), lkPidl);
            EXPECT_EQ(PidlBytes(locator.GetPidl()), c.Pidl);
        }
    }
}
