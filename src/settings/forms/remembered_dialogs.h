// Message dialogs with a "Do not ask again" check box whose answer is remembered in the registry,
// and message dialogs with captions of the caller's choice on their buttons.
#pragma once

#include "platform/widgets/message_form.h"

#include <QStringList>

// The remembered answer for the flag ValueName under the registry key KeyPath: when the flag is 1
// (stored as text or as a number), the answer that stands for "yes" among Buttons: mrYes when Yes
// is one of them, else mrOk when OK is, else mrAll when All is, else mrYes. 0 when the flag is not
// set.
int RememberedAnswer(const QString& KeyPath, const QString& ValueName, TMsgDlgButtons Buttons);
// Sets the flag ValueName under KeyPath to 1 (the text "1"), so RememberedAnswer answers from now on.
void StoreRememberedAnswer(const QString& KeyPath, const QString& ValueName);

// Asks Msg with a check box CheckCaption below it, unless RememberedAnswer gives an answer: then
// that answer comes back at once and nothing is shown. After the dialog closes it holds the check
// box's state in Tag (1 ticked, 0 not) and FlagNumber, and OnDone runs with the dialog (a
// TMessageForm) as Sender before it is freed, unless the answer was Cancel, Ignore or No, which
// are never remembered. OnDone stores the flag (StoreRememberedAnswer) when Tag is 1. Returns the
// modal result.
int MessageDlgRemember(const QString& Msg, const QString& CheckCaption, const QString& KeyPath,
                       int FlagNumber, const TNotifyEvent& OnDone, TMsgDlgButtons Buttons,
                       TMsgDlgType DlgType, const QString& ValueName);
// Asks Msg with the push buttons, in their order on the dialog, captioned Captions[0],
// Captions[1] ... (buttons beyond the captions keep theirs). Returns the modal result.
int MessageDlgCaptions(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                       const QStringList& Captions);
// MessageDlgRemember with the button captions of MessageDlgCaptions.
int MessageDlgCaptionsRemember(const QString& Msg, const QString& CheckCaption, const QString& KeyPath,
                               int FlagNumber, const TNotifyEvent& OnDone, TMsgDlgButtons Buttons,
                               TMsgDlgType DlgType, const QString& ValueName, const QStringList& Captions);
