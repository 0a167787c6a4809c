// TApplication.
#include "platform/rtl/application.h"

#include "platform/rtl/exception.h"

#include <QMessageBox>
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
    if (onGuiThread && qobject_cast<QApplication*>(QCoreApplication::instance()) &&
        QApplication::platformName() != QLatin1String("offscreen")) {
        QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), message);
        return;
    }
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    Application = this;
}

TApplication::~TApplication()
{
    if (Application == this)
        Application = nullptr;
}

void TApplication::Terminate()
{
    terminated_ = true;
    quit();
}

void TApplication::QuitReceived()
{
    Terminate();
}

void TApplication::ProcessMessages()
{
    processEvents(QEventLoop::AllEvents);
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
