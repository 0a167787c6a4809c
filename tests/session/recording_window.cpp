// TRecordingWindow.
#include "recording_window.h"

TRecordingWindow::TRecordingWindow()
    : handle_(win::AllocateHWnd([this](win::TMessage& Message) { Messages.push_back(Message.Msg); }))
{
}

TRecordingWindow::~TRecordingWindow()
{
    win::DeallocateHWnd(handle_);
}

void TRecordingWindow::SetStatusText(const QString& Text, int Panel)
{
    if (Panel >= 1 && Panel <= 3)
        Panels[Panel].append(Text);
}
