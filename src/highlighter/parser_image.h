// The compiled parser table image: every table of a parser, its settings and its keywords in one
// uncompressed byte stream, in this order:
//   1. the settings stream (written as version 51, read as the version of the property);
//   2. the keyword store stream;
//   3. handlers: Integer count, then per token value (ascending) Byte value, handler;
//   4. the start table: Integer count, then per first character Byte character, definition;
//   5. context states differing from DefaultStates: Integer count, then Byte token value, 32 bytes;
//   6. transitions: Integer count, then per token value Byte value, 32 bytes ValidIn, AddStates,
//      RemoveStates, Byte IsContainer, NoChange, StackOps;
//   7. state start tables: Integer count (0 with NoStateTables), then per state Byte state,
//      Integer number of filled entries, and per entry Byte character, definition, and the
//      block's whole range list (repeated after every entry; the last copy read is kept);
//   8. AnchorStates, BoundStates, DefaultStates (32 bytes each);
//   9. Byte UsesEvents.
// Records: a start or body rule is Byte Flag, the rule's character group (written for scanner
// rules too), Byte IsScanner and, for a scanner, Byte IsEvent and Integer ScannerNo. An end rule is
// Byte Flag, Byte IsScanner, then Byte IsEvent and Integer ScannerNo, or Byte SetCount and that
// many character groups. A handler is its body rule and end rule; a definition its start rule, 32
// bytes States, body rule, end rule and Byte Token; a range list an Integer count and per range
// Word low, Word high and the definition.
#pragma once

class TStream;
class TSyntaxMemoParser;

void WriteParserImage(const TSyntaxMemoParser& Parser, TStream& Stream);

// Reads an image into a parser whose tables were just reset. Every character group read is entered
// in the keyword store's group manager (an equal group is reused). A later entry for the same
// value replaces an earlier one. StateTableStates and NoStateTables are rebuilt from the state
// blocks, and every context state left empty becomes DefaultStates.
//
// Whatever the bytes, reading either succeeds or raises an Exception (the stream's read error for
// anything malformed): counts must fit the bytes left, an end rule holds at most 4 groups, a range
// character is at most 255, and a scanner number must be one its rule may use (start rules 10..20,
// handler bodies 0..20, other rules 0..13; other rules' event numbers are free).
void ReadParserImage(TSyntaxMemoParser& Parser, TStream& Stream, int Version);
