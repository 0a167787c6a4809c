// The shell namespace over temporary trees: paths and lists both ways, enumeration, order,
// attributes, names, links, the desktop and Computer, special folders, and bad input.
#include "platform/shellapi/namespace_folders.h"
#include "platform/shellapi/shell_item.h"
#include "platform/shellapi/special_folders.h"
#include "platform/system/name_encoding.h"

#include "support/shell_fixtures.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace win;

namespace {

Ref<IShellFolder> Desktop()
{
    Ref<IShellFolder> desktop;
    EXPECT_EQ(SHGetDesktopFolder(&desktop), S_OK);
    return desktop;
}

TPidl Parse(const QString& Path, HRESULT* Result = nullptr)
{
    LPITEMIDLIST pidl = nullptr;
    const HRESULT result = Desktop()->ParseDisplayName(nullptr, Path, &pidl, nullptr);
    if (Result)
        *Result = result;
    else
        EXPECT_EQ(result, S_OK) << Path.toStdString();
    return TPidl(pidl);
}

Ref<IShellFolder> Bind(const QString& Path)
{
    const TPidl pidl = Parse(Path);
    Ref<IShellFolder> folder;
    EXPECT_EQ(Desktop()->BindToObject(pidl.get(), &folder), S_OK) << Path.toStdString();
    return folder;
}

// Every child the enumeration hands out, one at a time.
std::vector<TPidl> Children(IShellFolder* Folder, DWORD Flags)
{
    Ref<IEnumIDList> items;
    EXPECT_EQ(Folder->EnumObjects(nullptr, Flags, &items), S_OK);
    std::vector<TPidl> children;
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &item, &fetched) == S_OK) {
        EXPECT_EQ(fetched, 1u);
        children.emplace_back(item);
    }
    EXPECT_EQ(fetched, 0u);
    return children;
}

QString Name(IShellFolder* Folder, LPCITEMIDLIST Pidl, DWORD Flags = SHGDN_INFOLDER)
{
    QString name;
    EXPECT_EQ(Folder->GetDisplayNameOf(Pidl, Flags, &name), S_OK);
    return name;
}

QStringList Names(IShellFolder* Folder, DWORD Flags)
{
    QStringList names;
    for (const TPidl& child : Children(Folder, Flags))
        names.append(Name(Folder, child.get()));
    return names;
}

ULONG Attributes(IShellFolder* Folder, LPCITEMIDLIST Pidl, ULONG Request)
{
    ULONG attributes = Request;
    EXPECT_EQ(Folder->GetAttributesOf({&Pidl, 1}, &attributes), S_OK);
    return attributes;
}

// The child of Folder called Name.
TPidl Child(IShellFolder* Folder, const QString& Name)
{
    LPITEMIDLIST pidl = nullptr;
    EXPECT_EQ(Folder->ParseDisplayName(nullptr, Name, &pidl, nullptr), S_OK) << Name.toStdString();
    return TPidl(pidl);
}

int Order(IShellFolder* Folder, int Column, LPCITEMIDLIST A, LPCITEMIDLIST B)
{
    const HRESULT result = Folder->CompareIDs(Column, A, B);
    EXPECT_TRUE(SUCCEEDED(result));
    return std::int16_t(LOWORD(result));
}

