// The registry file's text form: what each kind of value looks like, what the reader accepts and
// refuses, and that every value comes back exactly.
#include "platform/registry/hive_file.h"
#include "platform/registry/reg_data.h"
#include "support/qt_printers.h"
#include "support/texts.h"

#include <gtest/gtest.h>

using namespace win;

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int v : values)
        bytes += char(v);
    return bytes;
}

} // namespace

TEST(HiveFile, WritesEachKindOfValueInItsForm)
{
    THiveKey root;
    THiveKey& key = root.AddSubKey("Software").AddSubKey("Tarnwick Software");
    key.SetValue("Plain", REG_SZ, RegStringData("ftp.example.org"));
    key.SetValue("Quote\"Back\\slash", REG_SZ, RegStringData("C:\\dir \"x\""));
    key.SetValue("Empty", REG_SZ, RegStringData(""));
    key.SetValue("Umlaut", REG_SZ, RegStringData(QString::fromUtf8("Grüße")));
    key.SetValue("Lines", REG_SZ, RegStringData("a\r\nb"));
    key.SetValue("Nul", REG_SZ, RegStringData(QString("x") + QChar(0)));
    key.SetValue("Count", REG_DWORD, RegDwordData(0xFFFFFFFB));
    key.SetValue("Short", REG_DWORD, Bytes({1, 2}));
    key.SetValue("Blob", REG_BINARY, Bytes({0x4D, 0x00, 0xFF}));
    key.SetValue("NoBytes", REG_BINARY, {});
    key.SetValue("Path", REG_EXPAND_SZ, RegStringData("%H"));
    key.SetValue("", REG_SZ, RegStringData("default"));
    key.AddSubKey("b/c+d");
    key.AddSubKey("A");

    const QByteArray expected = R"(REGEDIT4

[HKEY_CURRENT_USER\Software]

[HKEY_CURRENT_USER\Software\Tarnwick Software]
"Plain"="ftp.example.org"
"Quote\"Back\\slash"="C:\\dir \"x\""
"Empty"=""
"Umlaut"="Grüße"
"Lines"=hex(1):61,00,0d,00,0a,00,62,00,00,00
"Nul"=hex(1):78,00,00,00,00,00
"Count"=dword:fffffffb
"Short"=hex(4):01,02
"Blob"=hex:4d,00,ff
"NoBytes"=hex:
"Path"=hex(2):25,00,48,00,00,00
@="default"

[HKEY_CURRENT_USER\Software\Tarnwick Software\A]

[HKEY_CURRENT_USER\Software\Tarnwick Software\b/c+d]

)";
    EXPECT_EQ(WriteHiveText(root), expected);
    EXPECT_TRUE(ReadHiveText(expected) == root);
}

TEST(HiveFile, EveryTextComesBackExactly)
{
    const QString texts[] = {
        AllLatin1Characters(),
        QString(QChar(0)),
        QString(QChar(0xD800)) + "lone" + QChar(0xDC41),
        QString::fromUtf8("\xF0\x9F\x98\x80 \u20AC"),
        "ends with a backslash\\",
    };
    for (const QString& text : texts) {
        THiveKey root;
        root.AddSubKey("k").SetValue("v", REG_SZ, RegStringData(text));
        const THiveKey back = ReadHiveText(WriteHiveText(root));
        ASSERT_TRUE(back.SubKey("k") && back.SubKey("k")->Value("v"));
        EXPECT_EQ(RegDataString(back.SubKey("k")->Value("v")->Data), text);
    }
}

TEST(HiveFile, ReadsWhatRegeditWrites)
{
    const QByteArray text = "\xEF\xBB\xBFREGEDIT4\r\n"
                            "\r\n"
                            "; a comment\r\n"
                            "[HKEY_CURRENT_USER\\Software\\Odd]Name]  \r\n"
                            "\"Long\"=hex:01,02,\\\r\n"
                            "  0A,b\r\n"
                            "\"Small\"=dword:1f\r\n"
                            "@ = \"x\\y\"\r\n"
                            "\"Multi\"=hex(7):61,00,00,00,00,00\r\n"
                            "\r\n"
                            "[hkey_current_user\\software]\r\n"
                            "\"Later\"=\"\"\r\n";
    const THiveKey root = ReadHiveText(text);
    const THiveKey* software = root.SubKey("Software");
    ASSERT_TRUE(software);
    EXPECT_EQ(software->Name(), "Software");
    EXPECT_TRUE(software->Value("Later"));
    const THiveKey* odd = software->SubKey("Odd]Name");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->Value("Long")->Data, Bytes({1, 2, 10, 11}));
    EXPECT_EQ(odd->Value("Small")->Type, REG_DWORD);
    EXPECT_EQ(RegDataDword(odd->Value("Small")->Data), 31u);
    EXPECT_EQ(RegDataString(odd->Value("")->Data), "x\\y");
    EXPECT_EQ(odd->Value("Multi")->Type, REG_MULTI_SZ);
}

TEST(HiveFile, RefusesDamagedTextNamingTheLine)
{
    const struct {
        const char* text;
        int line;
    } cases[] = {
        {"", 1},
        {"REGEDIT5\n", 1},
        {"\n\nWindows Registry Editor Version 5.00\n", 3},
        {"REGEDIT4\n\"a\"=\"b\"\n", 2},                           // value before any key
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\x]\n", 2},               // another root
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x\n", 2},                 // no closing bracket
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a\\\\b]\n", 2},           // empty key name
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"a\"=\"b\n", 3},     // open quote
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"a\"=\"b\" c\n", 3}, // text after the value
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"a\"\"b\"\n", 3},    // no "="
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\na=\"b\"\n", 3},       // unquoted name
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"a\"=dword:123456789\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"a\"=dword:\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"a\"=hex:1,2g\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"a\"=hex:123\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"a\"=hex(1:00\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"a\"=hex:01,\\\n", 4}, // continued onto an empty line
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"a\"=str:1\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"a\x01\"=\"\"\n", 3}, // control character in a name
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ReadHiveText(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const EHiveFileError& E) {
            EXPECT_EQ(E.Line, c.line) << E.Message.toStdString();
        }
    }
}

TEST(HiveFile, RefusesKeysNestedTooDeep)
{
    QByteArray path = "HKEY_CURRENT_USER";
    for (int i = 0; i <= MaxRegKeyDepth; ++i)
        path += "\\k";
    EXPECT_THROW(ReadHiveText("REGEDIT4\n[" + path + "]\n"), EHiveFileError);
}
