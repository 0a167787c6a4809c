// TFirewallFields: the proxy and SOCKS settings of a firewall entry as two groups of fields, one
// shown at a time by the connection type.
#pragma once

class QWidget;
class TEdit;
class TFirewallItem;
class TPTGroup;

// "Proxy Settings" (the proxy server) and "Socks Settings" (server, port, user code and password),
// made on Parent; the owner places the two groups, one over the other.
struct TFirewallFields {
    explicit TFirewallFields(QWidget* Parent);

    // Type 0 (proxy) shows the proxy group, any other the SOCKS group.
    void ShowType(int FirewallType);
    // The fields from Firewall (the password unscrambled), and back (scrambled for storing).
    void Load(const TFirewallItem& Firewall);
    void Store(TFirewallItem& Firewall) const;

    TPTGroup* grpProxy;
    TEdit* txtProxyServer;
    TPTGroup* grpSocks;
    TEdit* txtSocksServer;
    TEdit* txtSocksPort;
    TEdit* txtSocksUserCode;
    TEdit* txtSocksPassword;
};
