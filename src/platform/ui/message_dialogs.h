// The class library's message dialogs over QMessageBox: a message with an icon, a title by its
// type, push buttons from a set, and an optional check box.
#pragma once

#include "platform/rtl/object.h"
#include "platform/ui/modal_results.h"

#include <QList>
#include <QMessageBox>
#include <functional>
#include <initializer_list>

class QCheckBox;
class QPushButton;

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Titles: "Warning", "Error", "Information", "Confirm"; a custom dialog has the application's
// title and no icon.
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
// The buttons in the order they stand on a dialog, left to right.
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll };

// A set of buttons: MessageDlg(text, mtConfirmation, {mbYes, mbNo}).
class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> Buttons)
    {
        for (TMsgDlgBtn button : Buttons)
            bits_ |= 1u << button;
    }
    constexpr bool Contains(TMsgDlgBtn Button) const { return bits_ & (1u << Button); }

private:
    unsigned bits_ = 0;
};

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
// Shows a message dialog and returns its modal result.
int MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
