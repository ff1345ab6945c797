#pragma once

#include "search/result_texts.h"
#include "search/search_index.h"

#include <QAbstractTableModel>
#include <vector>

namespace vornel::search {

// The results of a query as a read-only table, one row per result, with
// named columns (search/result_texts.h) so that a screen reader can say
// what each cell is.
class SearchResultModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Replaces the results; the table is left alone where they are the same.
    // True where they changed.
    bool setResults(std::vector<SearchResult> results);
    const std::vector<SearchResult>& results() const { return results_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<SearchResult> results_;
};

} // namespace vornel::search
