#pragma once

#include <QWidget>
#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QTableView;
class QTimer;
class QTreeWidget;

namespace vornel::search {

class SearchIndex;
class SearchResultModel;
struct SearchResult;

// How a search window searches: the results of `query`, those of the chart
// at `preferredPosition` first.
using QueryFinder = std::function<std::vector<SearchResult>(
    const SearchIndex& index, QStringView query, int preferredPosition)>;

// "ねじ・下穴の検索": a query field, the table of what it finds across the
// charts, and a status line. The results follow every keystroke; Enter or a
// double click on a result chooses it, and whoever opened the window opens
// its chart at its row.
class SearchWindow : public QWidget {
    Q_OBJECT
public:
    // Searches `index` with `find`, the program's search at every door
    // (by default the index's own).
    explicit SearchWindow(const SearchIndex& index, QueryFinder find = {});
    ~SearchWindow() override;

    // Puts the results of the chart at `position` first (0: none first).
    void setPreferredChart(int position);
    void setQuery(const QString& text);
    void appendToQuery(const QString& text);
    // Gives the query field the focus: its text selected, so that typing
    // replaces it, or with `selectAll` false the cursor at its end.
    void focusQuery(bool selectAll = true);
    // Builds what the first showing would: lays out and draws the window off
    // screen, so that its first paint finds its glyphs cached. Nothing is
    // shown.
    void prepare();

    // Chooses result `row`: says so with resultChosen(). A row that is not a
    // result does nothing.
    void openResult(int row);

    // Asks for the designation of line `line` of the chart at `position` and
    // makes that row's result current, its detail shown: the chart's
    // "ひっかかり率を調べる…". A line that is no data row does nothing.
    void showChartRow(int position, int line);

    QLineEdit* queryField() const { return query_; }
    QTableView* resultsTable() const { return table_; }
    QLabel* statusLine() const { return status_; }
    // The current result's detail: its ひっかかり率 and the usable drills,
    // read-only text with a caret.
    QPlainTextEdit* detailArea() const { return detail_; }
    // What an empty query shows in place of the results: examples of what can
    // be typed; choosing one searches for it.
    QTreeWidget* examplesList() const { return examples_; }
    // The line between the results and the detail, which the user moves.
    QSplitter* splitter() const { return splitter_; }

signals:
    // The user chose the result at line `line` of the chart at `position`.
    void resultChosen(int position, int line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void runQuery();
    // Tells a screen reader the count ("検索結果 9 件", "該当なし") while the
    // query has the focus, where it differs from the count last said.
    void sayCount();
    // Shows the detail of the current result, or of the first (the one Enter
    // opens).
    void showDetail();
    // The result at `row` copied as its chart's line, the chart's title first.
    void copyResult(int row);
    // The results' context menu: "コピー" and each value of the result.
    void showContextMenu(const QPoint& position);
    // Gives the results no more than their rows' height, the detail at least
    // the height last chosen for it, and the examples their place while the
    // query is empty.
    void fitPanes();
    // Says the examples once, the first time the window shows them.
    void sayExamples();

    const SearchIndex& index_;
    QueryFinder find_;
    int preferred_ = 0;
    QLineEdit* query_;
    QTableView* table_;
    QPlainTextEdit* detail_;
    QTreeWidget* examples_;
    QWidget* examplesPane_;
    QSplitter* splitter_;
    // The detail's height as the user last left it (or its starting height).
    int detailHeight_ = 0;
    bool detailMoved_ = false;
    bool examplesSaid_ = false;
    QTimer* countPause_;
    // The count last said, so that a pause says it only where it changed.
    QString saidCount_;
    QLabel* status_;
    QAction* copyAction_;
    SearchResultModel* model_;
};

} // namespace vornel::search
