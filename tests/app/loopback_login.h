// TLoopbackFormTest: a main-window test with a fresh pyftpdlib account on loopback, the login
// into it, and the session aborted at the end.
#pragma once

#include "main_form_fixture.h"

#include "app/main_form.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "session/session_engine.h"
#include "support/ftp_server_fixture.h"
#include "support/server_required.h"

class TLoopbackFormTest : public TMainFormTest {
protected:
    // server_ stays null when pyftpdlib cannot run (NEED_SERVER then skips the test).
    void SetUp() override
    {
        server_ = PyFtpServer::Instance();
        if (server_)
            account_ = server_->AddUser();
    }
    void TearDown() override
    {
        if (Form && Form->FtpClient().Connected())
            FtpAbort(Form->FtpClient());
    }
    // Points the window's client at the account and starts the login of the site "loopback".
    void StartLogin(TTarnwickFTPApp& Form)
    {
        TFtpClient2& client = Form.FtpClient();
        client.SetHostName("127.0.0.1");
        client.SetPort(QString::number(server_->Port()));
        client.SetUserName(account_.user);
        client.SetPassWord(account_.password);
        client.SetPassive(true);
        Form.Engine().State.CurrentSiteName = "loopback";
        FtpConnect(client);
    }

    PyFtpServer* server_ = nullptr;
    FtpAccount account_;
};

#define NEED_SERVER() HFTP_NEED_SERVER(server_, PyFtpServer::StartError().toStdString())
