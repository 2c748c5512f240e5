#include "QuillComboBoxItemCache.h"

#include <Quillkit/Controls/ComboBox.h>
#include <Quillkit/Controls/ListTextSource.h>
#include <Quillkit/Value/Locale.h>
#include <Quillkit/Value/Pattern.h>
#include <Quillkit/Value/TextServices.h>

#include <QAbstractItemModel>
#include <algorithm>

namespace {

// Between the texts of the joined buffer. Any code unit will do: a hit is only taken when it
// lies wholly inside one entry.
constexpr char16_t Separator = u'\n';

// The last start at or before pos, looked for from `from` on: gallops ahead, since successive
// hits are near one another when they are many and far apart when they are few.
std::vector<qsizetype>::const_iterator entryAt(std::vector<qsizetype>::const_iterator from,
    std::vector<qsizetype>::const_iterator end, qsizetype pos)
{
    std::ptrdiff_t step = 1;
    auto low = from;
    while (end - low > step && *(low + step) <= pos) {
        low += step;
        step *= 2;
    }
    const auto high = end - low > step ? low + step + 1 : end;
    return std::upper_bound(low, high, pos) - 1;
}

} // namespace

// The entries' own texts one after the other; starts[i] is where entry i begins, starts[count]
// the end. Never changed once made: a new list of entries gets a new one.
class QuillComboBoxItemCache::Texts : public platform::ListTextSource
{
public:
    QString joined;
    std::vector<qsizetype> starts;

    int32_t count() const override { return int32_t(starts.size()) - 1; }
    QString text(int32_t number) const override
    {
        const auto i = size_t(number);
        return QStringView(joined).sliced(starts[i], starts[i + 1] - starts[i]).toString();
    }
};

QuillComboBoxItemCache::QuillComboBoxItemCache() : m_context(std::make_unique<QObject>()) { }

QuillComboBoxItemCache::~QuillComboBoxItemCache() = default;

void QuillComboBoxItemCache::attach(platform::ComboBox &combo)
{
    m_combo = &combo;
    QObject *widget = combo.widget();
    // The list's model is the one item model the combo owns directly. Should that ever not
    // hold, every query compares the cache with the list instead: slower, never wrong.
    const auto models = widget->findChildren<QAbstractItemModel *>(Qt::FindDirectChildrenOnly);
    if (models.size() == 1 && models.first()->rowCount() == combo.ListCount()) {
        QAbstractItemModel *model = models.first();
        QObject *context = m_context.get();
        QObject::connect(model, &QAbstractItemModel::rowsInserted, context,
            [this](const QModelIndex &, int first, int last) { inserted(first, last); });
        QObject::connect(model, &QAbstractItemModel::rowsRemoved, context,
            [this](const QModelIndex &, int first, int last) { removed(first, last); });
        QObject::connect(model, &QAbstractItemModel::dataChanged, context,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                changed(topLeft.row(), bottomRight.row());
            });
        QObject::connect(model, &QAbstractItemModel::modelReset, context, [this] { reloadAll(); });
        QObject::connect(
            model, &QAbstractItemModel::layoutChanged, context, [this] { reloadAll(); });
        QObject::connect(model, &QAbstractItemModel::rowsMoved, context, [this] { reloadAll(); });
        m_following = true;
    }
    reloadAll();
}

void QuillComboBoxItemCache::inserted(int first, int last)
{
    ++m_generation;
    m_entries.insert(m_entries.begin() + first, size_t(last - first + 1), Entry());
    for (int i = first; i <= last; ++i)
        m_entries[size_t(i)].text = m_combo->List(int16_t(i));
    m_joinedReady = false;
}

void QuillComboBoxItemCache::removed(int first, int last)
{
    ++m_generation;
    m_entries.erase(m_entries.begin() + first, m_entries.begin() + last + 1);
    m_joinedReady = false;
}

void QuillComboBoxItemCache::changed(int first, int last)
{
    ++m_generation;
    for (int i = first; i <= last && i < int(m_entries.size()); ++i)
        m_entries[size_t(i)] = {m_combo->List(int16_t(i)), {}, false};
    m_joinedReady = false;
}

void QuillComboBoxItemCache::reloadAll()
{
    ++m_generation;
    const int16_t n = m_combo->ListCount();
    m_entries.clear();
    m_entries.reserve(size_t(n));
    for (int16_t i = 0; i < n; ++i)
        m_entries.push_back({m_combo->List(i), {}, false});
    m_joinedReady = false;
}

void QuillComboBoxItemCache::prepare()
{
    const QLocale &locale = platform::userLocale();
    if (locale != m_locale) {
        m_locale = locale;
        for (Entry &entry : m_entries)
            entry.upperReady = false;
        m_joinedReady = false;
        ++m_generation;
    }
    if (m_following)
        return;
    const int16_t n = m_combo->ListCount();
    if (n != int(m_entries.size())) {
        reloadAll();
        return;
    }
    for (int16_t i = 0; i < n; ++i) {
        const QString text = m_combo->List(i);
        Entry &entry = m_entries[size_t(i)];
        if (text.constData() != entry.text.constData() && text != entry.text) {
            entry = {text, {}, false};
            m_joinedReady = false;
            ++m_generation;
        }
    }
}

