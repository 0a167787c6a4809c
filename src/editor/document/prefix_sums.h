// TPrefixSums: running totals over a row of counts (a Fenwick tree), so that changing one count,
// the total before an entry and the entry a running total falls into each take logarithmic time.
#pragma once

#include <vector>

class TPrefixSums {
public:
    // Keeps the first From counts and puts Counts after them in place of the rest; the work
    // grows with the counts replaced, not with those kept. From is at most Size().
    void Replace(int From, const std::vector<int>& Counts);
    void Add(int Index, int Delta);
    // The sum of the counts before Index.
    int Before(int Index) const;
    // The entry that holds running total Target: the last one whose Before is at most Target.
    int Find(int Target) const;
    int Size() const { return int(tree_.size()) - 1; }

private:
    std::vector<int> tree_{0}; // 1-based
    std::vector<int> running_; // Replace's running totals, kept to save allocating them each time
};
