#pragma once

#include "search/search_index.h"

#include <QAbstractTableModel>
#include <vector>

namespace vornel::search {

// The results of a query as a read-only table, one row per result, with
// named columns so that a screen reader can say what each cell is.
class SearchResultModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Chart, Designation, Kind, Drill, Limits, Match, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // Replaces the results; the table is left alone where they are the same.
    // True where they changed.
    bool setResults(std::vector<SearchResult> results);
    const std::vector<SearchResult>& results() const { return results_; }

    // The text of a cell.
    static QString text(const SearchResult& result, int column);
    // What a screen reader says for a cell (Qt::AccessibleTextRole): a row,
    // read cell by cell, reads like a chart's row: the chart, the thread,
    // then each value after its name ("ドリル径 6.8", "めねじ内径 6.647～6.912",
    // "一致 呼び"), as spokenText() says them.
    static QString accessibleText(const SearchResult& result, int column);
    static QString columnName(int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<SearchResult> results_;
};

} // namespace vornel::search
