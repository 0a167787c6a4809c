// TAppSettingsDlgFrm and ExecuteAppSettingsDlg.
#include "dialogs/options/app_settings_dlg_frm.h"

#include "dialogs/ag_file_dialogs.h"
#include "dialogs/confirm_delete_dlg.h"
#include "dialogs/dialog_pictures.h"
#include "dialogs/firewall_item_delegate.h"
#include "dialogs/html_label.h"
#include "dialogs/input_box.h"
#include "dialogs/options/color_coder_line.h"
#include "dialogs/pt_group.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/message_dialogs.h"
#include "platform/widgets/folder_picker.h"
#include "platform/widgets/std_controls.h"
#include "routines/name_checks.h"
#include "settings/app_settings.h"
#include "settings/firewalls.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The sound events in list order; the row's index is its bit in SoundBitField.
const char* const SoundEvents[] = {"Connect", "Transfer Completed", "Error", "Download", "Upload"};
constexpr int SoundCount = 5;
constexpr int PlaySoundsTag = 20;
constexpr int LineRole = Qt::UserRole;

QString InvalidNameMessage(const QString& Kind)
{
    return QStringLiteral("Sorry, a %1 cannot be empty nor contain any of the following characters:\r\n"
                          "\\, /, :, *, ?, \", <, >")
        .arg(Kind);
}

// The text with a "." in front unless it starts with one.
QString Dotted(const QString& Text)
{
    return Text.startsWith(QLatin1Char('.')) ? Text : QLatin1Char('.') + Text;
}

QPushButton* Button(const QString& Caption, QWidget* Parent, int Tag = 0)
{
    auto* button = new QPushButton(Caption, Parent);
    button->setProperty("Tag", Tag);
    return button;
}

TEdit* Edit(QWidget* Parent)
{
    return new TEdit(Parent);
}

