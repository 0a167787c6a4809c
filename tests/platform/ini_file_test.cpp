// Reading plain INI files.
#include "platform/registry/ini_file.h"
#include "support/qt_printers.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <QFile>

TEST(IniFile, ReadsSectionsAndValuesAsWindowsDoes)
{
    const QString name = testRunFolder() + "/servers.ini";
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("; old servers\r\n"
               "[General]\r\n"
               "Count = 3 \r\n"
               "count=9\r\n"
               "[Server1]\r\n"
               "Name=\" padded \"\r\n"
               "Port='21'\r\n"
               "Odd=\"x'\r\n"
               "no equals sign\r\n"
               "[server1]\r\n"
               "Hostname=second section\r\n");
    file.close();

    const TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("general", "COUNT", "0"), "3");
    EXPECT_EQ(ini.ReadInteger("General", "Count", 0), 3);
    EXPECT_EQ(ini.ReadString("Server1", "Name", {}), " padded ");
    EXPECT_EQ(ini.ReadInteger("Server1", "Port", 0), 21);
    EXPECT_EQ(ini.ReadString("Server1", "Odd", {}), "\"x'");
    EXPECT_EQ(ini.ReadInteger("Server1", "Odd", -1), -1);
    EXPECT_EQ(ini.ReadString("Server1", "Hostname", "none"), "none"); // the first section counts
    EXPECT_TRUE(ini.SectionExists("SERVER1"));
    EXPECT_TRUE(ini.ValueExists("Server1", "port"));
    EXPECT_FALSE(ini.ValueExists("Server1", "Missing"));
    EXPECT_FALSE(ini.SectionExists("Server2"));
    EXPECT_EQ(ini.ReadString("Server2", "Name", "d"), "d");

    const TIniFile missing(name + ".missing");
    EXPECT_FALSE(missing.SectionExists("General"));
    EXPECT_EQ(missing.ReadInteger("General", "Count", 5), 5);
}
