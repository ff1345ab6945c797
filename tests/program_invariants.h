#pragma once

// What must hold of a running program after any sequence of input: one window
// at most per chart, each in its slot, showing its whole chart; closed windows
// really gone once deferred deletes have run.
#include "app/chart_registry.h"
#include "app/menu_window.h"
#include "app/program.h"
#include "chart_model/twips.h"
#include "test_support.h"
#include "windows/chart_window.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTableView>

namespace vornel::test {

// The offscreen platform cannot raise windows and says so each time; the
// tests that open thousands of windows do not need to hear it.
inline void quietOffscreenWarnings() {
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, message);
        });
}

inline void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Empty if everything holds, else what does not.
inline QString invariantFailure(Program& program, qsizetype baselineTopLevels) {
    using namespace Qt::StringLiterals;
    flushDeletes();
    ChartRegistry& registry = program.registry();
    qsizetype open = 0;
    for (int position = 1; position <= ChartRegistry::kSize; ++position) {
        const ChartDefinition* chart = registry.chart(position);
        if (!chart)
            continue;
        const QString id =
            QString::fromLatin1(chart->identifier.data(), qsizetype(chart->identifier.size()));
        int windows = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            windows += w->objectName() == id;
        ChartWindow* window = registry.window(position);
        if (windows != (window ? 1 : 0))
            return u"%1: %2 windows, slot %3"_s.arg(id).arg(windows).arg(window ? "set" : "empty");
        if (!window)
            continue;
        ++open;
        if (!window->isVisible())
            return u"%1 is in its slot but not shown"_s.arg(id);
        auto* list = window->findChild<QListView*>(u"List1"_s);
        if (!list || list->model()->rowCount() != qsizetype(chart->lines.size()))
            return u"%1 lost lines"_s.arg(id);
        if (list->geometry() != pixelsFromTwips(chart->listRect))
            return u"%1's list moved"_s.arg(id);
    }
    const qsizetype menu = program.menu() ? 1 : 0;
    if (const search::SearchWindow* search = program.searchWindow()) {
        ++open;
        if (!search->isVisible())
            return u"the search window is not shown"_s;
        // The status line counts the results, or says there are none.
        const int results = search->resultsTable()->model()->rowCount();
        const QString status = search->statusLine()->text();
        if (status != (results                                            ? u"%1 件"_s.arg(results)
                       : search->queryField()->text().trimmed().isEmpty() ? QString()
                                                                          : u"該当なし"_s))
            return u"%1 results, status '%2'"_s.arg(results).arg(status);
    }
    // The search window, built hidden once the menu is drawn, waits there
    // for the first Ctrl+F: one hidden search window is no leak.
    qsizetype topLevels = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        topLevels += !(w->objectName() == u"SearchWindow"_s && !w->isVisible());
    if (topLevels != baselineTopLevels + open + menu)
        return u"%1 top-level widgets, expected %2"_s.arg(topLevels).arg(baselineTopLevels + open +
                                                                         menu);
    return {};
}

} // namespace vornel::test
