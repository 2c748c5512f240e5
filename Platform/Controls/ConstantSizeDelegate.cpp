#include "ConstantSizeDelegate.h"

#include <QPainter>

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

void ConstantSizeDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const bool plain = item.features == QStyleOptionViewItem::HasDisplay
        && item.textElideMode == Qt::ElideNone && !item.text.contains(u'\n')
        && !item.text.contains(QChar::LineSeparator);
    if (!plain) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget *widget = item.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    painter->save();
    painter->setClipRect(item.rect);
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, widget);

    // The colours and the text's place as the style's own item drawing has them.
    const bool enabled = item.state.testFlag(QStyle::State_Enabled);
    QPalette::ColorGroup group = enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !item.state.testFlag(QStyle::State_Active))
        group = QPalette::Inactive;
    const bool selected = item.state.testFlag(QStyle::State_Selected);
    painter->setPen(
        item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(item.font);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = item.rect.adjusted(margin, 0, -margin, 0);
    painter->drawText(textRect, int(item.displayAlignment) | Qt::TextSingleLine, item.text);

    if (item.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(item);
        focus.rect = item.rect;
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor = item.palette.color(enabled ? QPalette::Normal : QPalette::Disabled,
            selected ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

} // namespace platform
