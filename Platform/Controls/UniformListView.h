#pragma once

#include "../QuillPlatformExport.h"

#include <QListView>

namespace platform {

/// A one-column list view whose entries all have the height of the first: entry r lies at r times
/// that height, so that nothing has to be laid out. QListView lays out every entry after each
/// change of its model, which makes a refill of thousands of entries cost in proportion to them
/// although only the few in sight are drawn; here a refill costs the view only those few.
///
/// It stays a QListView (the toolkit's accessibility and the callers' casts know it as one) and
/// takes over every member that would read QListView's layout: geometry, scrolling (one scroll
/// step per entry), keyboard moves, selection by rectangle, painting. Only the top-to-bottom
/// list mode without wrapping is supported, which is what the list controls use.
class QUILL_PLATFORM_EXPORT UniformListView : public QListView
{
public:
    explicit UniformListView(QWidget *parent);

    QRect visualRect(const QModelIndex &index) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint &point) const override;
    void doItemsLayout() override;

protected:
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex &) const override { return false; }
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(
        const QItemSelection &selected, const QItemSelection &deselected) override;

private:
    int entryCount() const;
    int entryHeight() const;
    // Entries wholly in sight, at least 1: a page.
    int entriesInView() const;
    QModelIndex entry(int row) const;
    void tellAccessibility(int row, int event) const;
};

} // namespace platform
