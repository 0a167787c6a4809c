// TApplication.
#include "platform/rtl/application.h"

#include "platform/rtl/exception.h"
#include "platform/ui/message_dialogs.h"

#include <QGuiApplication>
#include <QThread>
#include <cstdio>

TApplication* Application = nullptr;

static TApplication::ExceptionPrompt& Prompt()
{
    static TApplication::ExceptionPrompt prompt;
    return prompt;
}

static void DefaultPrompt(const QString& message)
{
    const bool onGuiThread = qApp && QThread::currentThread() == qApp->thread();
    if (onGuiThread && qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
        QGuiApplication::platformName() != QLatin1String("offscreen")) {
        MessageDlg(message, mtError, {mbOK});
        return;
    }
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

TApplication::TApplication()
{
    Application = this;
}

TApplication::~TApplication()
{
    if (Application == this)
        Application = nullptr;
}

QString TApplication::Title() const
{
    return title_;
}

// Kept here, not as Qt's display name: Qt would append that to the caption of every window.
void TApplication::SetTitle(const QString& title)
{
    title_ = title;
}

void TApplication::Terminate()
{
    terminated_ = true;
    QCoreApplication::quit();
}

void TApplication::QuitReceived()
{
    Terminate();
}

void TApplication::ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::HandleException(const Exception& E)
{
    ReportException(E);
}

TApplication::ExceptionPrompt TApplication::SetExceptionPrompt(ExceptionPrompt prompt)
{
    ExceptionPrompt previous = std::move(Prompt());
    Prompt() = std::move(prompt);
    return previous;
}

void TApplication::ReportException(const Exception& E)
{
    const ExceptionPrompt prompt = Prompt();
    if (prompt)
        prompt(E.Message);
    else
        DefaultPrompt(E.Message);
}
