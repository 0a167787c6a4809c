// The user's registry: names, orders, typed values, tolerant INI-style reading, and its file
// (batched writes, damaged and unreadable files, merging with another running copy).
#include "platform/registry/hive_file.h"
#include "platform/registry/hive_store.h"
#include "platform/registry/key_copy.h"
#include "platform/registry/reg_data.h"
#include "platform/registry/reg_ini_file.h"
#include "platform/registry/registry.h"
#include "platform/rtl/string_list.h"
#include "platform/system/error_text.h"
#include "support/file_size_limit.h"
#include "support/qt_printers.h"
#include "support/registry_scope.h"
#include "support/texts.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <sys/stat.h>

using namespace win;

namespace {

// The subkey or value names of Key, in the order the registry gives them.
QStringList Names(const QString& Key, bool SubKeys)
{
    TRegistry reg;
    TStringList names;
    if (reg.OpenKey(Key, false)) {
        if (SubKeys)
            reg.GetKeyNames(names);
        else
            reg.GetValueNames(names);
    }
    return Lines(names);
}

QStringList KeyNames(const QString& Key)
{
    return Names(Key, true);
}

QStringList ValueNames(const QString& Key)
{
    return Names(Key, false);
}

void SetRaw(const QString& Key, const QString& Name, DWORD Type, const QByteArray& Data)
{
    ASSERT_EQ(THiveStore::CurrentUser().SetValue(Key, Name, Type, Data), ERROR_SUCCESS);
}

} // namespace

TEST(Registry, NamesIgnoreCaseAndKeepIt)
{
    TRegistryScope scope;
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\Software\\MixedCase\\", true));
        EXPECT_EQ(reg.CurrentPath(), "Software\\MixedCase");
        reg.WriteString("HostName", "one");
        reg.WriteString("HOSTNAME", "two");
        EXPECT_EQ(reg.ReadString("hostname"), "two");
        ASSERT_TRUE(reg.OpenKey("a/b+c", true)); // relative to the current key; "/" and "+" are plain
        EXPECT_EQ(reg.CurrentPath(), "Software\\MixedCase\\a/b+c");
        EXPECT_TRUE(reg.KeyExists("\\SOFTWARE\\mixedcase\\A/B+C"));
    }
    EXPECT_EQ(KeyNames("software"), QStringList{"MixedCase"});
    EXPECT_EQ(ValueNames("Software\\MixedCase"), QStringList{"HostName"});
    EXPECT_EQ(KeyNames("Software\\MixedCase"), QStringList{"a/b+c"});
}

TEST(Registry, SubkeysComeSortedWithoutCaseAndValuesInTheirOrder)
{
    TRegistryScope scope;
    {
        TRegIniFile ini("Order");
        for (const char* name : {"b", "_x", "C", "a1", "A", "B2"})
            ini.WriteString(QString("Keys\\") + name, "v", "1");
        for (const char* name : {"z", "a", "M"})
            ini.WriteString("Values", name, "1");
        ini.WriteString("Values", "A", "again"); // keeps its place
    }
    scope.Reload(); // the orders survive the file
    EXPECT_EQ(KeyNames("Order\\Keys"), (QStringList{"A", "a1", "b", "B2", "C", "_x"}));
    EXPECT_EQ(ValueNames("Order\\Values"), (QStringList{"z", "a", "M"}));
}

TEST(Registry, CreatesParentsAndDeletesWholeTrees)
{
    TRegistryScope scope;
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("x\\y\\z", true));
    reg.WriteString("v", "1");
    reg.CloseKey();
    EXPECT_TRUE(reg.KeyExists("x\\y"));
    EXPECT_FALSE(reg.OpenKey("x\\missing", false));
    EXPECT_TRUE(reg.DeleteKey("x"));
    EXPECT_FALSE(reg.KeyExists("x"));
    EXPECT_FALSE(reg.KeyExists("x\\y\\z"));
    EXPECT_FALSE(reg.DeleteKey("x"));
    EXPECT_FALSE(reg.DeleteKey("")); // the root stays
}

TEST(Registry, CopiesAWholeSubtreeWithItsValueTypesAndEmptyKeys)
{
    TRegistryScope scope;
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("old\\Main Form\\Toolbars", true));
    reg.WriteInteger("Flat", 1);
    ASSERT_TRUE(reg.OpenKey("\\old\\Empty", true));
    ASSERT_TRUE(reg.OpenKey("\\old", false));
    reg.WriteString("b", "2");
    reg.WriteString("a", "1");
    ASSERT_TRUE(reg.OpenKey("\\new", true));
    reg.WriteString("kept", "x");
    reg.CloseKey();

    EXPECT_TRUE(CopyRegKey("old", "new"));
    EXPECT_EQ(ValueNames("new"), QStringList({"kept", "b", "a"}));
    EXPECT_EQ(KeyNames("new"), QStringList({"Empty", "Main Form"}));
    ASSERT_TRUE(reg.OpenKey("\\new\\Main Form\\Toolbars", false));
    EXPECT_EQ(reg.ReadInteger("Flat"), 1);
    EXPECT_TRUE(reg.KeyExists("\\old\\Empty")); // the source stays
    EXPECT_FALSE(CopyRegKey("missing", "other"));
    EXPECT_FALSE(reg.KeyExists("\\other"));
}

