// TWizServerCliFrm.
#include "dialogs/wizard/wiz_server_cli_frm.h"

#include "dialogs/busy_cursor.h"
#include "dialogs/dialog_pictures.h"
#include "dialogs/firewall_item_delegate.h"
#include "dialogs/html_label.h"
#include "dialogs/pt_group.h"
#include "dialogs/web_address.h"
#include "dialogs/wizard/wizard_class_factory.h"
#include "platform/registry/reg_ini_file.h"
#include "platform/shellapi/shell_execute.h"
#include "platform/ui/message_dialogs.h"
#include "platform/widgets/std_controls.h"
#include "routines/bitmap_resources.h"
#include "routines/name_checks.h"
#include "routines/password_scrambling.h"
#include "settings/firewalls.h"
#include "settings/forms/gui_routines.h"
#include "settings/forms/stream_position_form.h"
#include "settings/upload_profiles.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QStackedWidget>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr int LastStep = 6;
const QString AnonymousPassword = QStringLiteral("Wanderpost77@");
const QString DefaultFirewall = QStringLiteral("Default");

constexpr const char* Congratulations = "Congratulations, you have completed the necessary steps to create this "
                                         "server profile. Click Finish or go back to make any changes.";
const char* const StepSubtitles[LastStep + 1] = {
    "",
    "Server Profile Name",
    "Username and Password",
    "Basic Settings",
    "Advanced Settings",
    "Proxy and Socks Server Settings",
    Congratulations,
};

// The questions of steps 1 to 4 and their hints.
const char* const StepQuestions[4][2] = {
    {"What would you like to name this server profile?",
     "The name is how the profile is listed in the site manager and the servers menu."},
    {"What is your <b>Username</b> and <b>Password</b> to connect to the server?",
     "Your host gave you both; choose Anonymous for a public server."},
    {"What is the server <b>Host Name</b> and default startup <b>Host Folder</b> name?",
     "Leave the folder empty to start in the folder the server chooses."},
    {"Do you use a <b>Proxy</b> or <b>Socks</b> server to access the Internet?",
     "Most home connections use neither; ask your network's administrator when unsure."},
};

// The note picture and a hint in grey below a question.
QStringList Question(const QString& Question, const QString& Hint)
{
    return {Question + QStringLiteral("<BR><BR>"), QStringLiteral("<IMG src=\"idx:0\"> <FONT color=\"clGray\">"),
            Hint + QStringLiteral("</FONT>")};
}

THTMLabel* HintLabel(QWidget* Panel, const QStringList& Text, const QRect& Bounds)
{
    auto* label = new THTMLabel(nullptr, Panel);
    label->setGeometry(Bounds);
    label->SetImages(&LabelImages());
    label->SetURLColor(Qt::blue);
    label->SetHTMLText(Text);
    return label;
}

QLabel* Caption(QWidget* Parent, const QString& Text, int X, int Y, int Width = 300)
{
    auto* label = new QLabel(Text, Parent);
    label->setGeometry(X, Y, Width, 16);
    return label;
}

TEdit* Edit(QWidget* Parent, int X, int Y, int Width)
{
    auto* edit = new TEdit(Parent);
    edit->setGeometry(X, Y, Width, 21);
    return edit;
}

// An edit at the left of Parent, below its caption at Top.
TEdit* LabelledEdit(QWidget* Parent, const QString& Text, int Top, int Width)
{
    Caption(Parent, Text, 16, Top);
    return Edit(Parent, 16, Top + 18, Width);
}

QLabel* BrandPicture(QWidget* Parent, const QImage& Picture, const QRect& Bounds)
{
    auto* label = new QLabel(Parent);
    label->setGeometry(Bounds);
    label->setAlignment(Qt::AlignCenter);
    label->setCursor(Qt::PointingHandCursor);
    label->setPixmap(QPixmap::fromImage(Picture));
    return label;
}

} // namespace

