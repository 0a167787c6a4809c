// TPTShellList columns: the Size, Type and Modified texts, widths carried from list to list and
// taken from "DirectoryCols", the layout stream, and sorting by each column and by header clicks.
#include "shell/shell_list.h"

#include "platform/rtl/streams.h"

#include "support/format_settings_scope.h"
#include "support/registry_scope.h"
#include "support/temp_tree.h"
#include "directory_cols_value.h"

#include <QDateTime>
#include <QFile>
#include <gtest/gtest.h>
#include <time.h>

namespace {

class TTestShellList : public TPTShellList {
public:
    using TPTCustomShellList::ColumnClick;
};

// A list created over Folder (no watcher).
struct TShownList {
    TTestShellList List;
    explicit TShownList(const QString& Folder)
    {
        List.SetOptions(List.Options() & ~ptsloDynamicRefresh);
        List.SetViewStyle(vsReport);
        List.CreateWnd();
        List.Folder()->SetPath(Folder);
    }
    QStringList Names() const
    {
        QStringList names;
        for (int index = 0; index < List.Count(); ++index)
            names.append(List.GetItemData(index)->GetFileName());
        return names;
    }
    std::vector<int> Widths() const
    {
        std::vector<int> widths;
        for (int index = 0; index < List.ColumnCount(); ++index)
            widths.push_back(List.ColumnWidth(index));
        return widths;
    }
};

void SetTime(const QString& Path, qint64 SecsSinceEpoch)
{
    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::fromSecsSinceEpoch(SecsSinceEpoch, Qt::UTC),
                                 QFileDevice::FileModificationTime));
}

// Sets TZ for the scope's lifetime.
class TimeZoneScope {
public:
    explicit TimeZoneScope(const char* Zone) : saved_(qgetenv("TZ")), had_(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", Zone);
        tzset();
    }
    ~TimeZoneScope()
    {
        if (had_)
            qputenv("TZ", saved_);
        else
            qunsetenv("TZ");
        tzset();
    }
    TimeZoneScope(const TimeZoneScope&) = delete;
    TimeZoneScope& operator=(const TimeZoneScope&) = delete;

private:
    QByteArray saved_;
    bool had_;
};

QByteArray Words(std::initializer_list<quint16> Values)
{
    QByteArray data;
    for (const quint16 value : Values)
        data.append(char(value & 0xFF)).append(char(value >> 8));
    return data;
}

} // namespace

TEST(ShellListColumns, SizeAndTypeTexts)
{
    FormatSettingsScope formats;
    TTempTree tree;
    const struct {
        const char* Name;
        qint64 Size;
        const char* Text;
    } sizes[] = {{"empty", 0, "0KB"}, {"one", 1, "1KB"}, {"kilo", 1024, "1KB"}, {"more", 1025, "2KB"},
                 {"huge", 5LL << 30, "5,242,880KB"}};
    for (const auto& s : sizes) {
        tree.File(s.Name, "");
        ASSERT_TRUE(QFile::resize(tree.Path(s.Name), s.Size)); // sparse
    }
    tree.Folder("folder");
    TShownList shown(tree.Path());
    auto data = [&](const QString& Name) {
        return shown.List.GetItemData(int(shown.Names().indexOf(Name)));
    };
    for (const auto& s : sizes)
        EXPECT_EQ(data(s.Name)->DetailText(1), s.Text) << s.Name;
    EXPECT_EQ(data("folder")->GetSizeText(), "");
    EXPECT_FALSE(data("folder")->GetTypeText().isEmpty());
    EXPECT_FALSE(data("one")->GetTypeText().isEmpty());
    EXPECT_EQ(data("one")->DetailText(2), data("one")->GetTypeText());
    EXPECT_EQ(data("one")->DetailText(0), "");
    EXPECT_EQ(data("one")->DetailText(4), "");
}

TEST(ShellListColumns, ModifiedIsTheLocalTimeOfTheTimeZone)
{
    FormatSettingsScope formats;
    TTempTree tree;
    tree.File("one", "");
    SetTime(tree.Path("one"), 1577934240); // 2020-01-02 03:04 UTC
    const struct {
        const char* Zone;
        const char* Text;
    } zones[] = {{"UTC0", "1/2/2020 3:04 AM"}, {"AEST-10", "1/2/2020 1:04 PM"}, {"EST5", "1/1/2020 10:04 PM"}};
    for (const auto& z : zones) {
        TimeZoneScope zone(z.Zone);
        TShownList shown(tree.Path());
        ASSERT_EQ(shown.List.Count(), 1);
        EXPECT_EQ(shown.List.GetItemData(0)->DetailText(3), z.Text) << z.Zone;
    }
}

TEST(ShellListColumns, AnItemOutsideTheFileSystemIsASystemFolder)
{
    TShownList desktop({});
    desktop.List.Fill();
    int outside = 0;
    for (int index = 0; index < desktop.List.Count(); ++index) {
        TPTShListData* data = desktop.List.GetItemData(index);
        if (data->IsFileSystem()) {
            EXPECT_NE(data->GetTypeText(), "System Folder") << data->GetPath().toStdString();
        } else {
            ++outside;
            EXPECT_EQ(data->GetTypeText(), "System Folder");
            EXPECT_EQ(data->GetSizeText(), "");
        }
    }
    EXPECT_GE(outside, 1) << "the desktop shows Computer";
}

