// TFtpPropertiesDlgFrm: the properties of one remote item, its name and Unix permissions to
// change, as a grid of check marks or as a three-digit number.
#pragma once

#include "settings/forms/stream_position_form.h"

class QLabel;
class QPushButton;
class QTabWidget;
class TEdit;
class TLabel;
class TPermissionGrid;

// What the dialog answers: the name, whether the name or the mode changed, and the mode
// (owner x 100 + group x 10 + others, each digit read 4 + write 2 + execute 1).
struct TFtpPropertiesAnswer {
    QString NewName;
    bool Changed = false;
    int Mode = 0;
};

// The numeric field takes digits only; a number with a digit above 7 (or none) is refused with a
// warning when the field is left and when the dialog is confirmed, and the number the field had
// when it was entered comes back; so OK never answers such a mode. OK needs a name.
class TFtpPropertiesDlgFrm : public TStreamPositionFrm {
    Q_OBJECT
public:
    explicit TFtpPropertiesDlgFrm(TComponent* AOwner = nullptr);

    // Shows the item; on OK (result 1) Answer takes the name and the mode, and Changed is set when
    // either differs from what was shown (it is never cleared here: the caller starts it False).
    static int Execute(const QString& FileName, const QString& Location, const QString& Modified,
                       const QString& TypeText, const QString& SizeText, const QString& Permissions,
                       const QPixmap& Icon, TFtpPropertiesAnswer& Answer);

    QTabWidget* TabControl1;
    QLabel* imgType;
    TEdit* txtFilename;
    TLabel* lblType;
    TEdit* txtLocation;
    TLabel* lblSize;
    TEdit* txtModified;
    TPermissionGrid* grdPermissions;
    TEdit* txtNumeric;
    QPushButton* btnOk;
    QPushButton* Button2;

    void done(int Result) override;

protected:
    bool eventFilter(QObject* Watched, QEvent* E) override;

private:
    void SetPermissions(const QString& Permissions);
    // Takes the numeric field into the grid; false (after the warning, with the kept number back)
    // when it holds no mode.
    bool txtNumericExit();
    void grdPermissionsToggle();
    void txtFilenameChange();

    QString keptNumeric_;
    bool checking_ = false;
};
