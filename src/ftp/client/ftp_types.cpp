// FtpStateName and FtpRequestName.
#include "ftp/client/ftp_types.h"

#include <iterator>

QString FtpStateName(TFtpState State)
{
    static const char* const Names[] = {"Not Connected", "Ready", "Internal Ready", "Dns Lookup...",
                                        "Connected",     "Abort", "Internal Abort", "Waiting Banner...",
                                        "Busy..."};
    return QLatin1String(Names[State]);
}

QString FtpRequestName(TFtpRequest Request)
{
    static const char* const Names[] = {
        "None",          "OpenAsync",         "UserAsync",    "PassAsync",    "CwdAsync",
        "ConnectAsync",  "ReceiveAsync",      "DirAsync",     "LsAsync",      "PortAsync",
        "GetAsync",      "ftpDirectoryAsync", "ListAsync",    "SystemAsync",  "SystAsync",
        "QuitAsync",     "SizeAsync",         "PutAsync",     "AppendAsync",  "FileSizeAsync",
        "RqAbort",       "MkdAsync",          "RmdAsync",     "RenameAsync",  "DeleAsync",
        "RenAsync",      "RenToAsync",        "RenFromAsync", "DeleteAsync",  "MkdirAsync",
        "RmdirAsync",    "PwdAsync",          "QuoteAsync",   "CDupAsync",    "DoQuoteAsync",
        "TransmitAsync", "TypeSetAsync",      "RestAsync",    "RestGetAsync", "RestartGetAsync",
        "RestPutAsync",  "RestartPutAsync",
    };
    static_assert(std::size(Names) == ftpRestartPutAsync + 1);
    return Request <= ftpRestartPutAsync ? QLatin1String(Names[Request]) : QString();
}
