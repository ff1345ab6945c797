#pragma once

#include "app/desktop_search.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace vornel {

// The D-Bus name, and the object paths of the two interfaces under it.
inline constexpr char kSearchProviderService[] = "io.github.vornel.Vornel.SearchProvider";
inline constexpr char kGnomeSearchProviderPath[] = "/io/github/vornel/Vornel/SearchProvider";
inline constexpr char kKRunnerPath[] = "/runner";

// The process that answers the desktop's search: GNOME Shell's
// org.gnome.Shell.SearchProvider2 and Plasma's org.kde.krunner1 on the
// session bus. It runs on Qt Core and Qt D-Bus alone, with no display: every
// result opened and every drill copied is asked of the application
// (io.github.vornel.Vornel), which the bus starts where none runs. It ends
// once it has had no call for the idle time (30 s, or
// VORNEL_PROVIDER_IDLE_MS milliseconds).
class SearchProvider final : public QObject {
public:
    SearchProvider();
    ~SearchProvider() override;

    // Exports the two interfaces and takes the bus name; the reason where it
    // cannot, or empty.
    QString registerOnSessionBus();

    DesktopSearch& search() { return search_; }
    // Asks the application for `action` (kChartAction ...) with `parameter`,
    // or for the search window with `query` where `action` is
    // kSearchAction. Waits for no reply.
    void askApplication(const QString& action, const QString& parameter);
    // Each call keeps the process for another idle time.
    void called();

private:
    search::SearchIndex index_;
    DesktopSearch search_;
    QTimer idle_;
};

// org.gnome.Shell.SearchProvider2 at kGnomeSearchProviderPath; the methods
// are the interface's.
class GnomeSearchProvider final : public QObject {
    Q_OBJECT
public:
    explicit GnomeSearchProvider(SearchProvider& provider);

    QStringList GetInitialResultSet(const QStringList& terms);
    QStringList GetSubsearchResultSet(const QStringList& previousResults, const QStringList& terms);
    ResultMetas GetResultMetas(const QStringList& ids);
    void ActivateResult(const QString& id, const QStringList& terms, uint timestamp);
    void LaunchSearch(const QStringList& terms, uint timestamp);

private:
    SearchProvider& provider_;
};

// org.kde.krunner1 at kKRunnerPath; the methods are the interface's.
class KRunnerProvider final : public QObject {
    Q_OBJECT
public:
    explicit KRunnerProvider(SearchProvider& provider);

    RemoteActions Actions();
    RemoteMatches Match(const QString& query);
    void Run(const QString& matchId, const QString& actionId);
    void Teardown();

private:
    SearchProvider& provider_;
};

// Runs the provider in an application of Qt Core until it is idle; returns
// the exit status.
int runSearchProvider(int argc, char* argv[]);

} // namespace vornel