QLabel* Heading(const QString& Text, QWidget* Parent)
{
    auto* label = new QLabel(Text, Parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// Selects the row before Row (or the first) of List, when it has any.
void SelectNear(QListWidget* List, int Row)
{
    if (List->count() > 0)
        List->setCurrentRow(std::max(Row - 1, 0));
}

} // namespace

TAppSettingsDlgFrm::TAppSettingsDlgFrm(TComponent* AOwner, const QString& Key, TFirewallContainer& Firewalls)
    : TStreamPositionFrm(AOwner, skRegistry, Key), firewalls_(Firewalls)
{
    SetBorderStyle(bsDialog);
    setWindowTitle(QStringLiteral("Program Options"));
    SetClientSize(440, 420);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    tabSettings = new QTabBar(this);
    for (const char* tab : {"General", "Advanced", "Editor Parser Extensions", "Firewalls"})
        tabSettings->addTab(QLatin1String(tab));
    layout->addWidget(tabSettings);
    pages = new QStackedWidget(this);
    pages->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(pages, 1);

    // General.
    pnlGeneral = new QWidget(pages);
    auto* general = new QGridLayout(pnlGeneral);
    general->addWidget(Heading(QStringLiteral("Basic Options"), pnlGeneral), 0, 0, 1, 2);
    general->addWidget(new QLabel(QStringLiteral("Anonymous address"), pnlGeneral), 1, 0);
    txtEmailAddress = Edit(pnlGeneral);
    general->addWidget(txtEmailAddress, 1, 1);
    chkOverwritePrompt = new TCheckBox(QStringLiteral("Overwrite Prompt"), pnlGeneral);
    chkHTMLUpperCase = new TCheckBox(QStringLiteral("Upper Case HTML Tags"), pnlGeneral);
    chkConnectAtStart = new TCheckBox(QStringLiteral("Show the Connect Dialog at startup"), pnlGeneral);
    chkPlaySounds = new TCheckBox(QStringLiteral("Play Sounds"), pnlGeneral);
    chkPlaySounds->Tag = PlaySoundsTag;
    int row = 2;
    for (TCheckBox* box : {chkOverwritePrompt, chkHTMLUpperCase, chkConnectAtStart, chkPlaySounds})
        general->addWidget(box, row++, 0, 1, 2);
    lvSounds = new QTreeWidget(pnlGeneral);
    lvSounds->setHeaderLabels({QStringLiteral("Event"), QStringLiteral("Filename")});
    lvSounds->setRootIsDecorated(false);
    lvSounds->setColumnWidth(0, 125);
    lvSounds->setColumnWidth(1, 160);
    lvSounds->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvSounds->setSelectionBehavior(QAbstractItemView::SelectRows);
    general->addWidget(lvSounds, row++, 0, 1, 2);
    pnlSounds = new QWidget(pnlGeneral);
    auto* sounds = new QHBoxLayout(pnlSounds);
    sounds->setContentsMargins(0, 0, 0, 0);
    txtSoundFile = Edit(pnlSounds);
    txtSoundFile->setReadOnly(true);
    btnOpen = Button(QStringLiteral("Browse"), pnlSounds);
    btnOpen->setEnabled(false);
    sounds->addWidget(txtSoundFile, 1);
    sounds->addWidget(btnOpen);
    general->addWidget(pnlSounds, row++, 0, 1, 2);
    pages->addWidget(pnlGeneral);

    // Advanced.
    pnlAdvanced = new QWidget(pages);
    auto* advanced = new QGridLayout(pnlAdvanced);
    advanced->addWidget(Heading(QStringLiteral("Advanced Options"), pnlAdvanced), 0, 0, 1, 3);
    chkLogSave = new TCheckBox(QStringLiteral("Save Transfer Log"), pnlAdvanced);
    advanced->addWidget(chkLogSave, 1, 0, 1, 3);
    advanced->addWidget(new QLabel(QStringLiteral("Transfer log filename"), pnlAdvanced), 2, 0);
    txtLogFileName = Edit(pnlAdvanced);
    advanced->addWidget(txtLogFileName, 2, 1, 1, 2);
    advanced->addWidget(new QLabel(QStringLiteral("Default save location for Zip Archive"), pnlAdvanced), 3, 0, 1, 3);
    txtZipSaveFolder = Edit(pnlAdvanced);
    btnBrowse = Button(QStringLiteral("..."), pnlAdvanced);
    btnBrowse->setFixedWidth(28);
    advanced->addWidget(txtZipSaveFolder, 4, 0, 1, 2);
    advanced->addWidget(btnBrowse, 4, 2);
    advanced->addWidget(Heading(QStringLiteral("ASCII File Extensions"), pnlAdvanced), 5, 0, 1, 3);
    auto* asciiNote = new QLabel(QStringLiteral("In Auto-Mode, all files are transferred as binary unless the file "
                                                "extension is listed here. Any file with an extension listed here "
                                                "will be transferred as ASCII."),
                                 pnlAdvanced);
    asciiNote->setWordWrap(true);
    advanced->addWidget(asciiNote, 6, 0, 1, 3);
    lbExtensions = new QListWidget(pnlAdvanced);
    lbExtensions->setSortingEnabled(true);
    advanced->addWidget(lbExtensions, 7, 0, 3, 2);
    btnAdd = Button(QStringLiteral("Add"), pnlAdvanced);
    btnDelete = Button(QStringLiteral("Delete"), pnlAdvanced, 1);
    btnDelete->setEnabled(false);
    advanced->addWidget(btnAdd, 7, 2);
    advanced->addWidget(btnDelete, 8, 2);
    advanced->setRowStretch(9, 1);
    pages->addWidget(pnlAdvanced);

    // Editor parser extensions.
    pnlParserExt = new QWidget(pages);
    auto* parser = new QGridLayout(pnlParserExt);
    parser->addWidget(Heading(QStringLiteral("Associated File Extensions"), pnlParserExt), 0, 0, 1, 3);
    parser->addWidget(new QLabel(QStringLiteral("Color Coders"), pnlParserExt), 1, 0);
    parser->addWidget(new QLabel(QStringLiteral("File Types"), pnlParserExt), 1, 1);
    lbColorCoders = new QListWidget(pnlParserExt);
    lbParserExt = new QListWidget(pnlParserExt);
    lbParserExt->setSortingEnabled(true);
    parser->addWidget(lbColorCoders, 2, 0, 4, 1);
    parser->addWidget(lbParserExt, 2, 1, 4, 1);
    SpeedButton1 = Button(QStringLiteral("Add"), pnlParserExt);
    btnRemoveExt = Button(QStringLiteral("Delete"), pnlParserExt, 1);
    parser->addWidget(SpeedButton1, 2, 2);
    parser->addWidget(btnRemoveExt, 3, 2);
    parser->addWidget(new QLabel(QStringLiteral("Default Ext."), pnlParserExt), 6, 0);
    cbDefaultExt = new QComboBox(pnlParserExt);
    parser->addWidget(cbDefaultExt, 6, 1);
    HTMLabel1 = new THTMLabel(nullptr, pnlParserExt);
    HTMLabel1->SetImages(&LabelImages());
    HTMLabel1->SetHTMLText({QStringLiteral("<IMG src=\"idx:0\"> The editor colours a document by the color coder "
                                           "whose file types hold its extension; a new document of a color coder "
                                           "takes its <B>Default Ext.</B>")});
    HTMLabel1->setMinimumHeight(60);
    parser->addWidget(HTMLabel1, 7, 0, 1, 3);
    parser->setRowStretch(5, 1);
    pages->addWidget(pnlParserExt);

    // Firewalls.
    pnlFirewalls = new QWidget(pages);
    auto* firewalls = new QGridLayout(pnlFirewalls);
    firewalls->addWidget(new QLabel(QStringLiteral("Firewalls:"), pnlFirewalls), 0, 0);
    cbFirewalls = new QComboBox(pnlFirewalls);
    cbFirewalls->setItemDelegate(new TFirewallItemDelegate(cbFirewalls));
    firewalls->addWidget(cbFirewalls, 0, 1);
    SpeedButton2 = Button(QStringLiteral("Add"), pnlFirewalls);
    btnDelFirewall = Button(QStringLiteral("Delete"), pnlFirewalls, 1);
    firewalls->addWidget(SpeedButton2, 0, 2);
    firewalls->addWidget(btnDelFirewall, 0, 3);
    pnlFirewallInfo = new QWidget(pnlFirewalls);
    auto* info = new QGridLayout(pnlFirewallInfo);
    info->setContentsMargins(0, 8, 0, 0);
    info->addWidget(new QLabel(QStringLiteral("Firewall Type:"), pnlFirewallInfo), 0, 0);
    cbConnectionType = new QComboBox(pnlFirewallInfo);
    cbConnectionType->addItems({QStringLiteral("Proxy"), QStringLiteral("Socks"), QStringLiteral("Socks4A"),
                                QStringLiteral("Socks5")});
    info->addWidget(cbConnectionType, 0, 1);
    chkFirewallShared = new TCheckBox(QStringLiteral("Shared"), pnlFirewallInfo);
    info->addWidget(chkFirewallShared, 0, 2);
    Fields = std::make_unique<TFirewallFields>(pnlFirewallInfo);
    chkSocksSavePassword = new TCheckBox(QStringLiteral("Save Password"), Fields->grpSocks);
    auto* socks = static_cast<QGridLayout*>(Fields->grpSocks->layout());
    socks->addWidget(chkSocksSavePassword, socks->rowCount(), 1);
    for (TPTGroup* group : {Fields->grpProxy, Fields->grpSocks})
        group->setMinimumHeight(150);
    info->addWidget(Fields->grpProxy, 1, 0, 1, 3);
    info->addWidget(Fields->grpSocks, 1, 0, 1, 3);
    Fields->grpSocks->hide();
    info->addWidget(new QLabel(QStringLiteral("Comment:"), pnlFirewallInfo), 2, 0);
    txtFirewallComment = Edit(pnlFirewallInfo);
    info->addWidget(txtFirewallComment, 2, 1, 1, 2);
    firewalls->addWidget(pnlFirewallInfo, 1, 0, 1, 4);
    firewalls->setRowStretch(2, 1);
    pages->addWidget(pnlFirewalls);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btnOk = Button(QStringLiteral("OK"), this);
    btnOk->setDefault(true);
    SetButtonModalResult(btnOk, mrOk);
    Button2 = Button(QStringLiteral("Cancel"), this);
    SetButtonModalResult(Button2, mrCancel);
    buttons->addWidget(btnOk);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);

    dlgOpen = new TAgOpenDialog(this);
    dlgOpen->Filter = QStringLiteral("Wave Files|*.wav");

    for (TEdit* edit : {txtEmailAddress, txtLogFileName, txtZipSaveFolder, Fields->txtProxyServer, Fields->txtSocksServer,
                        Fields->txtSocksPort, Fields->txtSocksUserCode, Fields->txtSocksPassword, txtFirewallComment})
        edit->installEventFilter(this);
    for (TCheckBox* box : {chkOverwritePrompt, chkHTMLUpperCase, chkConnectAtStart, chkPlaySounds, chkLogSave,
                           chkFirewallShared, chkSocksSavePassword})
        box->OnClick = [this, box](TObject*) { CheckBoxClick(box); };
    connect(tabSettings, &QTabBar::currentChanged, this, &TAppSettingsDlgFrm::tabSettingsChange);
    connect(lvSounds, &QTreeWidget::currentItemChanged, this, [this] { lvSoundsChange(); });
    connect(lvSounds, &QTreeWidget::itemChanged, this, [this] {
        if (!filling_)
            Modified = true;
    });
    connect(lvSounds, &QTreeWidget::itemDoubleClicked, this, [this] { btnOpen->click(); });
    connect(btnOpen, &QPushButton::clicked, this, [this] { btnOpenClick(); });
    connect(btnBrowse, &QPushButton::clicked, this, [this] { btnBrowseClick(); });
    connect(btnAdd, &QPushButton::clicked, this, [this] { AddExtension(); });
    connect(btnDelete, &QPushButton::clicked, this, [this] { DeleteExtension(); });
    connect(lbExtensions, &QListWidget::currentRowChanged, this,
            [this] { btnDelete->setEnabled(lbExtensions->currentRow() >= 0); });
    connect(lbColorCoders, &QListWidget::currentRowChanged, this, [this] { lbColorCodersClick(); });
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { AddPattern(); });
    connect(btnRemoveExt, &QPushButton::clicked, this, [this] { RemovePattern(); });
    connect(lbParserExt, &QListWidget::currentRowChanged, this, [this] { lbParserExtClick(); });
    connect(cbDefaultExt, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            cbDefaultExtChange();
    });
    connect(cbConnectionType, &QComboBox::currentIndexChanged, this, [this](int Index) {
        Fields->ShowType(Index);
        if (!filling_)
            Modified = true;
    });
    connect(cbFirewalls, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            cbFirewallsChange();
    });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { AddFirewall(); });
    connect(btnDelFirewall, &QPushButton::clicked, this, [this] { DeleteFirewall(); });
}

