// TGoPageForm, the small dialog of the print preview that asks for a page number.
#pragma once

#include "platform/widgets/form.h"

class QPushButton;
class QSpinBox;

class TGoPageForm : public TForm {
public:
    explicit TGoPageForm(TComponent* AOwner = nullptr);

    QSpinBox* PageNum;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};
