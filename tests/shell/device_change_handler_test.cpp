// TPTDeviceChangeHandler: volumes that come and go reach the listeners after the broadcast, in
// order, one failing listener not stopping the next.
#include "shell/device_change_handler.h"

#include "platform/rtl/application.h"
#include "platform/rtl/exception.h"
#include "platform/shellapi/volumes.h"

#include "support/pump.h"
#include "support/shell_fixtures.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

namespace {

struct TListener {
    QString Name;
    QStringList* Log;
    bool Throws = false;

    void DeviceChange(TPTDeviceChangeHandler&, win::TMessage& Message)
    {
        Log->append(Name + QLatin1Char(':') + QString::number(Message.WParam, 16));
        if (Throws)
            throw Exception(Name + QStringLiteral(" failed"));
    }

    TDeviceChangeMethod Method() { return TDeviceChangeMethod::Of<&TListener::DeviceChange>(this); }
};

// Catches what reaches the application's exception display.
struct TExceptionPromptScope {
    QStringList Shown;
    TApplication::ExceptionPrompt Old;
    TExceptionPromptScope()
    {
        Old = TApplication::SetExceptionPrompt([this](const QString& Message) { Shown.append(Message); });
    }
    ~TExceptionPromptScope() { TApplication::SetExceptionPrompt(Old); }
};

} // namespace

TEST(DeviceChangeHandler, ArrivalsAndRemovalsReachTheListenersInOrder)
{
    TTempTree tree;
    const QByteArray root = MountLine(1, "/", "ext4", "/dev/sda1");
    TMountTableScope mounts(tree.Path("mounts"), root);
    TExceptionPromptScope prompts;
    QStringList log;
    TListener first{"first", &log}, second{"second", &log, true}, third{"third", &log};
    TPTDeviceChangeHandler* handler = DeviceChangeHandler();
    EXPECT_EQ(DeviceChangeHandler(), handler);
    handler->AddListener(first.Method());
    handler->AddListener(second.Method());
    handler->AddListener(third.Method());

    mounts.Write(root + MountLine(2, "/media/stick", "vfat", "/dev/sdb1"));
    win::RereadVolumes();
    EXPECT_TRUE(log.isEmpty()); // posted: nothing runs inside the broadcast
    ASSERT_TRUE(pumpUntil([&] { return log.size() == 3; }));
    mounts.Write(root);
    win::RereadVolumes();
    ASSERT_TRUE(pumpUntil([&] { return log.size() == 6; }));
    EXPECT_EQ(log, (QStringList{"first:8000", "second:8000", "third:8000", "first:8004", "second:8004", "third:8004"}));
    EXPECT_EQ(prompts.Shown, (QStringList{"second failed", "second failed"}));

    // Inactive: nothing runs. Removing takes the first equal listener only.
    log.clear();
    handler->Active = false;
    mounts.Write(root + MountLine(3, "/media/card", "vfat", "/dev/sdc1"));
    win::RereadVolumes();
    win::PumpMessages();
    EXPECT_TRUE(log.isEmpty());
    handler->Active = true;
    handler->AddListener(first.Method());
    handler->RemoveListener(first.Method());
    handler->RemoveListener(second.Method());
    handler->RemoveListener(TListener{"unknown", &log}.Method());
    EXPECT_EQ(handler->ListenerCount(), 2);
    mounts.Write(root);
    win::RereadVolumes();
    ASSERT_TRUE(pumpUntil([&] { return log.size() == 2; }));
    EXPECT_EQ(log, (QStringList{"third:8004", "first:8004"}));
    handler->DeleteListener(0);
    handler->DeleteListener(0);
    EXPECT_EQ(handler->ListenerCount(), 0);
    FreeDeviceChangeHandler();
}
