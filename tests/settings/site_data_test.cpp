// Server profiles, firewall entries and bookmarks: their stored text, defaults, round trips,
// renaming and reloading, assignment with its change notice, and stored passwords.
#include "settings/bookmarks.h"
#include "settings/firewalls.h"
#include "settings/upload_profiles.h"

#include "platform/registry/hive_store.h"
#include "platform/registry/reg_ini_file.h"
#include "platform/registry/registry.h"
#include "platform/system/name_encoding.h"
#include "published_values.h"
#include "settings/app_settings.h"
#include "routines/password_scrambling.h"
#include "routines/registry_helpers.h"
#include "support/qt_printers.h"
#include "support/random_cases.h"
#include "support/registry_scope.h"
#include "support/texts.h"

#include <gtest/gtest.h>

#include <random>

using namespace win;

namespace {

const QString ProfilesKey = InternetRegKey + "Profiles\\";

QStringList Names(const TCollectionContainer& Container)
{
    TStringList names;
    Container.Collection()->GetItemNames(names, false);
    return Lines(names);
}

QStringList SubKeys(const QString& Key)
{
    TRegistry registry;
    TStringList names;
    if (registry.OpenKey(Key, false))
        registry.GetKeyNames(names);
    return Lines(names);
}

// Saves a container whose one item has a value of its own in every property, then loads it into
// a fresh container and compares.
template <class Container> void ExpectRoundTrip(TRegistryScope& Scope, const QString& Key, int Seed)
{
    QVariantMap saved;
    {
        Container container(nullptr, skRegistry, Key);
        auto* item = static_cast<TStreamableCollectionItem*>(container.Collection()->Add());
        SetDistinctValues(*item, Seed);
        saved = PublishedValues(*item);
    }
    Scope.Reload();
    Container container(nullptr, skRegistry, Key);
    ASSERT_EQ(container.Collection()->Count(), 1);
    EXPECT_EQ(PublishedValues(*container.Collection()->Items(0)), saved);
}

} // namespace

