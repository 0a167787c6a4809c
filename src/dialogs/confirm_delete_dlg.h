// TConfirmDeleteDlgFrm: asks whether something is to be deleted; No is the default answer.
#pragma once

#include "settings/forms/stream_position_form.h"

class QLabel;
class QPushButton;
class TLabel;

class TConfirmDeleteDlgFrm : public TStreamPositionFrm {
    Q_OBJECT
public:
    explicit TConfirmDeleteDlgFrm(TComponent* AOwner = nullptr);

    // Shows Message (formatted by the caller) under the window title Caption (the dialog's own
    // when empty); 6 Yes or 7 No (2 for Escape or the close box).
    static int Execute(const QString& Caption, const QString& Message);

    TLabel* Label1;
    QLabel* Image1;
    QPushButton* Button7;
    QPushButton* btnNo;
};
