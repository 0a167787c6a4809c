// TAppSettingsDlgFrm: the program options ("General", "Advanced", "Editor Parser Extensions",
// "Firewalls"), and ExecuteAppSettingsDlg, which fills it from the settings and writes it back.
#pragma once

#include "dialogs/firewall_fields.h"
#include "settings/forms/stream_position_form.h"

#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTreeWidget;
class QWidget;
class TAgOpenDialog;
class TCheckBox;
class TEdit;
class TFirewallContainer;
class TFirewallItem;
class TFtpAppSettings;
class THTMLabel;

// Edits copies of the settings (the opener moves them in and out) and the firewall entries in
// place: those are changed, added and deleted on the live objects, whether or not the dialog is
// confirmed.
class TAppSettingsDlgFrm : public TStreamPositionFrm {
    Q_OBJECT
public:
    // The position kept under the registry key Key; the firewall entries edited are Firewalls's.
    TAppSettingsDlgFrm(TComponent* AOwner, const QString& Key, TFirewallContainer& Firewalls);

    // Something on any page was changed.
    bool Modified = false;

    // Fills cbFirewalls with the entries, selects the first and shows it.
    void FillFirewalls();
    // Shows the tab's page (0 to 3).
    void tabSettingsChange(int Index);

    void done(int Result) override;

    QTabBar* tabSettings;
    QStackedWidget* pages;
    QWidget* pnlGeneral;
    QWidget* pnlAdvanced;
    QWidget* pnlParserExt;
    QWidget* pnlFirewalls;
    TEdit* txtEmailAddress;
    TCheckBox* chkOverwritePrompt;
    TCheckBox* chkHTMLUpperCase;
    TCheckBox* chkConnectAtStart;
    TCheckBox* chkPlaySounds;
    QTreeWidget* lvSounds;
    QWidget* pnlSounds;
    TEdit* txtSoundFile;
    QPushButton* btnOpen;
    TCheckBox* chkLogSave;
    TEdit* txtLogFileName;
    TEdit* txtZipSaveFolder;
    QPushButton* btnBrowse;
    QListWidget* lbExtensions;
    QPushButton* btnAdd;
    QPushButton* btnDelete;
    QListWidget* lbColorCoders;
    QListWidget* lbParserExt;
    QPushButton* SpeedButton1;
    QPushButton* btnRemoveExt;
    QComboBox* cbDefaultExt;
    THTMLabel* HTMLabel1;
    QComboBox* cbFirewalls;
    QPushButton* SpeedButton2;
    QPushButton* btnDelFirewall;
    QWidget* pnlFirewallInfo;
    QComboBox* cbConnectionType;
    TCheckBox* chkFirewallShared;
    // grpProxy and grpSocks with their fields.
    std::unique_ptr<TFirewallFields> Fields;
    TCheckBox* chkSocksSavePassword;
    TEdit* txtFirewallComment;
    QPushButton* btnOk;
    QPushButton* Button2;
    TAgOpenDialog* dlgOpen;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void CheckBoxClick(TCheckBox* Sender);
    void lvSoundsChange();
    void btnOpenClick();
    void btnBrowseClick();
    void AddExtension();
    void DeleteExtension();
    void lbColorCodersClick();
    void AddPattern();
    void RemovePattern();
    void lbParserExtClick();
    void cbDefaultExtChange();
    void cbFirewallsChange();
    void ShowFirewall(const TFirewallItem& Firewall);
    void WriteFirewall(TFirewallItem& Firewall);
    void AddFirewall();
    void DeleteFirewall();
    // The coder line selected in lbColorCoders, and setting it.
    QString CoderLine() const;
    void SetCoderLine(const QString& Line);

    TFirewallContainer& firewalls_;
    // The index of the firewall entry the page shows; -1 for none.
    int shownFirewall_ = -1;
    QString enterText_;
    // Set while the program fills controls, so that filling marks nothing modified.
    bool filling_ = false;
};

// The opener's part: fills the dialog from Settings (the sounds, check boxes, texts and lists) and
// the firewall entries of Firewalls, shows it, and writes the settings back only when it was
// confirmed and something changed. Returns the dialog's result.
int ExecuteAppSettingsDlg(TFtpAppSettings& Settings, TFirewallContainer& Firewalls);
