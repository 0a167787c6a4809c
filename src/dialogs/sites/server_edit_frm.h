// TServerEditFrm: the site manager, where server profiles are browsed, edited, renamed, added,
// deleted and chosen for connecting.
#pragma once

#include "settings/forms/stream_position_form.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TCheckBox;
class TEdit;
class TPTFrame;
class TStreamableCollection;
class TTimeoutSpinBox;
class TUploadProfileItem;

// 512 x 397 inside. The page edits the live profile objects in place; nothing is written to the
// registry here except a deleted profile's subkey (through its collection).
class TServerEditFrm : public TStreamPositionFrm {
    Q_OBJECT
public:
    // The position kept under the registry key Key.
    TServerEditFrm(TComponent* AOwner, const QString& Key);

    // "Connect to Server" when true, else "My Sites".
    bool ConnectMode = false;
    // Whether the FTP client is connected, and to which profile.
    bool InUse = false;
    QString InUseName;
    // Profiles were added, deleted or renamed.
    bool Changed = false;

    bool Modified() const { return modified_; }
    void SetModified(bool Value);

    // With no Root, adds the "My Sites" node for Collection; else rebuilds Root's children.
    void LoadTreeBranch(TStreamableCollection* Collection, QTreeWidgetItem* Root);
    // Appends the names of Collection's items, after "(None)".
    void FillComboWithItems(QComboBox* Combo, TStreamableCollection* Collection);
    // The selected profile's index in its collection; -1 at the root or with nothing selected.
    int GetSelectedItemIndex() const;
    TUploadProfileItem* GetSelectedItem() const;
    // Writes the page into the profile of Node.
    void SaveNode(QTreeWidgetItem* Node);
    // Sets the page's four check boxes and firewall on every profile below Root.
    void ApplyToBranch(QTreeWidgetItem* Root);
    // Offers to save (or apply) edits the page holds for the node it shows; always true.
    bool PromptPendingChanges();

    void done(int Result) override;

    TPTFrame* PTFrame1;
    QTreeWidget* tvServers;
    QPushButton* btnAdd;
    QPushButton* btnDelete;
    QTabBar* tabServers;
    QWidget* pnlBasic;
    TEdit* txtHostName;
    TEdit* txtUsername;
    TEdit* txtPassword;
    TCheckBox* chkAnonymous;
    TCheckBox* chkPassiveMode;
    TCheckBox* chkSavePassword;
    TCheckBox* chkShared;
    TEdit* txtPort;
    TTimeoutSpinBox* txtTimeout;
    TEdit* txtHostDirName;
    QLabel* lblFirewall;
    QComboBox* cbFirewall;
    TEdit* txtLocalDirName;
    QPushButton* SpeedButton1;
    TEdit* txtComment;
    QPushButton* btnOk;
    QPushButton* Button2;
    QPushButton* btnApply;

protected:
    void Loaded() override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void tvServersChange(QTreeWidgetItem* Node);
    void tvServersEdited(QTreeWidgetItem* Node);
    void tvServersDblClick(QTreeWidgetItem* Node);
    void UpdateAnonymousFields();
    void CheckBoxClick(TCheckBox* Sender);
    void btnAddClick();
    void btnDeleteClick();
    void SpeedButton1Click();
    // The page's edits (the time-out field among them).
    QList<QWidget*> Edits() const;
    QList<TCheckBox*> CheckBoxes() const;
    static bool IsProfileNode(const QTreeWidgetItem* Node);
    static TUploadProfileItem* ProfileOf(const QTreeWidgetItem* Node);

    bool modified_ = false;
    // The node the page shows, and the text an edit held when it got the focus.
    QTreeWidgetItem* currentNode_ = nullptr;
    QString enterText_;
    // Set while the page or the tree is filled by the program.
    bool filling_ = false;
};
