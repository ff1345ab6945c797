#include "chart_window/chart_line_model.h"

namespace vornel {

ChartLineModel::ChartLineModel(std::span<const ChartLine> lines, QObject* parent)
    : QAbstractListModel(parent)
    , lines_(lines) {}

int ChartLineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant ChartLineModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const ChartLine& line = lines_[static_cast<std::size_t>(index.row())];
    return QString::fromRawData(reinterpret_cast<const QChar*>(line.data()),
                                static_cast<qsizetype>(line.size()));
}

Qt::ItemFlags ChartLineModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace vornel
