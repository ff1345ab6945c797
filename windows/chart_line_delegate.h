#pragma once

#include "windows/column_layout.h"

#include <QStaticText>
#include <QStyledItemDelegate>
#include <optional>
#include <vector>

namespace vornel {

// Draws a chart line with its texts at the columns of its layout, cut at
// the list's right edge. A text drawn for the second time is kept laid out
// into glyphs, so that lines painted again and again (scrolled back and
// forth, reselected, uncovered) are only put on the screen; the first paint,
// most of opening a chart, lays out each text it shows just once, as
// QPainter::drawText does.
class ChartLineDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Takes the layout it draws with: nothing else holds it.
    ChartLineDelegate(ColumnLayout layout, int lineHeight, QObject* parent = nullptr);

    const ColumnLayout& layout() const { return layout_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const ColumnLayout layout_;
    int lineHeight_;
    // For each text of the layout: whether it has been drawn, and its glyphs
    // once it is drawn again.
    mutable std::vector<bool> drawnBefore_;
    mutable std::vector<std::optional<QStaticText>> kept_;
};

} // namespace vornel
