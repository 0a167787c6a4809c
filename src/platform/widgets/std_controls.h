// The class library's check box, radio button and edit box: Qt controls that report their
// changes through OnClick and OnChange members.
#pragma once

#include "platform/rtl/object.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <functional>

// OnClick fires whenever the check state changes, by the user or by the program.
class TCheckBox : public QCheckBox, public TComponent {
    Q_OBJECT
public:
    explicit TCheckBox(const QString& Caption = {}, QWidget* Parent = nullptr);

    std::function<void(TObject* Sender)> OnClick;
};

// OnClick fires whenever the button becomes checked, by the user or by the program.
class TRadioButton : public QRadioButton, public TComponent {
    Q_OBJECT
public:
    explicit TRadioButton(const QString& Caption = {}, QWidget* Parent = nullptr);

    std::function<void(TObject* Sender)> OnClick;
};

// OnChange fires whenever the text changes, by the user or by the program.
class TEdit : public QLineEdit, public TComponent {
    Q_OBJECT
public:
    explicit TEdit(QWidget* Parent = nullptr);

    std::function<void(TObject* Sender)> OnChange;
};
