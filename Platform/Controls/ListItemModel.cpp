#include "ListItemModel.h"

#include "../Value/RuntimeError.h"

#include <QMetaObject>

namespace platform {

ListItemModel::ListItemModel(QObject *parent) : QAbstractListModel(parent) { }

void ListItemModel::requireIndex(int index) const
{
    if (index < 0 || index >= int(m_entries.size()))
        throw RuntimeError(
            ErrorNumber::InvalidPropertyArrayIndex, QStringLiteral("list index %1").arg(index));
}

const QString &ListItemModel::text(int index) const
{
    requireIndex(index);
    return m_entries[size_t(index)].text;
}

void ListItemModel::setText(int index, const QString &text)
{
    requireIndex(index);
    m_entries[size_t(index)].text = text;
    if (index < m_published) {
        const QModelIndex changed = createIndex(index, 0);
        emit dataChanged(changed, changed, {Qt::DisplayRole});
    }
}

int32_t ListItemModel::itemData(int index) const
{
    requireIndex(index);
    return m_entries[size_t(index)].data;
}

void ListItemModel::setItemData(int index, int32_t data)
{
    requireIndex(index);
    m_entries[size_t(index)].data = data;
}

int16_t ListItemModel::insert(const QString &text, std::optional<int> index)
{
    const int size = int(m_entries.size());
    const int at = index.value_or(size);
    if (at < 0 || at > size)
        throw RuntimeError(
            ErrorNumber::InvalidPropertyArrayIndex, QStringLiteral("list index %1").arg(at));
    if (size >= MaxCount)
        throw RuntimeError(ErrorNumber::OutOfMemory, QStringLiteral("the list is full"));

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
    m_published = 0;
    endResetModel();
}

void ListItemModel::publish()
{
    const int size = int(m_entries.size());
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
        return m_entries[size_t(index.row())].text;
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