TWizServerCliFrm::TWizServerCliFrm(QWidget* Owner) : TWiz2kWizCliFrm(Owner)
{
    pnlSteps = new QStackedWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pnlSteps);
    QWidget* panels[LastStep + 1];
    for (int step = 0; step <= LastStep; ++step) {
        panels[step] = new QWidget(pnlSteps);
        panels[step]->setObjectName(QStringLiteral("pnlStep%1").arg(step));
        pnlSteps->addWidget(panels[step]);
    }
    QImage brand;
    LoadBitmapFromLibrary(brand, QStringLiteral("Img32.dll"), QStringLiteral("COPPERLEAF"));
    QImage server;
    LoadGlyph(server, 7);

    // Step 0: welcome, on white.
    QWidget* panel = panels[0];
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    imgPic = new QLabel(panel);
    imgPic->setFixedWidth(164);
    auto* welcome = new QHBoxLayout(panel);
    welcome->setContentsMargins(0, 0, 0, 0);
    welcome->addWidget(imgPic);
    welcome->addStretch(1);
    imgPic->setAutoFillBackground(true);
    QPalette copper = imgPic->palette();
    copper.setColor(QPalette::Window, QColor(0xB8, 0x73, 0x33));
    imgPic->setPalette(copper);
    imgPic->setAlignment(Qt::AlignCenter);
    imgPic->setPixmap(QPixmap::fromImage(server));
    HTMLabel1 = HintLabel(panel,
                          {QStringLiteral("<B>Welcome to Tarnwick Server Profile Wizard</b><HR>"),
                           QStringLiteral("This wizard creates a server profile: the server to connect to, how you "
                                          "log in, the folder to start in and how you reach the Internet.<BR><BR>"),
                           QStringLiteral("<IMG src=\"idx:0\"> You can change the profile later in the site "
                                          "manager.<BR><BR>"),
                           QStringLiteral("<P align=\"right\">Click <A href=\"start\">Next</A> to start.</P>")},
                          QRect(180, 12, 340, 170));
    imgBD = BrandPicture(panel, brand, QRect(180, 190, 340, 64));
    chkHideWelcome = new TCheckBox(QStringLiteral("Do not show this screen again"), panel);
    chkHideWelcome->setGeometry(180, 276, 300, 17);

    // Steps 1 to 4 open with their question.
    THTMLabel* questions[5] = {};
    for (int step = 1; step <= 4; ++step)
        questions[step] = HintLabel(panels[step], Question(QLatin1String(StepQuestions[step - 1][0]),
                                                           QLatin1String(StepQuestions[step - 1][1])),
                                    QRect(16, 8, 500, 70));

    // Step 1: the profile name.
    panel = panels[1];
    HTMLabel5 = questions[1];
    Label1 = Caption(panel, QStringLiteral("Profile name (example: My Home Server)"), 16, 96);
    txtProfileName = Edit(panel, 16, 114, 300);

    // Step 2: user name and password.
    panel = panels[2];
    HTMLabel4 = questions[2];
    txtUsername = LabelledEdit(panel, QStringLiteral("Username"), 88, 220);
    txtPassword = LabelledEdit(panel, QStringLiteral("Password"), 136, 220);
    txtPassword->setEchoMode(QLineEdit::Password);
    chkAnonymous = new TCheckBox(QStringLiteral("Anonymous"), panel);
    chkAnonymous->setGeometry(256, 108, 200, 17);
    chkAnonymous->Tag = 1;
    chkSavePassword = new TCheckBox(QStringLiteral("Save Password"), panel);
    chkSavePassword->setGeometry(256, 156, 200, 17);
    chkSavePassword->setChecked(true);

    // Step 3: host and start folder.
    panel = panels[3];
    HTMLabel6 = questions[3];
    txtHostName = LabelledEdit(panel, QStringLiteral("Host name (example: ftp.example.com)"), 88, 300);
    txtHostDirName = LabelledEdit(panel, QStringLiteral("Default host folder name (example: website)"), 136, 300);

    // Step 4: proxy or not.
    panel = panels[4];
    HTMLabel2 = questions[4];
    optProxyNo = new TRadioButton(QStringLiteral("No. I don't even know what a Proxy is."), panel);
    optProxyNo->setGeometry(16, 96, 400, 17);
    optProxyNo->setChecked(true);
    optProxyYes = new TRadioButton(QStringLiteral("Yes. I use a Proxy or a Socks server."), panel);
    optProxyYes->setGeometry(16, 122, 400, 17);

    // Step 5: which proxy or SOCKS server.
    panel = panels[5];
    Label6 = Caption(panel, QStringLiteral("What type of Proxy or Socks server do you use?"), 16, 12, 400);
    cbConnectionType = new QComboBox(panel);
    cbConnectionType->setGeometry(16, 32, 200, 21);
    cbConnectionType->addItems({QStringLiteral("Proxy"), QStringLiteral("Socks"), QStringLiteral("Socks4A"),
                                QStringLiteral("Socks5")});
    cbConnectionType->setCurrentIndex(-1);
    Fields = std::make_unique<TFirewallFields>(panel);
    Fields->grpProxy->setGeometry(16, 64, 500, 60);
    Fields->grpSocks->setGeometry(16, 64, 500, 130);
    Fields->grpProxy->hide();
    Fields->grpSocks->hide();
    pnlFirewalls = new QWidget(panel);
    pnlFirewalls->hide();
    Label12 = Caption(pnlFirewalls, QStringLiteral("Which existing Proxy or Socks server would you like use?"), 16,
                      12, 400);
    cbFirewalls = new QComboBox(pnlFirewalls);
    cbFirewalls->setGeometry(16, 32, 240, 22);
    cbFirewalls->setItemDelegate(new TFirewallItemDelegate(cbFirewalls));

    // Step 6: done.
    panel = panels[6];
    HTMLabel3 = HintLabel(panel,
                          {QStringLiteral("<IMG src=\"idx:0\"> You can modify any of these server profiles settings "
                                          "by selecting the Edit Servers.")},
                          QRect(16, 16, 500, 40));
    imgBD2 = BrandPicture(panel, brand, QRect(16, 80, 500, 64));

    Image2 = new QLabel(this);
    Image2->setPixmap(QPixmap::fromImage(server));
    Image2->hide();

    for (THTMLabel* label : {HTMLabel1, HTMLabel2, HTMLabel3, HTMLabel4, HTMLabel5, HTMLabel6})
        label->OnAnchorClick = [this](TObject*, const QString&) { Next(); };
    for (QLabel* picture : {imgBD, imgBD2})
        picture->installEventFilter(this);
    txtProfileName->installEventFilter(this);
    connect(cbConnectionType, &QComboBox::currentIndexChanged, this, [this] { cbConnectionTypeChange(); });
    chkAnonymous->OnClick = [this](TObject*) { chkAnonymousClick(); };

    if (Host()) {
        currentPanel_ = panels[0];
        pnlSteps->setCurrentWidget(currentPanel_);
        Host()->SetCaption(QStringLiteral("Server Profile Wizard"));
        Host()->SetPicture(Image2->pixmap());
        Host()->SetHeaderHidden(true);
    }
}