TEST(Registry, TypedValuesSurviveTheFile)
{
    TRegistryScope scope;
    const QByteArray blob("\x00\xFF\x10", 3);
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Typed", true));
        reg.WriteString("Text", "abc");
        reg.WriteInteger("Number", -5);
        reg.WriteBinaryData("Blob", blob.constData(), int(blob.size()));
        TRegKeyInfo info;
        ASSERT_TRUE(reg.GetKeyInfo(info));
        EXPECT_EQ(info.NumValues, 3);
        EXPECT_EQ(info.NumSubKeys, 0);
        EXPECT_EQ(info.MaxValueLen, 6);
        EXPECT_EQ(info.MaxDataLen, 8);
    }
    scope.Reload();
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("Typed"));
    EXPECT_EQ(reg.GetDataType("Text"), rdString);
    EXPECT_EQ(reg.GetDataType("Number"), rdInteger);
    EXPECT_EQ(reg.GetDataType("Blob"), rdBinary);
    EXPECT_EQ(reg.GetDataType("Missing"), rdUnknown);
    EXPECT_EQ(reg.ReadString("Text"), "abc");
    EXPECT_EQ(reg.ReadString("Missing"), "");
    EXPECT_EQ(reg.ReadInteger("Number"), -5);
    EXPECT_EQ(reg.GetDataSize("Blob"), 3);
    EXPECT_EQ(reg.GetDataSize("Missing"), -1);
    char buffer[3];
    EXPECT_EQ(reg.ReadBinaryData("Blob", buffer, 3), 3);
    EXPECT_EQ(QByteArray(buffer, 3), blob);

    // Wrong types and sizes, and writes through a key opened for reading, raise.
    EXPECT_THROW(reg.ReadString("Number"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("Text"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("Missing"), ERegistryException);
    EXPECT_THROW(reg.ReadBinaryData("Blob", buffer, 2), ERegistryException);
    EXPECT_THROW(reg.ReadBinaryData("Text", buffer, 3), ERegistryException);
    EXPECT_THROW(reg.WriteString("Text", "x"), ERegistryException);
    EXPECT_FALSE(reg.DeleteValue("Text"));
}

TEST(Registry, AllByteValuesOfATextSurviveSaveAndReload)
{
    TRegistryScope scope;
    const QString text = AllLatin1Characters();
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Software\\Tarnwick Software\\Internet\\Profiles\\Home", true));
        reg.WriteString("Password", text);
    }
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(scope.FileName()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    scope.Reload();
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Tarnwick Software\\Internet\\Profiles\\Home", false));
    EXPECT_EQ(reg.ReadString("Password"), text);
}

TEST(Registry, RefusesNamesItCannotKeep)
{
    TRegistryScope scope;
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(QString(256, 'k'), true));
    EXPECT_TRUE(reg.OpenKey(QString(255, 'k'), true));
    EXPECT_FALSE(reg.OpenKey("bad\nname", true));
    EXPECT_FALSE(reg.OpenKey(QString("lone") + QChar(0xD800), true));
    EXPECT_THROW(reg.WriteString("line\nbreak", "x"), ERegistryException);
    QString deep;
    for (int i = 0; i <= MaxRegKeyDepth; ++i)
        deep += "\\d";
    EXPECT_FALSE(reg.OpenKey(deep, true));
}

TEST(Registry, IniFileReadsTolerantly)
{
    TRegistryScope scope;
    const struct {
        const char* name;
        DWORD type;
        QByteArray data;
        QString text;
        int number;
    } cases[] = {
        {"Decimal", REG_SZ, RegStringData("12"), "12", 12},
        {"Negative", REG_SZ, RegStringData("-5"), "-5", -5},
        {"Letters", REG_SZ, RegStringData("abc"), "abc", 7},
        {"TooBig", REG_SZ, RegStringData("4294967296"), "4294967296", 7},
        {"Expand", REG_EXPAND_SZ, RegStringData("3"), "3", 3},
        {"Dword", REG_DWORD, RegDwordData(0xFFFFFFFB), "-5", -5},
        {"ShortDword", REG_DWORD, QByteArray(2, '\1'), "default", 7},
        {"Binary", REG_BINARY, QByteArray("12"), "default", 7},
        {"Multi", REG_MULTI_SZ, RegStringData("1"), "default", 7},
    };
    for (const auto& c : cases)
        SetRaw("Tolerant\\Section", c.name, c.type, c.data);
    TRegIniFile ini("Tolerant");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ini.ReadString("Section", c.name, "default"), c.text);
        EXPECT_EQ(ini.ReadInteger("Section", c.name, 7), c.number);
    }
    EXPECT_EQ(ini.ReadString("Section", "Missing", "default"), "default");
    EXPECT_EQ(ini.ReadString("MissingSection", "Decimal", "default"), "default");
    EXPECT_FALSE(ini.SectionExists("MissingSection")); // reading creates nothing
    EXPECT_TRUE(ini.ReadBool("Section", "Decimal", false));
    EXPECT_FALSE(ini.ReadBool("Section", "Missing", false));
}

