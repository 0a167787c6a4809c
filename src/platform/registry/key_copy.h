// CopyRegKey: copies a key of the user's registry with everything below it.
#pragma once

#include <QString>

// Copies the key Source (a path below HKEY_CURRENT_USER) with its values and all its subkeys to
// Target, which is created when missing; what Target held stays unless a copied value replaces
// it. False when Source does not exist or Target cannot be written.
bool CopyRegKey(const QString& Source, const QString& Target);
