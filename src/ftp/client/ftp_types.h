// The enumerations of the FTP client: its states, request codes, steps, connection types, share
// modes and options.
#pragma once

#include <QFlags>
#include <QString>

enum TFtpState {
    ftpNotConnected,
    ftpReady,
    ftpInternalReady,
    ftpDnsLookup,
    ftpConnected,
    ftpAbort,
    ftpInternalAbort, // never entered
    ftpWaitingBanner,
    ftpBusy,
};

// The display name of a state ("Busy...").
QString FtpStateName(TFtpState State);

// The code OnRequestDone reports: which request ended.
enum TFtpRequest : unsigned char {
    ftpNone,
    ftpOpenAsync,
    ftpUserAsync,
    ftpPassAsync,
    ftpCwdAsync,
    ftpConnectAsync,
    ftpReceiveAsync,
    ftpDirAsync,
    ftpLsAsync,
    ftpPortAsync,
    ftpGetAsync,
    ftpDirectoryAsync,
    ftpListAsync,
    ftpSystemAsync,
    ftpSystAsync,
    ftpQuitAsync,
    ftpSizeAsync,
    ftpPutAsync,
    ftpAppendAsync,
    ftpFileSizeAsync,
    ftpRqAbort,
    ftpMkdAsync,
    ftpRmdAsync,
    ftpRenameAsync,
    ftpDeleAsync,
    ftpRenAsync,
    ftpRenToAsync,
    ftpRenFromAsync,
    ftpDeleteAsync,
    ftpMkdirAsync,
    ftpRmdirAsync,
    ftpPwdAsync,
    ftpQuoteAsync,
    ftpCDupAsync,
    ftpDoQuoteAsync,
    ftpTransmitAsync,
    ftpTypeSetAsync,
    ftpRestAsync,
    ftpRestGetAsync,
    ftpRestartGetAsync,
    ftpRestPutAsync,
    ftpRestartPutAsync,
};

// The name of a request code ("None", "OpenAsync", ... "RestartPutAsync").
QString FtpRequestName(TFtpRequest Request);

// The steps a request is made of; every single command records its own as the previous step.
enum TFtpFct : unsigned char {
    ftpFctNone,
    ftpFctOpen,
    ftpFctUser,
    ftpFctPass,
    ftpFctCwd,
    ftpFctSize,
    ftpFctMkd,
    ftpFctRmd,
    ftpFctRenFrom,
    ftpFctRenTo,
    ftpFctGet,
    ftpFctDir,
    ftpFctQuit,
    ftpFctSyst,
    ftpFctDele,
    ftpFctPwd,
    ftpFctQuote,
    ftpFctPut,
    ftpFctTypeSet,
    ftpFctRest,
    ftpFctCDup,
    ftpFctLs,
    ftpFctAppend,
    ftpFctPort,
};

// These two take any int, so that a number read from stored settings can be checked.
enum TFtpConnectionType : int { ftpDirect, ftpProxy, ftpSocks4, ftpSocks4A, ftpSocks5 };
enum TFtpShareMode : int {
    ftpShareCompat,
    ftpShareExclusive,
    ftpShareDenyWrite,
    ftpShareDenyRead,
    ftpShareDenyNone
};

enum TFtpOption {
    ftpAcceptLF = 0x1,       // a reply line may end in LF alone
    ftpNoAutoResumeAt = 0x2, // the REST step leaves the resume offset as the caller set it
};
using TFtpOptions = QFlags<TFtpOption>;
Q_DECLARE_OPERATORS_FOR_FLAGS(TFtpOptions)