void Touch(const QString& Path, std::int64_t Seconds)
{
    const struct timespec times[2] = {{Seconds, 0}, {Seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, EncodeName(Path).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
}

// Only "/" is a volume, so a path's list is Computer, "/" and its names.
class ShellNamespace : public ::testing::Test {
protected:
    TTempTree tree;
    TMountTableScope mounts{tree.Path("mounts"), MountLine(1, "/", "ext4", "/dev/sda1")};
};

} // namespace

TEST_F(ShellNamespace, PathsBecomeListsAndBackByteForByte)
{
    QByteArray deep = EncodeName(tree.Path());
    while (deep.size() < 3900)
        deep += '/' + QByteArray(150, 'd');
    ASSERT_EQ(QDir().mkpath(DecodeName(deep)), true);
    const QByteArray latin1 = EncodeName(tree.Path()) + "/caf\xe9 \xff";
    ASSERT_EQ(::mkdir(latin1.constData(), 0755), 0);
    tree.File("a b/c d.txt");

    for (const QString& path : {tree.Path("a b/c d.txt"), tree.Path("a b"), DecodeName(latin1), DecodeName(deep),
                                QStringLiteral("/")}) {
        SCOPED_TRACE(path.left(80).toStdString());
        const TPidl pidl = Parse(path);
        QString back;
        ASSERT_TRUE(SHGetPathFromIDList(pidl.get(), &back));
        EXPECT_EQ(EncodeName(back), EncodeName(path));
        EXPECT_EQ(Name(Desktop().get(), pidl.get(), SHGDN_FORPARSING), path);
        QList<TShellItem> items;
        ASSERT_TRUE(DecodeItems(pidl.get(), items));
        ASSERT_GE(items.size(), 2);
        EXPECT_EQ(items[0].Kind, TShellItem::ikRoot);
        EXPECT_EQ(items[1].MountPath, "/");
        EXPECT_EQ(items.size(), 2 + EncodeName(path).count('/') - (path == QLatin1String("/")));
    }

    // "." and ".." and doubled slashes are taken as the text says.
    EXPECT_EQ(PidlBytes(Parse(tree.Path("a b/./..//a b/c d.txt")).get()), PidlBytes(Parse(tree.Path("a b/c d.txt")).get()));

    // Beyond PATH_MAX a path is refused, never cut short.
    QByteArray tooLong = deep;
    while (tooLong.size() < 5000)
        tooLong += "/x";
    HRESULT result;
    EXPECT_EQ(Parse(DecodeName(tooLong), &result), nullptr);
    EXPECT_EQ(result, E_INVALIDARG);
}

TEST_F(ShellNamespace, BadInputGetsAnErrorNeverACrash)
{
    tree.File("file.txt");
    const struct {
        QString Text;
        HRESULT Result;
    } texts[] = {
        {tree.Path("missing"), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)},
        {tree.Path("file.txt/below"), HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)},
        {QStringLiteral("relative/path"), E_INVALIDARG},
        {QString(), E_INVALIDARG},
        {QStringLiteral("/.."), E_INVALIDARG},
    };
    for (const auto& t : texts) {
        HRESULT result;
        EXPECT_EQ(Parse(t.Text, &result), nullptr) << t.Text.toStdString();
        EXPECT_EQ(result, t.Result) << t.Text.toStdString();
    }
    EXPECT_EQ(Desktop()->ParseDisplayName(nullptr, tree.Path(), nullptr, nullptr), E_INVALIDARG);

    // Lists whose counts run past their block, and lists of items that do not follow one another.
    const TPidl good = Parse(tree.Path("file.txt"));
    QByteArray cut = PidlBytes(good.get());
    cut.chop(6);
    const QByteArray file = TShellItem{TShellItem::ikFile, 0, 0, {}, 0, 1, 2, "x"}.Encode();
    const QByteArray computer = QByteArray::fromHex("04001001");
    const TPidl bad[] = {RawPidl(cut), RawPidl(QByteArray::fromHex("ff00100100 00")),
                         RawPidl(computer + computer + QByteArray(2, '\0')),
                         RawPidl(file + file + QByteArray(2, '\0'))};
    const Ref<IShellFolder> desktop = Desktop();
    for (const TPidl& pidl : bad) {
        SCOPED_TRACE(PidlBytes(pidl.get()).toHex().toStdString());
        Ref<IShellFolder> folder;
        EXPECT_EQ(desktop->BindToObject(pidl.get(), &folder), E_INVALIDARG);
        QString name;
        EXPECT_EQ(desktop->GetDisplayNameOf(pidl.get(), SHGDN_NORMAL, &name), E_INVALIDARG);
        EXPECT_EQ(desktop->CompareIDs(0, pidl.get(), good.get()), E_INVALIDARG);
        LPCITEMIDLIST item = pidl.get();
        ULONG attributes = SFGAO_FOLDER;
        EXPECT_EQ(desktop->GetAttributesOf({&item, 1}, &attributes), E_INVALIDARG);
        QString path;
        EXPECT_FALSE(SHGetPathFromIDList(pidl.get(), &path));
    }
    Ref<IShellFolder> folder;
    EXPECT_EQ(desktop->BindToObject(nullptr, &folder), E_INVALIDARG);
    EXPECT_EQ(desktop->BindToObject(good.get(), &folder), E_NOINTERFACE);
    QString name;
    EXPECT_EQ(desktop->GetDisplayNameOf(nullptr, SHGDN_NORMAL, &name), E_INVALIDARG);
}