QString TWizServerCliFrm::HostKey() const
{
    auto* host = dynamic_cast<TStreamPositionFrm*>(parentWidget());
    return host ? host->GetName() : QString();
}

void TWizServerCliFrm::Show()
{
    TWiz2kWizCliFrm::Show();
    if (shown_ || !Host())
        return;
    shown_ = true;
    hideWelcomeRead_ = TRegIniFile(HostKey()).ReadInteger(QString(), QStringLiteral("HideWelcome"), 0);
    chkHideWelcome->setChecked(hideWelcomeRead_ != 0);
    if (chkHideWelcome->isChecked())
        Next();
}

bool TWizServerCliFrm::CanGoBack()
{
    return chkHideWelcome->isChecked() ? Step > 1 : Step != 0;
}

bool TWizServerCliFrm::CanGoNext()
{
    if (Step == 1)
        return !txtProfileName->text().isEmpty();
    if (Step == 5)
        return cbConnectionType->currentIndex() >= 0 || cbFirewalls->currentIndex() >= 0;
    return true;
}

void TWizServerCliFrm::ShowStep(int N)
{
    QWidget* panel = pnlSteps->findChild<QWidget*>(QStringLiteral("pnlStep%1").arg(N));
    if (!panel || !Host())
        return;
    Host()->SetHeaderHidden(N == 0);
    imgPic->setVisible(N == 0);
    if (N > 0) {
        Host()->SetTitle(QStringLiteral("Server Profile Wizard (Step %1 of %2)").arg(N).arg(LastStep));
        Host()->SetSubtitle(QLatin1String(StepSubtitles[N]));
    }
    pnlSteps->setCurrentWidget(panel);
    FocusFirstControl(panel);
    currentPanel_ = panel;
}

void TWizServerCliFrm::Next()
{
    if (!Host())
        return;
    if (Step == 4) {
        if (optProxyNo->isChecked())
            ++Step;
        else
            PrepareFirewallList();
    }
    ++Step;
    if (Step > LastStep)
        Host()->Finish();
    else
        ShowStep(Step);
}

void TWizServerCliFrm::Back()
{
    if (!Host())
        return;
    if (Step == LastStep && optProxyNo->isChecked())
        --Step;
    --Step;
    ShowStep(Step);
}

void TWizServerCliFrm::PrepareFirewallList()
{
    if (firewallsListed_)
        return;
    TBusyCursor busy;
    TFirewallContainer* firewalls = Firewalls();
    for (int i = 0; i < firewalls->Firewalls()->Count(); ++i)
        cbFirewalls->addItem(firewalls->GetFirewall(i)->ItemName);
    if (cbFirewalls->count() > 0) {
        cbFirewalls->setCurrentIndex(0);
        // The existing entries are offered instead of the connection types.
        pnlFirewalls->setGeometry(pnlFirewalls->parentWidget()->rect());
        pnlFirewalls->setAutoFillBackground(true);
        pnlFirewalls->show();
        pnlFirewalls->raise();
    }
    firewallsListed_ = true;
}

