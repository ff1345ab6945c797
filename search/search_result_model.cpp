#include "search/search_result_model.h"

#include <algorithm>

namespace vornel::search {

bool SearchResultModel::setResults(std::vector<SearchResult> results) {
    if (results == results_)
        return false;
    // Rows removed or added at the end and the rest changed in place: the
    // view keeps its header and scroll position, which a reset would rebuild.
    // The new results are in place before the rows are announced, so that
    // nothing that reads a row on its arrival finds it empty.
    const int before = rowCount();
    const int after = static_cast<int>(results.size());
    if (after < before) {
        beginRemoveRows({}, after, before - 1);
        results_ = std::move(results);
        endRemoveRows();
    } else if (after > before) {
        beginInsertRows({}, before, after - 1);
        results_ = std::move(results);
        endInsertRows();
    } else {
        results_ = std::move(results);
    }
    const int changed = std::min(before, after);
    if (changed > 0)
        emit dataChanged(index(0, 0), index(changed - 1, ColumnCount - 1));
    return true;
}

int SearchResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(results_.size());
}

int SearchResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SearchResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const SearchResult& result = results_[static_cast<std::size_t>(index.row())];
    if (role == Qt::AccessibleTextRole)
        return accessibleCellText(result, index.column());
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    return cellText(result, index.column());
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return columnName(section);
}

} // namespace vornel::search
