// The import of the previous version's server profiles: the offer made once, the uninstall entry,
// the INI file's count, sections, names and defaults, and hostile or broken files.
#include "settings/previous_version_import.h"

#include "platform/registry/registry.h"
#include "platform/ui/message_dialogs.h"
#include "platform/ui/modal_results.h"
#include "routines/registry_helpers.h"
#include "settings/upload_profiles.h"
#include "support/machine_key_scope.h"
#include "support/registry_scope.h"
#include "support/temp_tree.h"

#include <QFile>
#include <gtest/gtest.h>
#include <optional>

namespace {

class PreviousVersionImport : public ::testing::Test {
protected:
    PreviousVersionImport()
    {
        UploadProfiles(1);
        oldHandler_ = SetMessageDlgHandler([this](const QString& text, TMsgDlgType type, TMsgDlgButtons) {
            messages.append({text, type});
            return type == mtConfirmation ? answer : mrOk;
        });
    }
    ~PreviousVersionImport() override
    {
        UploadProfiles(1);
        SetMessageDlgHandler(oldHandler_);
    }

    // The previous version installed in the temp folder, with Ini as its "FTPServers.ini"; the
    // uninstall entry's command is Command with the folder in place of "%1".
    void Install(const QByteArray& Ini, const QString& Command = "%1  UNWISE.EXE /S INSTALL.LOG")
    {
        tree.File("old/FTPServers.ini", Ini);
        machine_.reset();
        machine_.emplace(PreviousVersionUninstallKey, "UninstallString", Command.arg(tree.Path("old")));
    }
    // Forgets the profiles, the registry and the messages of an earlier case.
    void Reset()
    {
        UploadProfiles(1);
        registry.Reload();
        QFile::remove(registry.FileName());
        messages.clear();
    }
    QString Marker()
    {
        TRegistry registry;
        return registry.OpenKeyReadOnly(ProductRegKey) ? registry.ReadString("Imported") : QString("no key");
    }
    QStringList Names() const
    {
        QStringList names;
        for (int i = 0; i < UploadProfiles()->Profiles()->Count(); ++i)
            names.append(UploadProfiles()->GetProfile(i)->ItemName);
        return names;
    }
    QStringList Texts() const
    {
        QStringList texts;
        for (const auto& [text, type] : messages)
            texts.append(text);
        return texts;
    }

    TRegistryScope registry;
    TTempTree tree;
    int answer = mrYes;
    QList<std::pair<QString, TMsgDlgType>> messages;

private:
    TMessageDlgHandler oldHandler_;
    std::optional<TMachineKeyScope> machine_;
};

const QString Warning = " was unable to import the previous version's server settings.\r\n"
                        "There we no server profiles present or they could not be located.";
const QString Success = " successfully imported the previous version's server settings.";
const QString Question = " has detected a previous version. Would you like to import the server profiles?";

TEST_F(PreviousVersionImport, ProfilesTakeTheSectionsAndTheirDefaults)
{
    Install("[General]\nCount=3\n"
            "[Server1]\nName=Home\nHostname=ftp.example.com\nUsername=anonymous\nPassword=secret\nPort=2121\n"
            "StartDir=/pub\nLocalStartDir=/tmp/x\nPASV=no\n"
            "[server2]\nname = Work \nUSERNAME=Anonymous\npasv=TRUE\n");
    ImportPreviousVersionServers();

    ASSERT_EQ(Names(), QStringList({"Home", "Work", "Imported"}));
    const TUploadProfileItem& home = *UploadProfiles()->GetProfile(0);
    EXPECT_EQ(home.HostName, "ftp.example.com");
    EXPECT_TRUE(home.Anonymous);
    EXPECT_EQ(home.Port, "2121");
    EXPECT_EQ(home.HostDirName, "/pub");
    EXPECT_EQ(home.LocalDirName, "/tmp/x");
    EXPECT_FALSE(home.PassiveMode);
    const TUploadProfileItem& work = *UploadProfiles()->GetProfile(1);
    EXPECT_FALSE(work.Anonymous);
    EXPECT_EQ(work.Username, "Anonymous");
    EXPECT_TRUE(work.PassiveMode);
    // A missing section still makes a profile, with the defaults.
    const TUploadProfileItem& missing = *UploadProfiles()->GetProfile(2);
    EXPECT_EQ(missing.HostName, "");
    EXPECT_EQ(missing.Port, "21");
    EXPECT_TRUE(missing.PassiveMode);
    for (int i = 0; i < 3; ++i) {
        const TUploadProfileItem& profile = *UploadProfiles()->GetProfile(i);
        EXPECT_TRUE(profile.Shared);
        EXPECT_TRUE(profile.SavePassword);
        EXPECT_EQ(profile.Password, "");
        EXPECT_EQ(profile.Comment, "Imported from previous version");
    }
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0].second, mtConfirmation);
    EXPECT_TRUE(messages[0].first.endsWith(Question));
    EXPECT_EQ(messages[1].second, mtInformation);
    EXPECT_TRUE(messages[1].first.endsWith(Success));
    EXPECT_EQ(Marker(), "1");

    // The offer is made once.
    messages.clear();
    ImportPreviousVersionServers();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(Names().size(), 3);
}

