// TOpenDialog and TSaveDialog: the class library's file dialogs, shown as Qt's own (not the
// desktop's) file dialog through the prompt service.
#pragma once

#include "platform/rtl/object.h"

#include <QString>
#include <QStringList>
#include <functional>

class QFileDialog;

// The class library's filter string, pairs of a description and its patterns separated by "|",
// patterns separated by ";": "HTML Files|*.htm;*.html|All Files|*.*" becomes the name filters
// "HTML Files (*.htm *.html)" and "All Files (*)" ("*.*" matches every name, as it did where the
// string comes from). A description without patterns is dropped.
QStringList FilterToNameFilters(const QString& Filter);

enum TOpenOption { ofOverwritePrompt = 1, ofAllowMultiSelect = 2, ofFileMustExist = 4 };

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner = nullptr);
    ~TOpenDialog() override;

    QString Title;
    QString Filter;
    // 1-based: the filter chosen at the start, and after Execute the one the user left chosen;
    // counted in Filter's pairs, those dropped for want of patterns included.
    int FilterIndex = 1;
    QString InitialDir;
    // The chosen file, and with ofAllowMultiSelect every chosen file.
    QString FileName;
    QStringList Files;
    // TOpenOption flags.
    int Options = 0;
    // Fires while the dialog is up whenever the user picks another filter (FilterIndex is the new one).
    std::function<void(TObject* Sender)> OnTypeChange;

    // Shows the dialog modally; true when the user chose a file (FileName, Files and FilterIndex
    // then hold the choice), false when cancelled.
    virtual bool Execute();

protected:
    // Open or save.
    virtual bool Saving() const { return false; }
    // Last changes to the dialog before it shows.
    virtual void Prepare(QFileDialog& Dialog);
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;

protected:
    bool Saving() const override { return true; }
};
