// AnswerInput.
#include "input_prompts.h"

#include "dialogs/input_box.h"
#include "platform/widgets/std_controls.h"

#include <QLabel>
#include <gtest/gtest.h>

TScriptedPrompts::TStep AnswerInput(std::optional<QString> Answer, QStringList* Seen)
{
    return [Answer, Seen](QDialog& Dialog) {
        auto* form = dynamic_cast<TInputDlgFrm*>(&Dialog);
        ASSERT_NE(form, nullptr) << Describe(Dialog).toStdString();
        if (Seen)
            *Seen << form->windowTitle() << form->lblPrompt->text();
        if (Answer) {
            form->txtValue->setText(*Answer);
            form->btnOk->click();
        } else {
            form->Button2->click();
        }
    };
}
