// TWizServerCliFrm: the wizard that creates a server profile in seven steps.
#pragma once

#include "dialogs/firewall_fields.h"
#include "dialogs/wizard/wiz2k_wiz_cli_frm.h"

#include <QString>
#include <memory>

class QComboBox;
class QLabel;
class QStackedWidget;
class QWidget;
class THTMLabel;
class TCheckBox;
class TEdit;
class TRadioButton;

// Steps 0 (welcome) to 6 (closing) on the panels "pnlStep0" ... "pnlStep6". Finish adds the profile
// to the program's profiles and, when there is no firewall entry yet, a "Default" one.
class TWizServerCliFrm : public TWiz2kWizCliFrm {
    Q_OBJECT
public:
    explicit TWizServerCliFrm(QWidget* Owner);

    bool CanGoBack() override;
    bool CanGoNext() override;
    bool IsLastStep() override { return Step == 6; }
    void CloseQuery(bool& CanClose, int ModalResult) override;
    void Next() override;
    void Back() override;
    // Shows the client; the first time it also applies the stored "HideWelcome".
    void Show() override;

    int Step = 0;

    QStackedWidget* pnlSteps;
    QLabel* imgPic;
    QLabel* Image2;
    THTMLabel* HTMLabel1;
    QLabel* imgBD;
    TCheckBox* chkHideWelcome;
    THTMLabel* HTMLabel5;
    QLabel* Label1;
    TEdit* txtProfileName;
    THTMLabel* HTMLabel4;
    TEdit* txtUsername;
    TEdit* txtPassword;
    TCheckBox* chkAnonymous;
    TCheckBox* chkSavePassword;
    THTMLabel* HTMLabel6;
    TEdit* txtHostName;
    TEdit* txtHostDirName;
    THTMLabel* HTMLabel2;
    TRadioButton* optProxyNo;
    TRadioButton* optProxyYes;
    QLabel* Label6;
    QComboBox* cbConnectionType;
    // grpProxy and grpSocks with their fields.
    std::unique_ptr<TFirewallFields> Fields;
    QWidget* pnlFirewalls;
    QLabel* Label12;
    QComboBox* cbFirewalls;
    THTMLabel* HTMLabel3;
    QLabel* imgBD2;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void ShowStep(int N);
    void PrepareFirewallList();
    void cbConnectionTypeChange();
    void chkAnonymousClick();
    void txtProfileNameExit();
    QString HostKey() const;

    QWidget* currentPanel_ = nullptr;
    bool shown_ = false;
    int hideWelcomeRead_ = 0;
    bool firewallsListed_ = false;
};

// The key of the wizard's position and its "HideWelcome".
inline const QString ServerWizardKey = QStringLiteral("Software\\Tarnwick Software\\Halyard FTP 5\\Wizards\\Server Profiles\\");

// Runs the server-profile wizard as the program's commands do; 1 when a profile was added.
int RunServerProfileWizard();
