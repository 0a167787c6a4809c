// TCustomFtpCli: high-level requests, which run several steps in a fixed order and report one
// OnRequestDone, and the REST step.
#include "ftp/client/custom_ftp_cli.h"

#include "platform/system/files.h"

using namespace win;

namespace {

constexpr quint32 Bit(TFtpFct Fct)
{
    return quint32(1) << Fct;
}

// The order in which the steps of a request run.
constexpr TFtpFct StepOrder[] = {
    ftpFctOpen,    ftpFctUser,  ftpFctPass,   ftpFctCwd,  ftpFctCDup, ftpFctTypeSet, ftpFctPort, ftpFctRest,
    ftpFctGet,     ftpFctPut,   ftpFctAppend, ftpFctDir,  ftpFctLs,   ftpFctSyst,    ftpFctMkd,  ftpFctRmd,
    ftpFctRenFrom, ftpFctRenTo, ftpFctSize,   ftpFctDele, ftpFctPwd,  ftpFctQuote,   ftpFctQuit,
};

} // namespace

void TCustomFtpCli::HighLevelAsync(TFtpRequest RqType, std::initializer_list<TFtpFct> Fcts)
{
    quint32 Set = 0;
    for (const TFtpFct Fct : Fcts)
        Set |= Bit(Fct);
    if (Connected() && (Set & Bit(ftpFctOpen))) {
        HandleError(QStringLiteral("FTP component already connected"));
        return;
    }
    if (!RequestAllowed(false))
        return;
    FLastResponseSave = FLastResponse;
    FStatusCodeSave = -1;
    FRequestType = RqType;
    FRequestResult = 0;
    FFctSet = Set;
    FFctPrv = ftpFctNone;
    FHighLevelResult = 0;
    FHighLevelFlag = true;
    FLastResponse.clear();
    FErrorMessage.clear();
    NextHighLevelAsync();
}

void TCustomFtpCli::NextHighLevelAsync()
{
    if (FState == ftpAbort) {
        FFctSet = 0;
        FHighLevelResult = 426;
        FErrorMessage = QStringLiteral("426 Operation aborted.");
    }
    FNextRequest = [this] { NextHighLevelAsync(); };
    if (FRequestResult != 0) {
        // The connection closed under a step: only the QUIT still runs.
        FHighLevelResult = FRequestResult;
        FFctSet = FFctPrv != ftpFctQuit && (FFctSet & Bit(ftpFctQuit)) ? Bit(ftpFctQuit) : 0;
    }

    const bool WasRunningStep = FRunningStep;
    FRunningStep = true;
    bool Started;
    try {
        Started = RunNextStep();
    } catch (...) {
        FRunningStep = WasRunningStep;
        AbandonRequest();
        throw;
    }
    FRunningStep = WasRunningStep;
    if (Started)
        return;

    FFctSet = 0;
    FNextRequest = nullptr;
    FRequestDoneFlag = false;
    TriggerRequestDone(WORD(FHighLevelResult));
}

bool TCustomFtpCli::TakeStep(TFtpFct Fct)
{
    if (!(FFctSet & Bit(Fct)))
        return false;
    FFctSet &= ~Bit(Fct);
    return true;
}

void TCustomFtpCli::KeepResumeOnlyAfterRest(TFtpFct Previous)
{
    // Only a REST the server accepted moves the start of a transfer: a stale offset would send or
    // store the file without its beginning.
    if (Previous != ftpFctRest || FResumeAt < 0 || FStatusCode != 350)
        FResumeAt = 0;
}

bool TCustomFtpCli::RunNextStep()
{
    for (const TFtpFct Fct : StepOrder) {
        if (!TakeStep(Fct))
            continue;
        const TFtpFct Previous = FFctPrv;
        FFctPrv = Fct;
        switch (Fct) {
        case ftpFctOpen: OpenAsync(); break;
        case ftpFctUser: UserAsync(); break;
        case ftpFctPass:
            // A USER answered with 230 needs no password.
            if (Previous == ftpFctUser && FStatusCode != 331)
                continue;
            PassAsync();
            break;
        case ftpFctCwd:
            if (FHostDirName.isEmpty())
                continue;
            CwdAsync();
            break;
        case ftpFctCDup: CDupAsync(); break;
        case ftpFctTypeSet: TypeSetAsync(); break;
        case ftpFctPort: PortAsync(); break;
        case ftpFctRest: RestAsync(); break;
        case ftpFctGet:
        case ftpFctPut:
        case ftpFctAppend:
            KeepResumeOnlyAfterRest(Previous);
            if (Fct == ftpFctGet)
                RetrAsync();
            else if (Fct == ftpFctPut)
                StorAsync();
            else
                AppeAsync();
            break;
        case ftpFctDir: ListCmdAsync(); break;
        case ftpFctLs: NlstAsync(); break;
        case ftpFctSyst: SystAsync(); break;
        case ftpFctMkd: MkdAsync(); break;
        case ftpFctRmd: RmdAsync(); break;
        case ftpFctRenFrom: RenFromAsync(); break;
        case ftpFctRenTo: RenToAsync(); break;
        case ftpFctSize: SizeAsync(); break;
        case ftpFctDele: DeleAsync(); break;
        case ftpFctPwd: PwdAsync(); break;
        case ftpFctQuote: QuoteAsync(); break;
        case ftpFctQuit:
            FLastResponseSave = FLastResponse;
            FStatusCodeSave = FStatusCode;
            QuitAsync();
            break;
        default: continue;
        }
        return true;
    }
    return false;
}

