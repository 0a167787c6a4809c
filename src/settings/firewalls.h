// Firewall (proxy or SOCKS) entries: TFirewallItem, their collection and container, and the global
// container Firewalls.
#pragma once

#include "settings/collection_container.h"

// One firewall entry, kept as the subkey Firewalls\<ItemName> of the container's key; server
// profiles name it in their Firewall. SocksPassword holds the stored (scrambled) form.
class TFirewallItem : public TStreamableCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Comment MEMBER Comment)
    Q_PROPERTY(int FirewallType MEMBER FirewallType)
    Q_PROPERTY(QString ProxyServer MEMBER ProxyServer)
    Q_PROPERTY(bool SavePassword MEMBER SavePassword)
    Q_PROPERTY(bool Shared MEMBER Shared)
    Q_PROPERTY(QString SocksPassword MEMBER SocksPassword)
    Q_PROPERTY(QString SocksPort MEMBER SocksPort)
    Q_PROPERTY(QString SocksServer MEMBER SocksServer)
    Q_PROPERTY(QString SocksUserCode MEMBER SocksUserCode)
    Q_CLASSINFO("default:FirewallType", "-1")
    Q_CLASSINFO("default:Shared", "1")
public:
    // A new entry: no type chosen yet, shared.
    explicit TFirewallItem(TCollection* Collection) : TStreamableCollectionItem(Collection) {}

    QString Comment;
    // -1 none chosen, 0 proxy, 1 SOCKS 4, 2 SOCKS 4A, 3 SOCKS 5.
    int FirewallType = -1;
    QString ProxyServer;
    // The SOCKS password is kept.
    bool SavePassword = false;
    bool Shared = true;
    QString SocksPassword;
    // The SOCKS or proxy port.
    QString SocksPort;
    QString SocksServer;
    // The SOCKS user name.
    QString SocksUserCode;
};

using TFirewallCollection = TStreamableCollectionOf<TFirewallItem>;

// Kept below InternetRegKey by the global container.
class TFirewallContainer : public TCollectionContainer {
    Q_OBJECT
    Q_PROPERTY(TFirewallCollection* Firewalls READ Firewalls)
public:
    // Kept in the storage Kind on Name and loaded at once; with no Name, kept nowhere.
    explicit TFirewallContainer(TComponent* AOwner = nullptr, TStorageKind Kind = skRegistry,
                                const QString& Name = {});
    // Saves (with autosave on).
    ~TFirewallContainer() override;

    TFirewallCollection* Firewalls() const { return static_cast<TFirewallCollection*>(Collection()); }
    // Appends a new entry.
    TFirewallItem* Add() { return Firewalls()->Add(); }
    // Index must lie in 0 .. Count-1.
    TFirewallItem* GetFirewall(int Index) const { return Firewalls()->GetItem(Index); }
    // Ignoring case; null when no entry has the name.
    TFirewallItem* FindFirewall(const QString& Name) const
    {
        return static_cast<TFirewallItem*>(Firewalls()->FindItem(Name));
    }
    // Ignoring case; -1 when no entry has the name.
    int IndexOfName(const QString& Name) const { return Firewalls()->IndexOfName(Name); }
};

// The program's firewall entries, made and loaded from InternetRegKey on the first call; with
// Flag 1 the container is freed (saving itself), the global cleared first, and null returned.
TFirewallContainer* Firewalls(int Flag = 0);
