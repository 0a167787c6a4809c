// TPromptService: the one way the program shows a window modally, so that tests can answer it.
#pragma once

class QDialog;

// Every modal window (message boxes, input boxes, the program's dialogs, file and folder pickers)
// is shown through the service in use. The default runs the dialog's own modal loop; tests install
// a scripted one that answers instead of a person, so nothing modal ever blocks them.
class TPromptService {
public:
    virtual ~TPromptService() = default;
    // Shows Dialog until it is closed and returns its result code (QDialog::result()).
    virtual int Execute(QDialog& Dialog) = 0;
};

// The service in use.
TPromptService& PromptService();
// Installs Service (null restores the default) and returns the one installed before (null for the
// default).
TPromptService* SetPromptService(TPromptService* Service);

// Shows Dialog modally through the service. While it is up the screen cursor is the arrow (a dialog
// built under the hourglass is answered with the arrow); afterwards the cursor is set back.
int ExecModal(QDialog& Dialog);
