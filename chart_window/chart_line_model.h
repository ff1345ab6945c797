#pragma once

#include "chart_window/chart_definition.h"

#include <QAbstractListModel>

namespace vornel {

// A chart's lines as a read-only list, read in place from the constant
// table. Each entry's text is the line exactly as stored, TABs included.
class ChartLineModel final : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ChartLineModel(std::span<const ChartLine> lines, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::span<const ChartLine> lines_;
};

} // namespace vornel
