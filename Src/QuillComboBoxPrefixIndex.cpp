#include "QuillComboBoxPrefixIndex.h"

#include <algorithm>
#include <bit>

namespace {

int floorLog2(unsigned value)
{
    return int(std::bit_width(value)) - 1;
}

} // namespace

void QuillComboBoxPrefixIndex::clear()
{
    m_joined = {};
    m_starts = {};
    m_sorted.clear();
    m_table.clear();
    m_blocks = 0;
    m_built = false;
}

QStringView QuillComboBoxPrefixIndex::textOf(int32_t entry) const
{
    const qsizetype start = m_starts[size_t(entry)];
    return m_joined.sliced(start, m_starts[size_t(entry) + 1] - 1 - start);
}

void QuillComboBoxPrefixIndex::build(QStringView joined, std::span<const qsizetype> starts)
{
    m_joined = joined;
    m_starts = starts;
    const int count = starts.empty() ? 0 : int(starts.size()) - 1;
    m_sorted.resize(size_t(count));
    for (int i = 0; i < count; ++i)
        m_sorted[size_t(i)] = i;
    std::sort(m_sorted.begin(), m_sorted.end(), [this](int32_t a, int32_t b) {
        const int order = textOf(a).compare(textOf(b));
        return order < 0 || (order == 0 && a < b);
    });

    m_blocks = (count + BlockSize - 1) >> BlockBits;
    const int levels = m_blocks > 0 ? floorLog2(unsigned(m_blocks)) + 1 : 0;
    m_table.assign(size_t(levels) * size_t(m_blocks), 0);
    for (int b = 0; b < m_blocks; ++b) {
        const int begin = b << BlockBits;
        const int end = std::min(begin + BlockSize, count);
        int best = begin;
        for (int i = begin + 1; i < end; ++i)
            best = smallerOf(best, i);
        m_table[size_t(b)] = best;
    }
    for (int k = 1; k < levels; ++k) {
        const size_t level = size_t(k) * size_t(m_blocks);
        const size_t below = level - size_t(m_blocks);
        const int half = 1 << (k - 1);
        for (int b = 0; b + (1 << k) <= m_blocks; ++b)
            m_table[level + size_t(b)]
                = smallerOf(m_table[below + size_t(b)], m_table[below + size_t(b + half)]);
    }
    m_built = true;
}

int QuillComboBoxPrefixIndex::smallestIn(int begin, int end) const
{
    const int firstBlock = (begin + BlockSize - 1) >> BlockBits;
    const int lastBlock = end >> BlockBits; // one past the last block that lies wholly inside
    int best = begin;
    if (firstBlock >= lastBlock) {
        for (int i = begin + 1; i < end; ++i)
            best = smallerOf(best, i);
        return best;
    }
    for (int i = begin + 1; i < (firstBlock << BlockBits); ++i)
        best = smallerOf(best, i);
    for (int i = lastBlock << BlockBits; i < end; ++i)
        best = smallerOf(best, i);
    const int k = floorLog2(unsigned(lastBlock - firstBlock));
    const size_t level = size_t(k) * size_t(m_blocks);
    best = smallerOf(best, m_table[level + size_t(firstBlock)]);
    return smallerOf(best, m_table[level + size_t(lastBlock - (1 << k))]);
}

QuillComboBoxPrefixIndex::Run QuillComboBoxPrefixIndex::runOf(int begin, int end) const
{
    const int at = smallestIn(begin, end);
    return {m_sorted[size_t(at)], begin, end, at};
}

int QuillComboBoxPrefixIndex::first(
    QStringView prefix, int from, const std::function<bool(int)> &accept)
{
    const auto lower = std::lower_bound(m_sorted.cbegin(), m_sorted.cend(), prefix,
        [this](int32_t entry, QStringView text) { return textOf(entry).compare(text) < 0; });
    const auto upper = std::partition_point(lower, m_sorted.cend(),
        [this, prefix](int32_t entry) { return textOf(entry).startsWith(prefix); });
    if (lower == upper)
        return -1;

    // The run's numbers in increasing order: take the smallest, and split the run around it
    // when it does not do.
    const auto later = [](const Run &a, const Run &b) { return a.smallest > b.smallest; };
    m_heap.clear();
    m_heap.push_back(runOf(int(lower - m_sorted.cbegin()), int(upper - m_sorted.cbegin())));
    while (!m_heap.empty()) {
        std::pop_heap(m_heap.begin(), m_heap.end(), later);
        const Run run = m_heap.back();
        m_heap.pop_back();
        if (run.smallest >= from && (!accept || accept(run.smallest)))
            return run.smallest;
        if (run.begin < run.at) {
            m_heap.push_back(runOf(run.begin, run.at));
            std::push_heap(m_heap.begin(), m_heap.end(), later);
        }
        if (run.at + 1 < run.end) {
            m_heap.push_back(runOf(run.at + 1, run.end));
            std::push_heap(m_heap.begin(), m_heap.end(), later);
        }
    }
    return -1;
}
