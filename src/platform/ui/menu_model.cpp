// TMenuModel.
#include "platform/ui/menu_model.h"

std::size_t TMenuModel::Insert(std::size_t Index, TMenuItem Item)
{
    Index = std::min(Index, items_.size());
    items_.insert(items_.begin() + std::ptrdiff_t(Index), std::move(Item));
    return Index;
}

const TMenuItem* TMenuModel::Find(unsigned Id) const
{
    if (Id == 0)
        return nullptr;
    for (const TMenuItem& item : items_) {
        if (item.HasSubmenu) {
            if (const TMenuItem* found = item.Submenu.Find(Id))
                return found;
        } else if (!item.Separator && item.Id == Id) {
            return &item;
        }
    }
    return nullptr;
}

const TMenuItem* TMenuModel::Default() const
{
    for (const TMenuItem& item : items_) {
        if (item.IsDefault)
            return &item;
    }
    return nullptr;
}
