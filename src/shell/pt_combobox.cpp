// TPTCustomCombobox.
#include "shell/pt_combobox.h"

#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"

#include <QAbstractItemModel>

TPTCustomCombobox::TPTCustomCombobox(QWidget* Parent) : TCustomComboBox(Parent)
{
    connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved, this, [this](const QModelIndex&, int First, int Last) {
        for (int row = First; row <= Last; ++row) {
            if (void* object = EntryObject(row))
                AtBoundary([&] { DeleteItem(object); });
        }
    });
}

int TPTCustomCombobox::AddEntry(const QString& Text, void* Object)
{
    addItem(Text, QVariant::fromValue(reinterpret_cast<quintptr>(Object)));
    return count() - 1;
}

void* TPTCustomCombobox::EntryObject(int Index) const
{
    if (Index < 0 || Index >= count())
        return nullptr;
    return reinterpret_cast<void*>(itemData(Index).value<quintptr>());
}

void TPTCustomCombobox::DeleteItem(void*) {}

void TPTCustomCombobox::SelEndOk()
{
    Fire(OnSelEndOk, this);
}

void TPTCustomCombobox::SelEndCancel()
{
    Fire(OnSelEndCancel, this);
}

void TPTCustomCombobox::CloseUp()
{
    Fire(OnCloseUp, this);
}
