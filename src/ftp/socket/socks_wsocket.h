// TCustomSocksWSocket: the SOCKS 4, 4A and 5 client of the socket class tree. With a SOCKS server
// set, Connect goes to that server, asks it for a connection to Addr:Port, and reports
// OnSessionConnected only once the connection stands, as if it had been made directly.
#pragma once

#include "ftp/socket/custom_wsocket.h"
#include "ftp/socket/socks_reply_parser.h"

enum TSocksAuthentication { socksNoAuthentication, socksAuthenticateUsercode };
enum TSocksAuthState { socksAuthStart, socksAuthSuccess, socksAuthFailure, socksAuthNotRequired };

using TSocksErrorEvent = std::function<void(TObject* Sender, int Error, const QString& Msg)>;
using TSocksAuthStateEvent = std::function<void(TObject* Sender, TSocksAuthState AuthState)>;

// A failed negotiation reports OnSocksError, then OnSessionConnected with the error code
// (20001-20016) and closes the socket with that code. Every close forgets the SOCKS server, port
// and level, like the other connection values.
class TCustomSocksWSocket : public TCustomWSocket {
public:
    using TCustomWSocket::TCustomWSocket;

    // Server, port and level can change only while the socket is closed.
    QString SocksServer() const { return FSocksServer; }
    virtual void SetSocksServer(const QString& Value);
    QString SocksPort() const { return FSocksPort; }
    virtual void SetSocksPort(const QString& Value);
    // "4", "4A" or "5" ("4a" is stored upper-cased).
    QString SocksLevel() const { return FSocksLevel; }
    void SetSocksLevel(const QString& Value);
    QString SocksUsercode() const { return FSocksUsercode; }
    void SetSocksUsercode(const QString& Value) { FSocksUsercode = Value; }
    QString SocksPassword() const { return FSocksPassword; }
    void SetSocksPassword(const QString& Value) { FSocksPassword = Value; }
    // With user code authentication and a user code, SOCKS 5 offers user name and password
    // beside no authentication; the server chooses.
    TSocksAuthentication SocksAuthentication() const { return FSocksAuthentication; }
    void SetSocksAuthentication(TSocksAuthentication Value) { FSocksAuthentication = Value; }
    // Address and port the SOCKS 5 server bound for the connection.
    QString BoundAddr() const { return FBoundAddr; }
    QString BoundPort() const { return FBoundPort; }

    void Connect() override;
    void Listen() override;

    TSessionConnected OnSocksConnected;
    TSocksErrorEvent OnSocksError;
    TSocksAuthStateEvent OnSocksAuthState;

protected:
    // True while a SOCKS negotiation reads the socket's data itself (line mode then stands aside).
    bool SocksNegotiating() const { return FSocksPhase != socksPhaseNone; }

    virtual void TriggerSocksConnected(win::WORD Error);
    virtual void TriggerSocksError(int Error, const QString& Msg);
    virtual void TriggerSocksAuthState(TSocksAuthState AuthState);

    void AssignDefaultValue() override;
    bool TriggerDataAvailable(win::WORD Error) override;
    void TriggerSessionConnected(win::WORD Error) override;
    void TriggerSessionClosed(win::WORD Error) override;
    int GetRcvdCount() override;
    int DoRecv(char* Buffer, int BufferSize, int Flags) override;

private:
    bool Level5() const { return FSocksLevel == QLatin1String("5"); }
    // Builds the requests of the negotiation from Addr, Port and the SOCKS settings; raises when a
    // value does not fit in its one-byte length.
    void PrepareRequests();
    void SendRequest(const QByteArray& Request, TSocksPhase Phase);
    void HandleReply(const TSocksReply& Reply);
    void SocksError(int Error, const QString& Msg);
    void Negotiated(const TSocksReply& Reply);

    QString FSocksServer;
    QString FSocksPort;
    QString FSocksLevel = QStringLiteral("5");
    QString FSocksUsercode;
    QString FSocksPassword;
    TSocksAuthentication FSocksAuthentication = socksNoAuthentication;

    TSocksPhase FSocksPhase = socksPhaseNone;
    bool FUsercodeOffered = false;
    QByteArray FGreeting;
    QByteArray FAuthRequest;
    QByteArray FConnectRequest;
    QByteArray FReply;    // what the server answered so far in the current phase
    QByteArray FHeldData; // bytes that came behind the SOCKS 5 reply, not yet read by the user
    QString FBoundAddr;
    QString FBoundPort;
};