TEST_F(PreviousVersionImport, CountMustBeAPositiveNumber)
{
    struct Case {
        const char* count;
        int profiles;
    } cases[] = {
        {"3 ", 3}, {" 2", 2}, {"3a", 0}, {"-1", 0}, {"0", 0}, {"", 0}, {"3 4", 0}, {"0x3", 0},
        {"99999999999999999999", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        Reset();
        Install(QByteArray("[General]\r\nCount=") + c.count + "\r\n");
        ImportPreviousVersionServers();
        EXPECT_EQ(Names().size(), c.profiles);
        ASSERT_EQ(messages.size(), 2);
        EXPECT_TRUE(messages[1].first.endsWith(c.profiles ? Success : Warning)) << messages[1].first.toStdString();
        EXPECT_EQ(messages[1].second, c.profiles ? mtInformation : mtWarning);
    }
}

TEST_F(PreviousVersionImport, NamesAreMadeUnique)
{
    UploadProfiles()->Add()->ItemName = "imported";
    Install("[General]\nCount=4\n[Server1]\n[Server2]\nName=\n[Server3]\nName=a\\b\n[Server4]\nName=A_B\n");
    ImportPreviousVersionServers();
    // A backslash would split the profile's registry key.
    EXPECT_EQ(Names(), QStringList({"imported", "Imported1", "Imported11", "a_b", "A_B1"}));
}

TEST_F(PreviousVersionImport, NoWritesTheMarkerOnly)
{
    Install("[General]\nCount=1\n[Server1]\nName=x\n");
    answer = mrNo;
    ImportPreviousVersionServers();
    EXPECT_EQ(Marker(), "1");
    EXPECT_TRUE(Names().isEmpty());
    ImportPreviousVersionServers();
    EXPECT_EQ(messages.size(), 1);
}

// Without a previous installation nothing is asked or written, and the check repeats.
TEST_F(PreviousVersionImport, NoPreviousInstallationWritesNothing)
{
    ImportPreviousVersionServers();
    Install("[General]\nCount=1\n", "%1/uninstall.exe");
    ImportPreviousVersionServers();
    Install("[General]\nCount=1\n", "%1/missing/UNWISE.EXE");
    ImportPreviousVersionServers();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_NE(Marker(), "1");

    Install("[General]\nCount=1\n");
    ImportPreviousVersionServers();
    EXPECT_EQ(Texts().size(), 2);
}

// Files no previous version wrote: binary bytes, no sections, lines without "=", a huge count.
TEST_F(PreviousVersionImport, HostileFiles)
{
    struct Case {
        const char* name;
        QByteArray ini;
        int profiles;
    } cases[] = {
        {"binary", QByteArray("\x00\xff[General\x00]\nCount=\xfe\x01", 20), 0},
        {"no sections", "Count=2\nName=x\n", 0},
        {"lines without values", "[General]\nCount\n[Server1\nName\n", 0},
        {"huge count", "[General]\nCount=2000000000\n", MaxImportedProfiles},
        {"empty", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        Install(c.ini);
        ImportPreviousVersionServers();
        EXPECT_EQ(Names().size(), c.profiles);
        EXPECT_EQ(messages.size(), 2);
    }
}

} // namespace
