// Saving and loading 1,000 server-profile-sized objects (22 published properties each) through
// the registry persistence, its file included.
#include "platform/registry/hive_store.h"
#include "platform/rtl/collection.h"
#include "settings/property_persistence.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

const QString Key = QStringLiteral("Software\\Tarnwick Software\\Internet\\");

// The published properties of a server profile.
class TBenchProfile : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString ItemName MEMBER ItemName)
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
public:
    using TCollectionItem::TCollectionItem;
    QString GetDisplayName() const override { return ItemName; }

    QString ItemName, Account, Comment, Firewall, HostDirName, HostName, LocalDirName, LocalFileFilter;
    QString Password, Port = QStringLiteral("21"), RemoteFileFilter, Username;
    bool AccountSave = false, Anonymous = false, PassiveMode = true, SavePassword = true, Shared = true;
    int ConnectionRetries = 0, HostType = 0, TimeOffset = 0, Timeout = 60, TransferMode = 2;
};

class TBenchContainer : public QObject {
    Q_OBJECT
    Q_PROPERTY(TCollection* Profiles READ Profiles)
public:
    TCollection* Profiles() { return &profiles_; }
    TBenchProfile* Profile(int Index) { return static_cast<TBenchProfile*>(profiles_.Items(Index)); }

private:
    TCollection profiles_{ItemClassOf<TBenchProfile>()};
};

void Fill(TBenchContainer& Container, int Round)
{
    for (int i = 0; i < 1000; ++i) {
        auto* p = static_cast<TBenchProfile*>(Container.Profiles()->Add());
        p->ItemName = QStringLiteral("Server profile %1").arg(i);
        p->HostName = QStringLiteral("ftp%1.example.org").arg(i);
        p->Username = QStringLiteral("user%1").arg(i);
        p->Password = QStringLiteral("\x8f\x01scrambled\r\n%1").arg(Round);
        p->HostDirName = QStringLiteral("/home/user%1/public_html").arg(i);
        p->LocalDirName = QStringLiteral("/home/me/sites/site%1").arg(i);
        p->Comment = QStringLiteral("Profile number %1").arg(i);
        p->RemoteFileFilter = QStringLiteral("*.html;*.css");
    }
}

void BM_SaveProfiles(benchmark::State& State)
{
    THiveStore::CurrentUser().Unload();
    int round = 0;
    for (auto _ : State) {
        State.PauseTiming();
        TBenchContainer container;
        Fill(container, ++round); // new passwords: every save writes the file
        State.ResumeTiming();
        SavePropertiesToKey(&container, Key);
    }
    State.counters["file_bytes"] = double(QFileInfo(THiveStore::CurrentUser().FileName()).size());
}
BENCHMARK(BM_SaveProfiles)->Unit(benchmark::kMillisecond);

void BM_LoadProfiles(benchmark::State& State)
{
    {
        TBenchContainer container;
        Fill(container, 0);
        SavePropertiesToKey(&container, Key);
    }
    for (auto _ : State) {
        THiveStore::CurrentUser().Unload(); // read and parse the file each time
        TBenchContainer container;
        LoadPropertiesFromKey(Key, &container);
        if (container.Profiles()->Count() != 1000)
            State.SkipWithError("profiles missing");
    }
}
BENCHMARK(BM_LoadProfiles)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir folder;
    setenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()).constData(), 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    THiveStore::CurrentUser().Unload();
    return 0;
}

#include "registry_persistence.moc"
