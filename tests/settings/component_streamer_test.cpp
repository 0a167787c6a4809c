// Storages, the component streamer, history lists and position stores.
#include "settings/component_position.h"
#include "settings/component_stream.h"
#include "settings/streamable_strings.h"

#include "persisted_types.h"
#include "platform/registry/reg_ini_file.h"
#include "platform/rtl/streams.h"
#include "platform/system/files.h"
#include "support/qt_printers.h"
#include "support/registry_scope.h"
#include "support/test_env.h"
#include "support/texts.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

const QString Key = "Software\\Tarnwick Software\\Halyard FTP 5\\Dialogs\\Search\\";

std::unique_ptr<TStringList> List(const QStringList& Lines)
{
    auto list = std::make_unique<TStringList>();
    for (const QString& line : Lines)
        list->Add(line);
    return list;
}

QString FileIn(const QString& Name)
{
    return testRunFolder() + "/" + Name;
}

QByteArray FileBytes(const QString& Name)
{
    QFile file(Name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A position store with a stored property of its own, as the settings object is.
class TCaptionedPosition : public TComponentPosition {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER Caption)
public:
    TCaptionedPosition(const QString& Key) : TComponentPosition(nullptr, skRegistry, Key, TDeferLoad{})
    {
        Caption = "set before loading";
        Load();
    }
    ~TCaptionedPosition() override { SaveOnDestroy(); }

    QString Caption;
};

} // namespace

TEST(StreamableStrings, TrimKeepsIndexesUpToMaxStringsWithoutEmptyLines)
{
    TRegistryScope scope;
    QStringList fifteen;
    for (int i = 0; i < 15; ++i)
        fifteen += QString::number(i);
    const struct {
        int max;
        QStringList lines;
        QStringList kept;
    } cases[] = {
        {10, fifteen, fifteen.mid(0, 11)},
        {10, {"", "a", "", "b", ""}, {"a", "b"}},
        {1, {"a", "", "b", "c"}, {"a"}}, // indexes count before empty lines go
        {0, {"a", "b"}, {"a"}},
    };
    TStreamableStrings history(nullptr, Key, nullptr);
    history.AutoSave = false;
    for (const auto& c : cases) {
        history.SetMaxStrings(c.max);
        history.SetStrings(List(c.lines).get());
        EXPECT_EQ(Lines(*history.Strings()), c.kept) << c.max;
    }
}

TEST(StreamableStrings, LoadsAfterTheInitialLinesAndKeepsItsMaximum)
{
    TRegistryScope scope;
    {
        TStreamableStrings history(nullptr, Key, List({"a", "", "b"}).get()); // nothing stored yet
        EXPECT_EQ(history.MaxStrings(), 10);
        EXPECT_EQ(Lines(*history.Strings()), (QStringList{"a", "b"}));
        history.Strings()->Insert(0, "new");
    }
    {
        TRegIniFile ini(Key);
        EXPECT_EQ(ini.ReadString("", "MaxStrings", {}), "10");
        EXPECT_EQ(ini.ReadString("Strings", "Strings0", {}), "new");
        EXPECT_EQ(ini.ReadString("Strings", "Strings2", {}), "b");
        ini.DeleteValue("MaxStrings"); // as an older version left it
    }
    {
        TStreamableStrings history(nullptr, Key, nullptr);
        EXPECT_EQ(history.MaxStrings(), 10);
        EXPECT_EQ(Lines(*history.Strings()), (QStringList{"new", "a", "b"}));
    }
    {
        TRegIniFile ini(Key);
        ini.WriteInteger("", "MaxStrings", 1);
    }
    TStreamableStrings history(nullptr, Key, List({"first"}).get());
    EXPECT_EQ(history.MaxStrings(), 1);
    EXPECT_EQ(Lines(*history.Strings()), (QStringList{"first", "new"}));
    history.AutoSave = false;
}