TEST_F(ShellNamespace, EnumerationListsWhatItIsAskedFor)
{
    tree.File("folder/visible.txt");
    tree.File("folder/.hidden");
    tree.Folder("folder/sub");
    tree.Folder("folder/.git");
    tree.File("folder/A");
    tree.File("folder/a");
    const Ref<IShellFolder> folder = Bind(tree.Path("folder"));

    EXPECT_EQ(Names(folder.get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS), (QStringList{"A", "a", "sub", "visible.txt"}));
    EXPECT_EQ(Names(folder.get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN),
              (QStringList{".git", ".hidden", "A", "a", "sub", "visible.txt"}));
    EXPECT_EQ(Names(folder.get(), SHCONTF_FOLDERS), (QStringList{"sub"}));
    EXPECT_EQ(Names(folder.get(), SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN), (QStringList{".hidden", "A", "a", "visible.txt"}));

    // Several at once, the end reported with S_FALSE, Skip and Reset.
    Ref<IEnumIDList> items;
    ASSERT_EQ(folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items), S_OK);
    LPITEMIDLIST got[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(items->Skip(2), S_OK);
    EXPECT_EQ(items->Next(3, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(Name(folder.get(), got[0]), QStringLiteral("sub"));
    CoTaskMemFree(got[0]);
    CoTaskMemFree(got[1]);
    EXPECT_EQ(items->Reset(), S_OK);
    EXPECT_EQ(items->Next(1, got, nullptr), S_OK);
    EXPECT_EQ(Name(folder.get(), got[0]), QStringLiteral("A"));
    CoTaskMemFree(got[0]);

    // A folder that is gone cannot be listed.
    const Ref<IShellFolder> gone = Bind(tree.Path("folder/sub"));
    ASSERT_EQ(::rmdir(EncodeName(tree.Path("folder/sub")).constData()), 0);
    EXPECT_EQ(gone->EnumObjects(nullptr, SHCONTF_FOLDERS, &items), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
}

TEST_F(ShellNamespace, ItemsOrderFoldersFirstThenByNameAndAreEqualOnlyToThemselves)
{
    tree.File("f/a", "12345");
    tree.File("f/A", "1");
    tree.File("f/b.txt", "123");
    tree.Folder("f/z");
    Touch(tree.Path("f/a"), 1000);
    Touch(tree.Path("f/A"), 3000);
    Touch(tree.Path("f/b.txt"), 2000);
    const Ref<IShellFolder> folder = Bind(tree.Path("f"));
    const TPidl a = Child(folder.get(), "a"), A = Child(folder.get(), "A"), b = Child(folder.get(), "b.txt"),
                z = Child(folder.get(), "z");

    EXPECT_NE(Order(folder.get(), 0, a.get(), A.get()), 0);
    EXPECT_EQ(Order(folder.get(), 0, a.get(), A.get()), -Order(folder.get(), 0, A.get(), a.get()));
    EXPECT_EQ(Order(folder.get(), 0, a.get(), Child(folder.get(), "a").get()), 0);
    EXPECT_LT(Order(folder.get(), 0, z.get(), a.get()), 0); // folders first
    EXPECT_LT(Order(folder.get(), 0, A.get(), b.get()), 0);
    EXPECT_LT(Order(folder.get(), 1, A.get(), b.get()), 0); // size 1 < 3
    EXPECT_GT(Order(folder.get(), 1, a.get(), b.get()), 0); // size 5 > 3
    EXPECT_LT(Order(folder.get(), 3, a.get(), b.get()), 0); // time 1000 < 2000
    EXPECT_GT(Order(folder.get(), 3, A.get(), b.get()), 0);
    EXPECT_LT(Order(folder.get(), 1, z.get(), A.get()), 0); // folders first in every column

    // Deeper lists compare item by item, the shorter first when one holds the other.
    const TPidl deep = Parse(tree.Path("f/z")), deeper = Parse(tree.Path("f/z")), file = Parse(tree.Path("f/a"));
    tree.File("f/z/inner");
    const TPidl inner = Parse(tree.Path("f/z/inner"));
    EXPECT_EQ(Order(Desktop().get(), 0, deep.get(), deeper.get()), 0);
    EXPECT_LT(Order(Desktop().get(), 0, deep.get(), inner.get()), 0);
    EXPECT_LT(Order(Desktop().get(), 0, inner.get(), file.get()), 0);
}

TEST_F(ShellNamespace, AnUnchangedEntryKeepsItsBytesAChangedOneDoesNot)
{
    tree.File("f/same.txt", "abc");
    tree.Folder("f/sub");
    Touch(tree.Path("f/same.txt"), 5000);
    const Ref<IShellFolder> folder = Bind(tree.Path("f"));
    const auto bytesOf = [&](const QString& Name) {
        for (const TPidl& child : Children(folder.get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS))
            if (::Name(folder.get(), child.get()) == Name)
                return PidlBytes(child.get());
        return QByteArray();
    };
    const QByteArray first = bytesOf("same.txt");
    EXPECT_EQ(bytesOf("same.txt"), first);
    EXPECT_EQ(PidlBytes(Child(folder.get(), "same.txt").get()), first);

    Touch(tree.Path("f/same.txt"), 5001);
    const QByteArray touched = bytesOf("same.txt");
    EXPECT_NE(touched, first);
    tree.File("f/same.txt", "abcd");
    Touch(tree.Path("f/same.txt"), 5001);
    EXPECT_NE(bytesOf("same.txt"), touched);

    // Kind changes: the file becomes a folder of the same name.
    const QByteArray asFile = bytesOf("same.txt");
    ASSERT_EQ(::unlink(EncodeName(tree.Path("f/same.txt")).constData()), 0);
    tree.Folder("f/same.txt");
    EXPECT_NE(bytesOf("same.txt"), asFile);
    EXPECT_NE(Order(folder.get(), 0, RawPidl(asFile).get(), Child(folder.get(), "same.txt").get()), 0);
}

TEST_F(ShellNamespace, AttributesSayWhatAnItemIsAndWhatMayBeDone)
{
    tree.File("f/plain.txt");
    tree.File("f/.dot");
    tree.File("f/tool.sh");
    ::chmod(EncodeName(tree.Path("f/tool.sh")).constData(), 0755);
    tree.File("f/locked.txt");
    ::chmod(EncodeName(tree.Path("f/locked.txt")).constData(), 0444);
    tree.File("f/app.desktop", "[Desktop Entry]\nType=Application\nExec=true %F\n");
    tree.File("f/parent/child/x");
    tree.File("f/flat/only-a-file");
    tree.Link("f/to-parent", tree.Path("f/parent"));
    tree.Link("f/dangling", tree.Path("f/nowhere"));
    const Ref<IShellFolder> folder = Bind(tree.Path("f"));
    const ULONG all = 0xFFFFFFFF & ~SFGAO_VALIDATE;
    const ULONG fileBits = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANLINK | SFGAO_HASPROPSHEET | SFGAO_CANMOVE |
                           SFGAO_CANRENAME | SFGAO_CANDELETE;
    const ULONG folderBits = fileBits | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_DROPTARGET;
    const struct {
        const char* Name;
        ULONG Attributes;
    } cases[] = {
        {"plain.txt", fileBits},
        {".dot", fileBits | SFGAO_GHOSTED},
        {"tool.sh", fileBits | SFGAO_DROPTARGET},
        {"locked.txt", fileBits | SFGAO_READONLY},
        {"app.desktop", fileBits | SFGAO_DROPTARGET | SFGAO_LINK},
        {"parent", folderBits | SFGAO_HASSUBFOLDER},
        {"flat", folderBits},
        {"to-parent", folderBits | SFGAO_HASSUBFOLDER | SFGAO_LINK},
        {"dangling", fileBits | SFGAO_LINK},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Attributes(folder.get(), Child(folder.get(), c.Name).get(), all), c.Attributes) << c.Name;

    // Only what was asked for comes back, ANDed over several items.
    const TPidl plain = Child(folder.get(), "plain.txt"), parent = Child(folder.get(), "parent");
    LPCITEMIDLIST both[] = {plain.get(), parent.get()};
    ULONG asked = SFGAO_FOLDER | SFGAO_CANCOPY | SFGAO_SHARE;
    EXPECT_EQ(folder->GetAttributesOf(both, &asked), S_OK);
    EXPECT_EQ(asked, SFGAO_CANCOPY);

    // A link to a folder is browsed through its own path.
    Ref<IShellFolder> linked;
    ASSERT_EQ(folder->BindToObject(Child(folder.get(), "to-parent").get(), &linked), S_OK);
    EXPECT_EQ(Names(linked.get(), SHCONTF_FOLDERS), (QStringList{"child"}));
    EXPECT_EQ(Name(linked.get(), Child(linked.get(), "child").get(), SHGDN_FORPARSING), tree.Path("f/to-parent/child"));

    // An item that is gone fails validation.
    ULONG validate = SFGAO_VALIDATE | SFGAO_FOLDER;
    LPCITEMIDLIST item = plain.get();
    ASSERT_EQ(::unlink(EncodeName(tree.Path("f/plain.txt")).constData()), 0);
    EXPECT_EQ(folder->GetAttributesOf({&item, 1}, &validate), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
}

TEST_F(ShellNamespace, NamesOfEntries)
{
    const QByteArray odd = EncodeName(tree.Path()) + "/\xff odd.TXT";
    ASSERT_EQ(::close(::open(odd.constData(), O_CREAT | O_WRONLY, 0644)), 0);
    const Ref<IShellFolder> folder = Bind(tree.Path());
    const TPidl item = Child(folder.get(), DecodeName("\xff odd.TXT"));
    EXPECT_EQ(EncodeName(Name(folder.get(), item.get(), SHGDN_NORMAL)), "\xff odd.TXT");
    EXPECT_EQ(EncodeName(Name(folder.get(), item.get(), SHGDN_INFOLDER)), "\xff odd.TXT");
    EXPECT_EQ(EncodeName(Name(folder.get(), item.get(), SHGDN_FORPARSING)), odd);
    EXPECT_EQ(EncodeName(Name(folder.get(), item.get(), SHGDN_FORPARSING | SHGDN_INFOLDER)), "\xff odd.TXT");
    // The folder's own name, from an empty list.
    EXPECT_EQ(Name(folder.get(), RawPidl(QByteArray(2, '\0')).get(), SHGDN_FORPARSING), tree.Path());

    // Relative names parse below the folder only.
    tree.File("in/deeper.txt");
    EXPECT_EQ(Name(folder.get(), Child(folder.get(), "in/deeper.txt").get(), SHGDN_FORPARSING), tree.Path("in/deeper.txt"));
    for (const QString& text : {QStringLiteral("../x"), QStringLiteral("/abs"), QString()}) {
        LPITEMIDLIST pidl = nullptr;
        EXPECT_EQ(folder->ParseDisplayName(nullptr, text, &pidl, nullptr), E_INVALIDARG) << text.toStdString();
        EXPECT_EQ(pidl, nullptr);
    }
    // Attributes come with a parse when asked for.
    LPITEMIDLIST pidl = nullptr;
    ULONG attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM;
    EXPECT_EQ(folder->ParseDisplayName(nullptr, "in", &pidl, &attributes), S_OK);
    EXPECT_EQ(attributes, SFGAO_FOLDER | SFGAO_FILESYSTEM);
    CoTaskMemFree(pidl);
}

TEST_F(ShellNamespace, TheDesktopHoldsHomeComputerAndTheDesktopFolder)
{
    THomeScope home(tree.Path("home"));
    tree.File("home/Desktop/note.txt");
    tree.Folder("home/Desktop/Projects");
    tree.File("home/readme");
    const Ref<IShellFolder> desktop = Desktop();
    EXPECT_EQ(Names(desktop.get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS),
              (QStringList{"Home", "Computer", "Projects", "note.txt"}));
    EXPECT_EQ(Names(desktop.get(), SHCONTF_NONFOLDERS), (QStringList{"note.txt"}));

    QString path;
    EXPECT_TRUE(SHGetPathFromIDList(nullptr, &path));
    EXPECT_EQ(path, tree.Path("home/Desktop"));
    EXPECT_EQ(Name(desktop.get(), RawPidl(QByteArray(2, '\0')).get(), SHGDN_NORMAL), QStringLiteral("Desktop"));

    const std::vector<TPidl> children = Children(desktop.get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
    Ref<IShellFolder> homeFolder;
    ASSERT_EQ(desktop->BindToObject(children[0].get(), &homeFolder), S_OK);
    EXPECT_EQ(Names(homeFolder.get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS), (QStringList{"Desktop", "readme"}));
    EXPECT_TRUE(SHGetPathFromIDList(children[0].get(), &path));
    EXPECT_EQ(path, tree.Path("home"));
    EXPECT_FALSE(SHGetPathFromIDList(children[1].get(), &path));
    EXPECT_TRUE(path.isEmpty());
    EXPECT_TRUE(SHGetPathFromIDList(children[3].get(), &path));
    EXPECT_EQ(path, tree.Path("home/Desktop/note.txt"));
    EXPECT_EQ(Name(desktop.get(), children[1].get(), SHGDN_FORPARSING), QStringLiteral("::computer"));

    // Home can be copied and linked but never moved, renamed or deleted; so can Computer's volumes.
    const ULONG change = SFGAO_CANMOVE | SFGAO_CANRENAME | SFGAO_CANDELETE | SFGAO_CANCOPY;
    EXPECT_EQ(Attributes(desktop.get(), children[0].get(), change), SFGAO_CANCOPY);
    EXPECT_EQ(Attributes(desktop.get(), children[1].get(), change | SFGAO_FOLDER | SFGAO_FILESYSTEM), SFGAO_FOLDER);
    EXPECT_EQ(Order(desktop.get(), 0, children[0].get(), children[1].get()), -1);
    EXPECT_EQ(Order(desktop.get(), 0, children[1].get(), children[2].get()), -1);
}

TEST_F(ShellNamespace, ComputerListsTheVolumesInColumns)
{
    mounts.Write(MountLine(1, "/", "ext4", "/dev/sda1") + MountLine(2, "/mnt/data", "xfs", "/dev/sdb1"));
    LPITEMIDLIST drives = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives), S_OK);
    const TPidl owned(drives);
    EXPECT_EQ(PidlBytes(drives), QByteArray::fromHex("040010010000"));
    EXPECT_EQ(PidlBytes(Parse("::computer").get()), PidlBytes(drives));
    Ref<IShellFolder> computer;
    ASSERT_EQ(Desktop()->BindToObject(drives, &computer), S_OK);
    EXPECT_EQ(Names(computer.get(), SHCONTF_FOLDERS), (QStringList{"File System", "data"}));
    EXPECT_TRUE(Names(computer.get(), SHCONTF_NONFOLDERS).isEmpty());

    IShellFolder2* details = computer->Details();
    ASSERT_NE(details, nullptr);
    EXPECT_EQ(Bind(tree.Path())->Details(), nullptr);
    QStringList headings;
    SHELLDETAILS cell;
    for (UINT column = 0; details->GetDetailsOf(nullptr, column, &cell) == S_OK; ++column)
        headings.append(cell.str);
    EXPECT_EQ(headings, (QStringList{"Name", "Type", "Total Size", "Free Space", "File System"}));
    DWORD state = 0;
    for (UINT column = 0; column < 4; ++column) {
        ASSERT_EQ(details->GetDefaultColumnState(column, &state), S_OK);
        EXPECT_TRUE(state & SHCOLSTATE_ONBYDEFAULT) << column;
    }
    ASSERT_EQ(details->GetDefaultColumnState(4, &state), S_OK);
    EXPECT_FALSE(state & SHCOLSTATE_ONBYDEFAULT);
    EXPECT_EQ(details->GetDefaultColumnState(5, &state), E_INVALIDARG);

    const std::vector<TPidl> volumes = Children(computer.get(), SHCONTF_FOLDERS);
    QStringList cells;
    for (UINT column = 0; column < 5; ++column) {
        ASSERT_EQ(details->GetDetailsOf(volumes[0].get(), column, &cell), S_OK);
        cells.append(cell.str);
    }
    EXPECT_EQ(cells[0], QStringLiteral("File System"));
    EXPECT_EQ(cells[1], QStringLiteral("Local Disk"));
    EXPECT_FALSE(cells[2].isEmpty()); // "/" has a size
    EXPECT_EQ(cells[4], QStringLiteral("ext4"));
    EXPECT_EQ(Name(computer.get(), volumes[1].get(), SHGDN_FORPARSING), QStringLiteral("/mnt/data"));
    EXPECT_EQ(Attributes(computer.get(), volumes[1].get(), SFGAO_CANDELETE | SFGAO_CANRENAME | SFGAO_DROPTARGET),
              SFGAO_DROPTARGET);
    EXPECT_LT(Order(computer.get(), 0, volumes[1].get(), volumes[0].get()), 0); // "data" before "File System"
}

TEST_F(ShellNamespace, SpecialFoldersHaveTheirPlaces)
{
    THomeScope home(tree.Path("home"));
    TDataHomeScope data(tree.Path("data"));
    tree.Folder("home/Desktop");
    tree.Folder("home/Documents");
    EXPECT_EQ(SHGetSpecialFolderPath(CSIDL_DESKTOP), tree.Path("home/Desktop"));
    EXPECT_EQ(SHGetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY), tree.Path("home/Desktop"));
    EXPECT_EQ(SHGetSpecialFolderPath(CSIDL_PERSONAL), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    EXPECT_EQ(SHGetSpecialFolderPath(CSIDL_SENDTO), tree.Path("data/tarnwick-halyard/SendTo"));
    EXPECT_TRUE(QDir(tree.Path("data/tarnwick-halyard/SendTo")).exists()); // made on first use
    EXPECT_EQ(SHGetSpecialFolderPath(CSIDL_BITBUCKET), tree.Path("data/Trash/files"));
    EXPECT_EQ(SHGetSpecialFolderPath(CSIDL_FONTS), tree.Path("data/fonts"));
    EXPECT_EQ(SHGetSpecialFolderPath(CSIDL_DRIVES), QString());
    EXPECT_EQ(SHGetSpecialFolderPath(2), QString());

    const auto location = [](int Csidl, HRESULT Expected) {
        LPITEMIDLIST pidl = nullptr;
        EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, Csidl, &pidl), Expected) << Csidl;
        return TPidl(pidl);
    };
    EXPECT_EQ(PidlBytes(location(CSIDL_DESKTOP, S_OK).get()), QByteArray(2, '\0'));
    EXPECT_EQ(PidlBytes(location(CSIDL_DESKTOPDIRECTORY, S_OK).get()), PidlBytes(Parse(tree.Path("home/Desktop")).get()));
    EXPECT_EQ(PidlBytes(location(CSIDL_SENDTO, S_OK).get()), PidlBytes(Parse(tree.Path("data/tarnwick-halyard/SendTo")).get()));
    EXPECT_EQ(location(CSIDL_BITBUCKET, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)), nullptr); // no trash yet
    EXPECT_EQ(location(2, E_FAIL), nullptr);
}
