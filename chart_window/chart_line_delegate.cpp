#include "chart_window/chart_line_delegate.h"

#include "chart_window/column_layout.h"

#include <QApplication>
#include <QPainter>

namespace vornel {

ChartLineDelegate::ChartLineDelegate(const ColumnLayout& layout, int lineHeight, QObject* parent)
    : QStyledItemDelegate(parent)
    , layout_(layout)
    , lineHeight_(lineHeight) {}

void ChartLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QWidget* widget = option.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, widget);

    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Enabled
            ? (option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive)
            : QPalette::Disabled;
    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(option.font);
    painter->setPen(
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    const int baseline = option.rect.top() + option.fontMetrics.ascent() +
                         (option.rect.height() - option.fontMetrics.height()) / 2;
    for (const PlacedText& text : layout_.line(index.row())) {
        painter->drawText(QPoint(option.rect.left() + text.x, baseline),
                          QString::fromRawData(text.text.data(), text.text.size()));
    }
    painter->restore();

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor =
            option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

QSize ChartLineDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const {
    return {layout_.lineWidth(index.row()), lineHeight_};
}

} // namespace vornel
