// The GUI-thread message dispatcher behind PostMessage, SendMessage and SetTimer.
#include "platform/messages/messages.h"

#include "platform/rtl/application.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimerEvent>

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace win {
namespace {

struct Target {
    WndMethod handler;
    ExceptionHandler onException;
    bool alive = true;
};

struct Posted {
    std::uintptr_t wnd;
    TMessage message;
};

struct Timer {
    std::uintptr_t wnd;
    UINT_PTR id;
    int qtTimerId;
    bool pending = false;
};

const QEvent::Type WakeEvent = QEvent::Type(QEvent::registerEventType());

class Dispatcher : public QObject {
public:
    std::uintptr_t Allocate(WndMethod handler, ExceptionHandler onException)
    {
        auto target = std::make_shared<Target>();
        target->handler = std::move(handler);
        target->onException = std::move(onException);
        std::lock_guard lock(mutex_);
        const std::uintptr_t handle = nextHandle_++;
        targets_.emplace(handle, std::move(target));
        return handle;
    }

    void Deallocate(std::uintptr_t wnd)
    {
        std::shared_ptr<Target> target;
        {
            std::lock_guard lock(mutex_);
            auto it = targets_.find(wnd);
            if (it == targets_.end())
                return;
            target = it->second;
            targets_.erase(it);
            std::erase_if(queue_, [wnd](const Posted& p) { return p.wnd == wnd; });
        }
        target->alive = false;
        for (auto it = timers_.begin(); it != timers_.end();) {
            if (it->second.wnd == wnd) {
                killTimer(it->second.qtTimerId);
                it = timers_.erase(it);
            } else {
                ++it;
            }
        }
    }

    bool Exists(std::uintptr_t wnd)
    {
        std::lock_guard lock(mutex_);
        return targets_.count(wnd) != 0;
    }

    bool Post(std::uintptr_t wnd, const TMessage& message)
    {
        std::lock_guard lock(mutex_);
        if (wnd != 0 && targets_.count(wnd) == 0)
            return false;
        queue_.push_back({wnd, message});
        WakeLocked();
        return true;
    }

    int Remove(std::uintptr_t wnd, const std::function<bool(const TMessage&)>& match)
    {
        std::lock_guard lock(mutex_);
        return int(std::erase_if(queue_, [&](const Posted& p) { return p.wnd == wnd && match(p.message); }));
    }

    int QueuedCount()
    {
        std::lock_guard lock(mutex_);
        return int(queue_.size());
    }

    LRESULT Send(std::uintptr_t wnd, TMessage message)
    {
        std::shared_ptr<Target> target = Find(wnd);
        if (!target)
            return 0;
        Deliver(*target, message);
        return message.Result;
    }

    UINT_PTR StartTimer(std::uintptr_t wnd, UINT_PTR id, UINT elapseMs)
    {
        if (!Exists(wnd))
            return 0;
        const auto key = std::make_pair(wnd, id);
        auto it = timers_.find(key);
        if (it != timers_.end()) {
            killTimer(it->second.qtTimerId);
            timers_.erase(it);
        }
        if (elapseMs == 0)
            return id;
        const int qtId = startTimer(int(elapseMs), Qt::PreciseTimer);
        if (qtId == 0)
            return 0;
        timers_.emplace(key, Timer{wnd, id, qtId});
        return id;
    }

    bool StopTimer(std::uintptr_t wnd, UINT_PTR id)
    {
        auto it = timers_.find(std::make_pair(wnd, id));
        if (it == timers_.end())
            return false;
        killTimer(it->second.qtTimerId);
        timers_.erase(it);
        return true;
    }

    // Delivers the messages queued now; pending timers follow when the queue is empty.
    bool Drain()
    {
        bool quit = false;
        std::size_t budget;
        {
            std::lock_guard lock(mutex_);
            wakePending_ = false;
            budget = queue_.size();
        }
        while (budget-- > 0) {
            Posted next;
            std::shared_ptr<Target> target;
            {
                std::lock_guard lock(mutex_);
                if (queue_.empty())
                    break;
                next = queue_.front();
                queue_.pop_front();
                if (next.wnd != 0) {
                    auto it = targets_.find(next.wnd);
                    if (it == targets_.end())
                        continue;
                    target = it->second;
                }
            }
            if (next.wnd == 0) {
                if (next.message.Msg == WM_QUIT) {
                    quit = true;
                    if (Application)
                        Application->QuitReceived();
                }
                continue;
            }
            Deliver(*target, next.message);
        }
        {
            std::lock_guard lock(mutex_);
            if (!queue_.empty()) {
                WakeLocked();
                return !quit;
            }
        }
        DeliverPendingTimers();
        return !quit;
    }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != WakeEvent)
            return QObject::event(e);
        Drain();
        return true;
    }

    void timerEvent(QTimerEvent* e) override
    {
        for (auto& [key, timer] : timers_) {
            if (timer.qtTimerId == e->timerId()) {
                timer.pending = true;
                std::lock_guard lock(mutex_);
                WakeLocked();
                return;
            }
        }
    }

private:
    void WakeLocked()
    {
        if (wakePending_)
            return;
        wakePending_ = true;
        QCoreApplication::postEvent(this, new QEvent(WakeEvent));
    }

    std::shared_ptr<Target> Find(std::uintptr_t wnd)
    {
        std::lock_guard lock(mutex_);
        auto it = targets_.find(wnd);
        return it == targets_.end() ? nullptr : it->second;
    }

    void DeliverPendingTimers()
    {
        std::vector<std::pair<std::uintptr_t, UINT_PTR>> due;
        for (auto& [key, timer] : timers_) {
            if (timer.pending)
                due.push_back(key);
        }
        for (const auto& key : due) {
            auto it = timers_.find(key);
            if (it == timers_.end() || !it->second.pending)
                continue;
            it->second.pending = false;
            std::shared_ptr<Target> target = Find(key.first);
            if (!target)
                continue;
            TMessage message{WM_TIMER, key.second, 0, 0};
            Deliver(*target, message);
        }
    }

    static void Deliver(Target& target, TMessage& message)
    {
        // The handler may free its own target; the shared record keeps the handler alive meanwhile.
        AtBoundary([&] { target.handler(message); },
                   [&](Exception& E) {
                       if (target.alive && target.onException)
                           target.onException(E);
                       else
                           TApplication::ReportException(E);
                   });
    }

    std::mutex mutex_;
    std::deque<Posted> queue_;
    std::unordered_map<std::uintptr_t, std::shared_ptr<Target>> targets_;
    std::uintptr_t nextHandle_ = 1;
    bool wakePending_ = false;
    std::map<std::pair<std::uintptr_t, UINT_PTR>, Timer> timers_; // GUI thread only
};

