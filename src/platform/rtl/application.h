// TApplication: the program's QApplication, with its title, terminated flag, message pumping
// and the application-level exception handler.
#pragma once

#include <QApplication>
#include <functional>

class Exception;

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    QString Title() const { return applicationDisplayName(); }
    void SetTitle(const QString& title) { setApplicationDisplayName(title); }

    // True once a quit message was seen or Terminate was called.
    bool Terminated() const { return terminated_; }
    // Ends the message loop, like posting WM_QUIT.
    void Terminate();
    // Called by the message dispatcher when it meets WM_QUIT.
    void QuitReceived();

    // Runs every pending event and posted message once, then returns.
    void ProcessMessages();

    // Reports an exception that reached the application: shows its message through the prompt.
    void HandleException(const Exception& E);

    // The function that shows an exception's message. The default shows a message box when a
    // GUI is running and writes to standard error otherwise. Returns the previous prompt.
    using ExceptionPrompt = std::function<void(const QString& message)>;
    static ExceptionPrompt SetExceptionPrompt(ExceptionPrompt prompt);

    // Shows an exception's message through the prompt; usable before and without an application.
    static void ReportException(const Exception& E);

private:
    bool terminated_ = false;
};

// The running application, or null before it is created (headless tools run without one).
extern TApplication* Application;
