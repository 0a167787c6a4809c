// TPlatformFindDialog: the small find and replace window the editor's built-in flow shows, in place
// of the platform's standard find and replace dialogs: modeless, it reports its buttons to the
// editor through its events.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// What the window holds when a button is pressed (texts in the editor's 8-bit code page).
struct TFindDialogState {
    std::string FindText;
    std::string ReplaceText;
    bool Down = true;
    bool MatchCase = false;
    bool WholeWord = false;
};

class TPlatformFindDialog : public QDialog {
public:
    explicit TPlatformFindDialog(QWidget* Parent = nullptr);

    // Find shows the find controls only ("Find"); replace adds the replacement and its buttons
    // ("Replace").
    void SetReplaceMode(bool Replace);
    bool ReplaceMode() const { return replace_; }
    TFindDialogState State() const;
    void SetFindText(const std::string& Text);
    void SetMatchCase(bool On);

    // "Find Next"; "Replace" (All false) and "Replace All" (All true).
    std::function<void(const TFindDialogState& State)> OnFind;
    std::function<void(const TFindDialogState& State, bool All)> OnReplace;

    QLineEdit* edFind;
    QLineEdit* edReplace;
    QLabel* lblReplace;
    QRadioButton* rbUp;
    QRadioButton* rbDown;
    QCheckBox* chkMatchCase;
    QCheckBox* chkWholeWord;
    QPushButton* btnFindNext;
    QPushButton* btnReplace;
    QPushButton* btnReplaceAll;
    QPushButton* btnCancel;

private:
    void UpdateButtons();
    bool replace_ = false;
};
