// Moving lines between the class library's string lists and Qt's.
#pragma once

#include "platform/rtl/string_list.h"

#include <QStringList>

QStringList LinesOf(const TStrings& Strings);
// Replaces the lines of Strings with Lines, as one change.
void SetLines(TStrings& Strings, const QStringList& Lines);
