// TMessageForm: the message dialog over QMessageBox that MessageDlg shows once the platform's
// widgets have started: a message with an icon, a title by its type, push buttons from a set, and an
// optional check box.
#pragma once

#include "platform/rtl/object.h"
#include "platform/ui/message_dialogs.h"

#include <QList>
#include <QMessageBox>
#include <memory>

class QCheckBox;
class QPushButton;

// A message dialog. Its push buttons stand in the set's order, with the captions "&Yes", "&No",
// "OK", "Cancel", "&Abort", "&Retry", "&Ignore", "&All", "N&o to All", "Yes to &All", and give the
// modal results mrYes, mrNo, mrOk ... mrYesToAll. The default button is OK, else Yes, else the
// first; Escape presses Cancel, else No, else OK (nothing when the set has none of them); the close
// box answers mrCancel whatever the buttons are.
class TMessageForm : public QMessageBox, public TComponent {
    Q_OBJECT
public:
    TMessageForm(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                 TComponent* AOwner = nullptr);

    // The push buttons in their order on the dialog.
    const QList<QPushButton*>& Buttons() const { return buttons_; }
    // Puts a check box with Caption below the message, left-aligned; returns it.
    QCheckBox* AddCheckBox(const QString& Caption);

    // Shows the dialog modally (through the prompt service); returns the modal result.
    int ShowModal();
    // The result of the last showing: the pressed button's, mrCancel for the close box.
    int ModalResult() const;

    // A number the caller keeps with the dialog for the handlers it hands the dialog to.
    int FlagNumber = 0;

protected:
    void closeEvent(QCloseEvent* E) override;
    void keyPressEvent(QKeyEvent* E) override;

private:
    QList<QPushButton*> buttons_;
    QList<int> results_;
    bool closedByBox_ = false;
};

// Builds a message dialog for the caller to adjust and show.
std::unique_ptr<TMessageForm> CreateMessageDialog(const QString& Msg, TMsgDlgType DlgType,
                                                  TMsgDlgButtons Buttons);
// Shows a message dialog through the prompt service: the handler MessageDlg uses in a program with
// widgets.
int ShowMessageForm(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
