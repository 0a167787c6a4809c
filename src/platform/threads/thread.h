// TThread: a worker thread over QThread, with Terminate, WaitFor, FreeOnTerminate, priority and
// Synchronize (a blocking call into the GUI thread). Threads are never killed: Terminate only
// sets a flag that Execute checks.
#pragma once

#include "platform/rtl/object.h"

#include <atomic>
#include <exception>
#include <functional>
#include <memory>

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// A subclass whose Execute uses the subclass's own members must end the thread (Terminate, then
// WaitFor) in its own destructor: the base destructor runs after those members are gone.
class TThread : public TObject {
public:
    explicit TThread(bool CreateSuspended);
    // Terminates the thread and waits for it when it still runs.
    ~TThread() override;

    // Starts a thread created suspended; does nothing once started.
    void Start();
    void Resume() { Start(); }
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    bool Finished() const { return finished_; }
    // Waits until Execute has returned and returns ReturnValue. On the GUI thread, calls that
    // the worker makes through Synchronize still run while waiting.
    int WaitFor();

    TThreadPriority Priority() const { return priority_; }
    void SetPriority(TThreadPriority value);

    bool FreeOnTerminate = false;
    int ReturnValue = 0;
    // Runs on the GUI thread after Execute returns.
    std::function<void(TObject* Sender)> OnTerminate;
    // What Execute threw, if it threw.
    std::exception_ptr FatalException;

    // Runs method on the GUI thread and waits for it; an exception it throws is rethrown here.
    // Called on the GUI thread, it runs method at once.
    static void Synchronize(const std::function<void()>& method);

protected:
    virtual void Execute() = 0;

private:
    class Worker;
    void Run();

    std::unique_ptr<Worker> worker_;
    std::atomic<bool> terminated_ = false;
    std::atomic<bool> finished_ = false;
    bool started_ = false;
    TThreadPriority priority_ = tpNormal;
};

// Runs the calls that worker threads queued through Synchronize, waiting up to TimeoutMs for one
// when none is queued; true when any ran. GUI thread only; the message loop calls it on its own,
// and a GUI-thread wait can call it to avoid a deadlock.
bool CheckSynchronize(int TimeoutMs = 0);

void initThreads();