void TAppSettingsDlgFrm::tabSettingsChange(int Index)
{
    pages->setCurrentIndex(Index);
    if (pages->currentWidget() == pnlAdvanced && lbExtensions->count() > 0)
        lbExtensions->setCurrentRow(0);
    else if (pages->currentWidget() == pnlParserExt && lbColorCoders->currentRow() < 0 && lbColorCoders->count() > 0)
        lbColorCoders->setCurrentRow(0);
}

bool TAppSettingsDlgFrm::eventFilter(QObject* Watched, QEvent* Event)
{
    // Another window taking the focus (a message box) is no leaving of the field.
    auto* edit = qobject_cast<QLineEdit*>(Watched);
    if (edit && (Event->type() == QEvent::FocusIn || Event->type() == QEvent::FocusOut) &&
        static_cast<QFocusEvent*>(Event)->reason() != Qt::ActiveWindowFocusReason) {
        if (Event->type() == QEvent::FocusIn) {
            enterText_ = edit->text();
        } else if (Event->type() == QEvent::FocusOut && edit->text().trimmed() != enterText_) {
            Modified = true;
            enterText_.clear();
        }
    }
    return TStreamPositionFrm::eventFilter(Watched, Event);
}

void TAppSettingsDlgFrm::CheckBoxClick(TCheckBox* Sender)
{
    if (filling_)
        return;
    Modified = true;
    if (Sender->Tag != PlaySoundsTag)
        return;
    pnlSounds->setEnabled(Sender->isChecked());
    if (Sender->isChecked() && lvSounds->topLevelItemCount() > 0)
        lvSounds->setCurrentItem(lvSounds->topLevelItem(0));
    else if (!Sender->isChecked())
        txtSoundFile->clear();
}

