// SHGetFileInfo and the system image lists: icons by path, by name and by list, type names, and
// the lists' shared index space.
#include "platform/shellapi/file_info.h"

#include "platform/shellapi/shell_folder.h"
#include "platform/shellapi/system_image_list.h"

#include "support/shell_fixtures.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QMimeDatabase>
#include <algorithm>
#include <utility>

using namespace win;

namespace {

SHFILEINFO Info(const QString& Path, DWORD Attributes, UINT Flags, DWORD_PTR* Result = nullptr)
{
    SHFILEINFO info;
    const DWORD_PTR result = SHGetFileInfo(Path, Attributes, &info, Flags);
    if (Result)
        *Result = result;
    return info;
}

constexpr UINT ByName = SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME;

} // namespace

TEST(FileInfo, ANameThatDoesNotExistGetsTheIconAndTypeOfItsExtension)
{
    TTempTree tree;
    tree.File("notes.txt", "some text\n");
    const SHFILEINFO existing = Info(tree.Path("notes.txt"), 0, SHGFI_SYSICONINDEX | SHGFI_TYPENAME);
    const SHFILEINFO missing = Info(QStringLiteral("xxKelxx/report.txt"), FILE_ATTRIBUTE_NORMAL, ByName);
    EXPECT_GT(existing.iIcon, 0);
    EXPECT_EQ(missing.iIcon, existing.iIcon);
    EXPECT_FALSE(missing.szTypeName.isEmpty());
    EXPECT_EQ(missing.szTypeName, existing.szTypeName);
    EXPECT_EQ(missing.szTypeName, QMimeDatabase().mimeTypeForName("text/plain").comment().left(MaxTypeName));

    // An unknown extension gets the generic file icon; a folder name the folder icons.
    EXPECT_EQ(Info("a.qqzzxq", FILE_ATTRIBUTE_NORMAL, ByName).iIcon, SystemIconIndex(TSystemIcon::File));
    const int folder = Info("remote", FILE_ATTRIBUTE_DIRECTORY, ByName).iIcon;
    const int open = Info("remote", FILE_ATTRIBUTE_DIRECTORY, ByName | SHGFI_OPENICON).iIcon;
    EXPECT_EQ(folder, SystemIconIndex(TSystemIcon::Folder));
    EXPECT_EQ(open, SystemIconIndex(TSystemIcon::FolderOpen));
    EXPECT_NE(folder, open);
    EXPECT_EQ(Info("remote", FILE_ATTRIBUTE_DIRECTORY, ByName).szTypeName, QStringLiteral("Folder"));
    EXPECT_EQ(Info(tree.Path(), 0, SHGFI_SYSICONINDEX).iIcon, folder);
    EXPECT_EQ(Info(tree.Path(), 0, SHGFI_SYSICONINDEX | SHGFI_OPENICON).iIcon, open);
}

TEST(FileInfo, NamesOfOneEndingShareATypeUnlessAnotherPatternSaysMore)
{
    // Pairs of names with one ending, the second of which the database judges by more than its
    // ending (a whole name, a name's start, its last character) or by the case of its ending. Each
    // pair is asked in both orders, so that a remembered ending never answers for the other name.
    const QStringList pairs[] = {
        {"notes.txt", "CMakeLists.txt"}, {"x.am", "Makefile.am"},  {"b.md", "README.md"},
        {"x.gz", "foo.tar.gz"},          {"a.c", "a.C"},           {"new.txt", "old.txt~"},
        {"x.vdr", "001.vdr"},            {"y.1", "libx.so.1"},     {"x.build", "meson.build"},
        {"q.qqzzxq", "Q.QQZZXQ"},        {".profile", "a.profile"}, {"core", "Makefile"},
    };
    const auto expected = [](const QString& Name) {
        const QMimeType type = QMimeDatabase().mimeTypeForFile(Name, QMimeDatabase::MatchExtension);
        return std::pair{type.comment().left(MaxTypeName), MimeIconIndex(type)};
    };
    for (bool reversed : {false, true}) {
        for (QStringList pair : pairs) {
            if (reversed)
                std::reverse(pair.begin(), pair.end());
            for (const QString& name : pair) {
                SCOPED_TRACE(name.toStdString());
                const SHFILEINFO info = Info("xxKelxx/" + name, FILE_ATTRIBUTE_NORMAL, ByName);
                EXPECT_EQ(std::pair(info.szTypeName, info.iIcon), expected(name));
            }
        }
    }
}

