// Saving and loading 1,000 server profiles (22 published properties each) through the registry
// persistence, its file included.
#include "platform/registry/hive_store.h"
#include "settings/property_persistence.h"
#include "routines/registry_helpers.h"
#include "settings/upload_profiles.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

void Fill(TUploadProfileContainer& Container, int Round)
{
    for (int i = 0; i < 1000; ++i) {
        TUploadProfileItem* p = Container.Add();
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
        TUploadProfileContainer container;
        Fill(container, ++round); // new passwords: every save writes the file
        State.ResumeTiming();
        SavePropertiesToKey(&container, InternetRegKey);
    }
    State.counters["file_bytes"] = double(QFileInfo(THiveStore::CurrentUser().FileName()).size());
}
BENCHMARK(BM_SaveProfiles)->Unit(benchmark::kMillisecond);

void BM_LoadProfiles(benchmark::State& State)
{
    {
        TUploadProfileContainer container;
        Fill(container, 0);
        SavePropertiesToKey(&container, InternetRegKey);
    }
    for (auto _ : State) {
        THiveStore::CurrentUser().Unload(); // read and parse the file each time
        TUploadProfileContainer container;
        LoadPropertiesFromKey(InternetRegKey, &container);
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
