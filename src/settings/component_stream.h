// The binary component stream ("TPF0") of a file storage: an object's published properties
// (see published_properties.h) written as the class library writes a component.
//
//   "TPF0", class name, object name      (short strings: a length byte and that many bytes)
//   property*, 0                         each a short-string name and a typed value
//   0                                    (no child components)
//
// Values: integers as vaInt8, vaInt16 or vaInt32 (2, 3, 4, then 1, 2 or 4 little-endian bytes),
// Booleans as vaFalse (8) or vaTrue (9), enumerations as vaIdent (7) and the value's name, texts
// as vaWString (18: a 32-bit count of UTF-16 units and the units). A nested object's properties
// follow inline as "P.Q"; a string list is "P.Strings", vaList (1), its texts, 0; a collection is
// "P", vaCollection (14), then per item vaList, the item's properties, 0, and a closing 0.
// Properties equal to their declared default are left out, and so are empty texts and lists.
// The reader also takes texts as vaString (6), vaLString (12) and vaUTF8String (20).
#pragma once

class QObject;
class TStream;

// Writes the object from the stream's position.
void WriteComponentStream(TStream& Stream, QObject* Component);

// Reads the object back into Component: every named property found is set; a string list or a
// collection gets exactly the stream's lines or items; properties the object does not have, or
// of another kind, are skipped. The whole stream is checked first, so a damaged stream (raising
// EReadError) leaves Component unchanged.
void ReadComponentStream(TStream& Stream, QObject* Component);
