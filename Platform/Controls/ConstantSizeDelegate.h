#pragma once

#include "../QuillPlatformExport.h"

#include <QStyledItemDelegate>

namespace platform {

/// Draws list entries as the style does, but gives every entry the same size, taken from the
/// font alone: views then never measure entries one by one, which a list of tens of thousands
/// of entries cannot afford. Texts wider than the view are cut at its edge.
class QUILL_PLATFORM_EXPORT ConstantSizeDelegate : public QStyledItemDelegate
{
public:
    explicit ConstantSizeDelegate(QObject *parent);

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace platform
