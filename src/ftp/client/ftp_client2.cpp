// TFtpClient2.
#include "ftp/client/ftp_client2.h"

#include "platform/rtl/events.h"

TFtpClient2::TFtpClient2(TComponent* AOwner) : TFtpClient(AOwner), FRequestTimer(new TTimer(this))
{
    FRequestTimer->SetEnabled(false);
    FRequestTimer->SetInterval(unsigned(Timeout()) * 1000);
    FRequestTimer->OnTimer = [this](TObject*) { RequestTimerElapsed(); };
}

void TFtpClient2::RequestTimerElapsed()
{
    if (FState != ftpReady)
        TimeOutRequest(QStringLiteral("426 Timeout: nothing heard from the server for %1 seconds.")
                           .arg(FRequestTimer->Interval() / 1000));
    Fire(FOnTimeOut, FRequestTimer);
}

void TFtpClient2::TriggerDisplayStatusEx(const QString& Msg)
{
    QString Text = Msg;
    Fire(OnFtpDisplayStatusEx, this, Text);
}

bool TFtpClient2::TriggerProgress()
{
    if (FRequestTimer->Enabled())
        FRequestTimer->SetEnabled(true);
    return TFtpClient::TriggerProgress();
}
