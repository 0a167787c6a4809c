// TCheckBox, TRadioButton and TEdit.
#include "platform/widgets/std_controls.h"

#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"

namespace {

// Runs a control's event from a Qt signal: nothing may unwind into Qt's event loop.
void FireFromSignal(const std::function<void(TObject*)>& Event, TObject* Sender)
{
    AtBoundary([&] { Fire(Event, Sender); });
}

} // namespace

TCheckBox::TCheckBox(const QString& Caption, QWidget* Parent) : QCheckBox(Caption, Parent)
{
    connect(this, &QCheckBox::toggled, this, [this] { FireFromSignal(OnClick, this); });
}

TRadioButton::TRadioButton(const QString& Caption, QWidget* Parent) : QRadioButton(Caption, Parent)
{
    connect(this, &QRadioButton::toggled, this, [this](bool Checked) {
        if (Checked)
            FireFromSignal(OnClick, this);
    });
}

TEdit::TEdit(QWidget* Parent) : QLineEdit(Parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] { FireFromSignal(OnChange, this); });
}
