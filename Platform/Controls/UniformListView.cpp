#include "UniformListView.h"

#include <QAbstractItemDelegate>
#include <QAccessible>
#include <QCursor>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace platform {

UniformListView::UniformListView(QWidget *parent) : QListView(parent)
{
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setUniformItemSizes(true);
}

int UniformListView::entryCount() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

QModelIndex UniformListView::entry(int row) const
{
    return model() ? model()->index(row, modelColumn(), rootIndex()) : QModelIndex();
}

int UniformListView::entryHeight() const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QAbstractItemDelegate *delegate = itemDelegate();
    const int height = delegate ? delegate->sizeHint(option, entry(0)).height() : 0;
    return std::max(height + spacing(), 1);
}

int UniformListView::entriesInView() const
{
    return std::max(viewport()->height() / entryHeight(), 1);
}

int UniformListView::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int UniformListView::verticalOffset() const
{
    return verticalScrollBar()->value() * entryHeight();
}

QRect UniformListView::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || index.parent() != rootIndex() || index.column() != modelColumn())
        return {};
    const int height = entryHeight();
    return QRect(-horizontalOffset(), index.row() * height - verticalOffset(), viewport()->width(),
        height - spacing());
}

QModelIndex UniformListView::indexAt(const QPoint &point) const
{
    if (point.x() < 0 || point.x() >= viewport()->width() || point.y() < 0)
        return {};
    const int row = (point.y() + verticalOffset()) / entryHeight();
    return row < entryCount() ? entry(row) : QModelIndex();
}

void UniformListView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!index.isValid())
        return;
    // The scroll bar's range must know of every entry first.
    executeDelayedItemsLayout();
    const int row = index.row();
    const int page = entriesInView();
    const int top = verticalScrollBar()->value();
    int wanted = top;
    switch (hint) {
    case PositionAtTop:
        wanted = row;
        break;
    case PositionAtBottom:
        wanted = row - page + 1;
        break;
    case PositionAtCenter:
        wanted = row - page / 2;
        break;
    case EnsureVisible:
        if (row < top)
            wanted = row;
        else if (row >= top + page)
            wanted = row - page + 1;
        break;
    }
    verticalScrollBar()->setValue(wanted);
}

void UniformListView::doItemsLayout()
{
    // Nothing to lay out: the scroll bars and a repaint are all.
    QAbstractItemView::doItemsLayout();
}

void UniformListView::updateGeometries()
{
    const int page = entriesInView();
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setRange(0, std::max(entryCount() - page, 0));
    horizontalScrollBar()->setRange(0, 0);
    QAbstractItemView::updateGeometries();
}

void UniformListView::scrollContentsBy(int, int)
{
    viewport()->update();
}

QModelIndex UniformListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers)
{
    const int count = entryCount();
    if (count == 0)
        return {};
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return entry(0);
    const int row = current.row();
    const int page = std::max(entriesInView() - 1, 1);
    int next = row;
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        next = row - 1;
        break;
    case MoveDown:
    case MoveNext:
        next = row + 1;
        break;
    case MovePageUp:
        next = row - page;
        break;
    case MovePageDown:
        next = row + page;
        break;
    case MoveHome:
        next = 0;
        break;
    case MoveEnd:
        next = count - 1;
        break;
    case MoveLeft:
    case MoveRight:
        break;
    }
    return entry(std::clamp(next, 0, count - 1));
}

void UniformListView::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    if (!selectionModel())
        return;
    const QRect area = rect.normalized();
    const int height = entryHeight();
    const int first = std::max((area.top() + verticalOffset()) / height, 0);
    const int last = std::min((area.bottom() + verticalOffset()) / height, entryCount() - 1);
    QItemSelection selection;
    if (area.bottom() >= 0 && area.left() < viewport()->width() && area.right() >= 0
        && first <= last)
        selection.select(entry(first), entry(last));
    selectionModel()->select(selection, command);
}

QRegion UniformListView::visualRegionForSelection(const QItemSelection &selection) const
{
    // Only what is in sight needs repainting, however many entries the selection spans.
    const int height = entryHeight();
    const int top = verticalOffset() / height;
    const int bottom = top + entriesInView();
    QRegion region;
    for (const QItemSelectionRange &range : selection) {
        if (range.parent() != rootIndex() || range.left() > modelColumn()
            || range.right() < modelColumn())
            continue;
        const int first = std::max(range.top(), top);
        const int last = std::min(range.bottom(), bottom);
        if (first <= last)
            region += QRect(0, first * height - verticalOffset(), viewport()->width(),
                (last - first + 1) * height);
    }
    return region;
}

void UniformListView::paintEvent(QPaintEvent *event)
{
    const int count = entryCount();
    if (count == 0)
        return;
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QStyle::State state = option.state;
    const bool enabled = state.testFlag(QStyle::State_Enabled);
    const QModelIndex current = currentIndex();
    const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
    const QModelIndex hover = viewport()->underMouse()
        ? indexAt(viewport()->mapFromGlobal(QCursor::pos()))
        : QModelIndex();
    const QItemSelectionModel *selections = selectionModel();

    // The geometry once for all entries in sight, as visualRect() gives it for each.
    const int height = entryHeight();
    const int offset = verticalScrollBar()->value() * height;
    const int left = -horizontalOffset();
    const int width = viewport()->width();
    const QRect area = event->rect();
    const int first = std::max((area.top() + offset) / height, 0);
    const int last = std::min((area.bottom() + offset) / height, count - 1);
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = entry(row);
        option.rect = QRect(left, row * height - offset, width, height - spacing());
        option.state = state;
        if (selections && selections->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (enabled) {
            const bool itemEnabled = model()->flags(index).testFlag(Qt::ItemIsEnabled);
            option.state.setFlag(QStyle::State_Enabled, itemEnabled);
            option.palette.setCurrentColorGroup(
                itemEnabled ? QPalette::Normal : QPalette::Disabled);
        }
        if (focus && index == current)
            option.state |= QStyle::State_HasFocus;
        option.state.setFlag(QStyle::State_MouseOver, index == hover);
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

void UniformListView::tellAccessibility(int row, int event) const
{
#if QT_CONFIG(accessibility)
    if (QAccessible::isActive() && row >= 0) {
        QAccessibleEvent notice(
            const_cast<UniformListView *>(this), static_cast<QAccessible::Event>(event));
        notice.setChild(row);
        QAccessible::updateAccessibility(&notice);
    }
#else
    Q_UNUSED(row);
    Q_UNUSED(event);
#endif
}

void UniformListView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // QListView would find the entry's place in its own layout, which is not kept here.
    if (current.isValid())
        tellAccessibility(current.row(), QAccessible::Focus);
    QAbstractItemView::currentChanged(current, previous);
}

void UniformListView::selectionChanged(
    const QItemSelection &selected, const QItemSelection &deselected)
{
    const QModelIndex added = selected.indexes().value(0);
    if (added.isValid())
        tellAccessibility(added.row(), QAccessible::SelectionAdd);
    const QModelIndex removed = deselected.indexes().value(0);
    if (removed.isValid())
        tellAccessibility(removed.row(), QAccessible::SelectionRemove);
    QAbstractItemView::selectionChanged(selected, deselected);
}

} // namespace platform
