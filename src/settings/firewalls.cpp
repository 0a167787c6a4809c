// Firewall entries.
#include "settings/firewalls.h"

#include "settings/global_objects.h"
#include "routines/registry_helpers.h"

TFirewallContainer::TFirewallContainer(TComponent* AOwner, TStorageKind Kind, const QString& Name)
    : TCollectionContainer(AOwner, Kind, Name, [](QObject* Owner) { return new TFirewallCollection(Owner); })
{
    if (!Name.isEmpty())
        Load();
}

TFirewallContainer::~TFirewallContainer()
{
    SaveOnDestroy();
}

TFirewallContainer* Firewalls(int Flag)
{
    static TFirewallContainer* instance = nullptr;
    return GlobalObject(instance, Flag,
                        [] { return new TFirewallContainer(nullptr, skRegistry, InternetRegKey); });
}
