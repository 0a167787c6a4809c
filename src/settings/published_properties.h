// The published properties of a persisted object: its Q_PROPERTY declarations and how each is kept.
//
// A persisted class declares its stored state as Q_PROPERTY declarations, which are visited in
// declaration order, ancestor classes first. Their types decide how they are kept:
//   int                       an integer
//   bool                      a Boolean (an enumeration of False and True)
//   a Q_ENUM type             an enumeration (Q_FLAG sets are not kept)
//   QString                   a text
//   TStrings*                 a string list: the property hands out the list itself, which
//                             loading fills and saving reads (declare it exactly as TStrings*)
//   a pointer to a QObject    a nested object, kept by the same rules; when it is a TCollection,
//                             its items (QObjects too) are kept one by one
// Properties of any other type (64-bit integers, floating point, characters ...) are not kept,
// and neither are "objectName", "Name" and "Tag".
//
// A class declares a property's default with Q_CLASSINFO("default:<property>", "<integer>"); only
// the component stream of a file storage uses it (the registry form stores every property).
#pragma once

#include "platform/rtl/string_list.h"

#include <QMetaProperty>
#include <QObject>
#include <optional>
#include <vector>

enum class TPropertyKind { Integer, Boolean, Enumeration, String, StringList, Object };

struct TPublishedProperty {
    QMetaProperty Meta;
    TPropertyKind Kind;
    QString Name;
};

// The kept properties of Object's class, in the order described above.
std::vector<TPublishedProperty> PublishedProperties(const QObject* Object);

// The integer, Boolean (0 or 1) or enumeration value of the property.
int OrdinalOf(const QObject* Object, const TPublishedProperty& Property);
// Sets an integer, Boolean or enumeration property from a stored number: any number but 0 is
// True; a number that is none of the enumeration's values gives its first value.
void SetOrdinal(QObject* Object, const TPublishedProperty& Property, int Value);
// The list of a string-list property, or the object of an object property (null when unset).
TStrings* StringListOf(const QObject* Object, const TPublishedProperty& Property);
QObject* ObjectOf(const QObject* Object, const TPublishedProperty& Property);
// The default the class declares for the property, if any.
std::optional<int> DeclaredDefault(const QObject* Object, const TPublishedProperty& Property);

// Copies every kept property of Source's class that Target has too: numbers, Booleans,
// enumerations and texts through the properties' setters, string lists line by line (Assign).
// Nested objects and collections are not copied.
void AssignPublishedProperties(const QObject& Source, QObject& Target);

// The class library's refusal of an assignment: raises EConvertError "Cannot assign a <source
// class> to a <target class>" ("nil" when there is no source).
[[noreturn]] void RaiseAssignError(const TObject* Source, const TObject& Target);