void TWizServerCliFrm::cbConnectionTypeChange()
{
    Fields->ShowType(cbConnectionType->currentIndex());
}

void TWizServerCliFrm::chkAnonymousClick()
{
    if (chkAnonymous->isChecked()) {
        txtUsername->setText(QStringLiteral("anonymous"));
        txtPassword->setEchoMode(QLineEdit::Normal);
        txtPassword->setText(AnonymousPassword);
    } else {
        txtUsername->clear();
        txtPassword->clear();
        txtPassword->setEchoMode(QLineEdit::Password);
    }
}

void TWizServerCliFrm::txtProfileNameExit()
{
    const QString name = txtProfileName->text();
    if (name.isEmpty())
        return;
    const QString kind = QStringLiteral("Server Profile Name").toLower();
    QString message;
    if (!IsValidFileName(name))
        message = QStringLiteral("Sorry, a %1 cannot be empty nor contain any of the following characters:\r\n"
                                 "\\, /, :, *, ?, \", <, >, |.")
                      .arg(kind);
    else if (UploadProfiles()->IndexOfName(name) >= 0)
        message = QStringLiteral("The %1 '%2' already exist. Please select another name.").arg(kind, name);
    if (message.isEmpty())
        return;
    MessageDlg(message, mtWarning, {mbOK});
    txtProfileName->clear();
    txtProfileName->setFocus();
}

bool TWizServerCliFrm::eventFilter(QObject* Watched, QEvent* Event)
{
    // Another window taking the focus (the warning itself) is no leaving of the field.
    if (Watched == txtProfileName && Event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(Event)->reason() != Qt::ActiveWindowFocusReason)
        txtProfileNameExit();
    else if ((Watched == imgBD || Watched == imgBD2) && Event->type() == QEvent::MouseButtonRelease)
        win::ShellExecute(nullptr, QStringLiteral("open"), ProgramWebAddress, QString(), QString(),
                          win::SW_SHOWNORMAL);
    return TWiz2kWizCliFrm::eventFilter(Watched, Event);
}

void TWizServerCliFrm::CloseQuery(bool& CanClose, int ModalResult)
{
    if (ModalResult == mrCancel && Step > 0)
        CanClose = MessageDlg(QStringLiteral("You have not completed all the wizard steps. Do you want to exit "
                                             "this Wizard?"),
                              mtConfirmation, {mbYes, mbNo}) == mrYes;
    if (!CanClose || ModalResult != mrOk)
        return;

    const int hideWelcome = chkHideWelcome->isChecked() ? 1 : 0;
    if (hideWelcome != hideWelcomeRead_)
        TRegIniFile(HostKey()).WriteInteger(QString(), QStringLiteral("HideWelcome"), hideWelcome);

    TUploadProfileItem* profile = UploadProfiles()->Add();
    profile->ItemName = txtProfileName->text();
    profile->SavePassword = chkSavePassword->isChecked();
    if (chkAnonymous->isChecked()) {
        profile->Username = QStringLiteral("anonymous");
        profile->Password = AnonymousPassword; // kept as it stands, not scrambled
    } else {
        profile->Username = txtUsername->text();
        if (chkSavePassword->isChecked())
            profile->Password = PasswordToStore(txtPassword->text());
    }
    profile->HostName = txtHostName->text();
    profile->HostDirName = txtHostDirName->text();
    profile->PassiveMode = true;
    profile->Shared = true;

    TFirewallContainer* firewalls = Firewalls();
    QString firewallName = DefaultFirewall;
    if (firewalls->Firewalls()->Count() > 0) {
        if (firewalls->FindFirewall(cbFirewalls->currentText()))
            firewallName = cbFirewalls->currentText();
    } else {
        TFirewallItem* firewall = firewalls->Add();
        firewall->ItemName = DefaultFirewall;
        firewall->FirewallType = std::max(cbConnectionType->currentIndex(), 0);
        Fields->Store(*firewall);
        firewall->SavePassword = true;
        firewall->Shared = true;
    }
    if (optProxyYes->isChecked())
        profile->Firewall = firewallName;
}

int RunServerProfileWizard()
{
    return WizardClassFactory(QStringLiteral("TWizServerCliFrm"), true, true, true, ServerWizardKey);
}