void TAppSettingsDlgFrm::lvSoundsChange()
{
    QTreeWidgetItem* item = lvSounds->currentItem();
    btnOpen->setEnabled(item != nullptr);
    if (item)
        txtSoundFile->setText(item->text(1));
}

void TAppSettingsDlgFrm::btnOpenClick()
{
    QTreeWidgetItem* item = lvSounds->currentItem();
    if (!item) {
        btnOpen->setEnabled(false);
        return;
    }
    dlgOpen->FileName.clear();
    if (!dlgOpen->Execute())
        return;
    item->setText(1, dlgOpen->FileName);
    lvSounds->setCurrentItem(item);
    lvSoundsChange();
    lvSounds->setFocus();
    Modified = true;
}

void TAppSettingsDlgFrm::btnBrowseClick()
{
    QString folder = txtZipSaveFolder->text();
    if (!PickFolder(QStringLiteral("Default save location for Zip Archive"), folder))
        return;
    // Kept with a trailing separator, as the settings hold folders.
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    txtZipSaveFolder->setText(folder);
    Modified = true;
}

void TAppSettingsDlgFrm::AddExtension()
{
    Modified = true;
    QString text;
    if (!InputBoxPos(QStringLiteral("Add ASCII File Extension"),
                     QStringLiteral("Type the file extension you wish to add. eg: txt"), text, 3))
        return;
    if (!IsValidFileName(text) || text.isEmpty()) {
        MessageDlg(InvalidNameMessage(QStringLiteral("file extension")), mtWarning, {mbOK});
        return;
    }
    const QString extension = Dotted(text);
    for (int i = 0; i < lbExtensions->count(); ++i) {
        if (lbExtensions->item(i)->text().compare(extension, Qt::CaseInsensitive) == 0)
            return;
    }
    auto* item = new QListWidgetItem(extension, lbExtensions);
    lbExtensions->setCurrentItem(item);
}

