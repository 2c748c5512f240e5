#include "QuillComboBoxItemCache.h"

#include <Quillkit/Controls/ComboBox.h>
#include <Quillkit/Controls/ListTextSource.h>
#include <Quillkit/Value/Locale.h>
#include <Quillkit/Value/Pattern.h>
#include <Quillkit/Value/TextServices.h>

#include <QAbstractItemModel>
#include <algorithm>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Between the texts of the joined buffer. Any code unit will do: a hit is only taken when it
// lies wholly inside one entry.
constexpr char16_t Separator = u'\n';

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
    m_entryOf.resize(size_t(m_joined.size()));
    for (size_t e = 0; e + 1 < m_starts.size(); ++e) {
        std::fill(m_entryOf.begin() + m_starts[e], m_entryOf.begin() + m_starts[e + 1], int16_t(e));
    }
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

template<typename Visit>
void QuillComboBoxItemCache::forEachMark(qsizetype k, qsizetype begin, Visit &&visit) const
{
    // A word of marks without any costs one test, and each mark a look-up of its entry.
    const int16_t *entryOf = m_entryOf.data();
    const auto words = qsizetype(m_marks.size());
    for (qsizetype w = (begin + k) >> 6; w < words; ++w) {
        for (uint64_t bits = m_marks[size_t(w)]; bits != 0; bits &= bits - 1) {
            const qsizetype start = (w << 6) + std::countr_zero(bits) - k;
            if (start >= begin)
                visit(start, int(entryOf[start]));
        }
    }
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
    // Mark every place of the text's rarest code unit in one pass over all texts, then visit the
    // marks alone: a word of marks without any costs one test, and each mark a look-up of its
    // entry, without a branch for a single code unit.
    const qsizetype k = anchorOf(text);
    markUnit(text[k].unicode());
    const auto *joined = reinterpret_cast<const char16_t *>(m_joined.constData());
    const auto *wanted = reinterpret_cast<const char16_t *>(text.data());
    const qsizetype length = text.size();
    const qsizetype *starts = m_starts.data();
    // One slot for each entry, and one that a mark after the last hit is written to.
    found.resize(size_t(n - from) + 1);
    int *out = found.data();
    int last = -1;
    forEachMark(k, starts[from], [&](qsizetype start, int e) {
        // The text must lie wholly inside the entry, before its separator; an entry is listed
        // once.
        bool hit = (e != last) & (start + length < starts[e + 1]);
        if (length > 1 && hit)
            hit = std::equal(wanted, wanted + length, joined + start);
        *out = e;
        out += hit ? 1 : 0;
        last = hit ? e : last;
    });
    found.resize(size_t(out - found.data()));
}

void QuillComboBoxItemCache::findWindows(QStringView run, qsizetype before, qsizetype after,
    const std::function<bool(QStringView window)> &accept, int from, std::vector<int> &found)
{
    prepare();
    ensureJoined();
    found.clear();
    const int n = int(m_entries.size());
    from = std::max(from, 0);
    if (run.isEmpty() || from >= n)
        return;
    // As findContaining: the marks of the run's rarest code unit, each looked at in its entry.
    const qsizetype k = anchorOf(run);
    markUnit(run[k].unicode());
    const QStringView joined(m_joined);
    const qsizetype length = run.size();
    const qsizetype *starts = m_starts.data();
    int last = -1;
    forEachMark(k, starts[from], [&](qsizetype start, int e) {
        const qsizetype window = start - before;
        const qsizetype end = start + length + after;
        // The window lies wholly inside the entry, before its separator.
        if (e == last || window < starts[e] || end >= starts[e + 1])
            return;
        if (joined.sliced(start, length) == run && accept(joined.sliced(window, end - window))) {
            found.push_back(e);
            last = e;
        }
    });
}

void QuillComboBoxItemCache::markUnit(char16_t unit)
{
    const auto *data = reinterpret_cast<const char16_t *>(m_joined.constData());
    const qsizetype size = m_joined.size();
    // A spare word at the end, for reading two words from any place.
    m_marks.assign(size_t(size / 64 + 2), 0);
    qsizetype p = 0;
#if defined(__SSE2__)
    const __m128i units = _mm_set1_epi16(static_cast<short>(unit));
    const auto load = [data](qsizetype at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + at));
    };
    for (; p + 64 <= size; p += 64) {
        uint64_t word = 0;
        for (int j = 0; j < 64; j += 16) {
            const __m128i low = _mm_cmpeq_epi16(load(p + j), units);
            const __m128i high = _mm_cmpeq_epi16(load(p + j + 8), units);
            const auto mask = unsigned(_mm_movemask_epi8(_mm_packs_epi16(low, high)));
            word |= uint64_t(mask) << j;
        }
        m_marks[size_t(p >> 6)] = word;
    }
#endif
    for (; p < size; ++p) {
        if (data[p] == unit)
            m_marks[size_t(p >> 6)] |= uint64_t(1) << (p & 63);
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
