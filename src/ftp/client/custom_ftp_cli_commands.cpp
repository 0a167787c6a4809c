// TCustomFtpCli: the single-command requests and the evaluation of their replies.
#include "ftp/client/custom_ftp_cli.h"

using namespace win;

namespace {

// The text after the reply code (the code is the run of digits the line starts with).
QStringView AfterCode(const QString& Line)
{
    qsizetype i = 0;
    while (i < Line.size() && Line[i].isDigit())
        ++i;
    return QStringView(Line).mid(i);
}

// The number after the reply code: blanks, an optional sign, then digits; 0 when none.
qint64 NumberAfterCode(const QString& Line)
{
    const QStringView Text = AfterCode(Line).trimmed();
    qsizetype End = Text.startsWith(u'+') || Text.startsWith(u'-') ? 1 : 0;
    while (End < Text.size() && Text[End].isDigit() && End < 19)
        ++End;
    return Text.left(End).toLongLong();
}

// The folder of a 257 reply: the text between double quotes after the code and its blanks, a
// doubled quote standing for one; empty when no quote follows the code.
QString QuotedFolder(const QString& Line)
{
    const QStringView Text = AfterCode(Line).trimmed();
    if (!Text.startsWith(u'"'))
        return QString();
    QString Folder;
    for (qsizetype i = 1; i < Text.size(); ++i) {
        if (Text[i] == u'"') {
            if (i + 1 < Text.size() && Text[i + 1] == u'"') {
                Folder += u'"';
                ++i;
                continue;
            }
            break;
        }
        Folder += Text[i];
    }
    return Folder;
}

} // namespace

void TCustomFtpCli::RunCommand(TFtpFct Fct, TFtpRequest RqType, const QString& Cmd,
                               const QList<int>& OkResponses)
{
    FFctPrv = Fct;
    ExecAsync(RqType, Cmd, OkResponses);
}

void TCustomFtpCli::UserAsync()
{
    if (FUserName.isEmpty()) {
        HandleError(QStringLiteral("UserName emtpy"));
        return;
    }
    QString Cmd = QStringLiteral("USER ") + FUserName;
    if (FConnectionType == ftpProxy) {
        Cmd += u'@' + FHostName;
        if (FPort.compare(QLatin1String("ftp"), Qt::CaseInsensitive) != 0 && FPort != QLatin1String("21"))
            Cmd += u':' + FPort;
    }
    RunCommand(ftpFctUser, ftpUserAsync, Cmd, {331, 230});
}

void TCustomFtpCli::PassAsync()
{
    if (FPassWord.isEmpty()) {
        HandleError(QStringLiteral("Password emtpy"));
        return;
    }
    RunCommand(ftpFctPass, ftpPassAsync, QStringLiteral("PASS ") + FPassWord, {230});
}

void TCustomFtpCli::CwdAsync()
{
    if (FHostDirName.isEmpty()) {
        HandleError(QStringLiteral("HostDirName emtpy"));
        return;
    }
    RunCommand(ftpFctCwd, ftpCwdAsync, QStringLiteral("CWD ") + FHostDirName, {200, 250, 257});
}

void TCustomFtpCli::SystAsync()
{
    RunCommand(ftpFctSyst, ftpSystAsync, QStringLiteral("SYST"), {215});
}

void TCustomFtpCli::SizeAsync()
{
    FSizeResult = 0;
    RunCommand(ftpFctSize, ftpSizeAsync, QStringLiteral("SIZE ") + FHostFileName, {213});
}

void TCustomFtpCli::MkdAsync()
{
    RunCommand(ftpFctMkd, ftpMkdAsync, QStringLiteral("MKD ") + FHostFileName, {257});
}

void TCustomFtpCli::RmdAsync()
{
    RunCommand(ftpFctRmd, ftpRmdAsync, QStringLiteral("RMD ") + FHostFileName, {250, 257});
}

void TCustomFtpCli::DeleAsync()
{
    RunCommand(ftpFctDele, ftpDeleAsync, QStringLiteral("DELE ") + FHostFileName, {250, 257});
}

void TCustomFtpCli::RenToAsync()
{
    RunCommand(ftpFctRenTo, ftpRenToAsync, QStringLiteral("RNTO ") + FLocalFileName, {200, 250, 257});
}

void TCustomFtpCli::RenFromAsync()
{
    RunCommand(ftpFctRenFrom, ftpRenFromAsync, QStringLiteral("RNFR ") + FHostFileName, {350});
}

void TCustomFtpCli::PwdAsync()
{
    RunCommand(ftpFctPwd, ftpPwdAsync, QStringLiteral("PWD"), {250, 257});
}

void TCustomFtpCli::QuoteAsync()
{
    RunCommand(ftpFctQuote, ftpQuoteAsync, FLocalFileName, {});
}

void TCustomFtpCli::CDupAsync()
{
    RunCommand(ftpFctCDup, ftpCDupAsync, QStringLiteral("CDUP"), {250});
}

void TCustomFtpCli::TypeSetAsync()
{
    RunCommand(ftpFctTypeSet, ftpTypeSetAsync, QStringLiteral("TYPE ") + QLatin1Char(FType), {200});
}

void TCustomFtpCli::TypeBinaryAsync()
{
    SetBinary(true);
    TypeSetAsync();
}

void TCustomFtpCli::TypeAsciiAsync()
{
    SetBinary(false);
    TypeSetAsync();
}

void TCustomFtpCli::NextExecAsync()
{
    TriggerDisplay(QStringLiteral("< ") + FLastResponse);
    bool Failed;
    if (!FOkResponses.isEmpty()) {
        Failed = !FOkResponses.contains(FStatusCode);
    } else {
        // Without a list, errors fail; a quoted command also fails on a transient error (4xx).
        Failed = FStatusCode >= (FFctPrv == ftpFctQuote ? 400 : 500);
    }
    if (Failed) {
        FRequestResult = FStatusCode;
        if (FErrorMessage.isEmpty())
            FErrorMessage = FLastResponse;
    } else {
        FRequestResult = 0;
    }
    if (FPassive && FStatusCode == 227)
        FPasvResponse = FLastResponse;
    if (FRequestResult == 0) {
        if (FFctPrv == ftpFctSize)
            FSizeResult = NumberAfterCode(FLastResponse);
        else if (FFctPrv == ftpFctTypeSet)
            FConfirmedType = FType;
        else if (FFctPrv == ftpFctCwd || FFctPrv == ftpFctMkd || FFctPrv == ftpFctPwd ||
                 FFctPrv == ftpFctCDup)
            FDirResult = QuotedFolder(FLastResponse);
    }
    if (FDoneAsync) {
        const TFtpNextProc Done = FDoneAsync;
        Done();
    } else {
        TriggerRequestDone(WORD(FRequestResult));
    }
}
