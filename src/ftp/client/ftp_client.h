// TFtpClient: the FTP client with its published properties, a request deadline and a blocking
// wait for the end of a request.
#pragma once

#include "ftp/client/custom_ftp_cli.h"

class TFtpClient : public TCustomFtpCli {
    Q_OBJECT
    Q_PROPERTY(QString HostName READ HostName WRITE SetHostName)
    Q_PROPERTY(QString Port READ Port WRITE SetPort)
    Q_PROPERTY(QString UserName READ UserName WRITE SetUserName)
    Q_PROPERTY(QString PassWord READ PassWord WRITE SetPassWord)
    Q_PROPERTY(QString HostDirName READ HostDirName WRITE SetHostDirName)
    Q_PROPERTY(QString HostFileName READ HostFileName WRITE SetHostFileName)
    Q_PROPERTY(QString LocalFileName READ LocalFileName WRITE SetLocalFileName)
    Q_PROPERTY(bool DisplayFileFlag READ DisplayFileFlag WRITE SetDisplayFileFlag)
    Q_PROPERTY(bool Binary READ Binary WRITE SetBinary)
    Q_PROPERTY(QString ErrorMessage READ ErrorMessage)
    Q_PROPERTY(TFtpShareMode ShareMode READ ShareMode WRITE SetShareMode)
    Q_PROPERTY(TFtpOptions Options READ Options WRITE SetOptions)
    Q_PROPERTY(TFtpConnectionType ConnectionType READ ConnectionType WRITE SetConnectionType)
    Q_PROPERTY(QString ProxyServer READ ProxyServer WRITE SetProxyServer)
    Q_PROPERTY(QString SocksServer READ SocksServer WRITE SetSocksServer)
    Q_PROPERTY(QString SocksPort READ SocksPort WRITE SetSocksPort)
    Q_PROPERTY(QString SocksUserCode READ SocksUserCode WRITE SetSocksUserCode)
    Q_PROPERTY(QString SocksPassword READ SocksPassword WRITE SetSocksPassword)
    Q_PROPERTY(int Timeout READ Timeout WRITE SetTimeout)
    Q_PROPERTY(bool MultiThreaded READ MultiThreaded WRITE SetMultiThreaded)

public:
    explicit TFtpClient(TComponent* AOwner = nullptr);

    // Seconds: the deadline of WaitUntilReady (0: none).
    int Timeout() const { return FTimeout; }
    void SetTimeout(int Value) { FTimeout = Value; }
    // WaitUntilReady pumps through the control socket's own message loop.
    bool MultiThreaded() const { return FMultiThreaded; }
    void SetMultiThreaded(bool Value);

    // Pumps messages until the running request has ended: true when it succeeded. At the
    // deadline (or when the application terminates) it aborts, sets ErrorMessage "426 Timeout"
    // and StatusCode 426, and returns false.
    bool WaitUntilReady();
    // Runs Proc (a request method), then WaitUntilReady.
    bool Synchronize(const std::function<void()>& Proc);

protected:
    // Moves the deadline of WaitUntilReady to Timeout seconds from now.
    void ExtendDeadline();
    // Progress also moves the deadline.
    bool TriggerProgress() override;

private:
    int FTimeout = 15;
    bool FMultiThreaded = false;
    std::uint32_t FTimeStop = 0;
};
