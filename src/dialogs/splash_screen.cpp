// TSplashScreen.
#include "dialogs/splash_screen.h"

#include "dialogs/busy_cursor.h"
#include "dialogs/designed_controls.h"
#include "dialogs/pt_group.h"
#include "platform/rtl/application.h"
#include "platform/ui/message_dialogs.h"
#include "platform/widgets/label.h"
#include "routines/bitmap_resources.h"
#include "routines/path_routines.h"
#include "settings/forms/stream_position_form.h"

#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

constexpr int ServerGlyph = 7;
const char* const LicenseFile = "license.txt";

QString ProductTitle()
{
    return Application ? Application->Title() : QStringLiteral("Tarnwick Halyard FTP 5.2");
}

} // namespace

TSplashScreen::TSplashScreen(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(bsDialog);
    Position = poScreenCenter;
    SetClientSize(436, 291);
    UseTahomaWhenInstalled(*this);

    Panel = Designed(new TPTGroup(nullptr, this, ptfsNone), "Panel", QRect(0, 0, 436, 291));
    auto* bevel = Designed(new QFrame(Panel), "Bevel2", QRect(8, 8, 52, 53));
    bevel->setFrameShape(QFrame::Panel);
    bevel->setFrameShadow(QFrame::Sunken);
    Image14 = Designed(new QLabel(Panel), "Image14", QRect(10, 10, 48, 49));
    Image14->setAlignment(Qt::AlignCenter);
    QImage logo;
    if (LoadGlyph(logo, ServerGlyph))
        Image14->setPixmap(QPixmap::fromImage(logo));
    Image14->installEventFilter(this);
    lblAbout = NewWrappedLabel(
        Panel, "lblAbout", QRect(72, 8, 356, 53),
        ProductTitle() + QStringLiteral(": an FTP client with a syntax-highlighting editor for web documents. "
                                        "Copyright Tarnwick Software."));
    Memo1 = Designed(new QPlainTextEdit(Panel), "Memo1", QRect(8, 68, 420, 176));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette face = Memo1->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    Memo1->setPalette(face);
    Memo1->setPlainText(QStringLiteral("Could not locate ReadMe.txt"));
    Bevel1 = Designed(new QFrame(Panel), "Bevel1", QRect(8, 252, 420, 2));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Button1 = NewButton(*this, Panel, "Button1", QRect(353, 260, 75, 25), QStringLiteral("OK"), mrOk);
    Button1->setDefault(true);
    Button1->setFocus();
}

void TSplashScreen::LoadLicense()
{
    QFile file(GetAppFolder(false) + QLatin1String(LicenseFile));
    if (!file.open(QIODevice::ReadOnly))
        return;
    Memo1->setPlainText(ProductTitle() + QStringLiteral(" licence agreement\n\n") + QString::fromUtf8(file.readAll()));
}

bool TSplashScreen::eventFilter(QObject* Watched, QEvent* E)
{
    if (Watched == Image14 && E->type() == QEvent::MouseButtonDblClick &&
        ((static_cast<QMouseEvent*>(E)->modifiers() | QGuiApplication::keyboardModifiers()) & Qt::ControlModifier)) {
        MessageDlg(ProductTitle() +
                       QStringLiteral(" was written by the Tarnwick Software team, with thanks to everyone "
                                      "who tested it and reported what went wrong."),
                   mtInformation, {mbOK});
        return true;
    }
    return TForm::eventFilter(Watched, E);
}

void TSplashScreen::ShowAbout()
{
    TBusyCursor busy;
    TSplashScreen form;
    form.setWindowTitle(QStringLiteral("About ") + ProductTitle() + QStringLiteral(".0.0"));
    form.LoadLicense();
    form.Panel->raise();
    form.ShowModal();
}
