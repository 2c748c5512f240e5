#pragma once

#include <QStringView>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// Finds the first entry in list order whose text begins with a prefix without looking at every
// entry: the entries' numbers sorted by text (by UTF-16 code unit, ties by number), so that the
// entries beginning with a prefix are one run of the sorted order, found by two binary searches;
// and the smallest number of any run, found in constant time from the minima of blocks of the
// sorted order (a sparse table over the blocks, a short scan at either end). Building costs a
// sort; a query costs O(log n), plus O(log n) for each entry of the run that is passed over
// because it lies before `from` or is refused.
//
// The index reads the texts where the caller keeps them and holds no copy: it must be rebuilt
// (or cleared) whenever they change.
class QuillComboBoxPrefixIndex
{
public:
    // Entry i's text is joined[starts[i], starts[i + 1] - 1): each text is followed by one
    // separator code unit. `joined` and `starts` must stay as they are until the next build or
    // clear.
    void build(QStringView joined, std::span<const qsizetype> starts);
    void clear();
    bool isBuilt() const { return m_built; }

    // The smallest entry number from `from` on whose text begins with `prefix` (not empty) and
    // that `accept`, when given, takes; -1 for none. Entries are offered to `accept` in list
    // order.
    int first(QStringView prefix, int from, const std::function<bool(int)> &accept);

private:
    // A run [begin, end) of the sorted order with the position of its smallest number.
    struct Run
    {
        int32_t smallest;
        int begin, end, at;
    };

    QStringView textOf(int32_t entry) const;
    // The position in the sorted order of the smallest number in [begin, end), which is not empty.
    int smallestIn(int begin, int end) const;
    int smallerOf(int a, int b) const { return m_sorted[size_t(a)] <= m_sorted[size_t(b)] ? a : b; }
    Run runOf(int begin, int end) const;

    static constexpr int BlockBits = 5;
    static constexpr int BlockSize = 1 << BlockBits;

    QStringView m_joined;
    std::span<const qsizetype> m_starts;
    std::vector<int32_t> m_sorted;
    // Level k holds, for each block b, the position of the smallest number in blocks b to
    // b + 2^k - 1; the levels lie one after the other, m_blocks entries each.
    std::vector<int32_t> m_table;
    int m_blocks = 0;
    // The runs still to look at, smallest number first; kept so that a query allocates nothing.
    std::vector<Run> m_heap;
    bool m_built = false;
};
