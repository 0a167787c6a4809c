// The system image list routines: icons and type names of paths and of names that do not exist.
#include "shell/system_icons.h"

#include "platform/shellapi/file_info.h"
#include "platform/shellapi/system_image_list.h"

#include "support/temp_tree.h"

#include <gtest/gtest.h>

using namespace win;

TEST(SystemIcons, NamesThatDoNotExistGetTheIconsOfTheirKind)
{
    TTempTree tree;
    tree.File("notes.txt", "text\n");
    tree.Folder("folder");
    QString existingType, missingType;
    const int existing = GetFileIconIndexAndType(tree.Path("notes.txt"), FILE_ATTRIBUTE_NORMAL, existingType, 0);
    const int missing = GetFileIconIndexAndType("xxKelxx/report.txt", FILE_ATTRIBUTE_NORMAL, missingType, 0);
    EXPECT_GT(existing, 0);
    EXPECT_EQ(missing, existing);
    EXPECT_FALSE(missingType.isEmpty());
    EXPECT_EQ(missingType, existingType);
    EXPECT_EQ(GetFileIconIndex("xxKelxx/report.txt", FILE_ATTRIBUTE_NORMAL, 0), existing);

    const int folder = GetFileIconIndex("xxKelxx", FILE_ATTRIBUTE_DIRECTORY, 0);
    const int open = GetFileIconIndex("xxKelxx", FILE_ATTRIBUTE_DIRECTORY, 1);
    EXPECT_NE(folder, open);
    EXPECT_GT(folder, 0);
    EXPECT_GT(open, 0);
    // An existing folder is asked by its path, where the open-folder kind does not apply.
    EXPECT_EQ(GetFileIconIndex(tree.Path("folder"), 0, 0), folder);
    EXPECT_EQ(GetFileIconIndex(tree.Path("folder"), 0, 1), folder);
    QString folderType;
    GetFileIconIndexAndType("xxKelxx", FILE_ATTRIBUTE_DIRECTORY, folderType, 0);
    EXPECT_EQ(folderType, QStringLiteral("Folder"));

    EXPECT_EQ(GetFileIconIndex("archive.unknownext", FILE_ATTRIBUTE_NORMAL, 0), SystemIconIndex(TSystemIcon::File));
    EXPECT_EQ(GetFileIconIndex("xxKelxx/report.txt", FILE_ATTRIBUTE_NORMAL, 0), missing); // stable

    TImageList small, large;
    small.ShareImages = large.ShareImages = true;
    small.SetHandle(GetSystemImageList(false));
    large.SetHandle(GetSystemImageList(true));
    EXPECT_EQ(small.Width(), 16);
    EXPECT_EQ(large.Width(), 32);
    for (const int index : {existing, folder, open}) {
        EXPECT_FALSE(small.GetImage(index).isNull());
        EXPECT_FALSE(large.GetImage(index).isNull());
    }
}
