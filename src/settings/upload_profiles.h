// FTP server profiles: TUploadProfileItem, their collection and container, and the global
// container UploadProfiles.
#pragma once

#include "settings/collection_container.h"

// One server profile, kept as the subkey Profiles\<ItemName> of the container's key. Password
// holds the stored (scrambled) form: callers convert with PasswordToStore and PasswordFromStore.
class TUploadProfileItem : public TStreamableCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Account MEMBER Account)
    Q_PROPERTY(bool AccountSave MEMBER AccountSave)
    Q_PROPERTY(bool Anonymous MEMBER Anonymous)
    Q_PROPERTY(QString Comment MEMBER Comment)
    Q_PROPERTY(int ConnectionRetries MEMBER ConnectionRetries)
    Q_PROPERTY(QString Firewall MEMBER Firewall)
    Q_PROPERTY(QString HostDirName MEMBER HostDirName)
    Q_PROPERTY(QString HostName MEMBER HostName)
    Q_PROPERTY(int HostType MEMBER HostType)
    Q_PROPERTY(QString LocalDirName MEMBER LocalDirName)
    Q_PROPERTY(QString LocalFileFilter MEMBER LocalFileFilter)
    Q_PROPERTY(bool PassiveMode MEMBER PassiveMode)
    Q_PROPERTY(QString Password MEMBER Password)
    Q_PROPERTY(QString Port MEMBER Port)
    Q_PROPERTY(QString RemoteFileFilter MEMBER RemoteFileFilter)
    Q_PROPERTY(bool SavePassword MEMBER SavePassword)
    Q_PROPERTY(bool Shared MEMBER Shared)
    Q_PROPERTY(int TimeOffset MEMBER TimeOffset)
    Q_PROPERTY(int Timeout MEMBER Timeout)
    Q_PROPERTY(int TransferMode MEMBER TransferMode)
    Q_PROPERTY(QString Username MEMBER Username)
    Q_CLASSINFO("default:Shared", "1")
public:
    // A new profile: port "21", time-out 60 seconds, shared, active data connections.
    explicit TUploadProfileItem(TCollection* Collection) : TStreamableCollectionItem(Collection) {}

    // Kept with the profile; no request sends it.
    QString Account;
    bool AccountSave = false;
    // Log in anonymously, with the settings' EmailAddress as password.
    bool Anonymous = false;
    QString Comment;
    int ConnectionRetries = 0;
    // ItemName of the firewall entry to go through; empty for a direct connection.
    QString Firewall;
    // Remote start folder.
    QString HostDirName;
    QString HostName;
    int HostType = 0;
    // Local start folder.
    QString LocalDirName;
    QString LocalFileFilter;
    bool PassiveMode = false;
    QString Password;
    // A port number or service name.
    QString Port = QStringLiteral("21");
    QString RemoteFileFilter;
    bool SavePassword = false;
    bool Shared = true;
    int TimeOffset = 0;
    // Seconds a request may stay silent.
    int Timeout = 60;
    // 0 ASCII, 1 binary, 2 automatic (by the settings' Extensions).
    int TransferMode = 0;
    QString Username;
};

using TUploadProfileCollection = TStreamableCollectionOf<TUploadProfileItem>;

// Kept below InternetRegKey by the global container.
class TUploadProfileContainer : public TCollectionContainer {
    Q_OBJECT
    Q_PROPERTY(TUploadProfileCollection* Profiles READ Profiles)
public:
    // Kept in the storage Kind on Name and loaded at once; with no Name, kept nowhere.
    explicit TUploadProfileContainer(TComponent* AOwner = nullptr, TStorageKind Kind = skRegistry,
                                     const QString& Name = {});
    // Saves (with autosave on).
    ~TUploadProfileContainer() override;

    TUploadProfileCollection* Profiles() const
    {
        return static_cast<TUploadProfileCollection*>(Collection());
    }
    // Appends a new profile.
    TUploadProfileItem* Add() { return Profiles()->Add(); }
    // Index must lie in 0 .. Count-1.
    TUploadProfileItem* GetProfile(int Index) const { return Profiles()->GetItem(Index); }
    // Ignoring case; -1 when no profile has the name.
    int IndexOfName(const QString& Name) const { return Profiles()->IndexOfName(Name); }
};

// The program's profiles, made and loaded from InternetRegKey on the first call; with Flag 1
// the container is freed (saving itself), the global cleared first, and null returned.
TUploadProfileContainer* UploadProfiles(int Flag = 0);
