// TServerEditFrm.
#include "dialogs/sites/server_edit_frm.h"

#include "dialogs/confirm_delete_dlg.h"
#include "dialogs/firewall_item_delegate.h"
#include "dialogs/pt_frame.h"
#include "dialogs/sites/timeout_spin_box.h"
#include "dialogs/wizard/wiz_server_cli_frm.h"
#include "platform/ui/message_dialogs.h"
#include "platform/widgets/folder_picker.h"
#include "platform/widgets/std_controls.h"
#include "routines/name_checks.h"
#include "routines/password_scrambling.h"
#include "settings/app_settings.h"
#include "settings/upload_profiles.h"

#include <QComboBox>
#include <algorithm>
#include <QDir>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>

namespace {

const QString Branch = QStringLiteral("My Sites");
const QString NoFirewall = QStringLiteral("(None)");
const QString KindWord = QStringLiteral("Profile Name");
constexpr int DataRole = Qt::UserRole;

void SetData(QTreeWidgetItem* Node, QObject* Data)
{
    Node->setData(0, DataRole, QVariant::fromValue(Data));
}

QObject* DataOf(const QTreeWidgetItem* Node)
{
    return Node ? Node->data(0, DataRole).value<QObject*>() : nullptr;
}

} // namespace

TServerEditFrm::TServerEditFrm(TComponent* AOwner, const QString& Key) : TStreamPositionFrm(AOwner, skRegistry, Key)
{
    SetBorderStyle(bsDialog);
    SetClientSize(512, 397);

    PTFrame1 = new TPTFrame(nullptr, this);
    PTFrame1->setGeometry(8, 8, 186, 345);
    PTFrame1->SetFrameStyle(ptfsGroup);
    PTFrame1->SetCaption(Branch);
    tvServers = new QTreeWidget(this);
    tvServers->setGeometry(16, 28, 170, 286);
    tvServers->setHeaderHidden(true);
    tvServers->setIndentation(19);
    tvServers->setRootIsDecorated(false);
    tvServers->setItemsExpandable(false); // the root cannot be collapsed
    tvServers->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    btnAdd = new QPushButton(QStringLiteral("Add"), this);
    btnAdd->setGeometry(16, 322, 80, 23);
    btnDelete = new QPushButton(QStringLiteral("Delete"), this);
    btnDelete->setGeometry(106, 322, 80, 23);
    btnDelete->setEnabled(false);

    tabServers = new QTabBar(this);
    tabServers->setGeometry(202, 8, 302, 22);
    tabServers->addTab(QStringLiteral("General"));
    pnlBasic = new QFrame(this);
    static_cast<QFrame*>(pnlBasic)->setFrameShape(QFrame::StyledPanel);
    pnlBasic->setGeometry(202, 30, 302, 323);
    auto* grid = new QGridLayout(pnlBasic);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setVerticalSpacing(4);
    int row = 0;
    auto field = [&](const QString& Caption, QWidget* Control, QWidget* Beside = nullptr) {
        auto* label = new QLabel(Caption, pnlBasic);
        grid->addWidget(label, row, 0);
        grid->addWidget(Control, row, 1, 1, Beside ? 1 : 2);
        if (Beside)
            grid->addWidget(Beside, row, 2);
        ++row;
        return label;
    };
    txtHostName = new TEdit(pnlBasic);
    field(QStringLiteral("Host Name"), txtHostName);
    txtUsername = new TEdit(pnlBasic);
    field(QStringLiteral("Username"), txtUsername);
    txtPassword = new TEdit(pnlBasic);
    txtPassword->setEchoMode(QLineEdit::Password);
    field(QStringLiteral("Password"), txtPassword);
    chkAnonymous = new TCheckBox(QStringLiteral("Anonymous"), pnlBasic);
    chkAnonymous->Tag = 1;
    chkPassiveMode = new TCheckBox(QStringLiteral("Passive Mode"), pnlBasic);
    chkSavePassword = new TCheckBox(QStringLiteral("Save Password"), pnlBasic);
    chkShared = new TCheckBox(QStringLiteral("Shared"), pnlBasic);
    auto* checks = new QGridLayout;
    checks->addWidget(chkAnonymous, 0, 0);
    checks->addWidget(chkSavePassword, 0, 1);
    checks->addWidget(chkPassiveMode, 1, 0);
    checks->addWidget(chkShared, 1, 1);
    grid->addLayout(checks, row++, 0, 1, 3);
    txtPort = new TEdit(pnlBasic);
    txtPort->setText(QStringLiteral("21"));
    field(QStringLiteral("Port"), txtPort);
    txtTimeout = new TTimeoutSpinBox(5, 120, pnlBasic);
    txtTimeout->setValue(60);
    field(QStringLiteral("Timeout (secs)"), txtTimeout);
    txtHostDirName = new TEdit(pnlBasic);
    field(QStringLiteral("Initial Host Folder"), txtHostDirName);
    cbFirewall = new QComboBox(pnlBasic);
    cbFirewall->addItem(NoFirewall);
    cbFirewall->setItemDelegate(new TFirewallItemDelegate(cbFirewall));
    lblFirewall = field(QStringLiteral("Firewall"), cbFirewall);
    txtLocalDirName = new TEdit(pnlBasic);
    SpeedButton1 = new QPushButton(QStringLiteral("..."), pnlBasic);
    SpeedButton1->setToolTip(QStringLiteral("Browse"));
    SpeedButton1->setFixedWidth(24);
    field(QStringLiteral("Initial Local Folder"), txtLocalDirName, SpeedButton1);
    txtComment = new TEdit(pnlBasic);
    field(QStringLiteral("Comment"), txtComment);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);

    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setGeometry(270, 364, 75, 23);
    btnOk->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setGeometry(350, 364, 75, 23);
    SetButtonModalResult(Button2, mrCancel);
    btnApply = new QPushButton(QStringLiteral("Apply"), this);
    btnApply->setGeometry(430, 364, 75, 23);
    btnApply->setEnabled(false);

    for (QWidget* edit : Edits())
        edit->installEventFilter(this);
    for (TCheckBox* box : CheckBoxes())
        box->OnClick = [this, box](TObject*) { CheckBoxClick(box); };
    connect(cbFirewall, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            SetModified(true);
    });
    connect(tvServers, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* Node) {
        if (!filling_)
            tvServersChange(Node);
    });
    connect(tvServers, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* Node) {
        if (!filling_)
            tvServersEdited(Node);
    });
    connect(tvServers, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* Node) { tvServersDblClick(Node); });
    connect(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
    connect(btnDelete, &QPushButton::clicked, this, [this] { btnDeleteClick(); });
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(btnApply, &QPushButton::clicked, this, [this] { SaveNode(tvServers->currentItem()); });
    connect(btnOk, &QPushButton::clicked, this, [this] { done(mrOk); });
}

