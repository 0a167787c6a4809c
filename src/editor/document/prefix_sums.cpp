// The Fenwick tree of TPrefixSums.
#include "editor/document/prefix_sums.h"

#include <algorithm>

// Entry i of the tree holds the counts from i - lowbit(i) to i - 1, the difference of two running
// totals: those from From on come from the new counts, those before From from the entries kept.
void TPrefixSums::Replace(int From, const std::vector<int>& Counts)
{
    running_.assign(1, Before(From));
    for (const int count : Counts)
        running_.push_back(running_.back() + count);
    const int size = From + int(Counts.size());
    tree_.resize(std::size_t(size) + 1);
    for (int i = From + 1; i <= size; ++i) {
        const int low = i - (i & -i);
        tree_[std::size_t(i)] =
            running_[std::size_t(i - From)] - (low >= From ? running_[std::size_t(low - From)] : Before(low));
    }
}

void TPrefixSums::Add(int Index, int Delta)
{
    for (int i = Index + 1; i <= Size(); i += i & -i)
        tree_[std::size_t(i)] += Delta;
}

int TPrefixSums::Before(int Index) const
{
    int sum = 0;
    for (int i = Index; i > 0; i -= i & -i)
        sum += tree_[std::size_t(i)];
    return sum;
}

int TPrefixSums::Find(int Target) const
{
    int at = 0;
    int step = 1;
    while (step * 2 <= Size())
        step *= 2;
    for (; step > 0; step /= 2) {
        if (at + step <= Size() && tree_[std::size_t(at + step)] <= Target) {
            at += step;
            Target -= tree_[std::size_t(at)];
        }
    }
    return std::min(at, Size() - 1);
}
