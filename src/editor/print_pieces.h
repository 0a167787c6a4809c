// CutPrintPieces: a line record cut into the rows it prints as, each a copy of its part of the
// text with its token bytes.
#pragma once

#include "editor/document/display_columns.h"

#include <vector>

// The pieces of Line: the whole line when Wrap is off; otherwise rows of at most MaxColumns
// columns, each ending after a blank where one is in reach (a row keeps its trailing blanks) and
// cut hard where none is. A line end is never a row of its own. Every piece is flagged for
// drawing and for the TABs it holds.
std::vector<TLineRecord> CutPrintPieces(const TLineRecord& Line, bool Wrap, int MaxColumns, const TTabStops& Tabs);
