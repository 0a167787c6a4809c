// Worker threads: Synchronize, WaitFor, FreeOnTerminate, fatal exceptions and the sync objects.
#include "platform/rtl/exception.h"
#include "platform/threads/sync_objects.h"
#include "platform/threads/thread.h"
#include "support/pump.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <atomic>

namespace {

// Runs a function as its Execute.
class FunctionThread : public TThread {
public:
    explicit FunctionThread(std::function<void(FunctionThread&)> body, bool suspended = true)
        : TThread(true), body_(std::move(body))
    {
        if (!suspended)
            Start();
    }
    ~FunctionThread() override
    {
        // Execute uses this class's members, so the thread must end before they go.
        Terminate();
        WaitFor();
        if (destroyed)
            *destroyed = true;
    }
    using TThread::Synchronize;
    bool* destroyed = nullptr;

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(FunctionThread&)> body_;
};

bool OnGuiThread() { return QThread::currentThread() == QCoreApplication::instance()->thread(); }

} // namespace

TEST(Threads, SynchronizeRunsOnTheGuiThreadWhileItWaits)
{
    std::vector<bool> ranOnGui;
    FunctionThread t([&](FunctionThread& self) {
        for (int i = 0; i < 3; ++i)
            self.Synchronize([&] { ranOnGui.push_back(OnGuiThread()); });
        self.ReturnValue = 5;
    });
    t.Start();
    EXPECT_EQ(t.WaitFor(), 5);
    EXPECT_EQ(ranOnGui, (std::vector<bool>{true, true, true}));
}

TEST(Threads, SynchronizeRethrowsInTheWorker)
{
    QString caught;
    FunctionThread t([&](FunctionThread& self) {
        try {
            self.Synchronize([] { throw Exception("in main"); });
        } catch (const Exception& E) {
            caught = E.Message;
        }
    });
    t.Start();
    t.WaitFor();
    EXPECT_EQ(caught, "in main");
}

TEST(Threads, TerminateIsCooperativeAndFatalExceptionIsKept)
{
    TEvent looping;
    FunctionThread t([&](FunctionThread& self) {
        looping.SetEvent();
        while (!self.Terminated())
            QThread::yieldCurrentThread();
        throw Exception("ended");
    });
    t.Start();
    ASSERT_EQ(looping.WaitFor(5000), wrSignaled);
    t.Terminate();
    t.WaitFor();
    EXPECT_TRUE(t.Finished());
    ASSERT_TRUE(t.FatalException);
    try {
        std::rethrow_exception(t.FatalException);
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, "ended");
    }
}

TEST(Threads, FreeOnTerminateRunsOnTerminateThenFreesOnTheGuiThread)
{
    bool destroyed = false;
    bool terminatedOnGui = false;
    auto* t = new FunctionThread([](FunctionThread&) {});
    t->destroyed = &destroyed;
    t->FreeOnTerminate = true;
    t->OnTerminate = [&](TObject* sender) { terminatedOnGui = sender == t && OnGuiThread(); };
    t->SetPriority(tpLower);
    t->Start();
    ASSERT_TRUE(pumpUntil([&] { return destroyed; }));
    EXPECT_TRUE(terminatedOnGui);
}

TEST(Threads, DestroyingARunningThreadTerminatesAndWaits)
{
    std::atomic<bool> sawTerminate = false;
    {
        FunctionThread t([&](FunctionThread& self) {
            while (!self.Terminated())
                QThread::yieldCurrentThread();
            sawTerminate = true;
        });
        t.Start();
    }
    EXPECT_TRUE(sawTerminate);
}

TEST(SyncObjects, EventsReleaseWaitersAndAutoResetOnce)
{
    TEvent manual(true, false);
    EXPECT_EQ(manual.WaitFor(0), wrTimeout);
    manual.SetEvent();
    EXPECT_EQ(manual.WaitFor(0), wrSignaled);
    EXPECT_EQ(manual.WaitFor(0), wrSignaled);
    manual.ResetEvent();
    EXPECT_EQ(manual.WaitFor(0), wrTimeout);

    TEvent automatic(false, false);
    FunctionThread t([&](FunctionThread&) { automatic.SetEvent(); });
    t.Start();
    EXPECT_EQ(automatic.WaitFor(), wrSignaled);
    EXPECT_EQ(automatic.WaitFor(0), wrTimeout);
    t.WaitFor();

    TCriticalSection cs;
    cs.Enter();
    EXPECT_TRUE(cs.TryEnter()) << "re-entrant for the owning thread";
    cs.Leave();
    cs.Leave();
}
