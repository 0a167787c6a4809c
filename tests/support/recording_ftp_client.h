// TRecordingFtpClient: an FTP client that records the requests started on it instead of sending
// them, for tests of the code that drives the client through the request wrappers.
#pragma once

#include "ftp/client/ftp_client2.h"

#include <QStringList>

// Each started request appends its name ("UserAsync"); nothing goes to the network and no
// OnRequestDone follows: the test calls the handler under test itself.
class TRecordingFtpClient : public TFtpClient2 {
public:
    using TFtpClient2::TFtpClient2;

    void ConnectAsync() override { Requests.append(QStringLiteral("ConnectAsync")); }
    void UserAsync() override { Requests.append(QStringLiteral("UserAsync")); }
    void PassAsync() override { Requests.append(QStringLiteral("PassAsync")); }
    void AbortAsync() override { Requests.append(QStringLiteral("AbortAsync")); }
    void TypeBinaryAsync() override { Requests.append(QStringLiteral("TypeBinaryAsync")); }
    void TypeAsciiAsync() override { Requests.append(QStringLiteral("TypeAsciiAsync")); }
    void GetAsync() override { Requests.append(QStringLiteral("GetAsync ") + HostFileName()); }
    void PutAsync() override { Requests.append(QStringLiteral("PutAsync ") + HostFileName()); }
    void PwdAsync() override { Requests.append(QStringLiteral("PwdAsync")); }
    void SystAsync() override { Requests.append(QStringLiteral("SystAsync")); }
    void QuitAsync() override { Requests.append(QStringLiteral("QuitAsync")); }
    void CwdAsync() override { Requests.append(QStringLiteral("CwdAsync ") + HostDirName()); }
    void DirAsync() override { Requests.append(QStringLiteral("DirAsync")); }
    void MkdAsync() override { Requests.append(QStringLiteral("MkdAsync ") + HostFileName()); }
    void RmdAsync() override { Requests.append(QStringLiteral("RmdAsync ") + HostFileName()); }
    void DeleAsync() override { Requests.append(QStringLiteral("DeleAsync ") + HostFileName()); }
    void RenAsync() override { Requests.append(QStringLiteral("RenAsync ") + HostFileName() + " " + LocalFileName()); }
    void QuoteAsync() override { Requests.append(QStringLiteral("QuoteAsync ") + LocalFileName()); }

    // The request and reply an event handler under test sees.
    void SetRequestType(TFtpRequest Request) { FRequestType = Request; }
    void SetStatusCode(int Code) { FStatusCode = Code; }
    void SetLastResponse(const QString& Reply) { FLastResponse = Reply; }
    void SetDirResult(const QString& Folder) { FDirResult = Folder; }
    // The server accepted the client's transfer type, so a transfer starts without TYPE.
    void ConfirmType() { FConfirmedType = Binary() ? 'I' : 'A'; }

    QStringList Requests;
};
