// TInputDlgFrm, the one-line input prompt with a picture, and InputBoxPos and InputBoxPos2, the
// prompt with its position kept under "Dialogs\InputBox\".
#pragma once

#include "settings/forms/stream_position_form.h"

class QFrame;
class QLabel;
class QPushButton;
class TEdit;

// A picture, a wrapped prompt, one edit box, OK (enabled exactly while the edit box is not empty)
// and Cancel, on a fixed dialog of 479 x 130 pixels inside.
class TInputDlgFrm : public TStreamPositionFrm {
    Q_OBJECT
public:
    // The position kept under the registry key Key.
    TInputDlgFrm(TComponent* AOwner, const QString& Key);

    // Asks for one line: the window titled Caption shows Prompt, Value as the text to edit and
    // glyph Icon (0 to 10; another index keeps the dialog's own picture, the "INFO" glyph). True when the
    // user confirmed with OK, and Value then holds the text; false, with Value unchanged, when the user
    // cancelled.
    static bool Execute(const QString& Caption, const QString& Prompt, const QString& Key, int Icon,
                        QString& Value);
    // The same with the typed characters hidden.
    static bool ExecutePassword(const QString& Caption, const QString& Prompt, const QString& Key, int Icon,
                                QString& Value);

    QLabel* Image1;
    QLabel* lblPrompt;
    TEdit* txtValue;
    QFrame* Bevel1;
    QPushButton* btnOk;
    QPushButton* Button2;

private:
    static bool Ask(const QString& Caption, const QString& Prompt, const QString& Key, int Icon,
                    QString& Value, bool Password);
    void txtValueChange(TObject* Sender);
};

// TInputDlgFrm::Execute with the position key DialogKey("InputBox").
bool InputBoxPos(const QString& Caption, const QString& Prompt, QString& Value, int Icon);
// TInputDlgFrm::ExecutePassword with the same key.
bool InputBoxPos2(const QString& Caption, const QString& Prompt, QString& Value, int Icon);
