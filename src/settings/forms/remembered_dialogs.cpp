// Remembered-answer and captioned message dialogs.
#include "settings/forms/remembered_dialogs.h"

#include "platform/registry/reg_ini_file.h"
#include "platform/rtl/events.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

void SetCaptions(TMessageForm& Dialog, const QStringList& Captions)
{
    const QList<QPushButton*>& buttons = Dialog.Buttons();
    for (qsizetype i = 0; i < buttons.size() && i < Captions.size(); ++i)
        buttons[i]->setText(Captions[i]);
}

int AskRemember(const QString& Msg, const QString& CheckCaption, const QString& KeyPath, int FlagNumber,
                const TNotifyEvent& OnDone, TMsgDlgButtons Buttons, TMsgDlgType DlgType,
                const QString& ValueName, const QStringList& Captions)
{
    if (const int answer = RememberedAnswer(KeyPath, ValueName, Buttons))
        return answer;
    auto dialog = CreateMessageDialog(Msg, DlgType, Buttons);
    SetCaptions(*dialog, Captions);
    QCheckBox* check = dialog->AddCheckBox(CheckCaption);
    const int answer = dialog->ShowModal();
    dialog->Tag = check->isChecked() ? 1 : 0;
    dialog->FlagNumber = FlagNumber;
    if (answer != mrCancel && answer != mrIgnore && answer != mrNo)
        Fire(OnDone, static_cast<TObject*>(dialog.get()));
    return answer;
}

} // namespace

int RememberedAnswer(const QString& KeyPath, const QString& ValueName, TMsgDlgButtons Buttons)
{
    if (TRegIniFile(KeyPath).ReadInteger(QString(), ValueName, 0) != 1)
        return 0;
    if (Buttons.Contains(mbYes))
        return mrYes;
    if (Buttons.Contains(mbOK))
        return mrOk;
    if (Buttons.Contains(mbAll))
        return mrAll;
    return mrYes;
}

void StoreRememberedAnswer(const QString& KeyPath, const QString& ValueName)
{
    TRegIniFile(KeyPath).WriteInteger(QString(), ValueName, 1);
}

int MessageDlgRemember(const QString& Msg, const QString& CheckCaption, const QString& KeyPath,
                       int FlagNumber, const TNotifyEvent& OnDone, TMsgDlgButtons Buttons,
                       TMsgDlgType DlgType, const QString& ValueName)
{
    return AskRemember(Msg, CheckCaption, KeyPath, FlagNumber, OnDone, Buttons, DlgType, ValueName, {});
}

int MessageDlgCaptions(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                       const QStringList& Captions)
{
    auto dialog = CreateMessageDialog(Msg, DlgType, Buttons);
    SetCaptions(*dialog, Captions);
    return dialog->ShowModal();
}

int MessageDlgCaptionsRemember(const QString& Msg, const QString& CheckCaption, const QString& KeyPath,
                               int FlagNumber, const TNotifyEvent& OnDone, TMsgDlgButtons Buttons,
                               TMsgDlgType DlgType, const QString& ValueName, const QStringList& Captions)
{
    return AskRemember(Msg, CheckCaption, KeyPath, FlagNumber, OnDone, Buttons, DlgType, ValueName, Captions);
}
