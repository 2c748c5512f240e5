#pragma once

#include "../QuillPlatformExport.h"

#include <QStyledItemDelegate>

namespace platform {

/// Draws list entries as the style does, but gives every entry the same size, taken from the
/// font alone: views then never measure entries one by one, which a list of tens of thousands
/// of entries cannot afford. Texts wider than the view are cut at its edge.
///
/// An entry of one line of plain text that is not elided is drawn as the style draws it (its
/// panel, its focus frame), with the text laid out once: the style lays a text out three times
/// to place it, which makes most of what a refill of a list costs on screen.
class QUILL_PLATFORM_EXPORT ConstantSizeDelegate : public QStyledItemDelegate
{
public:
    explicit ConstantSizeDelegate(QObject *parent);

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
};

} // namespace platform
