// The request wrappers the main window calls, one per user-level operation: each shows a status
// text through the client, fills the client's properties and starts one request through
// ExecuteFtpRequest, which arms the request timer and turns an exception into an error message.
// A wrapper returns as soon as its request has started; the result comes as OnRequestDone, or,
// when the client refused to start the request, through OnError alone.
#pragma once

#include "ftp/client/ftp_client2.h"

class TStrings;

// The status text of a transfer type, by the Binary flag: "TypeSet to ASCII", "TypeSet to Binary".
QString TransferTypeText(bool Binary);

// Runs Request (a request method of Client): OnResetProgressCounters first; the request timer gets
// Timeout seconds and is enabled (disabled for RqType ftpRqAbort). An exception becomes "Unable to
// execute request: <name of RqType>. <message>. LastResponse: <LastResponse>" through OnError,
// or a warning message dialog when OnError is unassigned.
void ExecuteFtpRequest(TFtpClient2& Client, TFtpRequest RqType, const std::function<void()>& Request);

// open, USER, PASS; the hourglass shows; Tag and Tag2 become 0.
void FtpConnect(TFtpClient2& Client);
void FtpSendUser(TFtpClient2& Client);
void FtpSendPassword(TFtpClient2& Client);
void FtpDisconnect(TFtpClient2& Client);
// Stops whatever runs (no OnRequestDone of its own): timer off, names and Tag2 cleared, default cursor.
void FtpAbort(TFtpClient2& Client);
// LIST of Remote (empty: the current folder) into LocalFile, or into the program folder's
// "FTP.tmp" when LocalFile is empty; the old file is deleted first.
void FtpGetDirListing(TFtpClient2& Client, const QString& Remote, const QString& LocalFile);
void FtpMakeDir(TFtpClient2& Client, const QString& Name);
// An empty name starts nothing and shows "* Cannot change folders. Directory name is empty.".
void FtpChangeDir(TFtpClient2& Client, const QString& Name);
void FtpPrintWorkingDir(TFtpClient2& Client);
void FtpChangeDirUp(TFtpClient2& Client);
// One trailing "/" of Name is dropped.
void FtpRemoveDir(TFtpClient2& Client, const QString& Name);
void FtpDeleteFile(TFtpClient2& Client, const QString& Name);
void FtpSystem(TFtpClient2& Client);
void FtpRename(TFtpClient2& Client, const QString& NewName, const QString& OldName);
// TYPE I or TYPE A; Tag := FollowUp unless it is -1 (the request to start once the type is set).
void FtpSetTransferType(TFtpClient2& Client, bool Binary, int FollowUp);
// RemoteName is used as given. When Binary differs from the client's type, only the TYPE command
// goes out, with Tag 17 (upload) or 10 (download) for the caller to start the transfer again.
void FtpUpload(TFtpClient2& Client, const QString& LocalFile, const QString& RemoteName, bool Binary);
void FtpDownload(TFtpClient2& Client, const QString& LocalFile, const QString& RemoteName, bool Binary);
void FtpSendCommand(TFtpClient2& Client, const QString& Command);
// Adds "Winsock version <major>.<minor>".
void AddWinsockVersion(TStrings& Lines);