TEST(ComponentPosition, StartsAtZeroAndSavesWhenFreed)
{
    TRegistryScope scope;
    const QString key = "Software\\Tarnwick Software\\Halyard FTP 5\\Dialogs\\Servers\\";
    {
        TComponentPosition position(nullptr, skRegistry, key);
        EXPECT_EQ(position.Left() | position.Top() | position.Height() | position.Width(), 0);
        position.SetBounds(10, 20, 300, 400);
    }
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(key, false));
        TStringList names;
        reg.GetValueNames(names);
        EXPECT_EQ(Lines(names), (QStringList{"Left", "Top", "Height", "Width"}));
    }
    {
        TComponentPosition position(nullptr, skRegistry, key);
        EXPECT_EQ(position.Left(), 10);
        EXPECT_EQ(position.Top(), 20);
        EXPECT_EQ(position.Width(), 300);
        EXPECT_EQ(position.Height(), 400);
        position.SetLeft(-1);
        position.AutoSave = false; // freed without saving
    }
    TComponentPosition position(nullptr, skRegistry, key);
    EXPECT_EQ(position.Left(), 10);

    TComponentPosition copy;
    copy.Assign(&position);
    EXPECT_EQ(copy.Height(), 400);
    TStringList other;
    EXPECT_THROW(copy.Assign(&other), EConvertError);
    EXPECT_THROW(copy.Assign(nullptr), EConvertError);
}

TEST(ComponentPosition, DescendantLoadsAndSavesItsOwnPropertiesToo)
{
    TRegistryScope scope;
    {
        TCaptionedPosition position(Key);
        EXPECT_EQ(position.Caption, ""); // loading overwrites what the constructor set
        position.Caption = "Find";
        position.SetLeft(5);
    }
    TCaptionedPosition position(Key);
    EXPECT_EQ(position.Caption, "Find");
    EXPECT_EQ(position.Left(), 5);
}

TEST(ComponentPosition, FileStorageWritesTheComponentStream)
{
    TRegistryScope scope;
    const QString file = FileIn("position.cfg");
    {
        TComponentPosition position(nullptr, skFile, file);
        position.Name = "Pos";
        position.SetBounds(10, -2, 300, 70000);
    }
    static const char expected[] = "TPF0\x12TComponentPosition\x03Pos"
                                   "\x04Left\x02\x0A"
                                   "\x03Top\x02\xFE"
                                   "\x06Height\x04\x70\x11\x01\x00"
                                   "\x05Width\x03\x2C\x01"
                                   "\x00\x00";
    EXPECT_EQ(FileBytes(file), QByteArray(expected, sizeof expected - 1));
    TComponentPosition position(nullptr, skFile, file);
    EXPECT_EQ(position.Height(), 70000);
    EXPECT_EQ(position.Top(), -2);
    EXPECT_TRUE(position.GetKind());
    EXPECT_EQ(position.GetName(), file);
}

TEST(FileStorage, EveryKindComesBackAndDefaultsAreLeftOut)
{
    const QString file = FileIn("object.cfg");
    TTestObject object;
    object.Number = 3; // the declared default
    object.Flag = true;
    object.Mode = TTestObject::mdSecond;
    object.Text = QString("a") + QChar(0) + QChar(0xD800) + "\xFF";
    object.Nested.Host = "h";
    object.AddItem("B", 1);
    object.AddItem("", 2);
    object.Lines.SetText("x\n\nz\n");
    TStorageCfg2 storage(file);
    storage.Save(&object);
    EXPECT_FALSE(FileBytes(file).contains("Number"));
    EXPECT_TRUE(FileBytes(file).contains("\x04Mode\x07\x08mdSecond"));

    TTestObject loaded;
    loaded.Number = 8;
    loaded.AddItem("dropped", 5);
    loaded.Lines.Add("dropped");
    ASSERT_TRUE(storage.Load(&loaded));
    EXPECT_EQ(loaded.Number, 8); // left out, so unchanged
    EXPECT_TRUE(loaded.Flag);
    EXPECT_EQ(loaded.Mode, TTestObject::mdSecond);
    EXPECT_EQ(loaded.Text, object.Text);
    EXPECT_EQ(loaded.Nested.Host, "h");
    ASSERT_EQ(loaded.Items.Count(), 2);
    EXPECT_EQ(loaded.Item(0)->ItemName, "B");
    EXPECT_EQ(loaded.Item(1)->Port, 2);
    EXPECT_EQ(Lines(loaded.Lines), (QStringList{"x", "", "z"}));
}

