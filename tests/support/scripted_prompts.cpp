// TScriptedPrompts and the guard against unexpected modal windows.
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

class TUnexpectedPrompts : public TPromptService {
public:
    int Execute(QDialog& Dialog) override
    {
        ADD_FAILURE() << "unexpected modal window: " << Describe(Dialog).toStdString();
        Dialog.reject();
        return Dialog.result();
    }
};

} // namespace

TScriptedPrompts::TScriptedPrompts() : previous_(SetPromptService(this)) {}

TScriptedPrompts::~TScriptedPrompts()
{
    SetPromptService(previous_);
    if (!steps_.empty())
        ADD_FAILURE() << steps_.size() << " scripted answer(s) left unused";
}

TScriptedPrompts& TScriptedPrompts::Then(TStep Step)
{
    steps_.push_back(std::move(Step));
    return *this;
}

int TScriptedPrompts::Execute(QDialog& Dialog)
{
    ++shown_;
    if (steps_.empty()) {
        ADD_FAILURE() << "no scripted answer for: " << Describe(Dialog).toStdString();
        Dialog.reject();
        return Dialog.result();
    }
    const TStep step = std::move(steps_.front());
    steps_.pop_front();
    Dialog.show();
    QCoreApplication::processEvents();
    step(Dialog);
    if (Dialog.isVisible()) {
        ADD_FAILURE() << "scripted answer left the window open: " << Describe(Dialog).toStdString();
        Dialog.reject();
    }
    return Dialog.result();
}

QPushButton* ButtonOf(QDialog& Dialog, const QString& Text)
{
    for (QPushButton* button : Dialog.findChildren<QPushButton*>()) {
        if (button->text() == Text)
            return button;
    }
    ADD_FAILURE() << "no button '" << Text.toStdString() << "' on: " << Describe(Dialog).toStdString();
    return nullptr;
}

TScriptedPrompts::TStep Click(const QString& Text)
{
    return [Text](QDialog& Dialog) {
        if (QPushButton* button = ButtonOf(Dialog, Text))
            button->click();
    };
}

TScriptedPrompts::TStep Press(int Key)
{
    return [Key](QDialog& Dialog) {
        QWidget* target = Dialog.focusWidget() ? Dialog.focusWidget() : &Dialog;
        QTest::keyClick(target, Qt::Key(Key));
    };
}

QString Describe(const QDialog& Dialog)
{
    const auto* box = qobject_cast<const QMessageBox*>(&Dialog);
    return QStringLiteral("[%1] %2").arg(Dialog.windowTitle(), box ? box->text() : QString());
}

void InstallUnexpectedPromptGuard()
{
    static TUnexpectedPrompts guard;
    SetPromptService(&guard);
}
