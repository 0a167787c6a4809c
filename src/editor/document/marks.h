// Marks: text ranges with user data that the painter draws and that follow the text through
// edits, kept sorted by their start.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct TMark {
    int Start = 0;
    int End = 0; // never below Start
    std::uint8_t Kind = 0;
    std::int32_t Data = 0;
};

class TMarkList {
public:
    using TMarkHook = std::function<void(TMark* Mark)>;

    TMarkList() = default;
    TMarkList(const TMarkList&) = delete;
    TMarkList& operator=(const TMarkList&) = delete;
    // Frees every mark, firing OnFree for each.
    ~TMarkList();

    // A mark from Start to End (ordered) in its sorted place.
    TMark* Add(int Start, int End, std::int32_t Data, std::uint8_t Kind = 0);
    int Count() const { return int(marks_.size()); }
    TMark* Items(int Index) const { return marks_[std::size_t(Index)].get(); }

    // The first mark, in list order, that overlaps Pos .. Pos + Length (ends included).
    TMark* Find(int Pos, int Length) const;
    // The marks that touch Start .. End (ends included), for the painter.
    std::vector<TMark*> Overlapping(int Start, int End) const;
    // Move one end (the ends swap when they would cross) and re-sort.
    void SetStart(TMark* Mark, int Pos);
    void SetEnd(TMark* Mark, int Pos);

    // Count characters inserted at Pos: marks from Pos on move, a mark around Pos grows.
    void AdjustForInsert(int Pos, int Count);
    // Count characters removed at Pos: a mark inside the range is freed; every other end at or
    // after the range moves back with the text, and an end inside the range moves to Pos.
    void AdjustForDelete(int Pos, int Count);

    TMarkHook OnFree;
    TMarkHook OnChange;

private:
    void Resort(TMark* Mark);

    std::vector<std::unique_ptr<TMark>> marks_;
};
