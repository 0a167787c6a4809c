// TBasicListingColumns: walks the columns of a remote listing line, held as text or as bytes.
#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QStringView>

// The code of a character of a line: its UTF-16 unit, or its byte (0 to 255).
constexpr char16_t ListingUnit(QChar C)
{
    return C.unicode();
}
constexpr char16_t ListingUnit(char C)
{
    return char16_t(static_cast<unsigned char>(C));
}

// True for the lines the parsers read: a file ("-"), folder ("d") or link ("l") line.
template <class View> bool IsUnixTypeLine(View Line)
{
    if (Line.isEmpty())
        return false;
    const char16_t first = ListingUnit(Line[0]);
    return first == u'-' || first == u'd' || first == u'l';
}

// True for every line of a Unix listing, also those of block and character devices ("b", "c"),
// pipes ("p") and sockets ("s"): they count when the format is detected, though the parsers leave
// them out.
inline bool IsUnixEntryLine(QStringView Line)
{
    return IsUnixTypeLine(Line) || (!Line.isEmpty() && QStringView(u"bcps").contains(Line[0]));
}

// The columns of a line are runs of characters other than the blank, separated by runs of
// blanks; only the blank separates (a tab is part of a column).
template <class View> class TBasicListingColumns {
public:
    explicit TBasicListingColumns(View Line) : line_(Line) {}

    // Moves to the next column; false when the line holds no more.
    bool Next()
    {
        qsizetype i = end_;
        while (i < line_.size() && IsBlank(i))
            ++i;
        if (i == line_.size())
            return false;
        start_ = i;
        while (i < line_.size() && !IsBlank(i))
            ++i;
        end_ = i;
        ++number_;
        return true;
    }

    // The current column: its number (from 1), its first index and the index past its end.
    int Number() const { return number_; }
    qsizetype Start() const { return start_; }
    qsizetype End() const { return end_; }
    View Text() const { return line_.sliced(start_, end_ - start_); }
    // The code of the character at index I, or 0 at the end of the line and beyond.
    char16_t At(qsizetype I) const { return I < line_.size() ? ListingUnit(line_[I]) : u'\0'; }

private:
    bool IsBlank(qsizetype i) const { return ListingUnit(line_[i]) == u' '; }

    View line_;
    int number_ = 0;
    qsizetype start_ = 0;
    qsizetype end_ = 0;
};

using TListingColumns = TBasicListingColumns<QStringView>;
