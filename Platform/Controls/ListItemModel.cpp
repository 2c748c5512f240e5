#include "ListItemModel.h"

#include "../Value/RuntimeError.h"

#include <QMetaObject>

namespace platform {

ListItemModel::ListItemModel(QObject *parent) : QAbstractListModel(parent) { }

void ListItemModel::requireIndex(int index) const
{
    if (index < 0 || index >= count())
        throw RuntimeError(
            ErrorNumber::InvalidPropertyArrayIndex, QStringLiteral("list index %1").arg(index));
}

QString ListItemModel::text(int index) const
{
    requireIndex(index);
    if (m_source)
        return m_source->text(m_numbers[size_t(index)]);
    return m_entries[size_t(index)].text;
}

void ListItemModel::ownTexts()
{
    if (!m_source)
        return;
    m_entries.clear();
    m_entries.reserve(m_numbers.size());
    for (const int32_t number : m_numbers)
        m_entries.push_back({m_source->text(number), number});
    m_source.reset();
    m_numbers.clear();
}

void ListItemModel::setText(int index, const QString &text)
{
    requireIndex(index);
    ownTexts();
    m_entries[size_t(index)].text = text;
    if (index < m_published) {
        const QModelIndex changed = createIndex(index, 0);
        emit dataChanged(changed, changed, {Qt::DisplayRole});
    }
}

int32_t ListItemModel::itemData(int index) const
{
    requireIndex(index);
    if (m_source)
        return m_numbers[size_t(index)];
    return m_entries[size_t(index)].data;
}

void ListItemModel::setItemData(int index, int32_t data)
{
    requireIndex(index);
    ownTexts();
    m_entries[size_t(index)].data = data;
}

int16_t ListItemModel::insert(const QString &text, std::optional<int> index)
{
    const int size = count();
    const int at = index.value_or(size);
    if (at < 0 || at > size)
        throw RuntimeError(
            ErrorNumber::InvalidPropertyArrayIndex, QStringLiteral("list index %1").arg(at));
    if (size >= MaxCount)
        throw RuntimeError(ErrorNumber::OutOfMemory, QStringLiteral("the list is full"));
    ownTexts();

    if (at == size && m_batchAppends) {
        m_entries.push_back({text, 0});
        schedulePublish();
    } else {
        // An entry among those the views know moves the ones after it: they must hear of it now.
        publish();
        beginInsertRows(QModelIndex(), at, at);
        m_entries.insert(m_entries.begin() + at, Entry {text, 0});
        ++m_published;
        endInsertRows();
    }
    return static_cast<int16_t>(at);
}

void ListItemModel::remove(int index)
{
    requireIndex(index);
    ownTexts();
    publish();
    beginRemoveRows(QModelIndex(), index, index);
    m_entries.erase(m_entries.begin() + index);
    --m_published;
    endRemoveRows();
}

void ListItemModel::clear()
{
    beginResetModel();
    m_entries.clear();
    m_source.reset();
    m_numbers.clear();
    m_published = 0;
    endResetModel();
}

void ListItemModel::fill(
    std::shared_ptr<const ListTextSource> source, std::span<const int32_t> numbers)
{
    beginResetModel();
    m_entries.clear();
    // The numbers' buffer is kept from one fill to the next: refilling allocates nothing.
    m_numbers.assign(numbers.begin(), numbers.end());
    m_source = std::move(source);
    if (!m_source)
        m_numbers.clear();
    m_published = count();
    endResetModel();
}

void ListItemModel::publish()
{
    const int size = count();
    if (m_published == size)
        return;
    beginInsertRows(QModelIndex(), m_published, size - 1);
    m_published = size;
    endInsertRows();
}

void ListItemModel::schedulePublish()
{
    if (m_publishScheduled)
        return;
    m_publishScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_publishScheduled = false;
            publish();
        },
        Qt::QueuedConnection);
}

int ListItemModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_published;
}

QVariant ListItemModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_published)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(index.row());
    default:
        return {};
    }
}

Qt::ItemFlags ListItemModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

} // namespace platform
