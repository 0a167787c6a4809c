// The background transfer of a drop.
#include "dragdrop/drop_target_transfer_thread.h"

#include "dragdrop/drop_target.h"
#include "dragdrop/ole_check.h"
#include "platform/ole/com_init.h"
#include "platform/ole/marshal.h"

using namespace win;

TDropTargetTransferThread::TDropTargetTransferThread(TCustomDropTarget& Target, DWORD Effect, IDataObject* DataObject)
    : TThread(true), target_(Target), effect_(Effect)
{
    OleCheck(CoMarshalInterThreadInterfaceInStream(IID_IDataObject, DataObject, stream_.Put()));
    OnTerminate = [this](TObject*) { target_.EndAsyncTransfer(); };
}

TDropTargetTransferThread::~TDropTargetTransferThread()
{
    Terminate();
    WaitFor();
}

void TDropTargetTransferThread::Execute()
{
    CoInitialize(nullptr);
    ComPtr<IDataObject> dataObject;
    const HRESULT unmarshalled =
        CoGetInterfaceAndReleaseStream(stream_.Detach(), IID_IDataObject, reinterpret_cast<void**>(dataObject.Put()));
    if (SUCCEEDED(unmarshalled) && dataObject) {
        HRESULT outcome = S_OK;
        try {
            target_.FillDataFormats(dataObject.Get());
        } catch (...) {
            outcome = E_UNEXPECTED;
        }
        if (const auto operation = dataObject.Query<IAsyncOperation>(IID_IAsyncOperation)) {
            operation->EndOperation(outcome, nullptr, effect_);
            operationEnded_ = true;
        }
    }
    dataObject.Reset();
    CoUninitialize();
}
