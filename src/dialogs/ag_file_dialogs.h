// TAgOpenDialog and TAgSaveDialog: the file dialogs with the choice to show or hide the bar of
// the user's places at their left.
#pragma once

#include "platform/widgets/file_dialogs.h"

class TAgOpenDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;

    bool ShowPlacesBar = true;

protected:
    void Prepare(QFileDialog& Dialog) override;
};

class TAgSaveDialog : public TAgOpenDialog {
public:
    using TAgOpenDialog::TAgOpenDialog;

protected:
    bool Saving() const override { return true; }
};
