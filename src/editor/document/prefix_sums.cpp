// The Fenwick tree of TPrefixSums.
#include "editor/document/prefix_sums.h"

#include <algorithm>

void TPrefixSums::Assign(const std::vector<int>& Counts)
{
    const int size = int(Counts.size());
    tree_.assign(std::size_t(size) + 1, 0);
    for (int i = 1; i <= size; ++i) {
        tree_[std::size_t(i)] += Counts[std::size_t(i - 1)];
        const int parent = i + (i & -i);
        if (parent <= size)
            tree_[std::size_t(parent)] += tree_[std::size_t(i)];
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