void TAppSettingsDlgFrm::DeleteExtension()
{
    Modified = true;
    const int row = lbExtensions->currentRow();
    if (row < 0)
        return;
    delete lbExtensions->takeItem(row);
    SelectNear(lbExtensions, row);
    btnDelete->setEnabled(lbExtensions->currentRow() >= 0);
}

QString TAppSettingsDlgFrm::CoderLine() const
{
    const QListWidgetItem* item = lbColorCoders->currentItem();
    return item ? item->data(LineRole).toString() : QString();
}

void TAppSettingsDlgFrm::SetCoderLine(const QString& Line)
{
    if (QListWidgetItem* item = lbColorCoders->currentItem())
        item->setData(LineRole, Line);
}

void TAppSettingsDlgFrm::lbColorCodersClick()
{
    const TColorCoderLine coder = TColorCoderLine::Parse(CoderLine());
    filling_ = true;
    lbParserExt->clear();
    lbParserExt->addItems(coder.Patterns);
    if (lbParserExt->count() > 0)
        lbParserExt->setCurrentRow(0);
    btnRemoveExt->setEnabled(coder.Patterns.size() > 1);
    cbDefaultExt->clear();
    cbDefaultExt->addItems(coder.Patterns);
    cbDefaultExt->setCurrentIndex(cbDefaultExt->findText(QStringLiteral("*.") + coder.DefaultExt, Qt::MatchFixedString));
    filling_ = false;
}

