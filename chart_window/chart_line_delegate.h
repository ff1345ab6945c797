#pragma once

#include <QStyledItemDelegate>

namespace vornel {

class ColumnLayout;

// Draws a chart line with its texts at the columns of the layout, cut at
// the list's right edge.
class ChartLineDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    ChartLineDelegate(const ColumnLayout& layout, int lineHeight, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const ColumnLayout& layout_;
    int lineHeight_;
};

} // namespace vornel
