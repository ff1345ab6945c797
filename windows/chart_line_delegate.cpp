#include "windows/chart_line_delegate.h"

#include <QApplication>
#include <QPainter>

namespace vornel {

ChartLineDelegate::ChartLineDelegate(ColumnLayout layout, int lineHeight, QObject* parent)
    : QStyledItemDelegate(parent)
    , layout_(std::move(layout))
    , lineHeight_(lineHeight)
    , drawnBefore_(layout_.texts().size())
    , kept_(layout_.texts().size()) {}

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
    // A static text is placed by its top: its baseline lies the font's exact
    // ascent below.
    const qreal staticTop = baseline - QFontMetricsF(option.font).ascent();
    for (const PlacedText& text : layout_.line(index.row())) {
        const auto i = static_cast<std::size_t>(&text - layout_.texts().data());
        const QString string = QString::fromRawData(text.text.data(), text.text.size());
        if (!drawnBefore_[i]) {
            drawnBefore_[i] = true;
            painter->drawText(QPoint(option.rect.left() + text.x, baseline), string);
            continue;
        }
        auto& kept = kept_[i];
        if (!kept) {
            kept.emplace(string);
            kept->setTextFormat(Qt::PlainText);
        }
        painter->drawStaticText(QPointF(option.rect.left() + text.x, staticTop), *kept);
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
