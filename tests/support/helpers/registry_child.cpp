// A child process for the registry file's process tests: it saves server-profile-like items
// through the property persistence while its parent watches, waits or kills it.
//
//   registry_child <config folder> loop <name> <saves>  saves 50 items "<name>-0".. with every
//       value set to the save's number, printing "saved <n>" after each; 0 saves means forever
//   registry_child <config folder> wait <name>          loads the items, prints "ready", waits
//       for a line on standard input, adds the item "<name>", saves and prints "done"
#include "platform/rtl/collection.h"
#include "settings/property_persistence.h"

#include <QObject>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const QString Key = QStringLiteral("Software\\Tarnwick Software\\Internet\\");

class TChildItem : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString ItemName MEMBER ItemName)
    Q_PROPERTY(QString HostName MEMBER HostName)
    Q_PROPERTY(QString Password MEMBER Password)
    Q_PROPERTY(int Counter MEMBER Counter)
    Q_PROPERTY(bool PassiveMode MEMBER PassiveMode)
public:
    using TCollectionItem::TCollectionItem;
    QString GetDisplayName() const override { return ItemName; }

    QString ItemName;
    QString HostName;
    QString Password;
    int Counter = 0;
    bool PassiveMode = false;
};

class TChildContainer : public QObject {
    Q_OBJECT
    Q_PROPERTY(TCollection* Profiles READ Profiles)
public:
    TCollection* Profiles() { return &profiles_; }

private:
    TCollection profiles_{ItemClassOf<TChildItem>()};
};

int Loop(const QString& Name, int Saves)
{
    TChildContainer container;
    for (int i = 0; i < 50; ++i)
        static_cast<TChildItem*>(container.Profiles()->Add())->ItemName =
            Name + QLatin1Char('-') + QString::number(i);
    for (int n = 1; Saves == 0 || n <= Saves; ++n) {
        for (int i = 0; i < container.Profiles()->Count(); ++i) {
            auto* item = static_cast<TChildItem*>(container.Profiles()->Items(i));
            item->HostName = QStringLiteral("host-%1.example.org").arg(n);
            item->Password = QString(QChar(n % 256)) + QStringLiteral("\r\n\"\\%1").arg(n);
            item->Counter = n;
            item->PassiveMode = n % 2;
        }
        SavePropertiesToKey(&container, Key);
        std::printf("saved %d\n", n);
        std::fflush(stdout);
    }
    return 0;
}

int Wait(const QString& Name)
{
    TChildContainer container;
    LoadPropertiesFromKey(Key, &container);
    std::printf("ready\n");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 1;
    static_cast<TChildItem*>(container.Profiles()->Add())->ItemName = Name;
    SavePropertiesToKey(&container, Key);
    std::printf("done\n");
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    setenv("XDG_CONFIG_HOME", argv[1], 1);
    const std::string mode = argv[2];
    const QString name = QString::fromUtf8(argv[3]);
    if (mode == "loop" && argc == 5)
        return Loop(name, std::atoi(argv[4]));
    if (mode == "wait")
        return Wait(name);
    return 2;
}

#include "registry_child.moc"
