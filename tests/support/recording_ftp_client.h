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

    // The request and reply an event handler under test sees.
    void SetRequestType(TFtpRequest Request) { FRequestType = Request; }
    void SetStatusCode(int Code) { FStatusCode = Code; }

    QStringList Requests;
};
