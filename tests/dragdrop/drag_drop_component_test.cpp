// Components that implement IUnknown without counting references.
#include "../platform/fake_data_object.h"
#include "dragdrop/drag_drop_component.h"

#include <gtest/gtest.h>

using namespace win;

namespace {

// An owner that implements IUnknown and counts what it is asked.
class CountingOwner : public TComponent, public IUnknown {
public:
    HRESULT QueryInterface(const IID&, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
    ULONG refs = 10;
};

} // namespace

TEST(InterfacedComponent, CountsNothingWithoutAnOwnerThatCounts)
{
    TDragDropComponent component(nullptr);
    EXPECT_EQ(component.AddRef(), 0xFFFFFFFFu);
    EXPECT_EQ(component.Release(), 0xFFFFFFFFu);
    void* itf = nullptr;
    EXPECT_EQ(component.QueryInterface(IID_IUnknown, &itf), S_OK);
    EXPECT_EQ(itf, static_cast<IUnknown*>(&component));
    EXPECT_EQ(component.QueryInterface(IID_IDataObject, &itf), E_NOINTERFACE);
    EXPECT_EQ(itf, nullptr);

    CountingOwner owner;
    auto* owned = new TDragDropComponent(&owner);
    EXPECT_EQ(owned->AddRef(), 11u);
    EXPECT_EQ(owned->Release(), 10u);
}

TEST(InterfacedComponent, AsksItsAttachedComObjectForInterfacesItLacks)
{
    TDragDropComponent component(nullptr);
    const auto data = MakeComObject<FakeDataObject>();
    component.ComObject = data.Get();
    void* itf = nullptr;
    ASSERT_EQ(component.QueryInterface(IID_IDataObject, &itf), S_OK);
    EXPECT_EQ(itf, static_cast<IDataObject*>(data.Get()));
    static_cast<IDataObject*>(itf)->Release();
    EXPECT_EQ(component.QueryInterface(IID_IUnknown, &itf), S_OK);
    EXPECT_EQ(itf, static_cast<IUnknown*>(&component)) << "its own interfaces come first";
}
