// TEdReplFrm: the editor's find and replace dialog, one modeless stay-on-top window for the whole
// program, in find or find-and-replace mode, keeping its options, last texts and two history lists
// under "Dialogs\Search Edit\".
#pragma once

#include "dialogs/find_replace_controller.h"
#include "settings/forms/stream_position_form.h"

class QComboBox;
class QGroupBox;
class QPushButton;
class TCheckBox;
class TLabel;
class TRadioButton;
class TStreamableStrings;

class TEdReplFrm : public TStreamPositionFrm {
    Q_OBJECT
public:
    enum TMode { fmFind = 0, fmReplace = 1 };

    explicit TEdReplFrm(TComponent* AOwner = nullptr);
    // Writes the registry values and both history lists.
    ~TEdReplFrm() override;

    // Serves Editor in Mode (its selection stays visible while the dialog is open); a non-empty
    // InitialText becomes the text to find. Shows the dialog without waiting; returns 0.
    int Execute(const QString& InitialText, TCustomSyntaxMemo* Editor, TMode Mode);

    TFindReplaceController& Controller() { return controller_; }
    TMode Mode() const { return mode_; }
    // The option word of the controls.
    unsigned FindOpt() const;

    TLabel* Label1;
    QComboBox* cbFindHistoryBox;
    TLabel* lblReplace;
    QComboBox* cbReplHistoryBox;
    TCheckBox* chkUseCaseBox;
    TCheckBox* chkWholeWordBox;
    TCheckBox* chkRegExBox;
    TCheckBox* chkPromptOnReplBox;
    QGroupBox* grpDirection;
    TRadioButton* optFwdDirection;
    TRadioButton* optBackDirection;
    QPushButton* btnOk;
    QPushButton* btnReplaceAllButton;
    QPushButton* btnCancel;

protected:
    void showEvent(QShowEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;

private:
    // LastSearch into the find box (selecting its history entry), the buttons updated, the focus
    // on the find box.
    void TakeLastSearch();
    void FindTextChange();
    void OkClick();
    void ReplaceAllClick();
    TFindReplaceRequest Request() const;
    void UpdateHistories();
    void LoadHistory(QComboBox* Box, TStreamableStrings*& History, const QString& Name);
    static void StoreHistory(QComboBox* Box, TStreamableStrings* History);

    TFindReplaceController controller_;
    TMode mode_ = fmFind;
    QString LastSearch;
    QString lastReplace_;
    TStreamableStrings* searchHistory_ = nullptr;
    TStreamableStrings* replaceHistory_ = nullptr;
};

// With Flag 1 frees the program's dialog (when there is one) and returns null; otherwise returns
// it, made on the first call.
TEdReplFrm* GetEdReplFrm(int Flag = 0);