QList<QWidget*> TServerEditFrm::Edits() const
{
    return {txtHostName, txtUsername, txtPassword, txtPort, txtTimeout, txtHostDirName, txtLocalDirName, txtComment};
}

QList<TCheckBox*> TServerEditFrm::CheckBoxes() const
{
    return {chkAnonymous, chkPassiveMode, chkSavePassword, chkShared};
}

bool TServerEditFrm::IsProfileNode(const QTreeWidgetItem* Node)
{
    return Node && Node->parent();
}

TUploadProfileItem* TServerEditFrm::ProfileOf(const QTreeWidgetItem* Node)
{
    return IsProfileNode(Node) ? qobject_cast<TUploadProfileItem*>(DataOf(Node)) : nullptr;
}

void TServerEditFrm::SetModified(bool Value)
{
    modified_ = Value;
    btnApply->setEnabled(Value);
}

void TServerEditFrm::LoadTreeBranch(TStreamableCollection* Collection, QTreeWidgetItem* Root)
{
    filling_ = true;
    if (!Root) {
        Root = new QTreeWidgetItem(tvServers, {Branch});
        SetData(Root, Collection);
    } else {
        if (IsProfileNode(currentNode_) && currentNode_->parent() == Root)
            currentNode_ = nullptr;
        qDeleteAll(Root->takeChildren());
    }
    QList<QTreeWidgetItem*> nodes;
    for (int i = 0; i < Collection->Count(); ++i) {
        auto* item = static_cast<TStreamableCollectionItem*>(Collection->Items(i));
        auto* node = new QTreeWidgetItem(QStringList{item->ItemName});
        node->setFlags(node->flags() | Qt::ItemIsEditable);
        SetData(node, item);
        nodes.append(node);
    }
    // Alphabetical, without regard to case.
    std::stable_sort(nodes.begin(), nodes.end(), [](const QTreeWidgetItem* A, const QTreeWidgetItem* B) {
        return A->text(0).compare(B->text(0), Qt::CaseInsensitive) < 0;
    });
    Root->addChildren(nodes);
    Root->setExpanded(true);
    filling_ = false;
}

