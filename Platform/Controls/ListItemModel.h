#pragma once

#include "../QuillPlatformExport.h"

#include "ListTextSource.h"

#include <QAbstractListModel>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace platform {

/// The entries of a list control: texts with a 32-bit item data each, at most 32767 of them,
/// indexed by 16-bit integers. Index errors are the controls' run-time errors.
///
/// Views hear of entries appended at the end in batches: an append only counts the entry, and
/// the views are told of all counted entries at once by publish(), which runs from the event
/// loop after the statement that added them, or earlier when the control needs its views to be
/// current. Refilling a list of thousands of entries thus costs one notification instead of one
/// per entry. Until then rowCount() reports the entries the views know of.
///
/// fill() replaces every entry at once with numbered texts of a ListTextSource, each entry
/// holding only its number: a list of thousands of picks from a larger table costs no more than
/// storing their numbers. Such a list answers every read as if its entries had been added one by
/// one; the first change to an entry other than item data turns it into a list of its own texts.
class QUILL_PLATFORM_EXPORT ListItemModel : public QAbstractListModel
{
public:
    static constexpr int MaxCount = 32767;

    explicit ListItemModel(QObject *parent);

    /// The list's own view of its entries, including those not yet published.
    int16_t count() const
    {
        return static_cast<int16_t>(m_source ? m_numbers.size() : m_entries.size());
    }
    ///@{
    /// 381 for an index outside 0..count()-1.
    QString text(int index) const;
    void setText(int index, const QString &text);
    int32_t itemData(int index) const;
    void setItemData(int index, int32_t data);
    ///@}

    /// Adds an entry at `index`, or at the end without one; returns its index. 381 for an index
    /// outside 0..count(), 7 when the list is full.
    int16_t insert(const QString &text, std::optional<int> index);
    /// 381 for a bad index.
    void remove(int index);
    void clear();
    /// Replaces every entry: entry k gets text number numbers[k] of `source` and that number as
    /// its item data, and the views hear of all of them at once. At most MaxCount numbers, each
    /// a number of the source (the caller checks both).
    void fill(std::shared_ptr<const ListTextSource> source, std::span<const int32_t> numbers);

    /// Tells the views of entries appended since the last time.
    void publish();
    bool hasUnpublished() const { return m_published != int(m_entries.size()); }
    /// Whether appends wait for publish(); on by default.
    void setBatchAppends(bool batch) { m_batchAppends = batch; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct Entry
    {
        QString text;
        int32_t data = 0;
    };

    void requireIndex(int index) const;
    void schedulePublish();
    // Gives a filled list texts of its own, before an entry changes.
    void ownTexts();

    std::vector<Entry> m_entries;
    // Set while the entries are the texts numbered in m_numbers (m_entries then unused).
    std::shared_ptr<const ListTextSource> m_source;
    std::vector<int32_t> m_numbers;
    int m_published = 0;
    bool m_publishScheduled = false;
    bool m_batchAppends = true;
};

} // namespace platform
