// TSearchDlgFrm.
#include "dialogs/search_dlg.h"

#include "dialogs/busy_cursor.h"
#include "dialogs/designed_controls.h"
#include "platform/registry/reg_ini_file.h"
#include "platform/widgets/label.h"
#include "platform/widgets/std_controls.h"
#include "routines/bitmap_resources.h"
#include "settings/streamable_strings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int SearchGlyph = 2;
constexpr int HistoryLength = 10;

const QString& SearchKey()
{
    static const QString key = DialogKey(QStringLiteral("Search"));
    return key;
}

} // namespace

TSearchDlgFrm::TSearchDlgFrm(TComponent* AOwner) : TStreamPositionFrm(AOwner, skRegistry, SearchKey())
{
    SetBorderStyle(bsDialog);
    SetClientSize(479, 210);
    setWindowTitle(QStringLiteral("Search Remote Website for File or Folder"));

    Image1 = Designed(new QLabel(this), "Image1", QRect(8, 12, 48, 48));
    Image1->setAlignment(Qt::AlignCenter);
    QImage glyph;
    if (LoadGlyph(glyph, SearchGlyph))
        Image1->setPixmap(QPixmap::fromImage(glyph));
    Label1 = NewLabel(this, "Label1", QRect(72, 12, 399, 16),
                      QStringLiteral("Search the website for files or folders named:"));
    cbSearch = Designed(new QComboBox(this), "cbSearch", QRect(72, 32, 399, 24));
    cbSearch->setEditable(true);
    cbSearch->setInsertPolicy(QComboBox::NoInsert);
    grpLookIn = Designed(new QGroupBox(QStringLiteral("Look In"), this), "grpLookIn", QRect(72, 66, 250, 70));
    rbCurrentFolder = Designed(new TRadioButton(QStringLiteral("&Current Folder"), grpLookIn), "rbCurrentFolder",
                               QRect(12, 20, 230, 20));
    rbAllFolders = Designed(new TRadioButton(QStringLiteral("&All Visited Folders"), grpLookIn), "rbAllFolders",
                            QRect(12, 42, 230, 20));
    SetLookInIndex(1);
    chkMatchCase = Designed(new TCheckBox(QStringLiteral("&Match Case"), this), "chkMatchCase", QRect(72, 144, 200, 20));
    btnOk = NewButton(*this, this, "btnOk", QRect(315, 176, 75, 25), QStringLiteral("OK"), mrOk);
    btnOk->setDefault(true);
    btnOk->setEnabled(false);
    Button2 = NewButton(*this, this, "Button2", QRect(396, 176, 75, 25), QStringLiteral("Cancel"), mrCancel);
    connect(cbSearch, &QComboBox::editTextChanged, this, [this] { cbSearchChange(); });
    cbSearch->setFocus();
}

int TSearchDlgFrm::LookInIndex() const
{
    return rbAllFolders->isChecked() ? 1 : 0;
}

void TSearchDlgFrm::SetLookInIndex(int Index)
{
    (Index == 1 ? rbAllFolders : rbCurrentFolder)->setChecked(true);
}

void TSearchDlgFrm::cbSearchChange()
{
    btnOk->setEnabled(!cbSearch->currentText().isEmpty());
}

int TSearchDlgFrm::Execute(bool& LookInAll, bool& MatchCase, QString& Text)
{
    TBusyCursor busy;
    TSearchDlgFrm form;
    auto* history = new TStreamableStrings(form.AuxiliaryOwner(), SearchKey(), nullptr);
    history->SetMaxStrings(HistoryLength);
    for (int i = 0; i < history->Strings()->Count(); ++i)
        form.cbSearch->addItem(history->Strings()->Strings(i));

    TRegIniFile answers(SearchKey());
    form.SetLookInIndex(answers.ReadInteger(QString(), QStringLiteral("LookInAll"), 1));
    form.chkMatchCase->setChecked(answers.ReadInteger(QString(), QStringLiteral("MatchCase"), 0) != 0);
    const QString lastSearch = answers.ReadString(QString(), QStringLiteral("LastSearch"), QString());
    form.cbSearch->setCurrentIndex(lastSearch.isEmpty() ? -1 : form.cbSearch->findText(lastSearch, Qt::MatchExactly));
    form.cbSearchChange();

    const int result = form.ShowModal();
    if (result == mrOk) {
        Text = form.cbSearch->currentText();
        if (form.cbSearch->findText(Text, Qt::MatchExactly) < 0)
            form.cbSearch->insertItem(0, Text);
        LookInAll = form.LookInIndex() == 1;
        MatchCase = form.chkMatchCase->isChecked();
        answers.WriteInteger(QString(), QStringLiteral("LookInAll"), form.LookInIndex());
        answers.WriteInteger(QString(), QStringLiteral("MatchCase"), MatchCase ? 1 : 0);
        answers.WriteString(QString(), QStringLiteral("LastSearch"), Text);
    }
    TStringList items;
    for (int i = 0; i < form.cbSearch->count(); ++i)
        items.Add(form.cbSearch->itemText(i));
    history->SetStrings(&items);
    delete history;
    return result;
}
