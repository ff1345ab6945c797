#pragma once

#include "app/dbus_types.h"
#include "app/query.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>
#include <vector>

namespace vornel {

// The most ids of one GetResultMetas that are answered: GNOME Shell asks for
// a screenful, a handful; the rest of a longer list is left unanswered.
inline constexpr qsizetype kMostMetasPerCall = 64;
// KRunner's action on a match that has a drill.
inline constexpr char kCopyDrillAction[] = "copy-drill";

// Vornel's search as the desktop's own search asks for it, apart from the
// bus: the results of the desktop's terms in the search window's order, the
// ids that name them, and what GNOME Shell and KRunner show of each.
//
// A result's id is "N:QUERY": the N-th result of QUERY. It holds all there is
// to know, so that an id stays good in a process started afresh after the
// last one ended; anything else a caller sends is no id and names nothing.
class DesktopSearch {
public:
    struct Answer {
        QString id;
        search::SearchResult result;
        // KRunner's exact match: only results before which every result is
        // one too, so that KRunner, which puts exact matches first, keeps
        // the search window's order.
        bool exact = false;
    };

    // Searches `index`, the program's one index.
    explicit DesktopSearch(const search::SearchIndex& index);

    // The query of the desktop's terms: joined by spaces (GNOME Shell sends
    // the overview's words apart).
    static QString query(const QStringList& terms);

    // The results of `terms` in the search window's order.
    std::vector<Answer> answers(const QStringList& terms);
    // The result an id names, if it names one.
    std::optional<search::SearchResult> result(const QString& id);

    // GNOME Shell's result metas of the first kMostMetasPerCall ids, those
    // that name a result. No "clipboardText": GNOME Shell copies it when the
    // result is activated, over whatever the user had on the clipboard.
    ResultMetas metas(const QStringList& ids);
    // KRunner's matches of `query`.
    RemoteMatches matches(const QString& query);
    static RemoteActions actions();

    // What the desktop shows of a result: its designation as the chart writes
    // it with the chart's title, and beneath it the drill, the limits with
    // their meaning and any other value the search window shows.
    static QString name(const search::SearchResult& result);
    static QString description(const search::SearchResult& result);

private:
    const std::vector<search::SearchResult>& find(const QString& query);

    const search::SearchIndex& index_;
    // The last query's results: the desktop asks for a result set and then
    // for its results' texts.
    QString lastQuery_;
    std::vector<search::SearchResult> lastResults_;
};

} // namespace vornel