void TAppSettingsDlgFrm::lbParserExtClick()
{
    btnRemoveExt->setEnabled(lbParserExt->currentRow() >= 0 && lbParserExt->count() > 1);
}

void TAppSettingsDlgFrm::AddPattern()
{
    TColorCoderLine coder = TColorCoderLine::Parse(CoderLine());
    QString text;
    if (!InputBoxPos(QStringLiteral("Add File Extension to '%1' Color Coder").arg(coder.Name),
                     QStringLiteral("Type the file extension you wish to add to this color coder. eg: txt"), text, 3)) {
        Modified = true;
        return;
    }
    if (!IsValidFileName(text) || text.isEmpty()) {
        MessageDlg(InvalidNameMessage(QStringLiteral("file extension")), mtWarning, {mbOK});
        return;
    }
    Modified = true;
    const QString pattern = QLatin1Char('*') + Dotted(text);
    if (coder.Patterns.contains(pattern, Qt::CaseInsensitive))
        return;
    filling_ = true;
    auto* item = new QListWidgetItem(pattern, lbParserExt);
    lbParserExt->setCurrentItem(item);
    coder.Patterns.append(pattern);
    SetCoderLine(coder.Text());
    const QString selected = cbDefaultExt->currentText();
    cbDefaultExt->clear();
    cbDefaultExt->addItems(coder.Patterns);
    cbDefaultExt->setCurrentIndex(cbDefaultExt->findText(selected));
    filling_ = false;
    lbParserExtClick();
}

void TAppSettingsDlgFrm::RemovePattern()
{
    if (lbParserExt->count() == 1) {
        MessageDlg(QStringLiteral("Unable to delete item. There must be, at least, one file extension associated with "
                                  "a color coder."),
                   mtInformation, {mbOK});
        return;
    }
    Modified = true;
    const int row = lbParserExt->currentRow();
    if (row < 0)
        return;
    TColorCoderLine coder = TColorCoderLine::Parse(CoderLine());
    filling_ = true;
    const QString removed = lbParserExt->item(row)->text();
    delete lbParserExt->takeItem(row);
    SelectNear(lbParserExt, row);
    coder.Patterns.clear();
    for (int i = 0; i < lbParserExt->count(); ++i)
        coder.Patterns.append(lbParserExt->item(i)->text());
    if (removed.compare(QStringLiteral("*.") + coder.DefaultExt, Qt::CaseInsensitive) == 0) {
        cbDefaultExt->removeItem(cbDefaultExt->findText(removed));
        cbDefaultExt->setCurrentIndex(0);
        coder.DefaultExt = cbDefaultExt->currentText().mid(2);
    } else {
        cbDefaultExt->removeItem(cbDefaultExt->findText(removed));
    }
    SetCoderLine(coder.Text());
    filling_ = false;
    lbParserExtClick();
}

void TAppSettingsDlgFrm::cbDefaultExtChange()
{
    TColorCoderLine coder = TColorCoderLine::Parse(CoderLine());
    coder.DefaultExt = cbDefaultExt->currentText().mid(2);
    SetCoderLine(coder.Text());
    Modified = true;
}

void TAppSettingsDlgFrm::FillFirewalls()
{
    filling_ = true;
    for (int i = 0; i < firewalls_.Firewalls()->Count(); ++i)
        cbFirewalls->addItem(firewalls_.GetFirewall(i)->ItemName, QVariant::fromValue<QObject*>(firewalls_.GetFirewall(i)));
    cbFirewalls->setCurrentIndex(cbFirewalls->count() > 0 ? 0 : -1);
    filling_ = false;
    cbFirewallsChange();
}