TEST(Registry, IniFileSectionsAreSubkeys)
{
    TRegistryScope scope;
    TRegIniFile ini("Software\\Ini\\");
    EXPECT_EQ(ini.FileName(), "Software\\Ini\\");
    ini.WriteString("", "Top", "t");
    ini.WriteInteger("Deep\\Er", "Number", -3);
    ini.WriteBool("Deep", "Flag", true);
    ini.WriteString("Other", "x", "y");

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Ini\\Deep\\Er", false));
    EXPECT_EQ(reg.GetDataType("Number"), rdString); // numbers are kept as text
    EXPECT_EQ(reg.ReadString("Number"), "-3");
    reg.CloseKey();

    TStringList strings;
    ini.ReadSections(strings);
    EXPECT_EQ(Lines(strings), (QStringList{"Deep", "Other"}));
    ini.ReadSubSections("Deep", strings);
    EXPECT_EQ(Lines(strings), QStringList{"Er"});
    ini.ReadSection("Deep", strings);
    EXPECT_EQ(Lines(strings), QStringList{"Flag"});
    ini.ReadSectionValues("", strings);
    EXPECT_EQ(Lines(strings), QStringList{"Top=t"});
    EXPECT_TRUE(ini.ValueExists("Deep\\Er", "Number"));
    EXPECT_FALSE(ini.ValueExists("Deep", "Number"));

    ini.EraseSection("Deep");
    EXPECT_FALSE(ini.SectionExists("Deep"));
    EXPECT_FALSE(ini.SectionExists("Deep\\Er"));
    EXPECT_TRUE(ini.SectionExists("Other"));
    ini.ReadSubSections("Deep", strings);
    EXPECT_TRUE(Lines(strings).isEmpty());
}

TEST(Registry, WritesTheFileOnceTheLastKeyCloses)
{
    TRegistryScope scope;
    {
        TRegistry reader;
        EXPECT_FALSE(reader.OpenKey("Nothing", false));
    }
    EXPECT_FALSE(QFile::exists(scope.FileName())); // reading writes nothing
    {
        TRegIniFile ini("Batch");
        for (int i = 0; i < 50; ++i)
            ini.WriteInteger("", QString("V%1").arg(i), i);
        {
            TRegistry inner; // another key opened and closed meanwhile
            ASSERT_TRUE(inner.OpenKey("Batch\\Inner", true));
        }
        EXPECT_FALSE(QFile::exists(scope.FileName()));
    }
    const QByteArray text = scope.FileText();
    EXPECT_TRUE(text.contains("\"V49\"=\"49\"")) << text.constData();
    EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\Batch\\Inner]"));

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Batch", false));
    reg.WriteString("Late", "x");
    EXPECT_FALSE(scope.FileText().contains("Late"));
    EXPECT_TRUE(THiveStore::CurrentUser().Flush());
    EXPECT_TRUE(scope.FileText().contains("\"Late\"=\"x\""));
}

TEST(Registry, KeepsADamagedFileAsideAndStartsEmpty)
{
    TRegistryScope scope;
    for (const char* backup : {"registry.reg.bad", "registry.reg.bad2"}) {
        SCOPED_TRACE(backup);
        const QByteArray damaged = "REGEDIT4\n[HKEY_CURRENT_USER\\Kept]\n\"a\"=garbage\n";
        scope.WriteFileText(damaged);
        scope.Reload();
        TRegistry reg;
        EXPECT_FALSE(reg.KeyExists("Kept"));
        const QStringList messages = scope.TakeMessages();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains("line 3")) << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains(backup)) << messages[0].toStdString();
        QFile kept(scope.ConfigFolder() + "/tarnwick-halyard/" + backup);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), damaged);

        ASSERT_TRUE(reg.OpenKey("New", true));
        reg.WriteString("b", "c");
        reg.CloseKey();
        EXPECT_TRUE(ReadHiveText(scope.FileText()).SubKey("New"));
    }
}

