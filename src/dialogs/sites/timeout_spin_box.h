// TTimeoutSpinBox: a spin box of whole seconds that brings any typed value into its range when it
// is left.
#pragma once

#include <QSpinBox>

// Digits only, at most three; a value outside the range, or an emptied field, becomes the nearest
// bound when the field is left, so the field always holds a value of the range.
class TTimeoutSpinBox : public QSpinBox {
    Q_OBJECT
public:
    TTimeoutSpinBox(int Minimum, int Maximum, QWidget* Parent = nullptr);

protected:
    QValidator::State validate(QString& Input, int& Pos) const override;
    void fixup(QString& Input) const override;
};
