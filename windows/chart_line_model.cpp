#include "windows/chart_line_model.h"

#include "chart_model/accessible_text.h"

namespace vornel {

ChartLineModel::ChartLineModel(const ChartDefinition& chart, QObject* parent)
    : QAbstractListModel(parent)
    , chart_(chart) {}

int ChartLineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(chart_.lines.size());
}

QVariant ChartLineModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::AccessibleTextRole)
        return accessibleLineText(chart_, index.row());
    if (role != Qt::DisplayRole)
        return {};
    const ChartLine& line = chart_.lines[static_cast<std::size_t>(index.row())];
    return QString::fromRawData(reinterpret_cast<const QChar*>(line.data()),
                                static_cast<qsizetype>(line.size()));
}

Qt::ItemFlags ChartLineModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace vornel
