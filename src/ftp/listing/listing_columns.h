// TListingColumns: walks the columns of a remote listing line.
#pragma once

#include <QString>
#include <QStringView>

// True for the lines of Unix listings: a file ("-"), folder ("d") or link ("l") line.
inline bool IsUnixTypeLine(QStringView Line)
{
    return !Line.isEmpty() && (Line[0] == u'-' || Line[0] == u'd' || Line[0] == u'l');
}

// The columns of a line are runs of characters other than the blank, separated by runs of
// blanks; only the blank separates (a tab is part of a column).
class TListingColumns {
public:
    explicit TListingColumns(QStringView Line) : line_(Line) {}

    // Moves to the next column; false when the line holds no more.
    bool Next()
    {
        qsizetype i = end_;
        while (i < line_.size() && line_[i] == u' ')
            ++i;
        if (i == line_.size())
            return false;
        start_ = i;
        while (i < line_.size() && line_[i] != u' ')
            ++i;
        end_ = i;
        ++number_;
        return true;
    }

    // The current column: its number (from 1), its first index and the index past its end.
    int Number() const { return number_; }
    qsizetype Start() const { return start_; }
    qsizetype End() const { return end_; }
    QStringView Text() const { return line_.sliced(start_, end_ - start_); }
    // The line from the current column's first character on.
    QStringView Rest() const { return line_.sliced(start_); }
    // The character after index I, or a null character at the end of the line.
    QChar After(qsizetype I) const { return I + 1 < line_.size() ? line_[I + 1] : QChar(); }

private:
    QStringView line_;
    int number_ = 0;
    qsizetype start_ = 0;
    qsizetype end_ = 0;
};
