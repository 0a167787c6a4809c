// TCollection: items join and leave their collection, move, and changes are reported.
#include "platform/rtl/collection.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

class TNamedItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    void Touch() { Changed(false); }
};

class TWatchedCollection : public TCollection {
public:
    TWatchedCollection() : TCollection(ItemClassOf<TNamedItem>()) {}
    std::vector<TCollectionItem*> Updates;

protected:
    void Update(TCollectionItem* Item) override { Updates.push_back(Item); }
};

} // namespace

TEST(Collection, ItemsJoinMoveAndLeave)
{
    TWatchedCollection collection;
    TCollectionItem* a = collection.Add();
    TCollectionItem* b = collection.Add();
    TCollectionItem* c = collection.Add();
    EXPECT_EQ(collection.Count(), 3);
    EXPECT_EQ(a->ClassName(), "TNamedItem");
    EXPECT_EQ(a->GetDisplayName(), "TNamedItem");
    EXPECT_EQ(c->Index(), 2);

    c->SetIndex(0);
    EXPECT_EQ(collection.Items(0), c);
    EXPECT_EQ(collection.Items(1), a);
    c->SetIndex(3); // out of range: stays
    EXPECT_EQ(c->Index(), 0);

    delete a; // freeing an item takes it out
    EXPECT_EQ(collection.Count(), 2);
    EXPECT_EQ(b->Index(), 1);
    collection.Delete(0);
    EXPECT_EQ(collection.Items(0), b);
    collection.Clear();
    EXPECT_EQ(collection.Count(), 0);
}

TEST(Collection, ReportsChangesOnceOutsideUpdates)
{
    TWatchedCollection collection;
    auto* item = static_cast<TNamedItem*>(collection.Add());
    item->Touch();
    EXPECT_EQ(collection.Updates, (std::vector<TCollectionItem*>{nullptr, item}));

    collection.Updates.clear();
    collection.BeginUpdate();
    collection.Add();
    item->Touch();
    collection.Delete(1);
    EXPECT_TRUE(collection.Updates.empty());
    collection.EndUpdate();
    EXPECT_EQ(collection.Updates, std::vector<TCollectionItem*>{nullptr});
}
