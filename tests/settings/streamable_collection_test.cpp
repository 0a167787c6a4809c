// Named collections: finding items by name without case, deleting, removing and moving them
// together with their registry subkeys, display names and item assignment.
#include "settings/streamable_collection.h"

#include "platform/registry/registry.h"
#include "routines/registry_helpers.h"
#include "settings/upload_profiles.h"
#include "support/qt_printers.h"
#include "support/registry_scope.h"
#include "support/test_env.h"
#include "support/texts.h"

#include <gtest/gtest.h>

namespace {

const QString ProfilesKey = InternetRegKey + "Profiles";

QStringList Names(const TStreamableCollection& Collection)
{
    TStringList names;
    Collection.GetItemNames(names, false);
    return Lines(names);
}

QStringList StoredNames()
{
    TRegistry registry;
    TStringList names;
    if (registry.OpenKey(ProfilesKey, false))
        registry.GetKeyNames(names);
    return Lines(names);
}

void AddProfiles(TUploadProfileContainer& Container, const QStringList& Names)
{
    for (const QString& name : Names)
        Container.Add()->ItemName = name;
}

} // namespace

TEST(StreamableCollection, FindsItemsByNameWithoutCase)
{
    TUploadProfileContainer container;
    TUploadProfileCollection& profiles = *container.Profiles();
    EXPECT_EQ(profiles.IndexOfName("Home"), -1);
    AddProfiles(container, {"Work", "Home", "home", "Ärger"});
    EXPECT_EQ(profiles.IndexOfName("HOME"), 1);
    EXPECT_EQ(profiles.IndexOfName("äRGER"), 3);
    EXPECT_EQ(profiles.IndexOfName("Hom"), -1);
    EXPECT_EQ(profiles.FindItem("work"), profiles.GetItem(0));
    EXPECT_EQ(profiles.FindItem("none"), nullptr);
    EXPECT_EQ(profiles.GetItemSafe(3), profiles.GetItem(3));
    EXPECT_EQ(profiles.GetItemSafe(-1), nullptr);
    EXPECT_EQ(profiles.GetItemSafe(4), nullptr);

    // A name is free when no item has it in any case; otherwise the first free numbered one.
    EXPECT_EQ(profiles.FreeItemName("Other"), "Other");
    EXPECT_EQ(profiles.FreeItemName("WORK"), "WORK-2");
    container.Add()->ItemName = "work-2";
    EXPECT_EQ(profiles.FreeItemName("Work"), "Work-3");
}

TEST(StreamableCollection, ListsItemNamesWithTheirItems)
{
    TUploadProfileContainer container;
    AddProfiles(container, {"b", "", "a"});
    TStringList list;
    list.Add("stale");
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    container.Profiles()->GetItemNames(list, true);
    EXPECT_EQ(Lines(list), (QStringList{"b", "", "a"}));
    EXPECT_EQ(list.Objects(2), container.GetProfile(2));
    EXPECT_EQ(changes, 1);
    container.Profiles()->GetItemNames(list, false);
    EXPECT_EQ(list.Objects(0), nullptr);
}

TEST(StreamableCollection, UnnamedItemsShowTheirClassName)
{
    TUploadProfileContainer container;
    TUploadProfileItem* item = container.Add();
    EXPECT_EQ(item->GetDisplayName(), "TUploadProfileItem");
    item->ItemName = "Home";
    EXPECT_EQ(item->GetDisplayName(), "Home");
}

