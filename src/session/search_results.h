// TSearchResults: the steps of an offline search that run on the GUI thread and fill the search
// result list, and TSearchHit, one matching listing line turned into the list's texts.
#pragma once

#include "ftp/listing/listing_format.h"

#include <QString>
#include <functional>

class QWidget;
class TListView;

// The image of the "Searching for ..." row that stands first while a search runs.
constexpr int SearchPlaceholderImage = -20;

// A listing line as a row of the result list: its caption (a link's name without its target),
// the folder, the size text (empty for folders and links), the type name, the date text (empty
// when the date cannot be read) and the system icon.
struct TSearchHit {
    QString Caption;
    QString Folder;
    QString Size;
    QString TypeName;
    QString Date;
    int ImageIndex = 0;
};

// The hit that Line of Folder makes when split by the parser of Format; false when the parser
// takes nothing from the line.
bool MakeSearchHit(TListingFormat Format, const QString& Folder, const QString& Line, TSearchHit& Hit);

// Whether Mask occurs in Line; "?" matches any one character. CaseIndex 0 ignores the case of
// letters, 1 matches it.
bool SearchLineMatches(const QString& Line, const QString& Mask, int CaseIndex);

class TSearchResults {
public:
    // Status (text, panel) writes the window's status bar; Animation, when given, runs while a
    // search does.
    TSearchResults(TListView& List, std::function<void(const QString&, int)> Status, QWidget* Animation = nullptr);

    // Receives the text of a cache file that could not be read (the window writes it to its log).
    std::function<void(const QString& Message)> OnReadError;

    // Empties the list and shows the "Searching for ..." row.
    void Start(const QString& Mask);
    // Names in panel 2 the folder whose cached listing is read.
    void FolderNotice(const QString& Folder);
    // Adds the row of a matching line.
    void AddResult(TListingFormat Format, const QString& Folder, const QString& Line);
    void ReadFailed(const QString& Folder, const QString& Reason);
    // Replaces the "Searching for ..." row by the count of hits, or by the no-results text.
    void Finish();

private:
    TListView& list_;
    std::function<void(const QString&, int)> status_;
    QWidget* animation_;
};