TEST(ShellListColumns, WidthsCarryToTheNextListUnlessDirectoryColsChanged)
{
    TRegistryScope registry;
    TTempTree tree;
    tree.File("a");
    {
        TShownList first(tree.Path());
        ASSERT_EQ(first.List.ColumnCount(), 4);
        EXPECT_EQ(first.List.Column(0).Caption, "Name");
        EXPECT_EQ(first.List.Column(1).Alignment, taRightJustify);
        first.List.SetColumnWidth(0, 333);
    } // closing the list keeps its widths
    TShownList second(tree.Path());
    EXPECT_EQ(second.Widths()[0], 333);

    WriteDirectoryCols(Words({210, 70, 110, 130, 50, 0, 0, 0, 0, 0, 0}));
    second.List.Fill();
    EXPECT_EQ(second.Widths(), (std::vector<int>{210, 70, 110, 130}));
    second.List.SetColumnWidth(0, 444);
    second.List.Fill(); // the same registry data: the layout wins
    EXPECT_EQ(second.Widths()[0], 444);

    WriteDirectoryCols(Words({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})); // 24 bytes: ignored
    second.List.Fill();
    EXPECT_EQ(second.Widths(), (std::vector<int>{200, 60, 100, 120}));
}

TEST(ShellListColumns, LayoutStreamBytes)
{
    TTempTree tree;
    TShownList shown(tree.Path());
    const std::vector<int> widths{201, 61, 101, 121};
    for (int index = 0; index < 4; ++index)
        shown.List.SetColumnWidth(index, widths[std::size_t(index)]);
    TMemoryStream stream;
    stream.Write("garbage-that-goes", 17);
    shown.List.SaveColumnLayout(stream);
    const QByteArray expected = QByteArray::fromHex("04000000c90000003d0000006500000079000000");
    EXPECT_EQ(QByteArray(stream.Memory(), int(stream.Size())), expected);

    // A stream that claims four widths but holds two sets only those.
    TMemoryStream shortStream;
    const QByteArray partial = QByteArray::fromHex("040000002c01000037000000");
    shortStream.Write(partial.constData(), partial.size());
    shown.List.LoadColumnLayout(shortStream);
    EXPECT_EQ(shown.Widths(), (std::vector<int>{300, 55, 101, 121}));
}

TEST(ShellListColumns, SortsByEachColumnBothWaysFoldersFirst)
{
    TTempTree tree;
    tree.File("a.txt", QByteArray(3000, 'x'));
    tree.File("b.png", QByteArray(10, 'x'));
    tree.File("c.txt", QByteArray(2000, 'x'));
    tree.Folder("z");
    SetTime(tree.Path("a.txt"), 3000000);
    SetTime(tree.Path("b.png"), 1000000);
    SetTime(tree.Path("c.txt"), 2000000);
    TShownList shown(tree.Path());
    EXPECT_EQ(shown.List.SignedSortColumn(), 1);
    const struct {
        int Column;
        QStringList Expected;
    } cases[] = {
        {1, {"z", "a.txt", "b.png", "c.txt"}},
        {-1, {"c.txt", "b.png", "a.txt", "z"}},
        {2, {"z", "b.png", "c.txt", "a.txt"}},
        {-2, {"a.txt", "c.txt", "b.png", "z"}},
        {4, {"z", "b.png", "c.txt", "a.txt"}},
        {-4, {"a.txt", "c.txt", "b.png", "z"}},
    };
    for (const auto& c : cases) {
        shown.List.SetSignedSortColumn(c.Column);
        EXPECT_EQ(shown.Names(), c.Expected) << c.Column;
        EXPECT_EQ(shown.List.SortColumn(), std::abs(c.Column) - 1);
        EXPECT_EQ(shown.List.SortDirection(), c.Column > 0 ? 1 : 0);
    }
    // Type sorts too (by the type, then by name).
    shown.List.SetSignedSortColumn(3);
    EXPECT_EQ(shown.Names().first(), "z");
}

TEST(ShellListColumns, ASortOnAColumnTheFolderLacksStartsOverOnTheFirst)
{
    TTempTree tree;
    tree.File("a");
    TShownList shown(tree.Path());
    for (const int column : {5, -5}) {
        shown.List.SetSignedSortColumn(column);
        shown.List.Fill();
        EXPECT_EQ(shown.List.SignedSortColumn(), 1) << column;
    }
    shown.List.SetSignedSortColumn(-3);
    shown.List.Fill();
    EXPECT_EQ(shown.List.SignedSortColumn(), -3);
}

TEST(ShellListColumns, HeaderClicksToggleUnlessTheHandlerSorts)
{
    TTempTree tree;
    tree.File("a");
    tree.File("b");
    TShownList shown(tree.Path());
    shown.List.ColumnClick(0);
    EXPECT_EQ(shown.List.SignedSortColumn(), -1);
    EXPECT_EQ(shown.Names(), (QStringList{"b", "a"}));
    shown.List.ColumnClick(0);
    EXPECT_EQ(shown.List.SignedSortColumn(), 1);
    shown.List.ColumnClick(1);
    EXPECT_EQ(shown.List.SignedSortColumn(), 2);

    shown.List.OnColumnClick = [&](TObject*, int) { shown.List.SetSignedSortColumn(-4); };
    shown.List.ColumnClick(0);
    EXPECT_EQ(shown.List.SignedSortColumn(), -4);
}
