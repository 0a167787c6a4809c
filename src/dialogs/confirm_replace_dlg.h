// TConfirmReplaceDlgFrm: asks whether a file that exists is to be replaced, for one file or for
// one of several.
#pragma once

#include "settings/forms/stream_position_form.h"

class QLabel;
class QPushButton;
class TLabel;

class TConfirmReplaceDlgFrm : public TStreamPositionFrm {
    Q_OBJECT
public:
    explicit TConfirmReplaceDlgFrm(TComponent* AOwner = nullptr);

    // Shows the existing and the new file's size and date under the icon of FileName's type. One
    // file (Multiple false): 6 Yes or 7 No. One of several: 6 Yes, 10 Yes to All, 7 No or 2 Cancel.
    // Escape or the close box give 2.
    static int Execute(const QString& FileName, const QString& ExistingSize, const QString& ExistingDate,
                       const QString& NewSize, const QString& NewDate, bool Multiple);

    QLabel* Image1;
    TLabel* lblFilename;
    TLabel* Label2;
    QLabel* imgExisting;
    TLabel* lblExisting;
    TLabel* Label4;
    QLabel* imgNew;
    TLabel* lblNew;
    QWidget* pnlSingle;
    QPushButton* Button7;
    QPushButton* Button8;
    QWidget* pnlMultiple;
    QPushButton* Button3;
    QPushButton* Button5;
    QPushButton* Button4;
    QPushButton* Button6;
};
