// The message dispatcher: ordering, dropping, exception routing, removal and timers.
#include "platform/messages/messages.h"
#include "platform/messages/timer.h"
#include "platform/rtl/application.h"
#include "platform/rtl/events.h"
#include "support/pump.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <atomic>
#include <thread>
#include <vector>

using namespace win;

namespace {

// A message target that records what it receives.
struct Recorder {
    std::vector<TMessage> got;
    HWND wnd = AllocateHWnd([this](TMessage& m) { got.push_back(m); });
    ~Recorder() { DeallocateHWnd(wnd); }
};

// Captures what reaches the application's exception handler while it lives.
struct PromptCapture {
    QStringList messages;
    TApplication::ExceptionPrompt previous =
        TApplication::SetExceptionPrompt([this](const QString& m) { messages << m; });
    ~PromptCapture() { TApplication::SetExceptionPrompt(previous); }
};

} // namespace

TEST(Messages, PostedMessagesArriveLaterAndInOrderFromManyThreads)
{
    Recorder r;
    constexpr int threads = 4, perThread = 500;
    ASSERT_TRUE(PostMessage(r.wnd, WM_USER + 1, 99, 0));
    EXPECT_TRUE(r.got.empty()) << "never delivered inside PostMessage";

    std::vector<std::thread> posters;
    for (int t = 0; t < threads; ++t) {
        posters.emplace_back([&, t] {
            for (int i = 0; i < perThread; ++i)
                PostMessage(r.wnd, WM_USER + 2, WPARAM(t), LPARAM(i));
        });
    }
    for (auto& p : posters)
        p.join();
    ASSERT_TRUE(pumpUntil([&] { return r.got.size() == 1 + threads * perThread; }));
    EXPECT_EQ(r.got[0].WParam, 99u);
    std::vector<LPARAM> last(threads, -1);
    for (std::size_t k = 1; k < r.got.size(); ++k) {
        const TMessage& m = r.got[k];
        EXPECT_EQ(m.LParam, last[m.WParam] + 1) << "each thread's posts keep their order";
        last[m.WParam] = m.LParam;
    }
}

TEST(Messages, DeallocatedTargetGetsNothingAndHandlesAreNotReused)
{
    std::vector<TMessage> got;
    HWND first = AllocateHWnd([&](TMessage& m) { got.push_back(m); });
    PostMessage(first, WM_USER, 1, 0);
    DeallocateHWnd(first);
    EXPECT_FALSE(PostMessage(first, WM_USER, 2, 0));
    EXPECT_FALSE(IsWindow(first));

    Recorder second;
    EXPECT_NE(second.wnd, first);
    PostMessage(second.wnd, WM_USER, 3, 0);
    ASSERT_TRUE(pumpUntil([&] { return !second.got.empty(); }));
    EXPECT_TRUE(got.empty());
}

TEST(Messages, TargetFreedInsideItsOwnHandler)
{
    struct SelfFreeing {
        int* calls;
        HWND wnd = AllocateHWnd([this](TMessage&) {
            ++*calls;
            delete this;
        });
        ~SelfFreeing() { DeallocateHWnd(wnd); }
    };
    int calls = 0;
    auto* target = new SelfFreeing{&calls};
    HWND wnd = target->wnd;
    PostMessage(wnd, WM_USER, 0, 0);
    PostMessage(wnd, WM_USER, 0, 0);
    Recorder after;
    PostMessage(after.wnd, WM_USER, 0, 0);
    ASSERT_TRUE(pumpUntil([&] { return !after.got.empty(); }));
    EXPECT_EQ(calls, 1);
}

TEST(Messages, HandlerExceptionGoesToItsTargetElseToTheApplication)
{
    QStringList targetGot;
    HWND withHandler = AllocateHWnd([](TMessage&) { throw Exception("from handler"); },
                                    [&](Exception& E) { targetGot << E.Message; });
    HWND without = AllocateHWnd([](TMessage&) { throw std::runtime_error("plain"); });
    HWND failingHandler = AllocateHWnd([](TMessage&) { throw Exception("first"); },
                                       [](Exception&) { throw Exception("second"); });
    PromptCapture app;
    PostMessage(withHandler, WM_USER, 0, 0);
    PostMessage(without, WM_USER, 0, 0);
    PostMessage(failingHandler, WM_USER, 0, 0);
    ASSERT_TRUE(pumpUntil([&] { return app.messages.size() == 2; }));
    EXPECT_EQ(targetGot, QStringList{"from handler"});
    EXPECT_EQ(app.messages, (QStringList{"plain", "second"}));
    for (HWND h : {withHandler, without, failingHandler})
        DeallocateHWnd(h);
}