void TServerEditFrm::FillComboWithItems(QComboBox* Combo, TStreamableCollection* Collection)
{
    const QSignalBlocker quiet(Combo);
    for (int i = 0; i < Collection->Count(); ++i)
        Combo->addItem(static_cast<TStreamableCollectionItem*>(Collection->Items(i))->ItemName);
}

int TServerEditFrm::GetSelectedItemIndex() const
{
    const QTreeWidgetItem* node = tvServers->currentItem();
    auto* item = qobject_cast<TStreamableCollectionItem*>(DataOf(node));
    if (!IsProfileNode(node) || !item)
        return -1;
    return static_cast<TStreamableCollection*>(item->Collection())->IndexOfName(node->text(0));
}

TUploadProfileItem* TServerEditFrm::GetSelectedItem() const
{
    return ProfileOf(tvServers->currentItem());
}

void TServerEditFrm::Loaded()
{
    TStreamPositionFrm::Loaded();
    btnOk->setText(ConnectMode ? QStringLiteral("Connect") : QStringLiteral("OK"));
    setWindowTitle(ConnectMode ? QStringLiteral("Connect to Server") : Branch);
    QTreeWidgetItem* first = tvServers->topLevelItem(0);
    if (!first)
        return;
    if (tvServers->currentItem())
        tvServers->setCurrentItem(first);
    else
        tvServers->setCurrentItem(first->childCount() > 0 ? first->child(0) : first);
}

void TServerEditFrm::tvServersChange(QTreeWidgetItem* Node)
{
    const bool profileNode = IsProfileNode(Node);
    btnDelete->setEnabled(profileNode);
    if (ConnectMode)
        btnOk->setEnabled(profileNode);
    PromptPendingChanges();
    filling_ = true;
    if (TUploadProfileItem* item = ProfileOf(Node)) {
        txtHostName->setText(item->HostName);
        txtUsername->setText(item->Username);
        txtPassword->setText(PasswordFromStore(item->Password));
        chkAnonymous->setChecked(item->Anonymous);
        chkPassiveMode->setChecked(item->PassiveMode);
        chkSavePassword->setChecked(item->SavePassword);
        chkShared->setChecked(item->Shared);
        txtPort->setText(item->Port);
        txtTimeout->setValue(item->Timeout);
        txtHostDirName->setText(item->HostDirName);
        txtLocalDirName->setText(item->LocalDirName);
        txtComment->setText(item->Comment);
        const int firewall = item->Firewall.isEmpty() ? 0 : cbFirewall->findText(item->Firewall);
        cbFirewall->setCurrentIndex(std::max(firewall, 0));
        UpdateAnonymousFields();
        for (QWidget* control : pnlBasic->findChildren<QWidget*>())
            control->setEnabled(true);
    } else if (Node) {
        // At the root the five values for the whole branch are set.
        for (QWidget* edit : Edits()) {
            if (auto* line = qobject_cast<QLineEdit*>(edit))
                line->clear();
        }
        txtTimeout->clear();
        for (QWidget* control : pnlBasic->findChildren<QWidget*>())
            control->setEnabled(false);
        for (QWidget* control : std::initializer_list<QWidget*>{chkAnonymous, chkPassiveMode, chkSavePassword, chkShared,
                                                                cbFirewall, lblFirewall})
            control->setEnabled(true);
        cbFirewall->setCurrentIndex(-1);
    }
    filling_ = false;
    tabServers->setCurrentIndex(0);
    pnlBasic->show();
    pnlBasic->raise();
    currentNode_ = Node;
    SetModified(false);
}

