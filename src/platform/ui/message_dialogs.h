// The class library's message dialogs as the program's code calls them: a message with a type and a
// set of buttons, answered with a modal result. The dialog itself is a widget (platform/widgets
// installs it at start-up); code that links no widgets calls MessageDlg all the same.
#pragma once

#include "platform/ui/modal_results.h"

#include <QString>
#include <functional>
#include <initializer_list>

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

// The modal result of a button: mrYes for mbYes ... mrYesToAll for mbYesToAll.
int ModalResultOf(TMsgDlgBtn Button);
// The button a dialog with Buttons takes as its default: OK, else Yes, else the first.
// Returns false for an empty set.
bool DefaultButtonOf(TMsgDlgButtons Buttons, TMsgDlgBtn& Button);

// Shows a message dialog and returns its modal result.
int MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);

// What MessageDlg shows with. Until one is installed (a program without widgets), the message goes
// to standard error and the answer is the default button's result (mrCancel for no buttons).
using TMessageDlgHandler = std::function<int(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons)>;
// Installs Handler (empty restores standard error) and returns the one installed before.
TMessageDlgHandler SetMessageDlgHandler(TMessageDlgHandler Handler);
