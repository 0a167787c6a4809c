// TCloseAppFrm and ShowCloseAppDlg: how the program is to shut down while a task runs.
#pragma once

#include "platform/widgets/form.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class TLabel;

// Centred on the screen; the choice starts at "Immediately Shut Down" with its hint.
class TCloseAppFrm : public TForm {
    Q_OBJECT
public:
    explicit TCloseAppFrm(TComponent* AOwner = nullptr);

    QFrame* Shape1;
    TLabel* Label1;
    QLabel* Image1;
    QLabel* Image2;
    QFrame* Shape2;
    TLabel* lblCaption;
    QComboBox* cbClose;
    TLabel* lblHint;
    QPushButton* Button1;
    QPushButton* Button2;

private:
    void cbCloseChange();
};

// -1 unless the user confirmed with OK; else 1 "Complete Current Task and Shut Down" or
// 2 "Immediately Shut Down".
int ShowCloseAppDlg();
