// TKeyAssignDialog: a two-step wizard that captures the key sequence of one binding of an editor
// command: a first short cut and, when wanted, a second one.
#pragma once

#include "platform/ui/vkeys.h"
#include "platform/widgets/form.h"

#include <QString>

class QPushButton;
class QWidget;
class TLabel;
class TSM_HotKey;

// What the wizard does with the binding handed in.
enum TKeyAssignMode : std::uint8_t { kamEdit = 0, kamAdd = 1 };

class TKeyAssignDialog : public TForm {
    Q_OBJECT
public:
    explicit TKeyAssignDialog(TComponent* AOwner = nullptr);

    // Shows the wizard for CommandName: in edit mode with the binding Key1, Key2, in add mode
    // empty. Key1 and Key2 receive the two keys captured, whatever the result (Key2 is 0 for a
    // one-key binding); true when the user pressed Finish.
    bool Execute(TShortCut& Key1, TShortCut& Key2, TKeyAssignMode Mode, const QString& Prompt2,
                 const QString& Prompt1, const QString& CommandName);

    int Step() const { return step_; }

    QWidget* WizardPanel;
    QWidget* Step1Panel;
    QWidget* Step2Panel;
    TLabel* Step1Label;
    TLabel* Step1InfoLabel;
    TLabel* Step2Label;
    TLabel* Step2InfoLabel;
    TSM_HotKey* HotKey1;
    TSM_HotKey* HotKey2;
    QPushButton* ClearKey1Button;
    QPushButton* ClearKey2Button;
    QWidget* ButtonPanel;
    QPushButton* BackButton;
    QPushButton* NextButton;
    QPushButton* CancelButton;

private:
    void LayOut();
    void UpdateButtons();
    void ShowStep(int Step);
    void NextClick();
    void BackClick();

    TKeyAssignMode mode_ = kamAdd;
    int step_ = 1;
};
