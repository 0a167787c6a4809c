// initDialogs: the start-up work of the dialogs.
#pragma once

// Registers the wizard client classes with WizardClassFactory.
void initDialogs();