bool TServerEditFrm::PromptPendingChanges()
{
    if (!currentNode_ || !modified_)
        return true;
    if (TUploadProfileItem* item = ProfileOf(currentNode_)) {
        if (MessageDlg(QStringLiteral("Would you like to save changes to '%1'?").arg(item->ItemName), mtConfirmation,
                       {mbYes, mbNo}) == mrYes)
            SaveNode(currentNode_);
    } else if (!IsProfileNode(currentNode_)) {
        if (MessageDlg(QStringLiteral("Would you like to apply changes made to all items in '%1'?").arg(Branch),
                       mtConfirmation, {mbYes, mbNo}) == mrYes)
            ApplyToBranch(currentNode_);
    }
    return true;
}

void TServerEditFrm::SaveNode(QTreeWidgetItem* Node)
{
    TUploadProfileItem* item = ProfileOf(Node);
    if (!item)
        return;
    item->ItemName = Node->text(0);
    item->HostDirName = txtHostDirName->text();
    item->HostName = txtHostName->text();
    item->LocalDirName = txtLocalDirName->text();
    item->PassiveMode = chkPassiveMode->isChecked();
    item->Password = chkSavePassword->isChecked() ? PasswordToStore(txtPassword->text()) : QString();
    item->Port = txtPort->text();
    item->Anonymous = chkAnonymous->isChecked();
    if (cbFirewall->currentIndex() < 0) {
        const QSignalBlocker quiet(cbFirewall);
        cbFirewall->setCurrentIndex(0);
        item->Firewall.clear();
    } else {
        item->Firewall = cbFirewall->currentText();
    }
    item->Comment = txtComment->text();
    item->Timeout = txtTimeout->value();
    item->SavePassword = chkSavePassword->isChecked();
    item->Shared = chkShared->isChecked();
    item->Username = txtUsername->text();
    SetModified(false);
}

void TServerEditFrm::ApplyToBranch(QTreeWidgetItem* Root)
{
    auto* collection = qobject_cast<TStreamableCollection*>(DataOf(Root));
    if (!collection)
        return;
    QString firewall;
    if (cbFirewall->currentIndex() < 0) {
        const QSignalBlocker quiet(cbFirewall);
        cbFirewall->setCurrentIndex(0);
    } else {
        firewall = cbFirewall->currentText();
    }
    for (int i = 0; i < collection->Count(); ++i) {
        auto* item = static_cast<TUploadProfileItem*>(collection->Items(i));
        item->Anonymous = chkAnonymous->isChecked();
        item->PassiveMode = chkPassiveMode->isChecked();
        item->SavePassword = chkSavePassword->isChecked();
        item->Shared = chkShared->isChecked();
        item->Firewall = firewall;
    }
    SetModified(false);
}

void TServerEditFrm::UpdateAnonymousFields()
{
    TUploadProfileItem* item = GetSelectedItem();
    if (!item)
        return;
    const bool wasFilling = std::exchange(filling_, true);
    if (chkAnonymous->isChecked()) {
        txtUsername->setText(QStringLiteral("anonymous"));
        txtPassword->setEchoMode(QLineEdit::Normal);
        txtPassword->setText(AppSettings()->EmailAddress);
    } else {
        txtUsername->setText(item->Username);
        txtPassword->setEchoMode(QLineEdit::Password);
        txtPassword->setText(PasswordFromStore(item->Password));
    }
    filling_ = wasFilling;
}

void TServerEditFrm::CheckBoxClick(TCheckBox* Sender)
{
    if (filling_)
        return;
    if (Sender->Tag == 1)
        UpdateAnonymousFields();
    SetModified(true);
}

bool TServerEditFrm::eventFilter(QObject* Watched, QEvent* Event)
{
    // Another window taking the focus (a message box) is no leaving of the field.
    if ((Event->type() == QEvent::FocusIn || Event->type() == QEvent::FocusOut) &&
        static_cast<QFocusEvent*>(Event)->reason() != Qt::ActiveWindowFocusReason) {
        QString text;
        if (auto* edit = qobject_cast<QLineEdit*>(Watched))
            text = edit->text();
        else if (auto* spin = qobject_cast<QSpinBox*>(Watched))
            text = spin->text();
        if (Event->type() == QEvent::FocusIn) {
            enterText_ = text;
        } else {
            if (auto* spin = qobject_cast<QSpinBox*>(Watched)) {
                spin->interpretText(); // the value is brought into the range first
                text = spin->text();
            }
            if (text.trimmed() != enterText_) {
                SetModified(true);
                enterText_.clear();
            }
        }
    }
    return TStreamPositionFrm::eventFilter(Watched, Event);
}