void TCustomFtpCli::RestAsync()
{
    if (!RequestAllowed(false))
        return;
    FFctPrv = ftpFctRest;
    if (!FHighLevelFlag)
        FRequestType = ftpRestAsync;
    // The put requests take the offset their caller set.
    if (FRequestType != ftpRestPutAsync && FRequestType != ftpRestartPutAsync &&
        !FOptions.testFlag(ftpNoAutoResumeAt))
        FResumeAt = FileSizeOf(ExpandFileName(FLocalFileName));
    if (FResumeAt < 1) {
        FRequestDoneFlag = false;
        FNext = nullptr;
        FRequestResult = 0;
        TriggerRequestDone(0);
        return;
    }
    ExecAsync(ftpRestAsync, QStringLiteral("REST %1").arg(FResumeAt), {});
}

void TCustomFtpCli::ConnectAsync()
{
    HighLevelAsync(ftpConnectAsync, {ftpFctOpen, ftpFctUser, ftpFctPass});
}

void TCustomFtpCli::ReceiveAsync()
{
    HighLevelAsync(ftpReceiveAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctTypeSet, ftpFctPort,
                                     ftpFctGet, ftpFctQuit});
}

void TCustomFtpCli::DirAsync()
{
    HighLevelAsync(ftpDirAsync, {ftpFctPort, ftpFctDir});
}

void TCustomFtpCli::LsAsync()
{
    HighLevelAsync(ftpLsAsync, {ftpFctPort, ftpFctLs});
}

void TCustomFtpCli::GetAsync()
{
    HighLevelAsync(ftpGetAsync, {ftpFctPort, ftpFctGet});
}

void TCustomFtpCli::DirectoryAsync()
{
    HighLevelAsync(ftpDirectoryAsync,
                   {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctPort, ftpFctDir, ftpFctQuit});
}

void TCustomFtpCli::ListAsync()
{
    HighLevelAsync(ftpListAsync,
                   {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctPort, ftpFctLs, ftpFctQuit});
}

void TCustomFtpCli::SystemAsync()
{
    HighLevelAsync(ftpSystemAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctSyst, ftpFctQuit});
}

void TCustomFtpCli::FileSizeAsync()
{
    HighLevelAsync(ftpSizeAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctSize, ftpFctQuit});
}

void TCustomFtpCli::PutAsync()
{
    HighLevelAsync(ftpPutAsync, {ftpFctPort, ftpFctPut});
}

void TCustomFtpCli::AppendAsync()
{
    HighLevelAsync(ftpAppendAsync, {ftpFctPort, ftpFctAppend});
}

void TCustomFtpCli::RenameAsync()
{
    HighLevelAsync(ftpRenameAsync,
                   {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctRenFrom, ftpFctRenTo, ftpFctQuit});
}

void TCustomFtpCli::RenAsync()
{
    HighLevelAsync(ftpRenAsync, {ftpFctRenFrom, ftpFctRenTo});
}

void TCustomFtpCli::DeleteAsync()
{
    HighLevelAsync(ftpDeleteAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctDele, ftpFctQuit});
}

void TCustomFtpCli::MkdirAsync()
{
    HighLevelAsync(ftpMkdirAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctMkd, ftpFctQuit});
}

void TCustomFtpCli::RmdirAsync()
{
    HighLevelAsync(ftpRmdirAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctRmd, ftpFctQuit});
}

void TCustomFtpCli::DoQuoteAsync()
{
    HighLevelAsync(ftpDoQuoteAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctQuote, ftpFctQuit});
}

void TCustomFtpCli::TransmitAsync()
{
    HighLevelAsync(ftpTransmitAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctTypeSet,
                                      ftpFctPort, ftpFctPut, ftpFctQuit});
}

void TCustomFtpCli::AppendFileAsync()
{
    HighLevelAsync(ftpTransmitAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctTypeSet,
                                      ftpFctPort, ftpFctAppend, ftpFctQuit});
}

void TCustomFtpCli::RestGetAsync()
{
    HighLevelAsync(ftpRestGetAsync, {ftpFctPort, ftpFctRest, ftpFctGet});
}

void TCustomFtpCli::RestartGetAsync()
{
    HighLevelAsync(ftpRestartGetAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctTypeSet,
                                        ftpFctPort, ftpFctRest, ftpFctGet, ftpFctQuit});
}

void TCustomFtpCli::RestPutAsync()
{
    HighLevelAsync(ftpRestPutAsync, {ftpFctPort, ftpFctRest, ftpFctPut});
}

void TCustomFtpCli::RestartPutAsync()
{
    HighLevelAsync(ftpRestartPutAsync, {ftpFctOpen, ftpFctUser, ftpFctPass, ftpFctCwd, ftpFctTypeSet,
                                        ftpFctPort, ftpFctRest, ftpFctPut, ftpFctQuit});
}
