#include "search/search_result_model.h"

#include "chart_model/accessible_text.h"
#include "chart_model/chart_text.h"

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

QString SearchResultModel::columnName(int column) {
    switch (column) {
    case Chart:
        return QStringLiteral("図表");
    case Designation:
        return QStringLiteral("ねじの呼び");
    case Kind:
        return QStringLiteral("種類");
    case Drill:
        return QStringLiteral("ドリル径");
    case Limits:
        return QStringLiteral("最小～最大寸法");
    case Match:
        return QStringLiteral("一致");
    default:
        return {};
    }
}

QString SearchResultModel::text(const SearchResult& result, int column) {
    switch (column) {
    case Chart:
        return toQString(result.chart->title);
    case Designation:
        return toQString(result.designation);
    case Kind:
        return toQString(result.kind);
    case Drill:
        if (result.drillInch.empty())
            return toQString(result.drill);
        return QStringLiteral("%1（%2 inch）")
            .arg(toQString(result.drill), toQString(result.drillInch));
    case Limits:
        if (result.limits == vornel::Limits::None)
            return {};
        return QStringLiteral("%1 %2～%3")
            .arg(toQString(limitsName(result.limits)), toQString(result.minimum),
                 toQString(result.maximum));
    case Match:
        return toQString(matchDescription(result));
    default:
        return {};
    }
}

QString SearchResultModel::accessibleText(const SearchResult& result, int column) {
    QString value = text(result, column);
    // The limits name what they bound; the chart, the thread and its kind
    // read bare, as in a chart's row.
    if (!value.isEmpty() && (column == Drill || column == Match))
        value = columnName(column) + u' ' + value;
    return spokenText(value);
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
        return accessibleText(result, index.column());
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    return text(result, index.column());
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return columnName(section);
}

} // namespace vornel::search
