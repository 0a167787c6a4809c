// TPTCustomCombobox: the combo box that reports how its drop-down list closed and tells its
// descendants of every entry that goes away with the object it carries.
#pragma once

#include "platform/widgets/combo_box.h"

class TPTCustomCombobox : public TCustomComboBox {
    Q_OBJECT
public:
    explicit TPTCustomCombobox(QWidget* Parent = nullptr);

    // The drop-down list closed (after OnSelEndOk or OnSelEndCancel).
    TNotifyEvent OnCloseUp;
    // An entry was picked from the drop-down list.
    TNotifyEvent OnSelEndOk;
    // The drop-down list closed without a pick.
    TNotifyEvent OnSelEndCancel;

protected:
    // Adds an entry showing Text that carries Object (may be null); returns its index.
    int AddEntry(const QString& Text, void* Object);
    // The object entry Index carries; null for none and for an index out of range.
    void* EntryObject(int Index) const;
    // An entry carrying Object is about to go (removed, cleared, or the combo destroyed): Qt tells
    // no one, so the combo calls this for each such entry itself. Does nothing here.
    virtual void DeleteItem(void* Object);

    void SelEndOk() override;
    void SelEndCancel() override;
    void CloseUp() override;
};