TEST(Registry, NeverWritesAFileItCannotRead)
{
    TRegistryScope scope;
    ASSERT_TRUE(QDir().mkpath(scope.FileName())); // a folder where the file should be
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Key", true));
        reg.WriteString("v", "kept in memory");
        EXPECT_EQ(reg.ReadString("v"), "kept in memory");
    }
    const QStringList messages = scope.TakeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("cannot be read")) << messages[0].toStdString();
    EXPECT_TRUE(QFileInfo(scope.FileName()).isDir());
}

// A save the disk refuses (here the file-size limit, as on a full disk) is reported once, names
// the cause, keeps the old file whole and leaves no temporary file; the changes stay pending and
// are saved once writing works again.
TEST(Registry, ASaveTheDiskRefusesKeepsTheOldFileWhole)
{
    TRegistryScope scope;
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Saved", true));
        reg.WriteString("old", "value");
    }
    const QByteArray old = scope.FileText();
    ASSERT_TRUE(old.contains("\"old\"=\"value\""));
    {
        const FileSizeLimit limit(std::size_t(old.size()) + 16);
        {
            TRegistry reg;
            ASSERT_TRUE(reg.OpenKey("Saved", true));
            reg.WriteString("new", QString(4096, u'n'));
        }
        EXPECT_FALSE(THiveStore::CurrentUser().Flush());
    }
    const QStringList messages = scope.TakeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "The settings could not be saved to \"" + scope.FileName() + "\" (" +
                               SysErrorMessage(EFBIG) + ").");
    EXPECT_EQ(scope.FileText(), old);
    EXPECT_EQ(QDir(QFileInfo(scope.FileName()).path()).entryList({"registry.reg.*"}, QDir::Files),
              QStringList{"registry.reg.lock"});

    EXPECT_TRUE(THiveStore::CurrentUser().Flush());
    EXPECT_TRUE(scope.FileText().contains("\"new\"=\"nnnn"));
}

TEST(Registry, KeepsWhatAnotherCopyOfTheProgramSaved)
{
    TRegistryScope scope;
    {
        TRegIniFile ini("Internet");
        ini.WriteString("Profiles\\Mine", "HostName", "a");
        ini.WriteString("Profiles\\Gone", "HostName", "b");
    }
    // Another copy of the program, which read the same file, adds a profile and changes one.
    THiveKey theirs = ReadHiveText(scope.FileText());
    theirs.Find({"Internet", "Profiles"})
        ->AddSubKey("Theirs")
        .SetValue("HostName", REG_SZ, RegStringData("c"));
    theirs.Find({"Internet", "Profiles", "Mine"})->SetValue("Port", REG_SZ, RegStringData("21"));
    scope.WriteFileText(WriteHiveText(theirs));
    {
        TRegIniFile ini("Internet");
        ini.WriteString("Profiles\\Mine", "HostName", "a2");
        ini.EraseSection("Profiles\\Gone");
        EXPECT_FALSE(ini.SectionExists("Profiles\\Theirs")); // not seen before the next write
    }
    TRegIniFile ini("Internet");
    TStringList names;
    ini.ReadSubSections("Profiles", names);
    EXPECT_EQ(Lines(names), (QStringList{"Mine", "Theirs"}));
    EXPECT_EQ(ini.ReadString("Profiles\\Mine", "HostName", {}), "a2");
    EXPECT_EQ(ini.ReadString("Profiles\\Mine", "Port", {}), "21");
    THiveKey merged = ReadHiveText(scope.FileText());
    EXPECT_TRUE(merged.Find({"Internet", "Profiles", "Theirs"}));
    EXPECT_FALSE(merged.Find({"Internet", "Profiles", "Gone"}));
}

TEST(Registry, LocalMachineIsReadOnly)
{
    TRegistryScope scope;
    THiveStore* machine = THiveStore::ForRoot(HKEY_LOCAL_MACHINE);
    THiveKey seed;
    seed.AddSubKey("SOFTWARE")
        .AddSubKey("Vendor")
        .SetValue("UninstallString", REG_SZ, RegStringData("C:\\x"));
    machine->Seed(std::move(seed));
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(reg.OpenKey("SOFTWARE\\New", true));
    ASSERT_TRUE(reg.OpenKeyReadOnly("software\\vendor"));
    EXPECT_EQ(reg.ReadString("UninstallString"), "C:\\x");
    EXPECT_THROW(reg.WriteString("x", "y"), ERegistryException);
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Vendor", false));
    EXPECT_THROW(reg.WriteString("x", "y"), ERegistryException);
    EXPECT_FALSE(reg.DeleteValue("UninstallString"));
    EXPECT_FALSE(reg.DeleteKey("\\SOFTWARE"));
    reg.CloseKey();
    machine->Seed(THiveKey());
    EXPECT_FALSE(reg.KeyExists("SOFTWARE\\Vendor"));
    EXPECT_FALSE(QFile::exists(scope.FileName()));
}
