// TListingLineFields: where the fields of one listing line stand, found by the layout's rules on the
// line as text or as bytes, so that the two readers of listings split lines the same way.
#pragma once

#include "ftp/listing/listing_columns.h"
#include "ftp/listing/listing_format.h"

#include <QVarLengthArray>

// A range of a line: the index of its first character and the index past its end.
struct TListingSpan {
    qsizetype Start = 0;
    qsizetype End = 0;
};

struct TListingLineFields {
    // How many fields the line gave: 0 when its layout rejects it, fewer than 4 when it ended early.
    int Count = 0;
    // Unix layouts: the attributes column (DOS lines have none, see Kind).
    TListingSpan Attributes;
    // The size column; empty where the size is "0" (DOS lines without one, Apple WebStar folders).
    TListingSpan Size;
    // The date columns (up to three, DateCount of them), joined with single blanks as the date text.
    TListingSpan Date[3];
    int DateCount = 0;
    // The name: everything after the one blank that follows the date (Unix layouts) or after the
    // blanks that follow the size (DOS), up to the line end; blanks at its ends belong to it.
    TListingSpan Name;
    // DOS lines: 'd' for a folder, '-' for a file, 0 when the line ended before its third column.
    char Kind = 0;
};

namespace listing_detail {

constexpr int DosMinimumLength = 21;

template <class View> bool HoldsDirMark(View column)
{
    static constexpr char16_t Mark[] = u"<DIR>";
    for (qsizetype i = 0; i + 5 <= column.size(); ++i) {
        qsizetype k = 0;
        while (k < 5) {
            char16_t c = ListingUnit(column[i + k]);
            if (c >= u'a' && c <= u'z')
                c = char16_t(c - u'a' + u'A');
            if (c != Mark[k])
                break;
            ++k;
        }
        if (k == 5)
            return true;
    }
    return false;
}

} // namespace listing_detail

// A Unix-type line whose size is column SizeColumn, followed by three date columns and the name.
template <class View> TListingLineFields SplitUnixLine(View Line, int SizeColumn)
{
    TListingLineFields fields;
    if (!IsUnixTypeLine(Line))
        return fields;
    const int firstDate = SizeColumn + 1;
    const int lastDate = SizeColumn + 3;
    TBasicListingColumns<View> columns(Line);
    while (columns.Next()) {
        const int n = columns.Number();
        const TListingSpan span{columns.Start(), columns.End()};
        if (n == 1) {
            fields.Attributes = span;
            fields.Count = 1;
        } else if (n == SizeColumn) {
            fields.Size = span;
            fields.Count = 2;
        } else if (n >= firstDate && n <= lastDate) {
            fields.Date[fields.DateCount++] = span;
            if (n == lastDate) {
                fields.Count = 3;
                if (span.End + 1 < Line.size()) {
                    fields.Name = {span.End + 1, Line.size()};
                    fields.Count = 4;
                }
                return fields;
            }
        }
    }
    // A line that ends inside the date columns keeps the fields before them.
    fields.DateCount = 0;
    return fields;
}

// A DOS line: date and time columns, then "<DIR>" or a size, then the name. Lines shorter than 21
// characters are rejected; longer ones always give four fields (empty where the line ended).
template <class View> TListingLineFields SplitDosLine(View Line)
{
    TListingLineFields fields;
    if (Line.size() < listing_detail::DosMinimumLength)
        return fields;
    fields.Count = 4;
    TBasicListingColumns<View> columns(Line);
    while (columns.Next()) {
        const TListingSpan span{columns.Start(), columns.End()};
        if (columns.Number() <= 2) {
            fields.Date[fields.DateCount++] = span;
            continue;
        }
        if (listing_detail::HoldsDirMark(columns.Text())) {
            fields.Kind = 'd';
        } else {
            fields.Kind = '-';
            fields.Size = span;
        }
        qsizetype start = span.End;
        while (start < Line.size() && ListingUnit(Line[start]) <= u' ')
            ++start;
        fields.Name = {start, Line.size()};
        break;
    }
    return fields;
}

// An Apple WebStar line: a folder's column 2 ("folder") and 3 stand before the date, and its size
// is "0"; a file's columns 2 and 3 stand before the size. The attributes are trimmed.
template <class View> TListingLineFields SplitWebStarLine(View Line)
{
    const bool folder = !Line.isEmpty() && ListingUnit(Line[0]) == u'd';
    TListingLineFields fields = SplitUnixLine(Line, folder ? 3 : 4);
    if (folder)
        fields.Size = {};
    TListingSpan& attributes = fields.Attributes;
    while (attributes.Start < attributes.End && ListingUnit(Line[attributes.Start]) <= u' ')
        ++attributes.Start;
    while (attributes.End > attributes.Start && ListingUnit(Line[attributes.End - 1]) <= u' ')
        --attributes.End;
    return fields;
}

// The line split by the parser of Format.
template <class View> TListingLineFields SplitListingLine(View Line, TListingFormat Format)
{
    switch (Format) {
    case lfStandardUnix: return SplitUnixLine(Line, 5);
    case lfAppleUnix: return SplitUnixLine(Line, 4);
    case lfWebStar: return SplitWebStarLine(Line);
    case lfDos: return SplitDosLine(Line);
    case lfUnknown: break;
    }
    return {};
}

// The date columns of Fields joined with single blanks (not trimmed yet), as characters.
template <class View>
void JoinListingDate(View Line, const TListingLineFields& Fields, QVarLengthArray<QChar, 64>& Out)
{
    Out.clear();
    for (int i = 0; i < Fields.DateCount; ++i) {
        if (i > 0)
            Out.append(QChar(u' '));
        for (qsizetype k = Fields.Date[i].Start; k < Fields.Date[i].End; ++k)
            Out.append(QChar(ListingUnit(Line[k])));
    }
}
