// TCustomBookmarks: named bookmarks, text positions that follow the text through edits.
#pragma once

#include <QString>
#include <functional>
#include <vector>

// Bookmarks sorted by position; names compare without case, one bookmark per name.
class TCustomBookmarks {
public:
    TCustomBookmarks() = default;
    TCustomBookmarks(const TCustomBookmarks&) = delete;
    TCustomBookmarks& operator=(const TCustomBookmarks&) = delete;
    // Frees every bookmark, firing OnFree for each.
    ~TCustomBookmarks();

    // Sets the bookmark of that name to Pos, adding it when it is new.
    void Add(const QString& Name, int Pos);
    // The position of the named bookmark; false when there is none.
    bool Find(const QString& Name, int& Pos) const;
    int Count() const { return int(nodes_.size()); }
    const QString& Name(int Index) const { return nodes_[std::size_t(Index)].Name; }
    int Position(int Index) const { return nodes_[std::size_t(Index)].Pos; }

    // Frees every bookmark, firing OnFree for each.
    void Clear();
    // Count characters inserted at Pos: bookmarks from Pos on move with the text.
    void AdjustForInsert(int Count, int Pos);
    // Count characters removed at Pos: bookmarks inside the range are freed, later ones move back.
    void AdjustForDelete(int Count, int Pos);

    std::function<void(const QString& Name)> OnFree;
    // Any bookmark was added, moved or freed.
    std::function<void()> OnChange;

private:
    struct TNamedBookmark {
        QString Name;
        int Pos;
    };
    void Insert(TNamedBookmark Bookmark);

    std::vector<TNamedBookmark> nodes_;
};
