// The sorted mark list and its adjustment to edits.
#include "editor/document/marks.h"

#include "editor/document/line_record.h"

#include "platform/rtl/events.h"

#include <algorithm>
#include <tuple>

TMarkList::~TMarkList()
{
    for (const std::unique_ptr<TMark>& mark : marks_) {
        Fire(OnFree, mark.get());
    }
}

TMark* TMarkList::Add(int Start, int End, std::int32_t Data, std::uint8_t Kind)
{
    const auto [start, end] = OrderRange(Start, End);
    auto mark = std::make_unique<TMark>(TMark{start, end, Kind, Data});
    TMark* added = mark.get();
    const auto place =
        std::upper_bound(marks_.begin(), marks_.end(), start,
                         [](int value, const std::unique_ptr<TMark>& m) { return value < m->Start; });
    marks_.insert(place, std::move(mark));
    return added;
}

TMark* TMarkList::Find(int Pos, int Length) const
{
    for (const std::unique_ptr<TMark>& mark : marks_) {
        if (mark->Start <= Pos + Length && mark->End >= Pos)
            return mark.get();
    }
    return nullptr;
}

std::vector<TMark*> TMarkList::Overlapping(int Start, int End) const
{
    std::vector<TMark*> found;
    for (const std::unique_ptr<TMark>& mark : marks_) {
        if (mark->Start > End)
            break;
        if (mark->End >= Start)
            found.push_back(mark.get());
    }
    return found;
}

void TMarkList::SetStart(TMark* Mark, int Pos)
{
    std::tie(Mark->Start, Mark->End) = OrderRange(Pos, Mark->End);
    Resort(Mark);
}

void TMarkList::SetEnd(TMark* Mark, int Pos)
{
    std::tie(Mark->Start, Mark->End) = OrderRange(Mark->Start, Pos);
    Resort(Mark);
}

void TMarkList::Resort(TMark* Mark)
{
    const auto it =
        std::find_if(marks_.begin(), marks_.end(), [&](const auto& m) { return m.get() == Mark; });
    if (it == marks_.end())
        return;
    std::unique_ptr<TMark> owned = std::move(*it);
    marks_.erase(it);
    const auto place =
        std::upper_bound(marks_.begin(), marks_.end(), Mark->Start,
                         [](int value, const std::unique_ptr<TMark>& m) { return value < m->Start; });
    marks_.insert(place, std::move(owned));
}

void TMarkList::AdjustForInsert(int Pos, int Count)
{
    if (Count == 0)
        return;
    for (const std::unique_ptr<TMark>& mark : marks_) {
        if (Pos <= mark->Start) {
            mark->Start += Count;
            mark->End += Count;
        } else if (Pos <= mark->End) {
            mark->End += Count;
        } else {
            continue;
        }
        Fire(OnChange, mark.get());
    }
}

void TMarkList::AdjustForDelete(int Pos, int Count)
{
    if (Count <= 0)
        return;
    const int end = Pos + Count;
    const auto moved = [&](int x) { return x < Pos ? x : (x >= end ? x - Count : Pos); };
    for (auto it = marks_.begin(); it != marks_.end();) {
        TMark* mark = it->get();
        // Wholly inside: an empty mark only when it lies strictly within the range.
        if (mark->Start >= Pos && mark->End <= end && mark->Start < end && mark->End > Pos) {
            std::unique_ptr<TMark> freed = std::move(*it);
            it = marks_.erase(it);
            Fire(OnFree, freed.get());
            continue;
        }
        const int start = moved(mark->Start);
        const int stop = moved(mark->End);
        if (start != mark->Start || stop != mark->End) {
            mark->Start = start;
            mark->End = stop;
            Fire(OnChange, mark);
        }
        ++it;
    }
}
