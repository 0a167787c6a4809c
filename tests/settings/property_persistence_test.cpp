// The registry form of published properties: the stored text, round trips of every kind, hand-edited
// values, collections (order, appending, renamed items) and string lists.
#include "settings/property_persistence.h"

#include "persisted_types.h"
#include "platform/registry/hive_store.h"
#include "platform/registry/reg_data.h"
#include "platform/registry/reg_ini_file.h"
#include "support/qt_printers.h"
#include "support/registry_scope.h"
#include "support/texts.h"

#include <gtest/gtest.h>

using namespace win;

namespace {

const QString Key = "Software\\Tarnwick Software\\Test\\";

QStringList ItemNames(const TTestObject& Object)
{
    QStringList names;
    for (int i = 0; i < Object.Items.Count(); ++i)
        names += Object.Item(i)->ItemName;
    return names;
}

QStringList SubKeys(const QString& Path)
{
    TRegIniFile ini(Path);
    TStringList names;
    ini.ReadSections(names);
    return Lines(names);
}

QStringList ValueNames(const QString& Path)
{
    TRegIniFile ini(Path);
    TStringList names;
    ini.ReadSection({}, names);
    return Lines(names);
}

void SetRaw(const QString& Name, DWORD Type, const QByteArray& Data)
{
    ASSERT_EQ(THiveStore::CurrentUser().SetValue(Key, Name, Type, Data), ERROR_SUCCESS);
}

// An object with known values of every kind.
void Fill(TTestObject& Object)
{
    Object.Number = -5;
    Object.Flag = true;
    Object.Mode = TTestObject::mdThird;
    Object.Text = "a\"b";
    Object.Big = 99;
    Object.Ratio = 2.5;
    Object.Name = "not stored";
    Object.Tag = 9;
    Object.Nested.Host = "h";
    Object.Nested.Retries = 2;
    Object.AddItem("B", 1);
    Object.AddItem("a", 2);
    Object.AddItem("", 3);
    Object.Lines.SetText("x\n\nz\n");
}

} // namespace

