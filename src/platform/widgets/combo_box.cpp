// TCustomComboBox.
#include "platform/widgets/combo_box.h"

#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"

#include <QMetaObject>

TCustomComboBox::TCustomComboBox(QWidget* Parent) : QComboBox(Parent)
{
    connect(this, &QComboBox::activated, this, [this] {
        picked_ = true;
        AtBoundary([this] { Change(); });
    });
}

void TCustomComboBox::showPopup()
{
    AtBoundary([this] { DropDown(); });
    picked_ = false;
    droppedDown_ = true;
    QComboBox::showPopup();
}

void TCustomComboBox::hidePopup()
{
    QComboBox::hidePopup();
    if (!droppedDown_)
        return;
    droppedDown_ = false;
    picked_ = false;
    QMetaObject::invokeMethod(this, [this] { FinishCloseUp(); }, Qt::QueuedConnection);
}

void TCustomComboBox::FinishCloseUp()
{
    AtBoundary([this] {
        if (picked_)
            SelEndOk();
        else
            SelEndCancel();
        CloseUp();
    });
}

void TCustomComboBox::Change()
{
    Fire(OnChange, this);
}

void TCustomComboBox::DropDown()
{
    Fire(OnDropDown, this);
}
