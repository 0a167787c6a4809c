// The Auto Correct and Code Templates pages of the editor options dialog: two-column lists of
// words and templates, their boxes and the add, replace and delete buttons.
#include "highlighter/options/options_dialog.h"

#include "highlighter/options/options_rules.h"
#include "highlighter/options/sm_hot_key.h"

#include "editor/language/sm_settings.h"
#include "editor/syntax_memo.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

const QChar Tab = QLatin1Char('\t');

QString FirstPart(const QString& Item)
{
    const int tab = Item.indexOf(Tab);
    return tab < 0 ? Item : Item.left(tab);
}

QString SecondPart(const QString& Item)
{
    const int tab = Item.indexOf(Tab);
    return tab < 0 ? QString() : Item.mid(tab + 1);
}

// The template editor's text with the editor's own CR line ends, as templates keep their bodies.
QByteArray EditorText(TSyntaxMemo& Editor)
{
    return QByteArray::fromStdString(Editor.TextStore().GetText(0, Editor.TextLength()));
}

QStringList ItemTexts(const QListWidget& List)
{
    QStringList texts;
    for (int row = 0; row < List.count(); ++row)
        texts << List.item(row)->text();
    return texts;
}

// Puts Text into the sorted List and selects it.
void InsertSorted(QListWidget& List, const QString& Text)
{
    List.addItem(Text);
    List.sortItems();
    const QList<QListWidgetItem*> found = List.findItems(Text, Qt::MatchExactly);
    if (!found.isEmpty())
        List.setCurrentItem(found.first());
}

// After the selected item went: the item now at its row, or the last.
void RemoveSelected(QListWidget& List)
{
    const int row = List.currentRow();
    if (row < 0)
        return;
    delete List.takeItem(row);
    List.setCurrentRow(std::min(row, List.count() - 1));
}

void ApplyButtons(QPushButton* Button1, QPushButton* Button2, const options::TButtonStates& States)
{
    Button1->setEnabled(States.Button1.Enabled);
    Button1->setText(States.Button1.Caption);
    Button2->setEnabled(States.Button2.Enabled);
    Button2->setText(States.Button2.Caption);
}

void RemoveWord(QStringList& Words, const QString& Word)
{
    Words.removeIf([&](const QString& W) { return W.compare(Word, Qt::CaseInsensitive) == 0; });
}

} // namespace

// --- auto correct ---

void TOptionsDialog::FillAutoReplace()
{
    const bool before = std::exchange(updating_, true);
    AutoReplBox->clear();
    autoReplaceWords_.clear();
    for (const TMacroKeywords::TMacro& macro : copy_->AutoReplace().Macros()) {
        const QString word = QString::fromLatin1(macro.Name);
        AutoReplBox->addItem(macro.Body.isEmpty() ? word : word + Tab + QString::fromLatin1(macro.Body));
        autoReplaceWords_ << word;
    }
    AutoReplBox->sortItems();
    autoReplaceWords_.sort(Qt::CaseInsensitive);
    AutoReplActBox->setText(QString::fromLatin1(copy_->AutoReplace().ActivationKeys()));
    updating_ = before;
    UpdateAutoReplaceButtons();
}

void TOptionsDialog::AutoReplaceSelected()
{
    const QListWidgetItem* item = AutoReplBox->currentItem();
    if (!item || updating_)
        return;
    ReplaceBox->setText(FirstPart(item->text()));
    WithBox->setText(SecondPart(item->text()));
}

void TOptionsDialog::UpdateAutoReplaceButtons()
{
    const QString word = ReplaceBox->text();
    if (WithBox->text().isEmpty() && autoReplaceWords_.contains(word, Qt::CaseInsensitive)) {
        // The first item of the word is selected to be compared.
        for (int row = 0; row < AutoReplBox->count(); ++row)
            if (FirstPart(AutoReplBox->item(row)->text()) == word.toLower()) {
                const bool before = std::exchange(updating_, true);
                AutoReplBox->setCurrentRow(row);
                updating_ = before;
                break;
            }
    }
    ApplyButtons(AutoReplButton1, AutoReplButton2,
                 options::AutoReplaceButtons(word, WithBox->text(), autoReplaceWords_, ItemTexts(*AutoReplBox)));
}

void TOptionsDialog::AutoReplaceButton1Click()
{
    const QString word = ReplaceBox->text().toLower();
    const QString with = WithBox->text();
    autoReplaceWords_ << word;
    autoReplaceWords_.sort(Qt::CaseInsensitive);
    const bool before = std::exchange(updating_, true);
    InsertSorted(*AutoReplBox, with.isEmpty() ? word : word + Tab + with);
    updating_ = before;
    RebuildAutoReplace();
}

