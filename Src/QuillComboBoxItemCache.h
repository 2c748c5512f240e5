#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QAbstractItemModel;
class QObject;

namespace platform {
class ComboBox;
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

    // The first entry from `from` on whose upper-cased text begins with `prefix`; -1 for none.
    // A prefix that extends the previous one resumes where that one was found, so that typing
    // (and completion's nested run with the whole item) scans the list once.
    int firstStartingWith(QStringView prefix, int from);
    // The entries from `from` on, in order, whose upper-cased text contains `text` (which holds
    // no pattern characters); an empty text gives every entry.
    void findContaining(QStringView text, int from, std::vector<int> &found);
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
    int scanForPrefix(QStringView prefix, int from) const;
    // The position in `text` of the code unit the joined texts hold fewest of.
    qsizetype anchorOf(QStringView text) const;

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
    // The entries' own texts the same way.
    QString m_texts;
    std::vector<qsizetype> m_textStarts;
    // The last prefix asked for, with where it was asked from and what it found.
    QString m_lastPrefix;
    int m_lastFrom = -1;
    int m_lastFound = -1;
    bool m_lastValid = false;
    // How often code units occur in the joined texts, folded into buckets, to pick the rarest
    // code unit of a search text to scan for.
    static constexpr int FrequencyBuckets = 1024;
    std::array<uint32_t, FrequencyBuckets> m_frequency {};
    bool m_joinedReady = false;
    uint64_t m_generation = 0;
};
