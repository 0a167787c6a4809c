// TThread and the GUI-thread queue behind Synchronize.
#include "platform/threads/thread.h"

#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

#include <condition_variable>
#include <deque>
#include <mutex>

namespace {

struct SyncRequest {
    std::function<void()> method;
    std::exception_ptr error;
    bool done = false;
};

// Calls waiting to run on the GUI thread. The same condition wakes a GUI thread waiting in WaitFor
// both for a new request and for a finished thread.
std::mutex SyncMutex;
std::condition_variable SyncChanged;
std::deque<SyncRequest*> SyncQueue;

const QEvent::Type SyncEvent = QEvent::Type(QEvent::registerEventType());

class SyncPump : public QObject {
protected:
    bool event(QEvent* e) override
    {
        if (e->type() != SyncEvent)
            return QObject::event(e);
        CheckSynchronize();
        return true;
    }
};

SyncPump* ThePump = nullptr;

bool OnGuiThread()
{
    return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
}

QThread::Priority ToQt(TThreadPriority p)
{
    switch (p) {
    case tpIdle: return QThread::IdlePriority;
    case tpLowest: return QThread::LowestPriority;
    case tpLower: return QThread::LowPriority;
    case tpNormal: return QThread::NormalPriority;
    case tpHigher: return QThread::HighPriority;
    case tpHighest: return QThread::HighestPriority;
    case tpTimeCritical: return QThread::TimeCriticalPriority;
    }
    return QThread::NormalPriority;
}

} // namespace

class TThread::Worker : public QThread {
public:
    explicit Worker(TThread* owner) : owner_(owner) {}

protected:
    void run() override { owner_->Run(); }

private:
    TThread* owner_;
};

bool CheckSynchronize(int TimeoutMs)
{
    if (TimeoutMs > 0) {
        std::unique_lock lock(SyncMutex);
        SyncChanged.wait_for(lock, std::chrono::milliseconds(TimeoutMs), [] { return !SyncQueue.empty(); });
    }
    bool ran = false;
    for (;;) {
        SyncRequest* request;
        {
            std::lock_guard lock(SyncMutex);
            if (SyncQueue.empty())
                return ran;
            request = SyncQueue.front();
            SyncQueue.pop_front();
        }
        ran = true;
        try {
            request->method();
        } catch (...) {
            request->error = std::current_exception();
        }
        {
            std::lock_guard lock(SyncMutex);
            request->done = true;
        }
        SyncChanged.notify_all();
    }
}

void TThread::Synchronize(const std::function<void()>& method)
{
    if (OnGuiThread()) {
        method();
        return;
    }
    SyncRequest request{method, nullptr, false};
    {
        std::unique_lock lock(SyncMutex);
        SyncQueue.push_back(&request);
        QCoreApplication::postEvent(ThePump, new QEvent(SyncEvent));
        SyncChanged.notify_all();
        SyncChanged.wait(lock, [&] { return request.done; });
    }
    if (request.error)
        std::rethrow_exception(request.error);
}

TThread::TThread(bool CreateSuspended) : worker_(std::make_unique<Worker>(this))
{
    if (!CreateSuspended)
        Start();
}

TThread::~TThread()
{
    if (started_ && !finished_) {
        Terminate();
        WaitFor();
    }
    worker_->wait();
}

void TThread::Start()
{
    if (started_)
        return;
    started_ = true;
    worker_->start(ToQt(priority_));
}

void TThread::SetPriority(TThreadPriority value)
{
    priority_ = value;
    if (started_ && !finished_)
        worker_->setPriority(ToQt(value));
}

int TThread::WaitFor()
{
    if (!started_)
        return ReturnValue;
    if (OnGuiThread()) {
        for (;;) {
            {
                std::unique_lock lock(SyncMutex);
                SyncChanged.wait(lock, [&] { return finished_.load() || !SyncQueue.empty(); });
                if (finished_ && SyncQueue.empty())
                    break;
            }
            CheckSynchronize();
        }
    }
    worker_->wait();
    return ReturnValue;
}

void TThread::Run()
{
    try {
        Execute();
    } catch (...) {
        FatalException = std::current_exception();
    }
    if (OnTerminate) {
        AtBoundary([this] { Synchronize([this] { Fire(OnTerminate, this); }); });
    }
    const bool freeSelf = FreeOnTerminate;
    {
        std::lock_guard lock(SyncMutex);
        finished_ = true;
    }
    SyncChanged.notify_all();
    if (freeSelf) {
        // Freed on the GUI thread once the worker has really ended.
        QMetaObject::invokeMethod(ThePump, [this] { delete this; }, Qt::QueuedConnection);
    }
}

void initThreads()
{
    if (ThePump)
        return;
    ThePump = new SyncPump;
    ThePump->moveToThread(QCoreApplication::instance()->thread());
}
