// TSessionEngine: the handlers of the FTP client's events other than the end of a request.
#include "session/session_engine.h"

#include "dialogs/ftp_progress_dlg.h"
#include "ftp/client/ftp_client2.h"
#include "platform/rtl/format.h"
#include "platform/system/files.h"
#include "platform/system/tick_count.h"
#include "platform/ui/message_dialogs.h"
#include "routines/path_routines.h"
#include "routines/size_texts.h"
#include "session/session_window.h"

#include <QFileInfo>

namespace {

QString ErrorText(TFtpClient2& Client)
{
    return Format(QStringLiteral("FTP Error: Unable to perform task. '%s' StatusCode: (%d)"),
                  {FtpRequestName(Client.RequestType()), Client.StatusCode()});
}

// The requests after whose failure the session goes on.
bool SessionSurvives(TFtpRequest Request)
{
    switch (Request) {
    case ftpCwdAsync: case ftpDirAsync: case ftpGetAsync: case ftpListAsync: case ftpSystAsync:
    case ftpPutAsync: case ftpMkdAsync: case ftpRmdAsync: case ftpDeleAsync: case ftpRenAsync:
    case ftpPwdAsync: case ftpQuoteAsync: case ftpCDupAsync: case ftpTypeSetAsync:
        return true;
    default:
        return false;
    }
}

// What timed out, by the request that ran.
QString TimeOutText(TFtpRequest Request)
{
    if (Request == ftpPutAsync)
        return QStringLiteral("Upload terminated by application due to a network or server-side timeout. Please try again.");
    return Format(QStringLiteral("%s terminated by application due to a network or server-side timeout. Please try again."),
                  {FtpRequestName(Request)});
}

QString Shortened(QString Path, int Maximum, bool Remote)
{
    if (Remote)
        ShortenRemotePath(Path, Maximum);
    else
        ShortenPath(Path, Maximum);
    return Path;
}

} // namespace

QString HidePassword(const QString& Line)
{
    qsizetype at = Line.indexOf(QLatin1String("PASS"));
    if (at < 0) {
        // A raw command: the first word after the "> " of a command line.
        const qsizetype start = Line.startsWith(QLatin1String("> ")) ? 2 : 0;
        const QString word = Line.mid(start).section(QLatin1Char(' '), 0, 0);
        if (word.compare(QLatin1String("PASS"), Qt::CaseInsensitive) != 0)
            return Line;
        at = start;
    }
    return Line.left(at + 4) + QStringLiteral(" (hidden)");
}

void TSessionEngine::BindClientEvents()
{
    Client.OnProgress = [this](TObject*, qint64 Count, bool& Abort) { FtpClientProgress(Count, Abort); };
    Client.OnFtpDisplayStatusEx = [this](TObject*, QString& Text) { FtpClientFtpDisplayStatusEx(Text); };
    Client.OnError = [this](TObject*, QString& Text) { FtpClientError(Text); };
    Client.SetOnTimeOut([this](TObject*) { FtpClientTimeOut(); });
    Client.OnDisplay = [this](TObject*, QString& Text) { FtpClientDisplay(Text); };
    Client.OnStateChange = [this](TObject*) { FtpClientStateChange(); };
    Client.OnSessionConnected = [this](TObject*, win::WORD Error) { FtpClientSessionConnected(Error); };
    Client.OnSessionClosed = [this](TObject*, win::WORD Error) { FtpClientSessionClosed(Error); };
    Client.OnResetProgressCounters = [this] { ResetProgressCounters(); };
    Client.OnBgException = [this](TObject*, Exception& E, bool& CanClose) { FtpClientBgException(E, CanClose); };
    Client.OnRequestDone = [this](TObject*, TFtpRequest RqType, win::WORD Error) { FtpClientRequestDone(RqType, Error); };
}

void TSessionEngine::ResetProgressCounters()
{
    nextProgressTick_ = 0;
    transferStartTick_ = 0;
    lastProgressCount_ = 0;
}

