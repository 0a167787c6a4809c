// TConfirmDeleteDlgFrm.
#include "dialogs/confirm_delete_dlg.h"

#include "dialogs/busy_cursor.h"
#include "dialogs/designed_controls.h"
#include "dialogs/file_type_icon.h"
#include "platform/widgets/label.h"

#include <QPushButton>

TConfirmDeleteDlgFrm::TConfirmDeleteDlgFrm(TComponent* AOwner)
    : TStreamPositionFrm(AOwner, skRegistry, DialogKey(QStringLiteral("Confirm Delete")))
{
    SetBorderStyle(bsDialog);
    SetClientSize(411, 108);
    setWindowTitle(QStringLiteral("Confirm Delete"));
    Image1 = Designed(new QLabel(this), "Image1", QRect(12, 12, 32, 32));
    Image1->setPixmap(StylePicture(QStyle::SP_MessageBoxQuestion));
    Label1 = NewWrappedLabel(this, "Label1", QRect(56, 12, 343, 48),
                             QStringLiteral("Are you sure you want to delete '%s'?"));
    Button7 = NewButton(*this, this, "Button7", QRect(243, 74, 75, 25), QStringLiteral("&Yes"), mrYes);
    btnNo = NewButton(*this, this, "btnNo", QRect(324, 74, 75, 25), QStringLiteral("&No"), mrNo);
    Button7->setAutoDefault(false);
    btnNo->setDefault(true);
    btnNo->setFocus();
}

int TConfirmDeleteDlgFrm::Execute(const QString& Caption, const QString& Message)
{
    TBusyCursor busy;
    TConfirmDeleteDlgFrm form;
    if (!Caption.isEmpty())
        form.setWindowTitle(Caption);
    form.Label1->setText(Message);
    return form.ShowModal();
}
