#pragma once

#include "QuillComboBoxPrefixIndex.h"

#include <QLocale>
#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAbstractItemModel;
class QObject;

namespace platform {
class ComboBox;
class ListTextSource;
class WildcardPattern;
} // namespace platform

// The entries of the inner combo's list with their upper-cased texts. Completion and search
// compare upper-cased texts on every keystroke; upper-casing tens of thousands of items each
// time is far too slow, so each entry is upper-cased once and kept until it changes. The cache
// follows the list's own model, so that entries a host adds or removes through the ComboBox
// reference are seen as well as those of AddItem and Clear. A change of the user's locale
// upper-cases everything again.
class QuillComboBoxItemCache
{
public:
    QuillComboBoxItemCache();
    ~QuillComboBoxItemCache();
    QuillComboBoxItemCache(const QuillComboBoxItemCache &) = delete;
    QuillComboBoxItemCache &operator=(const QuillComboBoxItemCache &) = delete;

    // Follows the list of `combo`, which must outlive the cache.
    void attach(platform::ComboBox &combo);

    int count();
    // Goes up whenever the list's entries change (added, removed, replaced, cleared) or the
    // locale that upper-cases them does: results computed at one generation are stale at
    // another.
    uint64_t generation();
    // The entry's text upper-cased in the user's locale.
    const QString &upper(int index);
    // A fresh copy of the entry's text, valid after a search. Results are copied from the
    // cache's own texts, which lie one after the other: touching thousands of strings scattered
    // over the heap costs more than the search itself.
    QString text(int index) const;
    // The entries' texts as they are now, numbered by entry, for a list to show results from
    // without copying them. Later changes of the list leave these alone.
    std::shared_ptr<const platform::ListTextSource> texts();

    // The first entry from `from` on, in list order, whose upper-cased text begins with `prefix`
    // and that `accept`, when given, takes; -1 for none. Answered from an index of the sorted
    // texts, made on the first query after the entries change.
    int firstStartingWith(
        QStringView prefix, int from, const std::function<bool(int)> &accept = {});
    // The entries from `from` on, in order, whose upper-cased text contains `text` (which holds
    // no pattern characters); an empty text gives every entry.
    void findContaining(QStringView text, int from, std::vector<int> &found);
    // The entries from `from` on, in order, whose upper-cased text holds `run` with at least
    // `before` code units ahead of it and `after` behind it, at a place where `accept` takes the
    // window of before + run + after code units around it.
    void findWindows(QStringView run, qsizetype before, qsizetype after,
        const std::function<bool(QStringView window)> &accept, int from, std::vector<int> &found);
    // The entries from `from` on, in order, whose upper-cased text matches `pattern`. Every
    // entry that matches must contain `mustContain` (which may be empty): only those are tried.
    void findMatching(const platform::WildcardPattern &pattern, QStringView mustContain, int from,
        std::vector<int> &found);

private:
    struct Entry
    {
        QString text;
        QString upper;
        bool upperReady = false;
    };

    void inserted(int first, int last);
    void removed(int first, int last);
    void changed(int first, int last);
    void reloadAll();
    // Brings the cache in step before a query: the locale, and without a model every entry.
    void prepare();
    void ensureUpper(Entry &entry);
    void ensureJoined();
    // Sets the bits of m_marks where m_joined holds `unit`.
    void markUnit(char16_t unit);
    // The position in `text` of the code unit the joined texts hold fewest of.
    qsizetype anchorOf(QStringView text) const;
    // Calls visit(start, entry) for each mark set by markUnit, in order, as the place `start`
    // (at or after `begin`) of a text whose code unit k it is, with the entry `start` lies in.
    template<typename Visit>
    void forEachMark(qsizetype k, qsizetype begin, Visit &&visit) const;

    platform::ComboBox *m_combo = nullptr;
    // Owns the connections to the model; gone with the cache.
    std::unique_ptr<QObject> m_context;
    bool m_following = false;
    std::vector<Entry> m_entries;
    QLocale m_locale;
    // Every upper-cased text, one after the other with a separator, for searching all entries
    // with one scan; m_starts[i] is where entry i begins, m_starts[count] the end.
    QString m_joined;
    std::vector<qsizetype> m_starts;
    // The entries' own texts the same way, shared with the lists that show results.
    class Texts;
    std::shared_ptr<Texts> m_texts;
    // The entry each code unit of m_joined belongs to (a list holds at most 32767 entries).
    std::vector<int16_t> m_entryOf;
    // One bit for each code unit of m_joined, and a spare word; kept between searches.
    std::vector<uint64_t> m_marks;
    // The entries a pattern is tried on, kept so that a search allocates nothing.
    std::vector<int> m_candidates;
    // Over m_joined, made when type-ahead first needs it after the entries change.
    QuillComboBoxPrefixIndex m_prefixIndex;
    // How often code units occur in the joined texts, folded into buckets, to pick the rarest
    // code unit of a search text to scan for.
    static constexpr int FrequencyBuckets = 1024;
    std::array<uint32_t, FrequencyBuckets> m_frequency {};
    bool m_joinedReady = false;
    uint64_t m_generation = 0;
};
