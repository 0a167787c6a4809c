// Writes the registry value "DirectoryCols" the shell list reads its default widths from.
#pragma once

#include <QByteArray>

void WriteDirectoryCols(const QByteArray& Data);
