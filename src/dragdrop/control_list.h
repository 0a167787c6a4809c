// TControlList: the ordered list of the controls a drop target is registered on.
#pragma once

#include <QWidget>
#include <vector>

class TControlList {
public:
    int Add(QWidget* Control);
    void Insert(int Index, QWidget* Control);
    void Delete(int Index);
    // -1 when the control is not in the list.
    int IndexOf(const QWidget* Control) const;
    int Count() const { return int(controls_.size()); }
    QWidget* Controls(int Index) const { return controls_.at(std::size_t(Index)); }

private:
    std::vector<QWidget*> controls_;
};