TEST(FileStorage, MissingOrDamagedFilesLoadNothing)
{
    TTestObject object;
    object.Number = 12;
    object.Text = "text";
    object.AddItem("item", 1);
    object.Lines.Add("line");
    TMemoryStream stream;
    WriteComponentStream(stream, &object);
    const QByteArray whole(stream.Memory(), qsizetype(stream.Size()));

    // Every cut of the stream, a wrong signature and an unknown value type are refused whole.
    QByteArray wrongType = whole;
    wrongType[wrongType.indexOf("Number") + 6] = '\x05';
    QList<QByteArray> damaged = {"TPF1" + whole.mid(4), wrongType};
    for (qsizetype size = 0; size < whole.size(); ++size)
        damaged += whole.left(size);
    TTestObject target;
    target.Number = 1;
    for (const QByteArray& bytes : damaged) {
        TMemoryStream in;
        in.WriteBuffer(bytes.constData(), bytes.size());
        in.SetPosition(0);
        EXPECT_THROW(ReadComponentStream(in, &target), EReadError) << bytes.size();
        EXPECT_EQ(target.Number, 1);
        EXPECT_EQ(target.Items.Count(), 0);
        EXPECT_EQ(target.Text, "");
    }

    // The storage answers false for them, and for a missing file.
    EXPECT_FALSE(TStorageCfg2(FileIn("missing.cfg")).Load(&target));
    const QString file = FileIn("damaged.cfg");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(whole.left(whole.size() - 1));
    out.close();
    EXPECT_FALSE(TStorageCfg2(file).Load(&target));
    EXPECT_EQ(target.Number, 1);
}

TEST(FileStorage, ReadsTextsInEveryForm)
{
    // Lines as vaWString, vaString, vaLString and vaUTF8String; Number as vaInt16.
    static const char bytes[] = "TPF0\x0BTTestObject\x00"
                                "\x0DLines.Strings\x01"
                                "\x12\x01\x00\x00\x00w\x00"
                                "\x06\x01s"
                                "\x0C\x01\x00\x00\x00l"
                                "\x14\x02\x00\x00\x00\xC3\xA9"
                                "\x00"
                                "\x06Number\x03\x00\x80"
                                "\x00\x00";
    TMemoryStream stream;
    stream.WriteBuffer(bytes, sizeof bytes - 1);
    stream.SetPosition(0);
    TTestObject object;
    ReadComponentStream(stream, &object);
    EXPECT_EQ(Lines(object.Lines), (QStringList{"w", "s", "l", QString::fromUtf8("\xC3\xA9")}));
    EXPECT_EQ(object.Number, -32768);
}

TEST(ComponentStreamer, SavesAndLoadsOtherComponentsThroughItsStorage)
{
    TRegistryScope scope;
    TCustomComponentStreamer streamer(nullptr, skRegistry, Key);
    EXPECT_FALSE(streamer.GetKind());
    TTestObject object;
    object.Number = 6;
    streamer.SaveVia(&object);
    TTestObject loaded;
    EXPECT_TRUE(streamer.LoadVia(&loaded));
    EXPECT_EQ(loaded.Number, 6);

    streamer.SetKind(true);
    streamer.SetName(FileIn("via.cfg"));
    streamer.CreateStorage();
    streamer.SaveVia(&object);
    EXPECT_TRUE(FileExists(FileIn("via.cfg")));
}

TEST(ComponentStreamer, SaveFailureWhenFreedIsReportedNotThrown)
{
    TRegistryScope scope;
    {
        TComponentPosition position(nullptr, skFile, FileIn("no-such-folder/position.cfg"));
        position.SetLeft(1);
    }
    const QStringList messages = scope.TakeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Cannot create file")) << messages[0].toStdString();
}

TEST(ComponentStreamer, WithoutAStorageNameNothingIsSavedWhenFreed)
{
    TRegistryScope scope;
    {
        TComponentPosition position;
        position.SetBounds(1, 2, 3, 4);
    }
    TRegistry registry;
    TRegKeyInfo info;
    ASSERT_TRUE(registry.GetKeyInfo(info)); // of the root
    EXPECT_EQ(info.NumValues, 0);
    EXPECT_EQ(info.NumSubKeys, 0);
}

#include "component_streamer_test.moc"
