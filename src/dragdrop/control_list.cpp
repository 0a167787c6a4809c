// The list of registered drop-target controls.
#include "dragdrop/control_list.h"

#include <algorithm>

int TControlList::Add(QWidget* Control)
{
    controls_.push_back(Control);
    return Count() - 1;
}

void TControlList::Insert(int Index, QWidget* Control)
{
    controls_.insert(controls_.begin() + Index, Control);
}

void TControlList::Delete(int Index)
{
    controls_.erase(controls_.begin() + Index);
}

int TControlList::IndexOf(const QWidget* Control) const
{
    auto found = std::find(controls_.begin(), controls_.end(), Control);
    return found == controls_.end() ? -1 : int(found - controls_.begin());
}
