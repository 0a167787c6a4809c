// The Options page of the editor options dialog: the option check boxes, the number and tab
// edits, the margin edits with their spin buttons, and the keys the edits take.
#include "highlighter/options/options_dialog.h"

#include "highlighter/options/options_rules.h"
#include "highlighter/options/sm_hot_key.h"

#include "editor/document/syntax_memo_error.h"
#include "editor/language/sm_settings.h"
#include "editor/syntax_memo.h"

#include "platform/rtl/exception.h"
#include "platform/ui/message_dialogs.h"
#include "platform/ui/shortcut_text.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

namespace {

// The text as a whole number, or the conversion error the class library gives.
int StrToInt(const QString& Text)
{
    bool ok = false;
    const int value = Text.trimmed().toInt(&ok);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(Text));
    return value;
}

// Keys the dialog itself handles go on to it whatever an edit accepts.
bool IsDialogKey(int QtKey)
{
    return QtKey == Qt::Key_Tab || QtKey == Qt::Key_Backtab || QtKey == Qt::Key_Return || QtKey == Qt::Key_Enter ||
           QtKey == Qt::Key_Escape;
}

void ShowError(const Exception& E)
{
    MessageDlg(E.Message, mtError, {mbOK});
}

} // namespace

void TOptionsDialog::UpdateTabColBox()
{
    OptionBox("TabColBox")->setEnabled(!(FEditor->OptionWord() & OPT_WORDWRAP));
}

void TOptionsDialog::OptionClick(QCheckBox* Box)
{
    std::uint32_t word = FEditor->OptionWord();
    const std::uint32_t bit = Box->property("Tag").toUInt();
    word = Box->isChecked() ? word | bit : word & ~bit;
    copy_->Options = word;
    FEditor->SetOptionWord(word);
    UpdateTabColBox();
    RefreshSamples();
}

// The editor keeps what it accepts; the box and the copy take that. A text that is no number is
// reported and the old value comes back.
void TOptionsDialog::NumberEditLeft(QLineEdit* Edit)
{
    const bool wrap = Edit == WrapColumnBox;
    try {
        const int value = StrToInt(Edit->text());
        if (wrap) {
            FEditor->SetWrapAtColumn(value);
            copy_->WrapAtColumn = FEditor->WrapAtColumn();
        } else {
            FEditor->SetIndentStep(value);
            copy_->IndentStep = FEditor->IndentStep();
        }
    } catch (const EConvertError& e) {
        ShowError(e);
    }
    Edit->setText(QString::number(wrap ? FEditor->WrapAtColumn() : FEditor->IndentStep()));
    RefreshSamples();
}

void TOptionsDialog::TabEditLeft(QLineEdit* Edit)
{
    if (Edit == TabColumnsBox) {
        try {
            FEditor->SetTabColumns(Edit->text());
            copy_->TabColumns = FEditor->Settings().TabColumns;
        } catch (const ESyntaxMemo& e) {
            ShowError(e);
            Edit->setText(FEditor->TabColumns());
        }
    } else {
        try {
            FEditor->SetTabDefault(StrToInt(Edit->text()));
            copy_->TabDefault = FEditor->TabDefault();
        } catch (const Exception& e) {
            ShowError(e);
            Edit->setText(QString::number(FEditor->TabDefault()));
        }
    }
    RefreshSamples();
}

void TOptionsDialog::MarginChanged(QLineEdit* Edit)
{
    if (updating_)
        return;
    const int value = options::MarginValue(Edit->text());
    const bool gutter = Edit->property("Tag").toInt() == 1;
    if (gutter) {
        copy_->Gutter = value;
        FEditor->SetGutter(value);
    } else {
        copy_->RightMargin = value;
        FEditor->SetRightMargin(value);
    }
    const QString kept = QString::number(gutter ? FEditor->Gutter() : FEditor->RightMargin());
    if (Edit->text() != kept) {
        updating_ = true;
        Edit->setText(kept);
        updating_ = false;
    }
    RefreshSamples();
}

void TOptionsDialog::SpinClick(QLineEdit* Edit, bool Up)
{
    Edit->setText(options::SpinMargin(Edit->text(), Up));
}

bool TOptionsDialog::FilterEvent(QObject* Watched, QEvent* Event)
{
    // Outside Execute there is nothing to edit.
    if (!copy_)
        return false;
    if (Event->type() == QEvent::KeyPress) {
        const int qtKey = static_cast<QKeyEvent*>(Event)->key();
        const int key = VirtualKeyFromQt(qtKey);
        if (Watched == IndentStepBox || Watched == WrapColumnBox)
            return !IsDialogKey(qtKey) && !options::NumberEditAccepts(key);
        if (Watched == LeftBorderWidthBox || Watched == RightMarginWidthBox)
            return !IsDialogKey(qtKey) && !options::MarginEditAccepts(key);
    } else if (Event->type() == QEvent::FocusOut) {
        if (Watched == CommandKeysListBox)
            DropEmptyBindings();
        else if (Watched == cteHotkey)
            TemplateHotkeyLeft();
    } else if (Event->type() == QEvent::MouseButtonPress && Watched == FEditor->viewport()) {
        SampleMousePress(static_cast<QMouseEvent*>(Event)->position().toPoint());
    }
    return false;
}
