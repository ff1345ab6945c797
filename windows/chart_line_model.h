#pragma once

#include "chart_model/chart_definition.h"

#include <QAbstractListModel>

namespace vornel {

// A chart's lines as a read-only list, read in place from the constant
// table. Each entry's text is the line exactly as stored, TABs included; its
// accessible text is what a screen reader says for it (accessibleLineText()).
class ChartLineModel final : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ChartLineModel(const ChartDefinition& chart, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const ChartDefinition& chart_;
};

} // namespace vornel
