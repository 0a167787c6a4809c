// WizardClassFactory: runs a wizard by the registered class name of its client form.
#pragma once

#include <QString>
#include <functional>

class QWidget;
class TWiz2kWizCliFrm;

// Makes a client form owned by the host Owner.
using TWizardClientMaker = std::function<TWiz2kWizCliFrm*(QWidget* Owner)>;

// Registers the client class Name (made at start-up by initDialogs).
void RegisterWizardClass(const QString& Name, TWizardClientMaker Maker);

// Runs the wizard whose client class is ClassName in a host frame (KeepSize as TWin2kWizFrm; with
// UseKey its position is kept under Key, a registry key when KeyIsRegistry, else a file name).
// Returns 1 when the wizard finished, 2 when it was cancelled; an unknown class shows an error
// and returns 2.
int WizardClassFactory(const QString& ClassName, bool KeepSize, bool UseKey, bool KeyIsRegistry,
                       const QString& Key);