void TOptionsDialog::AutoReplaceButton2Click()
{
    const bool before = std::exchange(updating_, true);
    if (AutoReplButton2->text() == QLatin1String("Delete")) {
        RemoveWord(autoReplaceWords_, ReplaceBox->text());
        RemoveSelected(*AutoReplBox);
    } else if (QListWidgetItem* item = AutoReplBox->currentItem()) {
        const QString word = ReplaceBox->text().toLower();
        item->setText(WithBox->text().isEmpty() ? word : word + Tab + WithBox->text());
    }
    updating_ = before;
    RebuildAutoReplace();
}

void TOptionsDialog::RebuildAutoReplace()
{
    TAutoReplace& list = copy_->AutoReplace();
    list.Clear();
    for (const QString& item : ItemTexts(*AutoReplBox))
        list.AddReplacement(FirstPart(item).toLatin1(), SecondPart(item).toLatin1());
    list.SetActivationKeys(AutoReplActBox->text().toLatin1());
    UpdateAutoReplaceButtons();
}

// --- code templates ---

void TOptionsDialog::FillTemplates()
{
    const bool before = std::exchange(updating_, true);
    cteListBox->clear();
    templateNames_.clear();
    for (const TMacroKeywords::TMacro& macro : copy_->CodeTemplates().Macros()) {
        const QString name = QString::fromLatin1(macro.Name);
        cteListBox->addItem(name + Tab + QString::fromLatin1(macro.Description));
        templateNames_ << name;
    }
    cteListBox->sortItems();
    templateNames_.sort(Qt::CaseInsensitive);
    cteHotkey->SetHotKey(copy_->CodeTemplates().TriggerKey);
    updating_ = before;
    UpdateTemplateButtons();
}

void TOptionsDialog::TemplateSelected()
{
    const QListWidgetItem* item = cteListBox->currentItem();
    if (!item || updating_)
        return;
    const bool before = std::exchange(updating_, true);
    cteNameBox->setText(FirstPart(item->text()));
    cteDescBox->setText(SecondPart(item->text()));
    QByteArray body;
    copy_->CodeTemplates().GetMacro(cteNameBox->text().toLatin1(), body);
    SyntaxMemo1->SetText(body.toStdString());
    SyntaxMemo1->SetModified(false);
    updating_ = before;
    UpdateTemplateButtons();
}

void TOptionsDialog::UpdateTemplateButtons()
{
    if (updating_ || !copy_)
        return;
    QByteArray stored;
    copy_->CodeTemplates().GetMacro(cteNameBox->text().toLatin1(), stored);
    ApplyButtons(CodeTemplateButton1, CodeTemplateButton2,
                 options::TemplateButtons(cteNameBox->text(), cteDescBox->text(),
                                          EditorText(*SyntaxMemo1), templateNames_,
                                          ItemTexts(*cteListBox), stored));
}

void TOptionsDialog::TemplateButton1Click()
{
    const QString name = cteNameBox->text().toLower();
    templateNames_ << name;
    templateNames_.sort(Qt::CaseInsensitive);
    copy_->CodeTemplates().SetMacro(name.toLatin1(), cteDescBox->text().toLatin1(),
                                    EditorText(*SyntaxMemo1));
    const bool before = std::exchange(updating_, true);
    InsertSorted(*cteListBox, name + Tab + cteDescBox->text());
    updating_ = before;
    UpdateTemplateButtons();
}

void TOptionsDialog::TemplateButton2Click()
{
    const QString name = cteNameBox->text().toLower();
    const bool before = std::exchange(updating_, true);
    if (CodeTemplateButton2->text() == QLatin1String("Replace")) {
        copy_->CodeTemplates().SetMacro(name.toLatin1(), cteDescBox->text().toLatin1(),
                                        EditorText(*SyntaxMemo1));
        if (QListWidgetItem* item = cteListBox->currentItem())
            item->setText(name + Tab + cteDescBox->text());
    } else {
        RemoveWord(templateNames_, name);
        copy_->CodeTemplates().DeleteMacro(name.toLatin1());
        RemoveSelected(*cteListBox);
    }
    updating_ = before;
    UpdateTemplateButtons();
}

// A trigger key needs a modifier other than Shift alone; without one it takes Alt.
void TOptionsDialog::TemplateHotkeyLeft()
{
    TShortCut key = cteHotkey->HotKey();
    if (key == 0)
        key = scAlt | 'A';
    if ((key & (scCtrl | scAlt)) == 0)
        key = TShortCut((key & ~scShift) | scAlt);
    cteHotkey->SetHotKey(key);
    copy_->CodeTemplates().TriggerKey = key;
}