TEST(Messages, RemoveMessagesTakesOnlyMatchingOnesOfThatTarget)
{
    Recorder a, b;
    PostMessage(a.wnd, WM_USER + 1, 0, 0);
    PostMessage(a.wnd, WM_USER + 2, 0, 0);
    PostMessage(b.wnd, WM_USER + 1, 0, 0);
    PostMessage(a.wnd, WM_USER + 1, 0, 0);
    EXPECT_EQ(RemoveMessages(a.wnd, [](const TMessage& m) { return m.Msg == WM_USER + 1; }), 2);
    ASSERT_TRUE(pumpUntil([&] { return a.got.size() == 1 && b.got.size() == 1; }));
    EXPECT_EQ(a.got[0].Msg, WM_USER + 2);
}

TEST(Messages, SendMessageCallsAtOnceOnlyOnTheGuiThread)
{
    HWND wnd = AllocateHWnd([](TMessage& m) { m.Result = LRESULT(m.WParam * 2); });
    EXPECT_EQ(SendMessage(wnd, WM_USER, 21, 0), 42);

    bool refused = false;
    std::thread other([&] {
        try {
            SendMessage(wnd, WM_USER, 1, 0);
        } catch (const Exception&) {
            refused = true;
        }
    });
    other.join();
    EXPECT_TRUE(refused);
    DeallocateHWnd(wnd);
}

TEST(Messages, OnePendingTimerMessageDeliveredOnlyWhenNoPostedMessageWaits)
{
    // A chain of posted messages keeps the queue busy for many timer periods; the timer may
    // then deliver exactly one WM_TIMER, and only after the chain has ended.
    std::vector<UINT> order;
    QElapsedTimer busy;
    HWND wnd = nullptr;
    wnd = AllocateHWnd([&](TMessage& m) {
        order.push_back(m.Msg);
        if (m.Msg == WM_USER && busy.elapsed() < 40)
            PostMessage(wnd, WM_USER, 0, 0);
        if (m.Msg == WM_TIMER)
            KillTimer(wnd, 7);
    });
    ASSERT_EQ(SetTimer(wnd, 7, 1), 7u);
    busy.start();
    PostMessage(wnd, WM_USER, 0, 0);
    ASSERT_TRUE(pumpUntil([&] { return !order.empty() && order.back() == WM_TIMER; }));
    EXPECT_GT(order.size(), 2u);
    EXPECT_EQ(std::count(order.begin(), order.end(), WM_TIMER), 1);
    DeallocateHWnd(wnd);
}

TEST(Messages, TimerComponentRestartsWhenIntervalChanges)
{
    TTimer timer;
    int fired = 0;
    timer.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        ++fired;
    };
    timer.SetInterval(0);
    timer.SetInterval(5);
    ASSERT_TRUE(pumpUntil([&] { return fired >= 2; }));

    // A long interval set now must not fire within the old short period.
    timer.SetInterval(60000);
    const int before = fired;
    TTimer probe;
    bool probed = false;
    probe.OnTimer = [&](TObject*) { probed = true; };
    probe.SetInterval(50);
    ASSERT_TRUE(pumpUntil([&] { return probed; }));
    EXPECT_EQ(fired, before);

    timer.SetEnabled(false);
    timer.SetInterval(1);
    probed = false;
    ASSERT_TRUE(pumpUntil([&] { return probed; }));
    EXPECT_EQ(fired, before);
}

TEST(MessagesDeathTest, QuitMessageTerminatesTheApplication)
{
    // Runs in a child process: a terminated application cannot be revived for later tests.
    EXPECT_EXIT(
        {
            const bool wasRunning = !Application->Terminated();
            PostQuitMessage(0);
            const bool pumpSawQuit = !PumpMessages();
            std::exit(wasRunning && pumpSawQuit && Application->Terminated() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(Events, HandlerMayFreeItsSender)
{
    struct Sender : TObject {
        std::function<void(TObject*)> OnDone;
        void Finish() { Fire(OnDone, this); }
    };
    auto* sender = new Sender;
    bool ran = false;
    int capturedValue = 7;
    sender->OnDone = [&ran, capturedValue, sender](TObject*) {
        delete sender; // frees the event member that holds this very handler
        ran = capturedValue == 7;
    };
    sender->Finish();
    EXPECT_TRUE(ran);
}
