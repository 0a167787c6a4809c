// TConfirmReplaceDlgFrm.
#include "dialogs/confirm_replace_dlg.h"

#include "dialogs/busy_cursor.h"
#include "dialogs/designed_controls.h"
#include "dialogs/file_type_icon.h"
#include "platform/rtl/format.h"
#include "platform/widgets/label.h"

#include <QPushButton>

namespace {

const char* const FileLine = "%s\r\nmodified: %s";

QLabel* NewPicture(QWidget* Parent, const char* Name, const QRect& Rect)
{
    auto* picture = Designed(new QLabel(Parent), Name, Rect);
    picture->setAlignment(Qt::AlignCenter);
    return picture;
}

} // namespace

TConfirmReplaceDlgFrm::TConfirmReplaceDlgFrm(TComponent* AOwner)
    : TStreamPositionFrm(AOwner, skRegistry, DialogKey(QStringLiteral("Confirm Replace")))
{
    SetBorderStyle(bsDialog);
    SetClientSize(418, 227);
    setWindowTitle(QStringLiteral("Confirm File Replace"));

    Image1 = NewPicture(this, "Image1", QRect(12, 12, 32, 32));
    Image1->setPixmap(StylePicture(QStyle::SP_MessageBoxWarning));
    lblFilename = NewWrappedLabel(this, "lblFilename", QRect(56, 12, 350, 32),
                                  QStringLiteral("This folder already contains a file named '%s'."));
    Label2 = NewLabel(this, "Label2", QRect(56, 50, 350, 16),
                      QStringLiteral("Would you like to replace the existing file"));
    imgExisting = NewPicture(this, "imgExisting", QRect(72, 72, 32, 32));
    lblExisting = NewWrappedLabel(this, "lblExisting", QRect(116, 72, 290, 32), {});
    Label4 = NewLabel(this, "Label4", QRect(56, 114, 350, 16), QStringLiteral("with this one?"));
    imgNew = NewPicture(this, "imgNew", QRect(72, 136, 32, 32));
    lblNew = NewWrappedLabel(this, "lblNew", QRect(116, 136, 290, 32), {});

    pnlSingle = Designed(new QWidget(this), "pnlSingle", QRect(0, 186, 418, 41));
    Button7 = NewButton(*this, pnlSingle, "Button7", QRect(250, 8, 75, 25), QStringLiteral("&Yes"), mrYes);
    Button8 = NewButton(*this, pnlSingle, "Button8", QRect(331, 8, 75, 25), QStringLiteral("&No"), mrNo);
    pnlMultiple = Designed(new QWidget(this), "pnlMultiple", QRect(0, 186, 418, 41));
    Button3 = NewButton(*this, pnlMultiple, "Button3", QRect(88, 8, 75, 25), QStringLiteral("&Yes"), mrYes);
    Button5 = NewButton(*this, pnlMultiple, "Button5", QRect(169, 8, 75, 25), QStringLiteral("Yes to &All"), mrYesToAll);
    Button4 = NewButton(*this, pnlMultiple, "Button4", QRect(250, 8, 75, 25), QStringLiteral("&No"), mrNo);
    Button6 = NewButton(*this, pnlMultiple, "Button6", QRect(331, 8, 75, 25), QStringLiteral("Cancel"), mrCancel);
    pnlMultiple->hide();
}

int TConfirmReplaceDlgFrm::Execute(const QString& FileName, const QString& ExistingSize,
                                   const QString& ExistingDate, const QString& NewSize, const QString& NewDate,
                                   bool Multiple)
{
    TBusyCursor busy;
    TConfirmReplaceDlgFrm form;
    const QPixmap icon = FileTypeIcon(FileName);
    form.imgExisting->setPixmap(icon);
    form.imgNew->setPixmap(icon);
    form.lblFilename->setText(Format(form.lblFilename->text(), {FileName}));
    form.lblExisting->setText(Format(QLatin1String(FileLine), {ExistingSize, ExistingDate}));
    form.lblNew->setText(Format(QLatin1String(FileLine), {NewSize, NewDate}));
    form.pnlSingle->setVisible(!Multiple);
    form.pnlMultiple->setVisible(Multiple);
    (Multiple ? form.Button3 : form.Button7)->setDefault(true);
    return form.ShowModal();
}
