// TWSocket: the socket component the program uses, with its published properties.
#pragma once

#include "ftp/socket/sync_wsocket.h"

class TWSocket : public TCustomSyncWSocket {
    Q_OBJECT
    Q_PROPERTY(QString Addr READ Addr WRITE SetAddr)
    Q_PROPERTY(QString Port READ Port WRITE SetPort)
    Q_PROPERTY(QString Proto READ Proto WRITE SetProto)
    Q_PROPERTY(QString LocalAddr READ LocalAddr WRITE SetLocalAddr)
    Q_PROPERTY(QString LocalPort READ LocalPort WRITE SetLocalPort)
    Q_PROPERTY(QString PeerAddr READ PeerAddr)
    Q_PROPERTY(QString PeerPort READ PeerPort)
    Q_PROPERTY(QString DnsResult READ DnsResult)
    Q_PROPERTY(QStringList DnsResultList READ DnsResultList)
    Q_PROPERTY(TSocketState State READ State)
    Q_PROPERTY(int ReadCount READ ReadCount)
    Q_PROPERTY(int RcvdCount READ RcvdCount)
    Q_PROPERTY(int LastError READ LastError)
    Q_PROPERTY(bool MultiThreaded READ MultiThreaded WRITE SetMultiThreaded)
    Q_PROPERTY(TWSocketOptions ComponentOptions READ ComponentOptions WRITE SetComponentOptions)
    Q_PROPERTY(int FlushTimeout READ FlushTimeout WRITE SetFlushTimeout)
    Q_PROPERTY(TSocketSendFlags SendFlags READ SendFlags WRITE SetSendFlags)
    Q_PROPERTY(TSocketLingerOnOff LingerOnOff READ LingerOnOff WRITE SetLingerOnOff)
    Q_PROPERTY(int LingerTimeout READ LingerTimeout WRITE SetLingerTimeout)
    Q_PROPERTY(bool LineMode READ LineMode WRITE SetLineMode)
    Q_PROPERTY(int LineLimit READ LineLimit WRITE SetLineLimit)
    Q_PROPERTY(QByteArray LineEnd READ LineEnd WRITE SetLineEnd)
    Q_PROPERTY(bool LineEcho READ LineEcho WRITE SetLineEcho)
    Q_PROPERTY(bool LineEdit READ LineEdit WRITE SetLineEdit)
    Q_PROPERTY(QString SocksServer READ SocksServer WRITE SetSocksServer)
    Q_PROPERTY(QString SocksPort READ SocksPort WRITE SetSocksPort)
    Q_PROPERTY(QString SocksLevel READ SocksLevel WRITE SetSocksLevel)
    Q_PROPERTY(QString SocksUsercode READ SocksUsercode WRITE SetSocksUsercode)
    Q_PROPERTY(QString SocksPassword READ SocksPassword WRITE SetSocksPassword)
    Q_PROPERTY(TSocksAuthentication SocksAuthentication READ SocksAuthentication WRITE SetSocksAuthentication)

public:
    using TCustomSyncWSocket::TCustomSyncWSocket;
};
