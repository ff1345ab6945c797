#pragma once

#include "app/chart_registry.h"
#include "app/run_time_error.h"
#include "search/search_index.h"
#include "windows/search_window.h"

#include <QFont>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

namespace vornel {

class MenuWindow;

// The system's interface font in the proportional Japanese gothic that a
// Japanese desktop uses for it, so that the long captions fit their buttons.
QFont japaneseInterfaceFont(const QFont& systemFont);

// Makes the menu window; null if it cannot.
using MenuWindowFactory = std::function<MenuWindow*(ChartRegistry&)>;

// The running program: the chart registry and the menu window over it.
class Program {
public:
    explicit Program(ChartWindowFactory makeChartWindow = {}, MenuWindowFactory makeMenu = {});
    ~Program();

    // Creates and shows the menu window, or brings it forward. This is all
    // there is to start-up; then the event loop runs until the last window
    // is closed. Once the menu has been drawn and the program waits for the
    // user, the search window is prepared.
    std::optional<RunTimeError> start();
    // Makes the menu window, hidden, where it is not made yet: the part of
    // start() that what start-up waits for anyway can overlap.
    std::optional<RunTimeError> makeMenu();

    ChartRegistry& registry() { return registry_; }
    // The program's one index of the charts, which every door searches.
    const search::SearchIndex& searchIndex() const { return searchIndex_; }
    MenuWindow* menu() const { return menu_.get(); }

    // Opens the search window, or raises it with its query and results.
    // Asked from a chart (`preferredPosition`), that chart's results come
    // first; `typed` starts the query, or adds to it while the window is open.
    // With `replaceQuery`, `typed` is the whole query, as the desktop's
    // search and the launcher ask for it.
    void openSearch(int preferredPosition = 0, const QString& typed = {},
                    bool replaceQuery = false);
    // Opens the search window at the result of line `line` of the chart at
    // `position`, its ひっかかり率 and usable drills in the detail.
    void openEngagement(int position, int line);
    // Opens the chart at `position` and selects its line `line`; a chart
    // that cannot be opened is a run-time error.
    void openChartAt(int position, int line);
    // The open search window, or null.
    search::SearchWindow* searchWindow() const;
    // Builds the search window, hidden and drawn once off screen, and its
    // index, if they are not yet: what the first Ctrl+F would otherwise do
    // after the key. start() has it done once the menu has been drawn.
    void prepareSearch();

private:
    // Each chart window that `makeWindow` makes gets "検索…" on its list.
    ChartWindowFactory withSearch(ChartWindowFactory makeWindow);
    // Makes the search window and its index where there is none; false
    // (reported) if it cannot.
    bool makeSearchWindow();

    ChartRegistry registry_;
    // Reads nothing from the charts until the first search.
    search::SearchIndex searchIndex_;
    QPointer<search::SearchWindow> search_;
    MenuWindowFactory makeMenu_;
    std::unique_ptr<MenuWindow> menu_;
    bool started_ = false;
};

} // namespace vornel
