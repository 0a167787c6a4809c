// TScriptedPrompts: answers the program's modal windows from a script, so tests drive them and
// nothing modal blocks a test.
#pragma once

#include "platform/widgets/prompt_service.h"

#include <QDialog>
#include <QPushButton>
#include <QString>
#include <deque>
#include <functional>

// While it lives, every window the program shows modally takes the next step of the script: the
// window is shown (not modally) and handed to the step, which looks at it and closes it, as a
// user would. A window that no step is left for, or that its step leaves open, fails the running
// test and is cancelled; so do steps left unused when the script goes.
class TScriptedPrompts : public TPromptService {
public:
    using TStep = std::function<void(QDialog& Dialog)>;

    TScriptedPrompts();
    ~TScriptedPrompts() override;
    TScriptedPrompts(const TScriptedPrompts&) = delete;
    TScriptedPrompts& operator=(const TScriptedPrompts&) = delete;

    TScriptedPrompts& Then(TStep Step);
    // How many windows were shown.
    int Shown() const { return shown_; }

    int Execute(QDialog& Dialog) override;

private:
    std::deque<TStep> steps_;
    TPromptService* previous_;
    int shown_ = 0;
};

// The window's push button captioned Text (with its "&"); fails the test when there is none.
QPushButton* ButtonOf(QDialog& Dialog, const QString& Text);
// Steps: click the push button captioned Text; press Key on the focused control.
TScriptedPrompts::TStep Click(const QString& Text);
TScriptedPrompts::TStep Press(int Key);

// What a window says: its title and, for a message box, its text.
QString Describe(const QDialog& Dialog);
// Installs the service the test main keeps for the whole run: any modal window fails the running
// test and is cancelled without being shown.
void InstallUnexpectedPromptGuard();
