// Named bookmarks and their adjustment to edits.
#include "editor/document/bookmarks.h"

#include "platform/rtl/events.h"

#include <algorithm>

TCustomBookmarks::~TCustomBookmarks()
{
    for (const TNamedBookmark& node : nodes_) {
        Fire(OnFree, node.Name);
    }
}

void TCustomBookmarks::Insert(TNamedBookmark Bookmark)
{
    const auto place = std::upper_bound(nodes_.begin(), nodes_.end(), Bookmark.Pos,
                                        [](int pos, const TNamedBookmark& node) { return pos < node.Pos; });
    nodes_.insert(place, std::move(Bookmark));
}

void TCustomBookmarks::Add(const QString& Name, int Pos)
{
    const auto same = std::find_if(nodes_.begin(), nodes_.end(), [&](const TNamedBookmark& node) {
        return node.Name.compare(Name, Qt::CaseInsensitive) == 0;
    });
    if (same != nodes_.end())
        nodes_.erase(same);
    Insert({Name, Pos});
    Fire(OnChange);
}

bool TCustomBookmarks::Find(const QString& Name, int& Pos) const
{
    for (const TNamedBookmark& node : nodes_) {
        if (node.Name.compare(Name, Qt::CaseInsensitive) == 0) {
            Pos = node.Pos;
            return true;
        }
    }
    return false;
}

void TCustomBookmarks::Clear()
{
    if (nodes_.empty())
        return;
    std::vector<TNamedBookmark> freed;
    freed.swap(nodes_);
    for (const TNamedBookmark& node : freed) {
        Fire(OnFree, node.Name);
    }
    Fire(OnChange);
}

void TCustomBookmarks::AdjustForInsert(int Count, int Pos)
{
    bool changed = false;
    for (TNamedBookmark& node : nodes_) {
        if (node.Pos >= Pos && Count != 0) {
            node.Pos += Count;
            changed = true;
        }
    }
    if (changed)
        Fire(OnChange);
}

void TCustomBookmarks::AdjustForDelete(int Count, int Pos)
{
    if (Count <= 0)
        return;
    bool changed = false;
    std::vector<QString> freed;
    for (auto it = nodes_.begin(); it != nodes_.end();) {
        if (it->Pos >= Pos + Count) {
            it->Pos -= Count;
            changed = true;
        } else if (it->Pos >= Pos) {
            freed.push_back(it->Name);
            it = nodes_.erase(it);
            changed = true;
            continue;
        }
        ++it;
    }
    for (const QString& name : freed) {
        Fire(OnFree, name);
    }
    if (changed)
        Fire(OnChange);
}
