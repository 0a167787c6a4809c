// TApplication: the program's application object, beside the Qt application that runs the event
// loop: its title, terminated flag, message pumping and the application-level exception handler.
#pragma once

#include <QString>
#include <functional>

class Exception;

// The program (and the test main) first creates its QApplication, then one TApplication.
class TApplication {
public:
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    QString Title() const;
    void SetTitle(const QString& title);

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

    // The function that shows an exception's message. Without one, the message goes to an error
    // message dialog on the GUI thread of a program with a screen, and to standard error otherwise.
    // Returns the previous prompt.
    using ExceptionPrompt = std::function<void(const QString& message)>;
    static ExceptionPrompt SetExceptionPrompt(ExceptionPrompt prompt);

    // Shows an exception's message through the prompt; usable before and without an application.
    static void ReportException(const Exception& E);

private:
    QString title_;
    bool terminated_ = false;
};

// The running application, or null before it is created (headless tools run without one).
extern TApplication* Application;
