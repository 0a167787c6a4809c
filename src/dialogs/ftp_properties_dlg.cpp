// TFtpPropertiesDlgFrm.
#include "dialogs/ftp_properties_dlg.h"

#include "dialogs/busy_cursor.h"
#include "dialogs/designed_controls.h"
#include "dialogs/permission_grid.h"
#include "ftp/listing/permissions.h"
#include "platform/rtl/format.h"
#include "platform/ui/message_dialogs.h"
#include "platform/widgets/label.h"
#include "platform/widgets/std_controls.h"

#include <QFocusEvent>
#include <QFrame>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>

namespace {

TEdit* NewReadOnlyText(QWidget* Parent, const char* Name, const QRect& Rect)
{
    auto* edit = Designed(new TEdit(Parent), Name, Rect);
    edit->setReadOnly(true);
    edit->setFrame(false);
    edit->setStyleSheet(QStringLiteral("background: transparent"));
    return edit;
}

QFrame* NewBevel(QWidget* Parent, int Top)
{
    auto* bevel = new QFrame(Parent);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(12, Top, 315, 2);
    return bevel;
}

} // namespace

TFtpPropertiesDlgFrm::TFtpPropertiesDlgFrm(TComponent* AOwner)
    : TStreamPositionFrm(AOwner, skRegistry, DialogKey(QStringLiteral("Properties")))
{
    SetBorderStyle(bsDialog);
    SetClientSize(359, 392);
    setWindowTitle(QStringLiteral("FTP Properties"));

    TabControl1 = Designed(new QTabWidget(this), "TabControl1", QRect(8, 8, 343, 342));
    auto* page = new QWidget();
    TabControl1->addTab(page, QStringLiteral("General"));

    imgType = Designed(new QLabel(page), "imgType", QRect(16, 12, 32, 32));
    imgType->setAlignment(Qt::AlignCenter);
    txtFilename = Designed(new TEdit(page), "txtFilename", QRect(96, 16, 227, 22));
    NewBevel(page, 54);
    NewLabel(page, "Label1", QRect(16, 64, 76, 16), QStringLiteral("Type:"));
    lblType = NewLabel(page, "lblType", QRect(96, 64, 227, 16), {});
    NewLabel(page, "Label2", QRect(16, 86, 76, 16), QStringLiteral("Location:"));
    txtLocation = NewReadOnlyText(page, "txtLocation", QRect(96, 84, 227, 20));
    NewLabel(page, "Label3", QRect(16, 108, 76, 16), QStringLiteral("Size:"));
    lblSize = NewLabel(page, "lblSize", QRect(96, 108, 227, 16), {});
    NewLabel(page, "Label4", QRect(16, 130, 76, 16), QStringLiteral("Modified:"));
    txtModified = NewReadOnlyText(page, "txtModified", QRect(96, 128, 227, 20));
    NewBevel(page, 156);

    NewLabel(page, "Label5", QRect(16, 166, 140, 16), QStringLiteral("Permissions:"));
    grdPermissions = Designed(new TPermissionGrid(page), "grdPermissions", QRect(16, 186, 309, 72));
    const int cellWidth = (grdPermissions->contentsRect().width() - 144) / 3;
    const char* const columns[] = {"Read", "Write", "Execute"};
    for (int i = 0; i < 3; ++i) {
        TLabel* title = NewLabel(page, "", QRect(16 + 144 + i * cellWidth, 166, cellWidth, 16),
                                 QLatin1String(columns[i]));
        title->setAlignment(Qt::AlignCenter);
    }
    NewLabel(page, "Label6", QRect(16, 272, 76, 16), QStringLiteral("Numeric:"));
    txtNumeric = Designed(new TEdit(page), "txtNumeric", QRect(96, 269, 48, 22));
    txtNumeric->setMaxLength(3);
    txtNumeric->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), txtNumeric));
    txtNumeric->installEventFilter(this);

    btnOk = NewButton(*this, this, "btnOk", QRect(195, 360, 75, 25), QStringLiteral("OK"), mrOk);
    btnOk->setDefault(true);
    Button2 = NewButton(*this, this, "Button2", QRect(276, 360, 75, 25), QStringLiteral("Cancel"), mrCancel);

    grdPermissions->OnToggle = [this] { grdPermissionsToggle(); };
    txtFilename->OnChange = [this](TObject*) { txtFilenameChange(); };
    txtFilenameChange();
    txtFilename->setFocus();
}

void TFtpPropertiesDlgFrm::SetPermissions(const QString& Permissions)
{
    PermissionsToGrid(*grdPermissions->model(), Permissions);
    grdPermissions->viewport()->update();
}

void TFtpPropertiesDlgFrm::grdPermissionsToggle()
{
    txtNumeric->setText(QString::number(GridToMode(*grdPermissions->model())));
}

void TFtpPropertiesDlgFrm::txtFilenameChange()
{
    btnOk->setEnabled(!txtFilename->text().isEmpty());
}

bool TFtpPropertiesDlgFrm::txtNumericExit()
{
    if (checking_)
        return true;
    const QString typed = txtNumeric->text();
    const QString permissions = ModeTextToPermissions(typed);
    if (!permissions.isEmpty()) {
        SetPermissions(permissions);
        keptNumeric_ = typed;
        return true;
    }
    checking_ = true;
    txtNumeric->setText(keptNumeric_);
    MessageDlg(Format(QStringLiteral("'%s' is an invalid CHMOD numeric."), {typed}), mtWarning, {mbOK});
    checking_ = false;
    return false;
}

bool TFtpPropertiesDlgFrm::eventFilter(QObject* Watched, QEvent* E)
{
    if (Watched == txtNumeric) {
        if (E->type() == QEvent::FocusIn)
            keptNumeric_ = txtNumeric->text();
        else if (E->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(E)->reason();
            // Leaving the window (to a message, to another program) is not leaving the field.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                txtNumericExit();
        }
    }
    return TStreamPositionFrm::eventFilter(Watched, E);
}

void TFtpPropertiesDlgFrm::done(int Result)
{
    if (Result == mrOk && !txtNumericExit()) {
        txtNumeric->setFocus();
        return;
    }
    TStreamPositionFrm::done(Result);
}

int TFtpPropertiesDlgFrm::Execute(const QString& FileName, const QString& Location, const QString& Modified,
                                  const QString& TypeText, const QString& SizeText, const QString& Permissions,
                                  const QPixmap& Icon, TFtpPropertiesAnswer& Answer)
{
    TBusyCursor busy;
    const int shownMode = PermissionsToMode(Permissions);
    Answer.NewName.clear();
    Answer.Mode = shownMode;
    TFtpPropertiesDlgFrm form;
    form.txtFilename->setText(FileName);
    form.imgType->setPixmap(Icon);
    form.lblType->setText(TypeText);
    form.txtLocation->setText(Location);
    form.lblSize->setText(SizeText);
    form.txtModified->setText(Modified);
    form.SetPermissions(Permissions);
    form.txtNumeric->setText(QString::number(shownMode));
    form.keptNumeric_ = form.txtNumeric->text();
    const int result = form.ShowModal();
    if (result == mrOk) {
        Answer.Mode = form.txtNumeric->text().toInt();
        Answer.NewName = form.txtFilename->text();
        if (Answer.NewName != FileName || Answer.Mode != shownMode)
            Answer.Changed = true;
    }
    return result;
}
