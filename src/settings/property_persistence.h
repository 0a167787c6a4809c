// Saving and loading an object's published properties (see published_properties.h) under a key
// of the user's registry (below HKEY_CURRENT_USER), one value or subkey per property.
//
// Stored form, under the object's key K (a nested object's properties lie the same way in its
// subkey):
//   integers, Booleans, enumerations   value P, REG_SZ decimal text ("-5", Booleans "0" or "1")
//   texts                              value P, REG_SZ, the text unchanged
//   nested object                      its own properties in the subkey P
//   collection                         one subkey P\<display name> per item with the item's
//                                      properties; items with an empty display name are skipped
//   string list                        subkey P with the values P0, P1, ... (the subkey is
//                                      deleted first, so a shorter list leaves nothing behind)
// Loading reads a missing value, or a text that is not a decimal number, as 0, "" or False (so it
// overwrites what the constructor set). Loading appends to collections and string lists: items
// come in the registry's order of subkeys (sorted without case), lines in index order.
//
// A collection remembers (on the collection object) the item names it loaded from or saved
// under a key; saving it again deletes the subkeys of remembered names that no item carries any
// more, so a renamed or deleted item does not come back. Subkeys it never saw stay. An item
// whose display name cannot be a key name (it holds "\", for one) is not saved, and the log
// says so.
#pragma once

#include <QString>

class QObject;
class TRegIniFile;

void SavePropertiesToKey(QObject* Object, const QString& KeyPath);
void LoadPropertiesFromKey(const QString& KeyPath, QObject* Object);
// Opens KeyPath (creating it, also when loading) and saves or loads Object's properties there.
void StreamPropertiesAt(QObject* Object, const QString& KeyPath, bool Load);
// Saves or loads Object's properties in Section (a subkey path below RegIni's key; "" for the key
// itself). A null Object does nothing.
void StreamProperties(QObject* Object, const QString& Section, bool Load, TRegIniFile& RegIni);

// The name of Object's published property that holds a collection (the last one when several
// do); "" when none does.
QString CollectionPropName(const QObject* Object);