void QuillComboBoxItemCache::ensureUpper(Entry &entry)
{
    if (!entry.upperReady) {
        entry.upper = platform::upperCase(entry.text);
        entry.upperReady = true;
    }
}

void QuillComboBoxItemCache::ensureJoined()
{
    if (m_joinedReady)
        return;
    qsizetype total = 0;
    qsizetype textTotal = 0;
    for (Entry &entry : m_entries) {
        ensureUpper(entry);
        total += entry.upper.size() + 1;
        textTotal += entry.text.size();
    }
    m_joined.clear();
    m_joined.reserve(total);
    m_starts.clear();
    m_starts.reserve(m_entries.size() + 1);
    auto texts = std::make_shared<Texts>();
    texts->joined.reserve(textTotal);
    texts->starts.reserve(m_entries.size() + 1);
    for (const Entry &entry : m_entries) {
        m_starts.push_back(m_joined.size());
        m_joined += entry.upper;
        m_joined += QChar(Separator);
        texts->starts.push_back(texts->joined.size());
        texts->joined += entry.text;
    }
    m_starts.push_back(m_joined.size());
    texts->starts.push_back(texts->joined.size());
    m_texts = std::move(texts);
    m_prefixIndex.clear();
    m_frequency.fill(0);
    for (const QChar c : std::as_const(m_joined))
        ++m_frequency[c.unicode() % FrequencyBuckets];
    m_joinedReady = true;
}

qsizetype QuillComboBoxItemCache::anchorOf(QStringView text) const
{
    qsizetype best = 0;
    for (qsizetype k = 1; k < text.size(); ++k) {
        if (m_frequency[text[k].unicode() % FrequencyBuckets]
            < m_frequency[text[best].unicode() % FrequencyBuckets])
            best = k;
    }
    return best;
}

int QuillComboBoxItemCache::count()
{
    prepare();
    return int(m_entries.size());
}

uint64_t QuillComboBoxItemCache::generation()
{
    prepare();
    return m_generation;
}

const QString &QuillComboBoxItemCache::upper(int index)
{
    prepare();
    Entry &entry = m_entries.at(size_t(index));
    ensureUpper(entry);
    return entry.upper;
}

QString QuillComboBoxItemCache::text(int index) const
{
    return m_texts->text(index);
}

std::shared_ptr<const platform::ListTextSource> QuillComboBoxItemCache::texts()
{
    prepare();
    ensureJoined();
    return m_texts;
}

int QuillComboBoxItemCache::firstStartingWith(
    QStringView prefix, int from, const std::function<bool(int)> &accept)
{
    prepare();
    const int n = int(m_entries.size());
    from = std::max(from, 0);
    if (prefix.isEmpty()) {
        for (int i = from; i < n; ++i) {
            if (!accept || accept(i))
                return i;
        }
        return -1;
    }
    if (from >= n)
        return -1;
    ensureJoined();
    if (!m_prefixIndex.isBuilt())
        m_prefixIndex.build(m_joined, m_starts);
    return m_prefixIndex.first(prefix, from, accept);
}

void QuillComboBoxItemCache::findContaining(QStringView text, int from, std::vector<int> &found)
{
    prepare();
    ensureJoined();
    found.clear();
    const int n = int(m_entries.size());
    from = std::max(from, 0);
    if (text.isEmpty()) {
        for (int i = from; i < n; ++i)
            found.push_back(i);
        return;
    }
    if (from >= n)
        return;
    // Scan for the text's rarest code unit k units into the text, then compare the whole text
    // around it; after a hit the scan goes on in the next entry, so each entry is listed once.
    const QStringView joined(m_joined);
    const qsizetype k = anchorOf(text);
    const QChar anchor = text[k];
    const qsizetype length = text.size();
    auto item = m_starts.cbegin() + from;
    qsizetype at = *item + k;
    while (at < joined.size()) {
        const qsizetype pos = joined.indexOf(anchor, at);
        if (pos < 0)
            break;
        item = entryAt(item, m_starts.cend(), pos);
        const qsizetype start = pos - k;
        const qsizetype entryStart = *item;
        const qsizetype next = *(item + 1);
        if (start < entryStart) {
            at = pos + 1;
            continue;
        }
        // A later anchor in this entry would only start the text later still.
        if (start + length >= next) {
            at = next + k;
            continue;
        }
        if (joined.sliced(start, length) == text) {
            found.push_back(int(item - m_starts.cbegin()));
            at = next + k;
        } else {
            at = pos + 1;
        }
    }
}

void QuillComboBoxItemCache::findMatching(const platform::WildcardPattern &pattern,
    QStringView mustContain, int from, std::vector<int> &found)
{
    prepare();
    ensureJoined();
    if (mustContain.isEmpty()) {
        m_candidates.clear();
        const int n = int(m_entries.size());
        for (int i = std::max(from, 0); i < n; ++i)
            m_candidates.push_back(i);
    } else {
        findContaining(mustContain, from, m_candidates);
    }
    found.clear();
    const QStringView joined(m_joined);
    for (const int i : m_candidates) {
        const qsizetype start = m_starts[size_t(i)];
        if (pattern.matches(joined.sliced(start, m_starts[size_t(i) + 1] - 1 - start)))
            found.push_back(i);
    }
}