TEST(FileInfo, IndexesAreStableNeverZeroAndSharedByBothSizes)
{
    TTempTree tree;
    TMountTableScope mounts(tree.Path("mounts"), MountLine(1, "/", "ext4", "/dev/sda1"));
    THomeScope home(tree.Path("home"));
    tree.Folder("home/Desktop");
    QList<int> indexes;
    for (const char* name : {"a.png", "b.html", "c.pdf", "d.zip", "e.txt", "f.png"})
        indexes.append(Info(name, FILE_ATTRIBUTE_NORMAL, ByName).iIcon);
    for (const TSystemIcon icon : {TSystemIcon::File, TSystemIcon::Folder, TSystemIcon::Computer, TSystemIcon::Home,
                                   TSystemIcon::Desktop, TSystemIcon::VolumeRoot, TSystemIcon::VolumeRemovable})
        indexes.append(SystemIconIndex(icon));
    for (const int index : indexes)
        EXPECT_GT(index, 2); // 0 blank, 1 and 2 the overlays
    EXPECT_EQ(indexes[0], indexes[5]);
    EXPECT_EQ(Info("a.png", FILE_ATTRIBUTE_NORMAL, ByName).iIcon, indexes[0]);

    TImageList small, large;
    small.ShareImages = large.ShareImages = true;
    DWORD_PTR smallList = 0, largeList = 0;
    Info(QString(), 0, SHGFI_SYSICONINDEX | SHGFI_SMALLICON, &smallList);
    Info(QString(), 0, SHGFI_SYSICONINDEX, &largeList);
    small.SetHandle(reinterpret_cast<HIMAGELIST>(smallList));
    large.SetHandle(reinterpret_cast<HIMAGELIST>(largeList));
    EXPECT_EQ(small.Width(), 16);
    EXPECT_EQ(large.Width(), 32);
    EXPECT_EQ(small.Count(), large.Count());
    const auto drawn = [](const QImage& Image) {
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x)
                if (Image.pixelColor(x, y).alpha() != 0)
                    return true;
        return false;
    };
    for (const int index : indexes) {
        // Without an icon theme the style's icons stand in: never a blank picture.
        EXPECT_TRUE(drawn(small.GetImage(index))) << index;
        EXPECT_TRUE(drawn(large.GetImage(index))) << index;
    }
    EXPECT_FALSE(drawn(small.GetImage(0)));
    EXPECT_EQ(small.OverlayImage(OverlayShared), 1);
    EXPECT_EQ(large.OverlayImage(OverlayLink), 2);
    EXPECT_EQ(small.GetImage(2).pixelColor(15, 0).alpha(), 0); // emblems only in the lower left

    // Places by path and by list: Home, the desktop, the root volume, Computer.
    EXPECT_EQ(Info(tree.Path("home"), 0, SHGFI_SYSICONINDEX).iIcon, SystemIconIndex(TSystemIcon::Home));
    EXPECT_EQ(Info(tree.Path("home/Desktop"), 0, SHGFI_SYSICONINDEX).iIcon, SystemIconIndex(TSystemIcon::Desktop));
    EXPECT_EQ(Info("/", 0, SHGFI_SYSICONINDEX).iIcon, SystemIconIndex(TSystemIcon::VolumeRoot));
    LPITEMIDLIST drives = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, 17, &drives), S_OK);
    const TPidl owned(drives);
    SHFILEINFO info;
    EXPECT_NE(SHGetFileInfo(drives, 0, &info, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_DISPLAYNAME), 0u);
    EXPECT_EQ(info.iIcon, SystemIconIndex(TSystemIcon::Computer));
    EXPECT_EQ(info.szTypeName, QStringLiteral("System Folder"));
    EXPECT_EQ(info.szDisplayName, QStringLiteral("Computer"));
}

TEST(FileInfo, WhatDoesNotExistFails)
{
    TTempTree tree;
    DWORD_PTR result = 1;
    const SHFILEINFO info = Info(tree.Path("missing.txt"), 0, SHGFI_SYSICONINDEX | SHGFI_TYPENAME, &result);
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(info.iIcon, 0);
    EXPECT_TRUE(info.szTypeName.isEmpty());
    Info(tree.Path("missing.txt"), 0, SHGFI_TYPENAME, &result);
    EXPECT_EQ(result, 0u);
    SHFILEINFO byList;
    EXPECT_EQ(SHGetFileInfo(RawPidl(QByteArray::fromHex("0500100100")).get(), 0, &byList, SHGFI_SYSICONINDEX), 0u);
    EXPECT_EQ(SHGetFileInfo(static_cast<LPCITEMIDLIST>(nullptr), 0, &byList, SHGFI_SYSICONINDEX), 0u);
}
