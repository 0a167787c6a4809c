// The Key Assignments page of the editor options dialog: the commands, their bindings, the key
// wizard, and the key map built anew on OK.
#include "highlighter/options/options_dialog.h"

#include "highlighter/options/key_assign_dialog.h"
#include "highlighter/options/options_rules.h"

#include "editor/language/sm_settings.h"

#include "platform/ui/message_dialogs.h"

#include <QListWidget>
#include <QPushButton>
#include <algorithm>

namespace {

const char* const FirstKeyPrompt =
    "Press the first key combination until the correct key sequence appears then press the NEXT button";
const char* const SecondKeyPrompt =
    "If the key sequence requires a 2nd key press then enter the key now. Press the FINISH button to accept changes";

} // namespace

TOptionsDialog::TCommandRecord* TOptionsDialog::CommandRecordAt(int Row)
{
    const QListWidgetItem* item = CommandDescListBox->item(Row);
    const std::size_t index = item ? std::size_t(item->data(Qt::UserRole).toInt()) : commands_.size();
    return index < commands_.size() ? commands_[index].get() : nullptr;
}

void TOptionsDialog::FillCommands()
{
    const int selected = std::max(CommandDescListBox->currentRow(), 0);
    const bool before = std::exchange(updating_, true);
    CommandDescListBox->clear();
    commands_.clear();
    std::vector<TKeyboardActionContoller::TCommandName> names = copy_->KeyController().CommandNames();
    std::stable_sort(names.begin(), names.end(), [](const auto& A, const auto& B) {
        return QString::compare(A.Name, B.Name, Qt::CaseInsensitive) < 0;
    });
    for (const TKeyboardActionContoller::TCommandName& name : names) {
        auto record = std::make_unique<TCommandRecord>();
        record->Command = name.Command;
        auto* item = new QListWidgetItem(name.Name, CommandDescListBox);
        item->setData(Qt::UserRole, int(commands_.size()));
        commands_.push_back(std::move(record));
    }
    if (CommandDescListBox->count() > 0)
        CommandDescListBox->setCurrentRow(std::min(selected, CommandDescListBox->count() - 1));
    updating_ = before;
    CommandSelected();
}

void TOptionsDialog::LoadBindings(TCommandRecord& Record)
{
    Record.Loaded = true;
    TKeyboardActionContoller& keys = copy_->KeyController();
    TShortCut key1 = 0;
    TShortCut key2 = 0;
    for (keys.FindFirstKeys(Record.Command, key1, key2); key1 != 0; keys.FindNextKeys(Record.Command, key1, key2))
        Record.Bindings.push_back({key1, key2});
}

void TOptionsDialog::CommandSelected()
{
    TCommandRecord* record = CommandRecordAt(CommandDescListBox->currentRow());
    AddButton->setEnabled(true);
    DeleteButton->setEnabled(record != nullptr);
    if (record && record->Bindings.empty() && !record->Changed && !record->Loaded)
        LoadBindings(*record);
    ShowBindings();
}

void TOptionsDialog::ShowBindings()
{
    TCommandRecord* record = CommandRecordAt(CommandDescListBox->currentRow());
    CommandKeysListBox->clear();
    currentBinding_ = {};
    if (!record)
        return;
    for (const TBinding& binding : record->Bindings)
        CommandKeysListBox->addItem(options::BindingText(binding.Key1, binding.Key2));
    if (CommandKeysListBox->count() > 0)
        CommandKeysListBox->setCurrentRow(0);
}

// The binding of the selected row; the list keeps the keys beside their texts.
void TOptionsDialog::BindingSelected()
{
    TCommandRecord* record = CommandRecordAt(CommandDescListBox->currentRow());
    const int row = CommandKeysListBox->currentRow();
    if (!record || row < 0 || row >= int(record->Bindings.size()))
        return;
    currentBinding_ = *std::next(record->Bindings.begin(), row);
}

void TOptionsDialog::AddBinding()
{
    TCommandRecord* record = CommandRecordAt(CommandDescListBox->currentRow());
    if (!record)
        return;
    TKeyAssignDialog wizard;
    TShortCut key1 = 0;
    TShortCut key2 = 0;
    if (!wizard.Execute(key1, key2, kamAdd, QLatin1String(SecondKeyPrompt), QLatin1String(FirstKeyPrompt),
                        CommandDescListBox->currentItem()->text()))
        return;
    record->Bindings.push_back({key1, key2});
    record->Changed = true;
    ShowBindings();
    CommandKeysListBox->setCurrentRow(CommandKeysListBox->count() - 1);
}

void TOptionsDialog::EditBinding()
{
    TCommandRecord* record = CommandRecordAt(CommandDescListBox->currentRow());
    if (!record)
        return;
    const auto found = std::find(record->Bindings.begin(), record->Bindings.end(), currentBinding_);
    if (found == record->Bindings.end())
        return;
    TKeyAssignDialog wizard;
    TShortCut key1 = found->Key1;
    TShortCut key2 = found->Key2;
    if (!wizard.Execute(key1, key2, kamEdit, QLatin1String(SecondKeyPrompt), QLatin1String(FirstKeyPrompt),
                        CommandDescListBox->currentItem()->text()))
        return;
    *found = {key1, key2};
    record->Changed = true;
    const int row = int(std::distance(record->Bindings.begin(), found));
    ShowBindings();
    CommandKeysListBox->setCurrentRow(row);
}

void TOptionsDialog::DeleteBinding()
{
    TCommandRecord* record = CommandRecordAt(CommandDescListBox->currentRow());
    if (!record)
        return;
    const auto found = std::find(record->Bindings.begin(), record->Bindings.end(), currentBinding_);
    if (found != record->Bindings.end())
        record->Bindings.erase(found);
    record->Changed = true;
    ShowBindings();
}

void TOptionsDialog::DropEmptyBindings()
{
    if (TCommandRecord* record = CommandRecordAt(CommandDescListBox->currentRow()))
        record->Bindings.remove_if([](const TBinding& Binding) { return Binding.Key1 == 0; });
}

bool TOptionsDialog::RebuildKeyMap()
{
    TKeyboardActionContoller keys;
    try {
        for (int row = 0; row < CommandDescListBox->count(); ++row) {
            TCommandRecord& record = *CommandRecordAt(row);
            keys.SetCommandName(record.Command, CommandDescListBox->item(row)->text());
            if (!record.Loaded && !record.Changed)
                LoadBindings(record);
        }
        for (int row = 0; row < CommandDescListBox->count(); ++row) {
            const TCommandRecord& record = *CommandRecordAt(row);
            for (const TBinding& binding : record.Bindings)
                keys.AddKeyPair(binding.Key1, binding.Key2, record.Command);
        }
    } catch (const Exception& e) {
        MessageDlg(e.Message, mtError, {mbOK});
        return false;
    }
    copy_->KeyController().Assign(keys);
    return true;
}
