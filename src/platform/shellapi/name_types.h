// The type of a file known by its name alone (a remote entry, a name that need not exist), with
// the type's comment and icon, remembered for the names whose ending decides their type.
//
// The shared MIME database judges a name by glob patterns. A pattern that starts with "*." can
// only match at one of the name's dots, so what it says depends on the name from its first dot on
// (its ending) and on nothing before it; only the other patterns ("Makefile", "README*", "*~",
// "[0-9][0-9][0-9].vdr") look at the rest. So every name that none of those other patterns can
// match has the type of any other such name with the same ending, and the database is asked once
// per ending: a folder of 100,000 "*.txt" names asks it once. A name without a dot, or one that an
// other pattern may match, is looked up on its own. Without the database's pattern lists
// (mime/globs2 in the data folders) every name is looked up on its own.
#pragma once

#include <QMimeType>
#include <QString>

namespace win {

struct TNameType {
    QMimeType Type;
    // The type's comment: the shell's type name, before any cut.
    QString Comment;
    // The type's icon in the system image lists; 0 unless asked for.
    int IconIndex = 0;
};

// The type of a file named Name (a name without folders), as the database judges it by the name
// (QMimeDatabase::MatchExtension). WithIcon: also the icon index (GUI thread only, as the system
// image lists are); the rest may be asked from any thread.
TNameType NameType(const QString& Name, bool WithIcon);

} // namespace win