TEST(SiteData, StoredTextOfSettingsProfileFirewallAndBookmark)
{
    TRegistryScope scope;
    {
        TFtpAppSettings settings(nullptr, MainFormRegKey);
        SetDistinctValues(settings, 0);
        settings.SetLogFileName("C:\\Logs\\ftp.log");
        TUploadProfileContainer profiles(nullptr, skRegistry, InternetRegKey);
        TUploadProfileItem* profile = profiles.Add();
        SetDistinctValues(*profile, 100);
        profile->ItemName = "Home";
        profile->Password = PasswordToStore("secret");
        TFirewallContainer firewalls(nullptr, skRegistry, InternetRegKey);
        TFirewallItem* firewall = firewalls.Add();
        SetDistinctValues(*firewall, 200);
        firewall->ItemName = "Default";
        TBookmarkContainer bookmarks(nullptr, skRegistry, ProductRegKey);
        TBookmarkItem* bookmark = bookmarks.Add();
        SetDistinctValues(*bookmark, 300);
        bookmark->ItemName = "BookmarkAAAAAAAAAAA";
    }
    scope.Reload();
    EXPECT_EQ(scope.FileText(), QByteArray(R"(REGEDIT4

[HKEY_CURRENT_USER\Software]

[HKEY_CURRENT_USER\Software\Tarnwick Software]

[HKEY_CURRENT_USER\Software\Tarnwick Software\Halyard FTP 5]

[HKEY_CURRENT_USER\Software\Tarnwick Software\Halyard FTP 5\Bookmarks]

[HKEY_CURRENT_USER\Software\Tarnwick Software\Halyard FTP 5\Bookmarks\BookmarkAAAAAAAAAAA]
"ItemName"="BookmarkAAAAAAAAAAA"
"BookmarkType"="302"
"Comment"="300 Comment"
"DateCreated"="300 DateCreated"
"DateLastAccessed"="300 DateLastAccessed"
"DateModified"="300 DateModified"
"Folder"="300 Folder"
"Host"="300 Host"

[HKEY_CURRENT_USER\Software\Tarnwick Software\Halyard FTP 5\Main Form]
"Left"="1"
"Top"="2"
"Height"="-3"
"Width"="4"
"ConnectAtStart"="1"
"CurrentServer"="0 CurrentServer"
"EmailAddress"="0 EmailAddress"
"HTMLUpperCase"="1"
"LogFileName"="ftp.log"
"LogSave"="1"
"LvMyComputerRowSelect"="1"
"LvMyComputerGrid"="1"
"LvMyComputerViewStyle"="-15"
"LvMyComputerHeaderSortColumn"="16"
"LvMyComputerHeaderSortDirection"="17"
"LvRemoteRowSelect"="1"
"LvRemoteGrid"="1"
"LvRemoteViewStyle"="20"
"LvRemoteHeaderSortColumn"="-21"
"LvRemoteHeaderSortDirection"="22"
"KeepConnectionAlive"="1"
"KeepConnectionInterval"="-24"
"OverwritePrompt"="1"
"PlaySounds"="1"
"PrintPreviewEnabled"="1"
"SoundBitField"="28"
"SoundConnect"="0 SoundConnect"
"SoundCompleted"="0 SoundCompleted"
"SoundError"="0 SoundError"
"SoundGet"="0 SoundGet"
"SoundPut"="0 SoundPut"
"SplitViewMyComputerPos"="34"
"SplitViewRemotePos"="35"
"SplitHrzPos"="-36"
"SplitVertPos"="37"
"SelectedInfoTab"="38"
"SelectedMainTab"="-39"
"TransferMode"="40"
"ViewLog"="1"
"ViewMyComputer"="1"
"ViewMyComputerMni"="1"
"ViewTrees"="1"
"ViewTreesMni"="1"
"WindowState"="46"
"ZipSaveFolder"="0 ZipSaveFolder"

[HKEY_CURRENT_USER\Software\Tarnwick Software\Halyard FTP 5\Main Form\EditFileFilters]
"EditFileFilters0"=".b7"
"EditFileFilters1"=".a7"

[HKEY_CURRENT_USER\Software\Tarnwick Software\Halyard FTP 5\Main Form\Extensions]
"Extensions0"=".a9"
"Extensions1"=".b9"

[HKEY_CURRENT_USER\Software\Tarnwick Software\Internet]

[HKEY_CURRENT_USER\Software\Tarnwick Software\Internet\Firewalls]

[HKEY_CURRENT_USER\Software\Tarnwick Software\Internet\Firewalls\Default]
"ItemName"="Default"
"Comment"="200 Comment"
"FirewallType"="203"
"ProxyServer"="200 ProxyServer"
"SavePassword"="1"
"Shared"="0"
"SocksPassword"="200 SocksPassword"
"SocksPort"="200 SocksPort"
"SocksServer"="200 SocksServer"
"SocksUserCode"="200 SocksUserCode"

[HKEY_CURRENT_USER\Software\Tarnwick Software\Internet\Profiles]

[HKEY_CURRENT_USER\Software\Tarnwick Software\Internet\Profiles\Home]
"ItemName"="Home"
"Account"="100 Account"
"AccountSave"="1"
"Anonymous"="1"
"Comment"="100 Comment"
"ConnectionRetries"="106"
"Firewall"="100 Firewall"
"HostDirName"="100 HostDirName"
"HostName"="100 HostName"
"HostType"="110"
"LocalDirName"="100 LocalDirName"
"LocalFileFilter"="100 LocalFileFilter"
"PassiveMode"="1"
"Password"=hex(1):5e,00,5a,00,58,00,de,00,05,00,ec,00,00,00
"Port"="100 Port"
"RemoteFileFilter"="100 RemoteFileFilter"
"SavePassword"="1"
"Shared"="0"
"TimeOffset"="119"
"Timeout"="-120"
"TransferMode"="121"
"Username"="100 Username"

)"));
}

TEST(SiteData, NewItemsHaveTheirDefaults)
{
    TUploadProfileContainer profiles;
    const TUploadProfileItem* profile = profiles.Add();
    EXPECT_EQ(profile->Port, "21");
    EXPECT_EQ(profile->Timeout, 60);
    EXPECT_TRUE(profile->Shared);
    EXPECT_FALSE(profile->PassiveMode);
    EXPECT_EQ(profile->TransferMode, 0);
    EXPECT_EQ(profile->ItemName, "");
    TFirewallContainer firewalls;
    const TFirewallItem* firewall = firewalls.Add();
    EXPECT_EQ(firewall->FirewallType, -1);
    EXPECT_TRUE(firewall->Shared);
    EXPECT_FALSE(firewall->SavePassword);
    TBookmarkContainer bookmarks;
    EXPECT_EQ(bookmarks.Add()->BookmarkType, 0);
}

TEST(SiteData, EveryPropertyComesBack)
{
    TRegistryScope scope;
    ExpectRoundTrip<TUploadProfileContainer>(scope, InternetRegKey, 10);
    ExpectRoundTrip<TFirewallContainer>(scope, InternetRegKey, 20);
    ExpectRoundTrip<TBookmarkContainer>(scope, ProductRegKey, 30);
}

TEST(SiteData, LoadingOverwritesTheDefaultsInTheRegistrysOrder)
{
    TRegistryScope scope;
    TRegIniFile ini(ProfilesKey);
    for (const QString& name : QStringList{"b", "C", "a"})
        ini.WriteString(name, "ItemName", name);
    ini.WriteString("C", "Port", "2121");
    ini.CloseKey();

    TUploadProfileContainer profiles(nullptr, skRegistry, InternetRegKey);
    EXPECT_EQ(Names(profiles), (QStringList{"a", "b", "C"}));
    EXPECT_EQ(profiles.GetProfile(0)->Port, ""); // no stored port: not the new profile's "21"
    EXPECT_EQ(profiles.GetProfile(0)->Timeout, 0);
    EXPECT_FALSE(profiles.GetProfile(0)->Shared);
    EXPECT_EQ(profiles.GetProfile(2)->Port, "2121");
    EXPECT_EQ(profiles.IndexOfName("c"), 2);
    profiles.AutoSave = false;
}

TEST(SiteData, FindingFirewallsAndProfilesByName)
{
    TFirewallContainer firewalls;
    EXPECT_EQ(firewalls.IndexOfName("Default"), -1);
    EXPECT_EQ(firewalls.FindFirewall("Default"), nullptr);
    firewalls.Add()->ItemName = "Socks";
    TFirewallItem* standard = firewalls.Add();
    standard->ItemName = "Default";
    EXPECT_EQ(firewalls.FindFirewall("default"), standard);
    EXPECT_EQ(firewalls.IndexOfName("DEFAULT"), 1);
    EXPECT_EQ(firewalls.GetFirewall(1), standard);
    TUploadProfileContainer profiles;
    EXPECT_EQ(profiles.IndexOfName("Home"), -1);
}

TEST(SiteData, RenamedAndDeletedItemsStayGoneAfterARestart)
{
    TRegistryScope scope;
    {
        TUploadProfileContainer profiles(nullptr, skRegistry, InternetRegKey);
        for (const QString& name : QStringList{"Home", "Work", "Old"})
            profiles.Add()->ItemName = name;
        TBookmarkContainer bookmarks(nullptr, skRegistry, ProductRegKey);
        for (const QString& name : QStringList{"BookmarkA", "BookmarkB"})
            bookmarks.Add()->ItemName = name;
    }
    scope.Reload();
    {
        TUploadProfileContainer profiles(nullptr, skRegistry, InternetRegKey);
        profiles.GetProfile(profiles.IndexOfName("home"))->ItemName = "House";
        profiles.Profiles()->Remove(profiles.GetProfile(profiles.IndexOfName("Old")));
        TBookmarkContainer bookmarks(nullptr, skRegistry, ProductRegKey);
        bookmarks.RemoveItem(bookmarks.Bookmarks()->GetItem(0));
        EXPECT_EQ(SubKeys(ProductRegKey + "Bookmarks"), QStringList{"BookmarkB"}); // at once
    }
    scope.Reload();
    EXPECT_EQ(SubKeys(ProfilesKey), (QStringList{"House", "Work"}));
    TUploadProfileContainer profiles(nullptr, skRegistry, InternetRegKey);
    EXPECT_EQ(Names(profiles), (QStringList{"House", "Work"}));

    // Loading again replaces the items: nothing is doubled.
    profiles.Add()->ItemName = "Unsaved";
    EXPECT_TRUE(profiles.Load());
    EXPECT_TRUE(profiles.Load());
    EXPECT_EQ(Names(profiles), (QStringList{"House", "Work"}));
}

TEST(SiteData, BookmarksMadeInOneInstantAreBothKept)
{
    TRegistryScope scope;
    {
        TBookmarkContainer bookmarks(nullptr, skRegistry, ProductRegKey);
        // Registry names ignore case: these three stamps would share one subkey.
        for (const QString& stamp : QStringList{"AbCdEfGhIjK", "AbCdEfGhIjK", "abcdefghijk"}) {
            TBookmarkItem* bookmark = bookmarks.Add();
            bookmark->DateCreated = stamp;
            bookmark->ItemName = bookmarks.Bookmarks()->FreeItemName("Bookmark" + stamp);
        }
        EXPECT_EQ(Names(bookmarks),
                  (QStringList{"BookmarkAbCdEfGhIjK", "BookmarkAbCdEfGhIjK-2", "Bookmarkabcdefghijk-3"}));
    }
    scope.Reload();
    TBookmarkContainer bookmarks(nullptr, skRegistry, ProductRegKey);
    EXPECT_EQ(bookmarks.Bookmarks()->Count(), 3);
}

TEST(SiteData, AssigningAnItemCopiesEveryPropertyAndTellsTheContainerOnce)
{
    TUploadProfileContainer profiles;
    std::vector<std::pair<TObject*, TStreamableCollectionItem*>> changes;
    profiles.OnChange = [&](TObject* Sender, TStreamableCollectionItem* Item) {
        changes.emplace_back(Sender, Item);
    };
    TUploadProfileItem* source = profiles.Add();
    SetDistinctValues(*source, 40);
    TUploadProfileItem* target = profiles.Add();
    profiles.Profiles()->Delete(0);
    EXPECT_TRUE(changes.empty()); // adding and deleting tell nothing

    TUploadProfileContainer other;
    source = other.Add();
    SetDistinctValues(*source, 50);
    target->Assign(source);
    EXPECT_EQ(PublishedValues(*target), PublishedValues(*source));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].first, &profiles);
    EXPECT_EQ(changes[0].second, target);

    TFirewallContainer firewalls;
    TFirewallItem* firewall = firewalls.Add();
    SetDistinctValues(*firewall, 60);
    TFirewallItem* copy = firewalls.Add();
    copy->Assign(firewall);
    EXPECT_EQ(PublishedValues(*copy), PublishedValues(*firewall));
    TBookmarkContainer bookmarks;
    TBookmarkItem* bookmark = bookmarks.Add();
    SetDistinctValues(*bookmark, 70);
    TBookmarkItem* bookmarkCopy = bookmarks.Add();
    bookmarkCopy->Assign(bookmark);
    EXPECT_EQ(PublishedValues(*bookmarkCopy), PublishedValues(*bookmark));
}

