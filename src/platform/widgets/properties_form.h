// The properties sheet as a dialog: a form of read-only values with an OK button.
#pragma once

#include "platform/ui/properties_sheet.h"

// Shows the dialog modally through the prompt service. Each value is a label named after its
// row ("value:Name") so that tests can read it.
void ShowPropertiesForm(const QString& Title, const QList<TPropertyRow>& Rows);
