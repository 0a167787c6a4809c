// TSearchDlgFrm: asks for the name of a remote file or folder to search the visited folders for,
// with a history of the last searches and the last answers kept in the registry.
#pragma once

#include "settings/forms/stream_position_form.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TCheckBox;
class TLabel;
class TRadioButton;

class TSearchDlgFrm : public TStreamPositionFrm {
    Q_OBJECT
public:
    explicit TSearchDlgFrm(TComponent* AOwner = nullptr);

    // The history (10 entries) is kept under the dialog's key whatever the answer; "LookInAll",
    // "MatchCase" and "LastSearch" are read from it at the start and written on OK only. On OK
    // (result 1) the text goes on top of the history unless it is there already, and the answers
    // come back in the arguments; otherwise they are left alone.
    static int Execute(bool& LookInAll, bool& MatchCase, QString& Text);

    TLabel* Label1;
    QComboBox* cbSearch;
    QGroupBox* grpLookIn;
    TRadioButton* rbCurrentFolder;
    TRadioButton* rbAllFolders;
    TCheckBox* chkMatchCase;
    QLabel* Image1;
    QPushButton* btnOk;
    QPushButton* Button2;

    // The index of the "Look In" choice: 0 the current folder, 1 all visited folders.
    int LookInIndex() const;
    void SetLookInIndex(int Index);

private:
    void cbSearchChange();
};