void TAppSettingsDlgFrm::cbFirewallsChange()
{
    const int index = cbFirewalls->currentIndex();
    btnDelFirewall->setEnabled(index >= 0);
    pnlFirewallInfo->setEnabled(index >= 0);
    if (shownFirewall_ >= 0 && Modified) {
        if (auto* shown = qobject_cast<TFirewallItem*>(cbFirewalls->itemData(shownFirewall_).value<QObject*>()))
            WriteFirewall(*shown);
    }
    if (auto* firewall = qobject_cast<TFirewallItem*>(cbFirewalls->itemData(index).value<QObject*>()))
        ShowFirewall(*firewall);
    shownFirewall_ = index;
}

void TAppSettingsDlgFrm::ShowFirewall(const TFirewallItem& Firewall)
{
    filling_ = true;
    cbConnectionType->setCurrentIndex(Firewall.FirewallType);
    Fields->Load(Firewall);
    txtFirewallComment->setText(Firewall.Comment);
    chkSocksSavePassword->setChecked(Firewall.SavePassword);
    chkFirewallShared->setChecked(Firewall.Shared);
    Fields->ShowType(Firewall.FirewallType);
    filling_ = false;
}

void TAppSettingsDlgFrm::WriteFirewall(TFirewallItem& Firewall)
{
    Firewall.FirewallType = cbConnectionType->currentIndex();
    Fields->Store(Firewall);
    Firewall.Comment = txtFirewallComment->text();
    Firewall.SavePassword = chkSocksSavePassword->isChecked();
    Firewall.Shared = chkFirewallShared->isChecked();
}

void TAppSettingsDlgFrm::AddFirewall()
{
    QString name;
    if (!InputBoxPos(QStringLiteral("New Firewall"), QStringLiteral("Select a friendly name for the Firewall"), name, 8))
        return;
    const QString kind = QStringLiteral("Firewall Name");
    if (!IsValidFileName(name) || name.isEmpty()) {
        MessageDlg(InvalidNameMessage(kind) + QStringLiteral(", |."), mtWarning, {mbOK});
        return;
    }
    if (firewalls_.IndexOfName(name) >= 0) {
        MessageDlg(QStringLiteral("The %1 '%2' already exist. Please select another name.").arg(kind, name), mtWarning,
                   {mbOK});
        return;
    }
    Modified = true;
    TFirewallItem* firewall = firewalls_.Add();
    firewall->ItemName = name;
    firewall->Shared = true;
    firewall->FirewallType = 0;
    cbFirewalls->addItem(name, QVariant::fromValue<QObject*>(firewall));
    cbFirewalls->setCurrentIndex(cbFirewalls->count() - 1);
}

void TAppSettingsDlgFrm::DeleteFirewall()
{
    const int index = cbFirewalls->currentIndex();
    auto* firewall = qobject_cast<TFirewallItem*>(cbFirewalls->itemData(index).value<QObject*>());
    if (!firewall)
        return;
    if (TConfirmDeleteDlgFrm::Execute(QStringLiteral("Delete Item"),
                                      QStringLiteral("Are you sure you want to permanently delete '%1'?")
                                          .arg(firewall->ItemName)) != mrYes)
        return;
    firewalls_.Firewalls()->Remove(firewall);
    filling_ = true;
    cbFirewalls->removeItem(index);
    shownFirewall_ = -1;
    cbFirewalls->setCurrentIndex(cbFirewalls->count() > 0 ? std::max(index - 1, 0) : -1);
    filling_ = false;
    cbFirewallsChange();
}

void TAppSettingsDlgFrm::done(int Result)
{
    cbFirewallsChange(); // edits on the page reach the entry shown, on Cancel too
    TStreamPositionFrm::done(Result);
}

