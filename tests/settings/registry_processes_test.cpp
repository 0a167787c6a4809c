// The registry file with several processes: a process killed while saving leaves a whole file,
// and two running copies saving different profiles keep each other's.
#include "platform/registry/hive_file.h"
#include "platform/registry/reg_data.h"
#include "support/qt_printers.h"
#include "support/registry_scope.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QSet>
#include <cstdlib>
#include <memory>

namespace {

const QStringList ProfilesPath = {"Software", "Tarnwick Software", "Internet", "Profiles"};

std::unique_ptr<QProcess> StartChild(const TRegistryScope& Scope, const QStringList& Arguments)
{
    auto child = std::make_unique<QProcess>();
    child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child->start(HFTP_REGISTRY_CHILD, QStringList{Scope.ConfigFolder()} + Arguments);
    EXPECT_TRUE(child->waitForStarted(10000));
    return child;
}

// Reads the child's output until a line equal to Line has come; false when it ends first.
bool WaitForLine(QProcess& Child, const QByteArray& Line)
{
    while (true) {
        while (Child.canReadLine()) {
            if (Child.readLine().trimmed() == Line)
                return true;
        }
        if (!Child.waitForReadyRead(20000))
            return false;
    }
}

void Finish(QProcess& Child)
{
    Child.closeWriteChannel();
    ASSERT_TRUE(Child.waitForFinished(20000));
    EXPECT_EQ(Child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(Child.exitCode(), 0);
}

const THiveKey* Profiles(const THiveKey& Root)
{
    return const_cast<THiveKey&>(Root).Find(ProfilesPath);
}

QString Text(const THiveKey& Key, const QString& Name)
{
    const THiveValue* value = Key.Value(Name);
    return value ? RegDataString(value->Data) : QString();
}

int Rounds()
{
    const char* rounds = std::getenv("HFTP_CRASH_ROUNDS");
    return rounds ? std::max(1, std::atoi(rounds)) : 5;
}

} // namespace

TEST(RegistryProcesses, KilledWhileSavingLeavesAWholeFile)
{
    TRegistryScope scope;
    for (int round = 0; round < Rounds(); ++round) {
        SCOPED_TRACE(round);
        const auto child = StartChild(scope, {"loop", "crash", "0"});
        ASSERT_TRUE(WaitForLine(*child, "saved " + QByteArray::number(1 + round)));
        child->kill();
        ASSERT_TRUE(child->waitForFinished(20000));

        // Each save writes all 50 profiles in one batch: the file holds one save whole.
        const THiveKey root = ReadHiveText(scope.FileText());
        const THiveKey* profiles = Profiles(root);
        ASSERT_TRUE(profiles);
        ASSERT_EQ(profiles->SubKeys().size(), 50u);
        QSet<QString> counters;
        for (const auto& [name, profile] : profiles->SubKeys()) {
            counters.insert(Text(*profile, "Counter"));
            EXPECT_EQ(Text(*profile, "Password").mid(1), "\r\n\"\\" + Text(*profile, "Counter"));
        }
        EXPECT_EQ(counters.size(), 1);
    }
}

TEST(RegistryProcesses, TwoCopiesSavingDifferentProfilesKeepBoth)
{
    TRegistryScope scope;
    // Both copies read the (empty) registry before either saves.
    const auto first = StartChild(scope, {"wait", "First"});
    const auto second = StartChild(scope, {"wait", "Second"});
    ASSERT_TRUE(WaitForLine(*first, "ready"));
    ASSERT_TRUE(WaitForLine(*second, "ready"));
    second->write("\n");
    ASSERT_TRUE(WaitForLine(*second, "done"));
    Finish(*second);
    first->write("\n");
    ASSERT_TRUE(WaitForLine(*first, "done"));
    Finish(*first);

    // And both saving over and over at the same time.
    const auto one = StartChild(scope, {"loop", "One", "10"});
    const auto two = StartChild(scope, {"loop", "Two", "10"});
    Finish(*one);
    Finish(*two);

    const THiveKey root = ReadHiveText(scope.FileText());
    const THiveKey* profiles = Profiles(root);
    ASSERT_TRUE(profiles);
    EXPECT_TRUE(profiles->SubKey("First"));
    EXPECT_TRUE(profiles->SubKey("Second"));
    EXPECT_TRUE(profiles->SubKey("One-49"));
    EXPECT_TRUE(profiles->SubKey("Two-49"));
    EXPECT_EQ(profiles->SubKeys().size(), 102u);
    EXPECT_EQ(Text(*profiles->SubKey("One-0"), "Counter"), "10");
    EXPECT_EQ(Text(*profiles->SubKey("Two-0"), "Counter"), "10");
}
