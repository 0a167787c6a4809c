// initDialogs: the start-up work of the dialogs.
#pragma once

// Registers the wizard client classes with WizardClassFactory and makes the system folder dialog
// the folder picker.
void initDialogs();
