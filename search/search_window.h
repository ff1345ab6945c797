#pragma once

#include "chart_window/run_time_error.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QTableView;

namespace vornel {

class ChartRegistry;

namespace search {

class SearchIndex;
class SearchResultModel;

// "ねじ・下穴の検索": a query field, the table of what it finds across the
// charts, and a status line. The results follow every keystroke; Enter or a
// double click on a result opens its chart at its row.
class SearchWindow : public QWidget {
    Q_OBJECT
public:
    // `reportError` is told of a chart that cannot be opened.
    SearchWindow(ChartRegistry& registry, const SearchIndex& index,
                 std::function<void(const RunTimeError&)> reportError);
    ~SearchWindow() override;

    // Puts the results of the chart at `position` first (0: none first).
    void setPreferredChart(int position);
    void setQuery(const QString& text);
    void appendToQuery(const QString& text);
    // Gives the query field the focus: its text selected, so that typing
    // replaces it, or with `selectAll` false the cursor at its end.
    void focusQuery(bool selectAll = true);

    // Opens the chart of result `row` and selects the row there.
    void openResult(int row);

    QLineEdit* queryField() const { return query_; }
    QTableView* resultsTable() const { return table_; }
    QLabel* statusLine() const { return status_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runQuery();

    ChartRegistry& registry_;
    const SearchIndex& index_;
    std::function<void(const RunTimeError&)> reportError_;
    int preferred_ = 0;
    QLineEdit* query_;
    QTableView* table_;
    QLabel* status_;
    SearchResultModel* model_;
};

} // namespace search
} // namespace vornel
