// TDropTargetTransferThread: fills a drop target's data formats on a thread of its own, from the
// data object passed to it through marshalling, and tells the source when it is done.
#pragma once

#include "platform/ole/interfaces.h"
#include "platform/threads/thread.h"

#include <atomic>

class TCustomDropTarget;

class TDropTargetTransferThread : public TThread {
public:
    // Marshals DataObject for the thread (raising EOleSysError when it cannot); the thread is
    // created suspended. Its end notification runs the target's end of the transfer on the GUI
    // thread.
    TDropTargetTransferThread(TCustomDropTarget& Target, win::DWORD Effect, win::IDataObject* DataObject);
    ~TDropTargetTransferThread() override;

    // Whether the thread told the source the outcome (false when the data object could not be
    // unmarshalled).
    bool OperationEnded() const { return operationEnded_; }

protected:
    void Execute() override;

private:
    TCustomDropTarget& target_;
    win::DWORD effect_;
    win::ComPtr<win::IStream> stream_;
    std::atomic<bool> operationEnded_ = false;
};