Dispatcher* TheDispatcher = nullptr;

Dispatcher& D()
{
    Q_ASSERT_X(TheDispatcher, "messages", "initMessages() was not called");
    return *TheDispatcher;
}

std::uintptr_t Raw(HWND wnd) { return reinterpret_cast<std::uintptr_t>(wnd); }

void RequireGuiThread(const char* call)
{
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        throw Exception(QStringLiteral("%1 called outside the GUI thread").arg(QLatin1String(call)));
}

} // namespace

HWND AllocateHWnd(WndMethod handler, ExceptionHandler onException)
{
    return reinterpret_cast<HWND>(D().Allocate(std::move(handler), std::move(onException)));
}

void DeallocateHWnd(HWND wnd)
{
    if (wnd)
        D().Deallocate(Raw(wnd));
}

bool IsWindow(HWND wnd) { return wnd && D().Exists(Raw(wnd)); }

bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!wnd)
        return false;
    return D().Post(Raw(wnd), TMessage{msg, wParam, lParam, 0});
}

LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    RequireGuiThread("SendMessage");
    return D().Send(Raw(wnd), TMessage{msg, wParam, lParam, 0});
}

int RemoveMessages(HWND wnd, const std::function<bool(const TMessage&)>& match)
{
    return D().Remove(Raw(wnd), match);
}

void PostQuitMessage(int exitCode)
{
    D().Post(0, TMessage{WM_QUIT, WPARAM(exitCode), 0, 0});
}

UINT_PTR SetTimer(HWND wnd, UINT_PTR id, UINT elapseMs)
{
    RequireGuiThread("SetTimer");
    return D().StartTimer(Raw(wnd), id, elapseMs);
}

bool KillTimer(HWND wnd, UINT_PTR id)
{
    RequireGuiThread("KillTimer");
    return D().StopTimer(Raw(wnd), id);
}

bool PumpMessages()
{
    RequireGuiThread("PumpMessages");
    return D().Drain();
}

int QueuedMessageCount() { return D().QueuedCount(); }

} // namespace win

void initMessages()
{
    if (win::TheDispatcher)
        return;
    win::TheDispatcher = new win::Dispatcher;
    win::TheDispatcher->moveToThread(QCoreApplication::instance()->thread());
}