void TSessionEngine::FtpClientProgress(qint64 Count, bool& Abort)
{
    TFtpProgressDlgFrm* progress = GetFtpProgressDlgFrm();
    const TFtpRequest request = Client.RequestType();
    const bool transfer = request == ftpGetAsync || request == ftpPutAsync;
    if (progress->StopRequested) {
        if (transfer) {
            Abort = true;
            State.Recursing = false;
            return;
        }
        progress->StopRequested = false;
        State.Recursing = false;
        State.AfterTransferPending = false;
        State.RecursionBaseFolder.clear();
        State.OpenAfterDownload = false;
        State.PendingFolder.clear();
        State.PendingRenameTarget.clear();
        PendingSiteNode.clear();
    }
    const std::uint32_t now = win::GetTickCount();
    if (nextProgressTick_ != 0 && std::int32_t(now - nextProgressTick_) <= 0)
        return;
    nextProgressTick_ = now + 1000;
    TTimer* timer = Client.RequestTimer();
    timer->SetEnabled(false);
    if (!transfer) {
        timer->SetEnabled(true);
        return;
    }
    QString text;
    QString action = request == ftpGetAsync ? QStringLiteral("File Download") : QStringLiteral("File Upload");
    if (progress->AbortRequested) {
        progress->hide();
        Abort = true;
        progress->AbortRequested = false;
        State.Recursing = false;
        text = Format(QStringLiteral("%s cancelled by user"), {action});
    } else {
        if (transferStartTick_ == 0)
            transferStartTick_ = now;
        const qint64 bytesThisSecond = Count - lastProgressCount_;
        const QString remote = State.CurrentRemoteFolder + Client.HostFileName();
        const bool download = request == ftpGetAsync;
        const qint64 total = download ? DownloadSize : QFileInfo(Client.LocalFileName()).size();
        text = Format(QStringLiteral("Transferred %s of %s"), {FormatByteSize(Count), FormatByteSize(total)});
        const qint64 secondsLeft = bytesThisSecond > 0 ? (total - Count) / bytesThisSecond : 0;
        if (State.AfterTransferPending)
            action = QStringLiteral("Currently Zipping ") + action;
        TTransferInfo info;
        info.Action = action;
        info.From = Shortened(download ? remote : Client.LocalFileName(), 60, download);
        info.To = Shortened(download ? Client.LocalFileName() : remote, 40, !download);
        info.Transferred = text;
        info.Rate = FormatByteSize(bytesThisSecond) + QStringLiteral("/Sec");
        info.TimeLeft = FormatDuration(std::max<qint64>(secondsLeft, 0));
        info.Elapsed = FormatDurationMs(now - transferStartTick_);
        progress->SetTransferInfo(info);
        if (Count >= 1 && total >= 1)
            progress->SetFileProgress(int(Count * 100 / total), action);
    }
    State.SetStatusText(text, 3);
    lastProgressCount_ = Count;
    timer->SetEnabled(true);
}

void TSessionEngine::FtpClientFtpDisplayStatusEx(const QString& Text)
{
    State.SetStatusText(Text, 3);
}

void TSessionEngine::FtpClientError(const QString& Text)
{
    GetFtpProgressDlgFrm()->hide();
    Client.RequestTimer()->SetEnabled(false);
    const TFtpRequest request = Client.RequestType();
    if (request == ftpUserAsync || request == ftpPassAsync || request == ftpConnectAsync) {
        RetryLogin(request);
        return;
    }
    const QString message = ErrorText(Client) + Text;
    Log.AddLogLine(QStringLiteral("* ") + message);
    State.SetStatusText(message, 3);
    State.PlayEventSound(SoundError);
    window_.ShowListingAnimation(false);
    // A refused request has no end event: a queue waiting for it goes.
    EndStalledQueue();
    if (!SessionSurvives(request))
        SessionEnded();
}

void TSessionEngine::FtpClientTimeOut()
{
    Client.RequestTimer()->SetEnabled(false);
    State.PlayEventSound(SoundError);
    const QString text = TimeOutText(Client.RequestType());
    State.SetStatusText(text, 3);
    Log.AddLogLine(QStringLiteral("* ") + text);
    // The engine has ended the request: nothing runs any more, so the queue and the pictures of
    // a running request go.
    State.ResetTransferQueue(false, true);
    GetFtpProgressDlgFrm()->hide();
    window_.ShowListingAnimation(false);
}

void TSessionEngine::FtpClientDisplay(QString& Text)
{
    Text = HidePassword(Text);
    Log.AddLogLine(Text);
}

void TSessionEngine::FtpClientStateChange()
{
    State.SetStatusText(Client.Connected() ? FtpStateName(Client.State()) : QStringLiteral("Offline"), 1);
}

void TSessionEngine::FtpClientSessionConnected(int Error)
{
    if (Error != 0)
        return;
    sessionStartTick_ = win::GetTickCount();
    Log.AddLogLine(QStringLiteral("! ") + Format(QStringLiteral("Session opened at %s"), {DateTimeToStr(Now())}));
}

void TSessionEngine::FtpClientSessionClosed(int Error)
{
    Client.RequestTimer()->SetEnabled(false);
    if (Error != 0) {
        SessionEnded();
        State.PlayEventSound(SoundError);
        QString message;
        if (Error == 10053 || Error == 10054)
            message = QStringLiteral("The internet connection has been dropped. Please check your network connection.");
        else if (Error == 11001)
            message = QStringLiteral("Please check your internet connection.");
        if (!message.isEmpty())
            Log.AddLogLine(QStringLiteral("* ") + ErrorText(Client) + QLatin1Char(' ') + message);
        win::PostMessage(window_.Handle(), WM_SOCKET_ERROR_BOX, win::WPARAM(Error), 0);
        State.SetStatusText(message, 3);
        return;
    }
    Log.AddLogLine(Format(QStringLiteral("%sSession connect time for %s was %s at %s"),
                          {QStringLiteral("! "), Client.HostName(), FormatDurationMs(win::GetTickCount() - sessionStartTick_),
                           DateTimeToStr(Now())}));
    if (window_.RemoteItemCount() > 0)
        SetOffline();
}

void TSessionEngine::FtpClientBgException(Exception& E, bool& CanClose)
{
    const QString text =
        Format(QStringLiteral("Client Background Exception: %s\r\nWould you like to reset the server connection?"), {E.Message});
    CanClose = MessageDlg(text, mtError, {mbYes, mbNo}) == mrYes;
    if (CanClose)
        SessionEnded();
}
