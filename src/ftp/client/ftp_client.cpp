// TFtpClient.
#include "ftp/client/ftp_client.h"

#include "platform/rtl/application.h"
#include "platform/system/tick_count.h"

TFtpClient::TFtpClient(TComponent* AOwner) : TCustomFtpCli(AOwner) {}

void TFtpClient::SetMultiThreaded(bool Value)
{
    FMultiThreaded = Value;
    FControlSocket->SetMultiThreaded(Value);
}

void TFtpClient::ExtendDeadline()
{
    FTimeStop = win::GetTickCount() + std::uint32_t(FTimeout) * 1000;
}

bool TFtpClient::TriggerProgress()
{
    if (FTimeout > 0)
        ExtendDeadline();
    return TCustomFtpCli::TriggerProgress();
}

bool TFtpClient::WaitUntilReady()
{
    ExtendDeadline();
    while (true) {
        if (FState == ftpReady || FState == ftpInternalReady)
            return FRequestResult == 0;
        // The difference stays right across a wrap of the tick count.
        const bool Late = FTimeout > 0 && std::int32_t(win::GetTickCount() - FTimeStop) > 0;
        if ((Application && Application->Terminated()) || Late)
            break;
        if (FMultiThreaded)
            FControlSocket->MessagePump();
        else if (Application)
            Application->ProcessMessages();
        win::Sleep(0);
    }
    AbortAsync();
    FErrorMessage = QStringLiteral("426 Timeout");
    FStatusCode = 426;
    return false;
}

bool TFtpClient::Synchronize(const std::function<void()>& Proc)
{
    Proc();
    return WaitUntilReady();
}