TEST(PropertyPersistence, StoredTextOfOneObject)
{
    TRegistryScope scope;
    TTestObject object;
    Fill(object);
    SavePropertiesToKey(&object, Key);
    EXPECT_EQ(scope.FileText(), QByteArray(R"(REGEDIT4

[HKEY_CURRENT_USER\Software]

[HKEY_CURRENT_USER\Software\Tarnwick Software]

[HKEY_CURRENT_USER\Software\Tarnwick Software\Test]
"Number"="-5"
"Flag"="1"
"Mode"="2"
"Text"="a\"b"

[HKEY_CURRENT_USER\Software\Tarnwick Software\Test\Items]

[HKEY_CURRENT_USER\Software\Tarnwick Software\Test\Items\a]
"ItemName"="a"
"Port"="2"

[HKEY_CURRENT_USER\Software\Tarnwick Software\Test\Items\B]
"ItemName"="B"
"Port"="1"

[HKEY_CURRENT_USER\Software\Tarnwick Software\Test\Items\TTestItem]
"ItemName"=""
"Port"="3"

[HKEY_CURRENT_USER\Software\Tarnwick Software\Test\Lines]
"Lines0"="x"
"Lines1"=""
"Lines2"="z"

[HKEY_CURRENT_USER\Software\Tarnwick Software\Test\Nested]
"Host"="h"
"Retries"="2"

)"));
}

TEST(PropertyPersistence, EveryKindComesBack)
{
    TRegistryScope scope;
    const QString text = AllLatin1Characters();
    {
        TTestObject object;
        Fill(object);
        object.Text = text;
        SavePropertiesToKey(&object, Key);
    }
    scope.Reload();
    TTestObject object;
    LoadPropertiesFromKey(Key, &object);
    EXPECT_EQ(object.Number, -5);
    EXPECT_TRUE(object.Flag);
    EXPECT_EQ(object.Mode, TTestObject::mdThird);
    EXPECT_EQ(object.Text, text);
    EXPECT_EQ(object.Big, 7); // not stored: unchanged
    EXPECT_EQ(object.Ratio, 0.5);
    EXPECT_EQ(object.Name, "");
    EXPECT_EQ(object.Tag, 0);
    EXPECT_EQ(object.Nested.Host, "h");
    EXPECT_EQ(object.Nested.Retries, 2);
    // Items come in the registry's order; the unnamed one under its class name, unnamed again.
    EXPECT_EQ(ItemNames(object), (QStringList{"a", "B", ""}));
    EXPECT_EQ(object.Item(0)->Port, 2);
    EXPECT_EQ(object.Item(2)->Port, 3);
    EXPECT_EQ(Lines(object.Lines), (QStringList{"x", "", "z"}));
}

TEST(PropertyPersistence, MissingKeyReadsAsZeroAndIsCreated)
{
    TRegistryScope scope;
    TTestObject object;
    object.Number = 4;
    object.Flag = true;
    object.Mode = TTestObject::mdSecond;
    object.Text = "t";
    object.Nested.Host = "h";
    LoadPropertiesFromKey("Software\\Missing\\", &object);
    EXPECT_EQ(object.Number, 0);
    EXPECT_FALSE(object.Flag);
    EXPECT_EQ(object.Mode, TTestObject::mdFirst);
    EXPECT_EQ(object.Text, "");
    EXPECT_EQ(object.Nested.Host, "");
    EXPECT_EQ(object.Items.Count(), 0);
    EXPECT_EQ(object.Lines.Count(), 0);
    TRegistry reg;
    EXPECT_TRUE(reg.KeyExists("Software\\Missing"));
    EXPECT_FALSE(reg.KeyExists("Software\\Missing\\Nested")); // reading creates no subkeys
}

TEST(PropertyPersistence, HandEditedValuesNeverAbortLoading)
{
    TRegistryScope scope;
    SetRaw("Number", REG_SZ, RegStringData("abc"));
    SetRaw("Flag", REG_SZ, RegStringData("5"));
    SetRaw("Mode", REG_SZ, RegStringData("7"));
    SetRaw("Text", REG_DWORD, RegDwordData(42));
    TTestObject object;
    object.Mode = TTestObject::mdThird;
    LoadPropertiesFromKey(Key, &object);
    EXPECT_EQ(object.Number, 0);
    EXPECT_TRUE(object.Flag);
    EXPECT_EQ(object.Mode, TTestObject::mdFirst);
    EXPECT_EQ(object.Text, "42");

    SetRaw("Number", REG_DWORD, RegDwordData(-3));
    SetRaw("Mode", REG_SZ, RegStringData("1"));
    SetRaw("Text", REG_BINARY, "\x01\x02");
    LoadPropertiesFromKey(Key, &object);
    EXPECT_EQ(object.Number, -3);
    EXPECT_EQ(object.Mode, TTestObject::mdSecond);
    EXPECT_EQ(object.Text, "");
}

TEST(PropertyPersistence, CollectionsLoadInRegistryOrderAfterPresentItems)
{
    TRegistryScope scope;
    {
        TTestObject object;
        object.AddItem("B", 1);
        object.AddItem("a", 2);
        object.AddItem("C", 3);
        object.AddItem("a", 4); // the later of two equal names wins
        SavePropertiesToKey(&object, Key);
    }
    TTestObject object;
    object.AddItem("Z", 9);
    LoadPropertiesFromKey(Key, &object);
    EXPECT_EQ(ItemNames(object), (QStringList{"Z", "a", "B", "C"}));
    EXPECT_EQ(object.Item(1)->Port, 4);
}

TEST(PropertyPersistence, RenamedAndDeletedItemsStayGone)
{
    TRegistryScope scope;
    {
        TTestObject object;
        for (const char* name : {"Home", "Work", "Old"})
            object.AddItem(name, 1);
        SavePropertiesToKey(&object, Key);
    }
    TTestObject object;
    LoadPropertiesFromKey(Key, &object);
    // Another copy of the program adds a profile meanwhile: this object never saw it.
    ASSERT_EQ(THiveStore::CurrentUser().SetValue(Key + "Items\\Theirs", "ItemName", REG_SZ,
                                                 RegStringData("Theirs")),
              ERROR_SUCCESS);
    object.Item(0)->ItemName = "Home2";
    object.Item(1)->ItemName = "WORK"; // a change of case keeps the subkey
    delete object.Item(2);
    SavePropertiesToKey(&object, Key);
    EXPECT_EQ(SubKeys(Key + "Items"), (QStringList{"Home2", "Theirs", "Work"}));

    scope.Reload();
    TTestObject reloaded;
    LoadPropertiesFromKey(Key, &reloaded);
    EXPECT_EQ(ItemNames(reloaded), (QStringList{"Home2", "Theirs", "WORK"}));
}

TEST(PropertyPersistence, ItemNamesThatCannotBeKeysAreNotSaved)
{
    TRegistryScope scope;
    TTestObject object;
    object.AddItem("a\\b", 1);
    object.AddItem(QString(256, 'n'), 2);
    object.AddItem("ok", 3);
    SavePropertiesToKey(&object, Key);
    EXPECT_EQ(SubKeys(Key + "Items"), QStringList{"ok"});
}

TEST(PropertyPersistence, StringListsLeaveNoStaleLines)
{
    TRegistryScope scope;
    TTestObject object;
    object.Lines.SetText("x\n\nz\n");
    SavePropertiesToKey(&object, Key);
    object.Lines.SetText("y\n");
    SavePropertiesToKey(&object, Key);
    EXPECT_EQ(ValueNames(Key + "Lines"), QStringList{"Lines0"});

    TTestObject loaded;
    loaded.Lines.Add("w");
    LoadPropertiesFromKey(Key, &loaded);
    EXPECT_EQ(Lines(loaded.Lines), (QStringList{"w", "y"}));

    object.Lines.Clear();
    SavePropertiesToKey(&object, Key);
    EXPECT_FALSE(SubKeys(Key).contains("Lines"));
}

TEST(PropertyPersistence, CollectionPropNameIsTheLastCollection)
{
    TTwoCollections two;
    EXPECT_EQ(CollectionPropName(&two), "Second");
    TTestObject one;
    EXPECT_EQ(CollectionPropName(&one), "Items");
    TTestNested none;
    EXPECT_EQ(CollectionPropName(&none), "");
}
