#include "ConstantSizeDelegate.h"

#include <QApplication>
#include <QStyle>
#include <QWidget>

namespace platform {

ConstantSizeDelegate::ConstantSizeDelegate(QObject *parent) : QStyledItemDelegate(parent) { }

QSize ConstantSizeDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameVMargin, &option, option.widget);
    return QSize(1, option.fontMetrics.height() + 2 * margin);
}

} // namespace platform