TEST(StreamableCollection, DeletingRemovesTheSubkeyAtOnce)
{
    TRegistryScope scope;
    {
        TUploadProfileContainer container(nullptr, skRegistry, InternetRegKey);
        AddProfiles(container, {"Home", "Work", "", "Bad\\Name"});
        container.Save();
        EXPECT_EQ(StoredNames(), (QStringList{"Home", "TUploadProfileItem", "Work"}));

        TUploadProfileCollection& profiles = *container.Profiles();
        profiles.Delete(-1);
        profiles.Delete(profiles.Count());
        EXPECT_EQ(profiles.Count(), 4);

        profiles.Delete(profiles.IndexOfName("HOME"));
        EXPECT_EQ(StoredNames(), (QStringList{"TUploadProfileItem", "Work"})); // before any save
        // The unnamed item lies under its class name; a name that cannot be a key touches nothing.
        profiles.Delete(1);
        profiles.Delete(1);
        EXPECT_EQ(StoredNames(), (QStringList{"Work"}));

        TUploadProfileContainer other;
        other.Add()->ItemName = "Work";
        profiles.Remove(other.GetProfile(0)); // not in this collection
        profiles.Remove(nullptr);
        EXPECT_EQ(Names(profiles), (QStringList{"Work"}));
        EXPECT_EQ(StoredNames(), (QStringList{"Work"}));
        profiles.Remove(profiles.GetItem(0));
        EXPECT_EQ(profiles.Count(), 0);
        EXPECT_EQ(StoredNames(), QStringList());
        container.AutoSave = false;
    }
    scope.Reload();
    EXPECT_EQ(StoredNames(), QStringList());
}

TEST(StreamableCollection, DeletingFromAFileOrKeylessContainerTouchesNoKey)
{
    TRegistryScope scope;
    {
        TUploadProfileContainer stored(nullptr, skRegistry, InternetRegKey);
        AddProfiles(stored, {"Home"});
    }
    const QString file = testRunFolder() + "/profiles.cfg";
    TUploadProfileContainer inFile(nullptr, skFile, file);
    AddProfiles(inFile, {"Home"});
    inFile.Profiles()->Delete(0);
    TUploadProfileContainer keyless;
    AddProfiles(keyless, {"Home"});
    keyless.Profiles()->Delete(0);
    EXPECT_EQ(StoredNames(), QStringList{"Home"});
}

TEST(StreamableCollection, MovedItemsKeepTheirSubkeys)
{
    TRegistryScope scope;
    {
        TUploadProfileContainer container(nullptr, skRegistry, InternetRegKey);
        AddProfiles(container, {"a", "b", "c"});
        for (int i = 0; i < 3; ++i)
            container.GetProfile(i)->HostName = "host-" + container.GetProfile(i)->ItemName;
        TUploadProfileCollection& profiles = *container.Profiles();
        profiles.Move(0, 2);
        EXPECT_EQ(Names(profiles), (QStringList{"b", "c", "a"}));
        profiles.Move(2, 0);
        profiles.Move(1, 0);
        EXPECT_EQ(Names(profiles), (QStringList{"b", "a", "c"}));
        profiles.Move(3, 0);
        profiles.Move(0, 3);
        profiles.Move(-1, 0);
        EXPECT_EQ(Names(profiles), (QStringList{"b", "a", "c"}));
    }
    scope.Reload();
    TUploadProfileContainer container(nullptr, skRegistry, InternetRegKey);
    ASSERT_EQ(container.Profiles()->Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(container.GetProfile(i)->HostName, "host-" + container.GetProfile(i)->ItemName);
}

TEST(StreamableCollection, ItemAssignment)
{
    TUploadProfileContainer container;
    TUploadProfileItem* source = container.Add();
    source->ItemName = "Home";
    source->HostName = "ftp.example.org";
    TUploadProfileItem* target = container.Add();
    target->Assign(source);
    EXPECT_EQ(target->ItemName, "Home");
    EXPECT_EQ(target->HostName, "ftp.example.org");

    // Between items of different classes only the name goes across.
    TStreamableCollection plain(nullptr, ItemClassOf<TStreamableCollectionItem>());
    auto* item = static_cast<TStreamableCollectionItem*>(plain.Add());
    item->ItemName = "Work";
    target->Assign(item);
    EXPECT_EQ(target->ItemName, "Work");
    EXPECT_EQ(target->HostName, "ftp.example.org");
    item->Assign(source);
    EXPECT_EQ(item->ItemName, "Home");

    TStringList other;
    EXPECT_THROW(target->Assign(&other), EConvertError);
    try {
        target->Assign(nullptr);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Cannot assign a nil to a TUploadProfileItem");
    }
}
