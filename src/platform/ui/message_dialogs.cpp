// MessageDlg through the installed handler, or on standard error.
#include "platform/ui/message_dialogs.h"

#include <cstdio>

namespace {

TMessageDlgHandler& Handler()
{
    static TMessageDlgHandler handler;
    return handler;
}

} // namespace

int ModalResultOf(TMsgDlgBtn Button)
{
    switch (Button) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    }
    return mrNone;
}

bool DefaultButtonOf(TMsgDlgButtons Buttons, TMsgDlgBtn& Button)
{
    if (Buttons.Contains(mbOK)) {
        Button = mbOK;
        return true;
    }
    for (int b = mbYes; b <= mbYesToAll; ++b) {
        if (Buttons.Contains(TMsgDlgBtn(b))) {
            Button = TMsgDlgBtn(b);
            return true;
        }
    }
    return false;
}

int MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons)
{
    const TMessageDlgHandler handler = Handler();
    if (handler)
        return handler(Msg, DlgType, Buttons);
    std::fprintf(stderr, "%s\n", Msg.toLocal8Bit().constData());
    TMsgDlgBtn button;
    return DefaultButtonOf(Buttons, button) ? ModalResultOf(button) : mrCancel;
}

TMessageDlgHandler SetMessageDlgHandler(TMessageDlgHandler Handler_)
{
    return std::exchange(Handler(), std::move(Handler_));
}
