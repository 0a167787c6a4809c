// TCustomComboBox: the class library's drop-down list over QComboBox, which tells its descendants
// when the list drops down, when the user picks an entry and how the drop-down list closed.
#pragma once

#include "platform/rtl/object.h"

#include <QComboBox>

// The events run on the GUI thread; none lets an exception reach Qt's event loop.
class TCustomComboBox : public QComboBox, public TComponent {
    Q_OBJECT
public:
    explicit TCustomComboBox(QWidget* Parent = nullptr);

    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int Value) { setCurrentIndex(Value); }
    // The number of entries the drop-down list shows without scrolling.
    int DropDownCount() const { return maxVisibleItems(); }
    void SetDropDownCount(int Value) { setMaxVisibleItems(Value); }
    bool DroppedDown() const { return droppedDown_; }
    void SetDroppedDown(bool Value) { Value ? showPopup() : hidePopup(); }

    void showPopup() override;
    void hidePopup() override;

    // The user picked an entry (from the list, or with the keys while it is closed).
    TNotifyEvent OnChange;
    // The list is about to drop down.
    TNotifyEvent OnDropDown;

protected:
    virtual void Change();
    virtual void DropDown();
    // After the drop-down list closed, once the pick (if any) is known: SelEndOk when an entry was
    // picked from it, SelEndCancel when it closed without one; then CloseUp. They do nothing here.
    virtual void SelEndOk() {}
    virtual void SelEndCancel() {}
    virtual void CloseUp() {}

private:
    // Reports how the drop-down list closed: Qt tells of the pick only after the list is hidden.
    void FinishCloseUp();

    bool droppedDown_ = false;
    bool picked_ = false;
};
