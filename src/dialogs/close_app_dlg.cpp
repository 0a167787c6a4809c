// TCloseAppFrm and ShowCloseAppDlg.
#include "dialogs/close_app_dlg.h"

#include "dialogs/designed_controls.h"
#include "dialogs/file_type_icon.h"
#include "platform/rtl/application.h"
#include "platform/rtl/format.h"
#include "platform/widgets/label.h"
#include "routines/bitmap_resources.h"
#include "settings/forms/stream_position_form.h"

#include <QComboBox>
#include <QFrame>
#include <QPushButton>

namespace {

constexpr int ServerGlyph = 7;

QFrame* NewShape(QWidget* Parent, const char* Name, const QRect& Rect, QPalette::ColorRole Role, const QColor& Color)
{
    auto* shape = Designed(new QFrame(Parent), Name, Rect);
    QPalette palette = shape->palette();
    palette.setColor(QPalette::Window, Color.isValid() ? Color : palette.color(Role));
    shape->setPalette(palette);
    shape->setAutoFillBackground(true);
    return shape;
}

} // namespace

TCloseAppFrm::TCloseAppFrm(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(bsDialog);
    Position = poScreenCenter;
    SetClientSize(409, 242);
    UseTahomaWhenInstalled(*this);
    const QString title = Application ? Application->Title() : QString();

    Shape1 = NewShape(this, "Shape1", QRect(0, 0, 409, 57), QPalette::Base, Qt::white);
    Label1 = NewLabel(Shape1, "Label1", QRect(60, 12, 250, 20), QStringLiteral("Tarnwick Software"));
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    Label1->setFont(bold);
    Image1 = Designed(new QLabel(Shape1), "Image1", QRect(12, 8, 40, 40));
    Image1->setAlignment(Qt::AlignCenter);
    QImage glyph;
    if (LoadGlyph(glyph, ServerGlyph))
        Image1->setPixmap(QPixmap::fromImage(glyph));
    Image2 = Designed(new QLabel(Shape1), "Image2", QRect(361, 8, 40, 40));
    Image2->setAlignment(Qt::AlignCenter);
    Image2->setPixmap(StylePicture(QStyle::SP_MessageBoxQuestion));
    Shape2 = NewShape(this, "Shape2", QRect(0, 57, 409, 2), QPalette::Highlight, QColor());

    setWindowTitle(Format(QStringLiteral("Shut Down %s"), {title}));
    lblCaption = NewLabel(this, "lblCaption", QRect(16, 72, 377, 16),
                          Format(QStringLiteral("What do you want %s to do?"), {title}));
    cbClose = Designed(new QComboBox(this), "cbClose", QRect(16, 96, 377, 24));
    cbClose->addItems({QStringLiteral("Complete Current Task and Shut Down"), QStringLiteral("Immediately Shut Down")});
    lblHint = NewWrappedLabel(this, "lblHint", QRect(16, 130, 377, 48), {});
    Button1 = NewButton(*this, this, "Button1", QRect(237, 206, 75, 25), QStringLiteral("OK"), mrOk);
    Button1->setDefault(true);
    Button2 = NewButton(*this, this, "Button2", QRect(318, 206, 75, 25), QStringLiteral("Cancel"), mrCancel);
    connect(cbClose, &QComboBox::currentIndexChanged, this, [this] { cbCloseChange(); });
    cbClose->setCurrentIndex(1);
    cbCloseChange();
}

void TCloseAppFrm::cbCloseChange()
{
    lblHint->setText(cbClose->currentIndex() == 0
                         ? QStringLiteral("Complete the current task and shut down gracefully. (Recommended)")
                         : QStringLiteral("Immediately shut down the application, terminating any current task."));
}

int ShowCloseAppDlg()
{
    TCloseAppFrm form;
    if (form.ShowModal() != mrOk)
        return -1;
    return form.cbClose->currentIndex() + 1;
}