void TServerEditFrm::tvServersEdited(QTreeWidgetItem* Node)
{
    TUploadProfileItem* item = ProfileOf(Node);
    if (!item || Node->text(0) == item->ItemName)
        return;
    const QString name = Node->text(0);
    auto revert = [&] {
        filling_ = true;
        Node->setText(0, item->ItemName);
        filling_ = false;
    };
    if (!IsValidFileName(name) || name.isEmpty()) {
        MessageDlg(QStringLiteral("Sorry, a %1 cannot be empty nor contain any of the following characters:\r\n"
                                  "\\, /, :, *, ?, \", <, >, |. Please select another name.")
                       .arg(KindWord),
                   mtInformation, {mbOK});
        revert();
        return;
    }
    auto* collection = static_cast<TStreamableCollection*>(item->Collection());
    TStreamableCollectionItem* found = collection->FindItem(name);
    if (found && found != item) {
        MessageDlg(QStringLiteral("The %1 '%2' already exist. Please select another name.").arg(KindWord, name),
                   mtInformation, {mbOK});
        revert();
        return;
    }
    if (found == item) { // the same name in other case: the profile keeps its name
        revert();
        return;
    }
    item->ItemName = name;
    Changed = true;
}

void TServerEditFrm::tvServersDblClick(QTreeWidgetItem* Node)
{
    if (ConnectMode && IsProfileNode(Node))
        btnOk->click();
}

void TServerEditFrm::btnAddClick()
{
    PromptPendingChanges();
    if (RunServerProfileWizard() != mrOk)
        return;
    Changed = true;
    if (QTreeWidgetItem* root = tvServers->topLevelItem(0)) {
        QTreeWidgetItem* selected = tvServers->currentItem();
        const QString selectedName = IsProfileNode(selected) ? selected->text(0) : QString();
        LoadTreeBranch(qobject_cast<TStreamableCollection*>(DataOf(root)), root);
        // The selection stays on the profile it was on.
        filling_ = true;
        if (!selectedName.isEmpty()) {
            for (int i = 0; i < root->childCount(); ++i) {
                if (root->child(i)->text(0) == selectedName) {
                    tvServers->setCurrentItem(root->child(i));
                    currentNode_ = root->child(i);
                }
            }
        }
        filling_ = false;
    }
}

void TServerEditFrm::btnDeleteClick()
{
    QTreeWidgetItem* node = tvServers->currentItem();
    TUploadProfileItem* item = ProfileOf(node);
    if (!item)
        return;
    if (InUse && item->ItemName.compare(InUseName, Qt::CaseInsensitive) == 0) {
        MessageDlg(QStringLiteral("This item is currently in use and cannot be deleted. You must \r\nfirst disconnect "
                                  "from this server in order to delete it."),
                   mtInformation, {mbOK});
        return;
    }
    if (TConfirmDeleteDlgFrm::Execute(QString(),
                                      QStringLiteral("Are you sure you want to permanently delete '%1'?").arg(item->ItemName)) !=
        mrYes)
        return;
    Changed = true;
    currentNode_ = nullptr;
    SetModified(false);
    static_cast<TStreamableCollection*>(item->Collection())->Remove(item);
    delete node;
}

void TServerEditFrm::SpeedButton1Click()
{
    QString folder = QDir(txtLocalDirName->text()).exists() && !txtLocalDirName->text().isEmpty()
                         ? txtLocalDirName->text()
                         : QString();
    txtLocalDirName->setFocus();
    if (PickFolder(QStringLiteral("Initial Local Folder"), folder))
        txtLocalDirName->setText(folder);
}

void TServerEditFrm::done(int Result)
{
    PromptPendingChanges();
    SetModified(false);
    TStreamPositionFrm::done(Result);
}
