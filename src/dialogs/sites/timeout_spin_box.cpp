// TTimeoutSpinBox.
#include "dialogs/sites/timeout_spin_box.h"

#include <QLineEdit>
#include <algorithm>

TTimeoutSpinBox::TTimeoutSpinBox(int Minimum, int Maximum, QWidget* Parent) : QSpinBox(Parent)
{
    setRange(Minimum, Maximum);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    lineEdit()->setMaxLength(3);
}

QValidator::State TTimeoutSpinBox::validate(QString& Input, int&) const
{
    if (Input.size() > 3 || !std::all_of(Input.cbegin(), Input.cend(), [](QChar c) { return c.isDigit(); }))
        return QValidator::Invalid;
    if (Input.isEmpty())
        return QValidator::Intermediate;
    const int value = Input.toInt();
    return value >= minimum() && value <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

void TTimeoutSpinBox::fixup(QString& Input) const
{
    Input = QString::number(std::clamp(Input.toInt(), minimum(), maximum()));
}
