// TEdReplFrm.
#include "dialogs/ed_repl_frm.h"

#include "dialogs/designed_controls.h"
#include "editor/custom_syntax_memo.h"
#include "editor/search/search_text.h"
#include "platform/registry/reg_ini_file.h"
#include "platform/widgets/label.h"
#include "platform/widgets/std_controls.h"
#include "settings/streamable_strings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

namespace {

const QString& EdReplKey()
{
    static const QString key = DialogKey(QStringLiteral("Search Edit"));
    return key;
}

constexpr int ButtonWidth = 85;
constexpr int ButtonGap = 3;

TEdReplFrm* instance = nullptr;

} // namespace

TEdReplFrm* GetEdReplFrm(int Flag)
{
    if (Flag == 1) {
        delete instance;
        instance = nullptr;
        return nullptr;
    }
    if (!instance)
        instance = new TEdReplFrm;
    return instance;
}

TEdReplFrm::TEdReplFrm(TComponent* AOwner) : TStreamPositionFrm(AOwner, skRegistry, EdReplKey())
{
    SetBorderStyle(bsDialog);
    // A tool window that stays on top of the editor while the user works on.
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Tool | Qt::WindowStaysOnTopHint);
    setModal(false);
    Position = poScreenCenter;
    SetClientSize(391, 190);
    setWindowTitle(QStringLiteral("Find"));

    Label1 = NewLabel(this, "Label1", QRect(8, 12, 90, 16), QStringLiteral("&Text to find:"));
    cbFindHistoryBox = Designed(new QComboBox(this), "cbFindHistoryBox", QRect(104, 8, 279, 24));
    lblReplace = NewLabel(this, "lblReplace", QRect(8, 42, 90, 16), QStringLiteral("&Replace with:"));
    cbReplHistoryBox = Designed(new QComboBox(this), "cbReplHistoryBox", QRect(104, 38, 279, 24));
    for (QComboBox* box : {cbFindHistoryBox, cbReplHistoryBox}) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
    }
    Label1->setBuddy(cbFindHistoryBox);
    lblReplace->setBuddy(cbReplHistoryBox);
    chkUseCaseBox = Designed(new TCheckBox(QStringLiteral("&Case sensitive"), this), "chkUseCaseBox",
                             QRect(8, 72, 180, 20));
    chkWholeWordBox = Designed(new TCheckBox(QStringLiteral("&Whole words"), this), "chkWholeWordBox",
                               QRect(8, 94, 180, 20));
    chkRegExBox = Designed(new TCheckBox(QStringLiteral("Regular &expressions"), this), "chkRegExBox",
                           QRect(8, 116, 180, 20));
    chkPromptOnReplBox = Designed(new TCheckBox(QStringLiteral("&Prompt on Replace"), this), "chkPromptOnReplBox",
                                  QRect(8, 138, 180, 20));
    grpDirection = Designed(new QGroupBox(QStringLiteral("Direction"), this), "grpDirection", QRect(200, 70, 183, 74));
    optFwdDirection = Designed(new TRadioButton(QStringLiteral("&Forward"), grpDirection), "optFwdDirection",
                               QRect(12, 22, 160, 20));
    optBackDirection = Designed(new TRadioButton(QStringLiteral("&Back"), grpDirection), "optBackDirection",
                                QRect(12, 44, 160, 20));
    btnOk = NewButton(*this, this, "btnOk", QRect(0, 158, ButtonWidth, 25), QStringLiteral("OK"), mrNone);
    btnOk->setDefault(true);
    btnReplaceAllButton = NewButton(*this, this, "btnReplaceAllButton", QRect(0, 158, ButtonWidth, 25),
                                    QStringLiteral("Replace All"), mrNone);
    btnCancel = NewButton(*this, this, "btnCancel", QRect(0, 158, ButtonWidth, 25), QStringLiteral("Cancel"), mrNone);

    // The stored values; the option word decides the check boxes and the direction.
    TRegIniFile values(EdReplKey());
    const unsigned findOpt = TFindReplaceController::MaskFindOpt(values.ReadInteger(QString(), QStringLiteral("FindOpt"), 0));
    LastSearch = values.ReadString(QString(), QStringLiteral("LastSearch"), QString());
    lastReplace_ = values.ReadString(QString(), QStringLiteral("LastReplace"), QString());
    chkPromptOnReplBox->setChecked(values.ReadInteger(QString(), QStringLiteral("PromptOnReplace"), 1) != 0);
    chkUseCaseBox->setChecked(findOpt & foMatchCase);
    chkWholeWordBox->setChecked(findOpt & foWholeWord);
    chkRegExBox->setChecked(findOpt & foRegularExpression);
    (findOpt & foBackward ? optBackDirection : optFwdDirection)->setChecked(true);

    connect(cbFindHistoryBox, &QComboBox::editTextChanged, this, [this] { FindTextChange(); });
    connect(btnOk, &QPushButton::clicked, this, [this] { OkClick(); });
    connect(btnReplaceAllButton, &QPushButton::clicked, this, [this] { ReplaceAllClick(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::close);
}

TEdReplFrm::~TEdReplFrm()
{
    if (controller_.Editor())
        controller_.Editor()->HideSelection = true;
    TRegIniFile values(EdReplKey());
    values.WriteInteger(QString(), QStringLiteral("FindOpt"), int(FindOpt()));
    values.WriteInteger(QString(), QStringLiteral("Direction"), optFwdDirection->isChecked() ? 1 : 0);
    values.WriteString(QString(), QStringLiteral("LastSearch"), cbFindHistoryBox->currentText());
    if (mode_ == fmReplace) {
        values.WriteString(QString(), QStringLiteral("LastReplace"), cbReplHistoryBox->currentText());
        values.WriteInteger(QString(), QStringLiteral("PromptOnReplace"), chkPromptOnReplBox->isChecked() ? 1 : 0);
    }
    StoreHistory(cbFindHistoryBox, searchHistory_);
    StoreHistory(cbReplHistoryBox, replaceHistory_);
}

void TEdReplFrm::LoadHistory(QComboBox* Box, TStreamableStrings*& History, const QString& Name)
{
    if (History)
        return;
    History = new TStreamableStrings(AuxiliaryOwner(), EdReplKey() + Name + QLatin1Char('\\'), nullptr);
    History->SetMaxStrings(TFindReplaceController::HistoryLength);
    for (int i = 0; i < History->Strings()->Count() && i < TFindReplaceController::HistoryLength; ++i)
        Box->addItem(History->Strings()->Strings(i));
}

void TEdReplFrm::StoreHistory(QComboBox* Box, TStreamableStrings* History)
{
    if (!History)
        return;
    TStringList items;
    for (int i = 0; i < Box->count(); ++i)
        items.Add(Box->itemText(i));
    History->SetStrings(&items);
    delete History;
}

int TEdReplFrm::Execute(const QString& InitialText, TCustomSyntaxMemo* Editor, TMode Mode)
{
    if (controller_.Editor() && controller_.Editor() != Editor)
        controller_.Editor()->HideSelection = true;
    controller_.SetEditor(Editor);
    if (Editor)
        Editor->HideSelection = false;
    mode_ = Mode;
    const bool replace = Mode == fmReplace;
    setWindowTitle(replace ? QStringLiteral("Find and Replace") : QStringLiteral("Find"));
    LoadHistory(cbFindHistoryBox, searchHistory_, QStringLiteral("Search"));
    if (replace) {
        LoadHistory(cbReplHistoryBox, replaceHistory_, QStringLiteral("Replace"));
        const int last = cbReplHistoryBox->findText(lastReplace_, Qt::MatchExactly);
        if (last >= 0)
            cbReplHistoryBox->setCurrentIndex(last);
    }
    // The buttons from the right, 3 pixels apart.
    int x = 391 - 8 - ButtonWidth;
    btnCancel->move(x, btnCancel->y());
    if (replace) {
        x -= ButtonWidth + ButtonGap;
        btnReplaceAllButton->move(x, btnReplaceAllButton->y());
    }
    btnOk->move(x - ButtonWidth - ButtonGap, btnOk->y());
    for (QWidget* control : {static_cast<QWidget*>(lblReplace), static_cast<QWidget*>(cbReplHistoryBox),
                             static_cast<QWidget*>(chkPromptOnReplBox), static_cast<QWidget*>(btnReplaceAllButton)})
        control->setVisible(replace);
    if (!InitialText.isEmpty())
        LastSearch = InitialText;
    // Shown already, the dialog takes the text at once; otherwise when it shows.
    if (isVisible())
        TakeLastSearch();
    show();
    raise();
    activateWindow();
    return 0;
}

void TEdReplFrm::showEvent(QShowEvent* Event)
{
    TStreamPositionFrm::showEvent(Event);
    TakeLastSearch();
}

void TEdReplFrm::TakeLastSearch()
{
    if (!LastSearch.isEmpty()) {
        const int index = cbFindHistoryBox->findText(LastSearch, Qt::MatchExactly);
        if (index >= 0)
            cbFindHistoryBox->setCurrentIndex(index);
        cbFindHistoryBox->setEditText(LastSearch);
    }
    FindTextChange();
    cbFindHistoryBox->setFocus();
}

void TEdReplFrm::hideEvent(QHideEvent* Event)
{
    if (controller_.Editor())
        controller_.Editor()->HideSelection = true;
    TStreamPositionFrm::hideEvent(Event);
}

unsigned TEdReplFrm::FindOpt() const
{
    return TFindReplaceController::OptionsOf(chkUseCaseBox->isChecked(), chkWholeWordBox->isChecked(),
                                             chkRegExBox->isChecked(), optBackDirection->isChecked());
}

void TEdReplFrm::FindTextChange()
{
    const bool any = !cbFindHistoryBox->currentText().isEmpty();
    btnOk->setEnabled(any);
    btnReplaceAllButton->setEnabled(any);
}

TFindReplaceRequest TEdReplFrm::Request() const
{
    TFindReplaceRequest request;
    request.FindText = cbFindHistoryBox->currentText();
    request.ReplaceText = cbReplHistoryBox->currentText();
    request.FindOpt = FindOpt();
    request.PromptOnReplace = chkPromptOnReplBox->isChecked();
    return request;
}

void TEdReplFrm::UpdateHistories()
{
    const auto update = [](QComboBox* Box) {
        const QString text = Box->currentText();
        QStringList items;
        for (int i = 0; i < Box->count(); ++i)
            items << Box->itemText(i);
        const QStringList updated = TFindReplaceController::WithHistoryEntry(items, text);
        if (updated == items)
            return;
        Box->clear();
        Box->addItems(updated);
        Box->setCurrentIndex(int(updated.indexOf(text)));
        Box->setEditText(text);
    };
    update(cbFindHistoryBox);
    if (mode_ == fmReplace)
        update(cbReplHistoryBox);
}

void TEdReplFrm::OkClick()
{
    UpdateHistories();
    LastSearch = cbFindHistoryBox->currentText();
    if (mode_ == fmReplace)
        controller_.ReplaceOne(Request());
    else
        controller_.Find(Request());
}

void TEdReplFrm::ReplaceAllClick()
{
    UpdateHistories();
    LastSearch = cbFindHistoryBox->currentText();
    // Asking is off for the run only when the box says so; the box is disabled meanwhile.
    chkPromptOnReplBox->setEnabled(false);
    controller_.ReplaceAll(Request());
    chkPromptOnReplBox->setEnabled(true);
}
