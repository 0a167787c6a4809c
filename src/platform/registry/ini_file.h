// TIniFile: reading a plain INI file, as the class library's INI-file reader does.
#pragma once

#include "platform/rtl/object.h"

#include <QString>
#include <QStringList>
#include <vector>

// The file is read once, when the object is made; a missing or unreadable file reads as empty.
// "[Section]" lines start sections, "Ident=Value" lines hold values, ";" starts a comment line.
// Sections and idents compare without case, and the first of several equal ones counts. Values
// lose their surrounding blanks and one pair of matching surrounding quotes.
class TIniFile : public TObject {
public:
    explicit TIniFile(const QString& FileName);

    const QString& FileName() const { return fileName_; }

    QString ReadString(const QString& Section, const QString& Ident, const QString& Default) const;
    // The value as a decimal integer (optional sign); Default when missing or not a number.
    int ReadInteger(const QString& Section, const QString& Ident, int Default) const;
    bool SectionExists(const QString& Section) const;
    bool ValueExists(const QString& Section, const QString& Ident) const;

private:
    struct TSection {
        QString Name;
        QStringList Idents;
        QStringList Values;
    };
    const TSection* Find(const QString& Section) const;
    // The index of Ident in the section; -1 when it has none.
    static int IndexOf(const TSection& Section, const QString& Ident);

    QString fileName_;
    std::vector<TSection> sections_;
};
