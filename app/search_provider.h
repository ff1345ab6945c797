#pragma once

#include "search/search_index.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

namespace vornel {

class Program;

// The D-Bus name, and the object paths of the two interfaces under it.
inline constexpr char kSearchProviderService[] = "io.github.vornel.Vornel.SearchProvider";
inline constexpr char kGnomeSearchProviderPath[] = "/io/github/vornel/Vornel/SearchProvider";
inline constexpr char kKRunnerPath[] = "/runner";

// Vornel's search as the desktop's own search asks for it: GNOME Shell's
// org.gnome.Shell.SearchProvider2 and Plasma's org.kde.krunner1 on the
// session bus. The process has no window until a result is opened, and ends
// once it has had neither a window nor a call for the idle time (30 s, or
// VORNEL_PROVIDER_IDLE_MS milliseconds).
//
// A result's id is "N:QUERY": the N-th result of QUERY. It holds all there is
// to know, so that an id stays good in a provider started afresh after the
// last one ended; anything else a caller sends is no id and names nothing.
class DesktopSearch final : public QObject {
public:
    // What a result is to the desktop's search.
    struct Answer {
        QString id;
        search::SearchResult result;
        // How well it answers: 3 the exact designation, 2 a designation, 1
        // the drill itself, 0 a drill within the row's limits.
        int rank = 0;
    };

    DesktopSearch();
    ~DesktopSearch() override;

    // Exports the two interfaces and takes the bus name; the reason where it
    // cannot, or empty.
    QString registerOnSessionBus();

    // The results of `terms` joined by spaces, the best answers first, in
    // the search's order within each rank.
    std::vector<Answer> answers(const QStringList& terms);
    // The result an id names, if it names one.
    std::optional<search::SearchResult> result(const QString& id);

    // What the desktop shows of a result: its designation as the chart writes
    // it with the chart's title, and beneath it the drill, the limits with
    // their meaning and any other value the search window shows.
    static QString name(const search::SearchResult& result);
    static QString description(const search::SearchResult& result);

    // Opens the result's chart at its row, selected and raised.
    void open(const search::SearchResult& result);
    // Opens the search window with `terms`.
    void openSearch(const QStringList& terms);

    // Each call keeps the process for another idle time.
    void called();

private:
    Program& program();
    void endIfIdle();
    const std::vector<search::SearchResult>& find(const QString& query);

    search::SearchIndex index_;
    // Made when the first window is opened.
    std::unique_ptr<Program> program_;
    QTimer idle_;
    // The last query's results: the desktop asks for a result set and then
    // for its results' texts.
    QString lastQuery_;
    std::vector<search::SearchResult> lastResults_;
};

// Runs the provider in the application made by the caller until it is idle;
// returns the exit status.
int runSearchProvider();

} // namespace vornel