TEST(SiteData, AssigningAContainerCopiesItsItems)
{
    TFirewallContainer source;
    for (int i = 0; i < 3; ++i)
        SetDistinctValues(*source.Add(), 10 * i);
    TFirewallContainer target;
    target.Add()->ItemName = "replaced";
    int changes = 0;
    target.OnChange = [&](TObject*, TStreamableCollectionItem*) { ++changes; };
    target.Assign(&source);
    ASSERT_EQ(target.Firewalls()->Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(PublishedValues(*target.GetFirewall(i)), PublishedValues(*source.GetFirewall(i)));
    EXPECT_EQ(changes, 0);
    target.Assign(&target);
    EXPECT_EQ(target.Firewalls()->Count(), 3);

    TBookmarkContainer other;
    EXPECT_THROW(target.Assign(&other), EConvertError);
    EXPECT_THROW(target.Assign(nullptr), EConvertError);
}

TEST(SiteData, PasswordsComeBackThroughTheFile)
{
    TRegistryScope scope;
    std::mt19937 random(106);
    std::vector<QByteArray> passwords = {QByteArray("a\0b\r\nc\"d\\e", 11), "", "secret"};
    for (int n = randomCaseCount(40); n > 0; --n) {
        QByteArray bytes(int(random() % 40) + 1, '\0');
        for (char& c : bytes)
            c = char(random());
        if (bytes.size() > 2 && bytes[2] == '\b')
            bytes[2] = 'x'; // not storable in the stored form
        passwords.push_back(bytes);
    }
    {
        TUploadProfileContainer profiles(nullptr, skRegistry, InternetRegKey);
        TFirewallContainer firewalls(nullptr, skRegistry, InternetRegKey);
        for (size_t i = 0; i < passwords.size(); ++i) {
            TUploadProfileItem* profile = profiles.Add();
            profile->ItemName = QString::number(i);
            profile->Password = PasswordToStore(DecodeName(passwords[i]));
            TFirewallItem* firewall = firewalls.Add();
            firewall->ItemName = QString::number(i);
            firewall->SocksPassword = profile->Password;
        }
    }
    scope.Reload();
    TUploadProfileContainer profiles(nullptr, skRegistry, InternetRegKey);
    TFirewallContainer firewalls(nullptr, skRegistry, InternetRegKey);
    ASSERT_EQ(size_t(profiles.Profiles()->Count()), passwords.size());
    for (size_t i = 0; i < passwords.size(); ++i) {
        const int index = profiles.IndexOfName(QString::number(i));
        EXPECT_EQ(EncodeName(PasswordFromStore(profiles.GetProfile(index)->Password)), passwords[i]) << i;
        EXPECT_EQ(firewalls.FindFirewall(QString::number(i))->SocksPassword,
                  profiles.GetProfile(index)->Password);
    }
}

TEST(SiteData, ACorruptStoredValueLoadsAsEmptyAndLoadingGoesOn)
{
    TRegistryScope scope;
    {
        TUploadProfileContainer profiles(nullptr, skRegistry, InternetRegKey);
        for (const QString& name : QStringList{"A", "B"}) {
            TUploadProfileItem* profile = profiles.Add();
            profile->ItemName = name;
            profile->HostName = "host-" + name;
            profile->Password = PasswordToStore("pw");
        }
    }
    THiveStore& store = THiveStore::CurrentUser();
    ASSERT_EQ(store.SetValue(ProfilesKey + "A", "Password", REG_BINARY, "\x01\x02"), ERROR_SUCCESS);
    ASSERT_EQ(store.SetValue(ProfilesKey + "A", "Timeout", REG_MULTI_SZ, "x"), ERROR_SUCCESS);
    TUploadProfileContainer profiles(nullptr, skRegistry, InternetRegKey);
    profiles.AutoSave = false;
    ASSERT_EQ(Names(profiles), (QStringList{"A", "B"}));
    EXPECT_EQ(profiles.GetProfile(0)->Password, "");
    EXPECT_EQ(profiles.GetProfile(0)->Timeout, 0);
    EXPECT_EQ(profiles.GetProfile(0)->HostName, "host-A");
    EXPECT_EQ(PasswordFromStore(profiles.GetProfile(1)->Password), "pw");
}