int ExecuteAppSettingsDlg(TFtpAppSettings& Settings, TFirewallContainer& Firewalls)
{
    TAppSettingsDlgFrm form(nullptr, DialogKey(QStringLiteral("Settings")), Firewalls);
    QString* const soundFiles[SoundCount] = {&Settings.SoundConnect, &Settings.SoundCompleted, &Settings.SoundError,
                                             &Settings.SoundGet, &Settings.SoundPut};
    form.lvSounds->blockSignals(true);
    for (int event = 0; event < SoundCount; ++event) {
        auto* item = new QTreeWidgetItem(form.lvSounds, {QLatin1String(SoundEvents[event]), *soundFiles[event]});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Settings.SoundBitField & (1 << event) ? Qt::Checked : Qt::Unchecked);
    }
    form.lvSounds->blockSignals(false);
    // The event names stay whole in wider fonts than the designed one.
    form.lvSounds->resizeColumnToContents(0);
    form.lvSounds->setColumnWidth(0, std::max(125, form.lvSounds->columnWidth(0) + 8));
    form.dlgOpen->InitialDir = QCoreApplication::applicationDirPath();
    for (TCheckBox* box : form.findChildren<TCheckBox*>())
        box->blockSignals(true);
    form.chkOverwritePrompt->setChecked(Settings.OverwritePrompt);
    form.txtEmailAddress->setText(Settings.EmailAddress);
    form.chkLogSave->setChecked(Settings.LogSave);
    form.chkPlaySounds->setChecked(Settings.PlaySounds);
    form.chkConnectAtStart->setChecked(Settings.ConnectAtStart);
    form.chkHTMLUpperCase->setChecked(Settings.HTMLUpperCase);
    form.txtLogFileName->setText(Settings.LogFileName());
    form.txtZipSaveFolder->setText(Settings.ZipSaveFolder);
    for (int i = 0; i < Settings.Extensions()->Count(); ++i)
        form.lbExtensions->addItem(Settings.Extensions()->Strings(i));
    for (int i = 0; i < Settings.EditFileFilters()->Count(); ++i) {
        const QString line = Settings.EditFileFilters()->Strings(i);
        auto* item = new QListWidgetItem(TColorCoderLine::Parse(line).Name, form.lbColorCoders);
        item->setData(LineRole, line);
    }
    form.FillFirewalls();
    for (TCheckBox* box : form.findChildren<TCheckBox*>())
        box->blockSignals(false);
    form.pnlSounds->setEnabled(Settings.PlaySounds);

    const int result = form.ShowModal();
    if (result != mrOk || !form.Modified)
        return result;
    Settings.PlaySounds = form.chkPlaySounds->isChecked();
    Settings.SoundBitField = 0;
    for (int event = 0; event < SoundCount; ++event) {
        QTreeWidgetItem* item = form.lvSounds->topLevelItem(event);
        if (item->checkState(0) == Qt::Checked)
            Settings.SoundBitField |= 1 << event;
        *soundFiles[event] = item->text(1);
    }
    Settings.HTMLUpperCase = form.chkHTMLUpperCase->isChecked();
    Settings.ConnectAtStart = form.chkConnectAtStart->isChecked();
    Settings.OverwritePrompt = form.chkOverwritePrompt->isChecked();
    Settings.EmailAddress = form.txtEmailAddress->text();
    Settings.LogSave = form.chkLogSave->isChecked();
    Settings.SetLogFileName(form.txtLogFileName->text());
    Settings.ZipSaveFolder = form.txtZipSaveFolder->text();
    TStringList extensions;
    for (int i = 0; i < form.lbExtensions->count(); ++i)
        extensions.Add(form.lbExtensions->item(i)->text());
    Settings.SetExtensions(&extensions);
    TStringList filters;
    for (int i = 0; i < form.lbColorCoders->count(); ++i)
        filters.Add(form.lbColorCoders->item(i)->data(LineRole).toString());
    Settings.SetEditFileFilters(&filters);
    return result;
}
