// Opens and closes every chart many times, alone and beside others, and checks
// after each cycle that exactly the open charts have windows, that closed ones
// are gone and that a reopened chart shows its lines from the top, unselected.
#include "program_invariants.h"

#include <QScrollBar>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

// VORNEL_SOAK_CYCLES sets the count; at least 1,000.
int cycles() {
    return std::max(1000, qEnvironmentVariableIntValue("VORNEL_SOAK_CYCLES"));
}

QString freshWindowFailure(ChartWindow* window) {
    auto* list = window->findChild<QListView*>(u"List1"_s);
    const ChartDefinition& chart = window->chart();
    if (list->model()->index(0, 0).data().toString() != qs(chart.lines.front()) ||
        list->model()->index(int(chart.lines.size()) - 1, 0).data().toString() !=
            qs(chart.lines.back()))
        return u"%1 does not show its lines"_s.arg(window->objectName());
    if (!list->selectionModel()->selectedIndexes().isEmpty())
        return u"%1 opened with a selection"_s.arg(window->objectName());
    if (list->verticalScrollBar()->value() != 0)
        return u"%1 opened scrolled"_s.arg(window->objectName());
    if (window->geometry().size() != pixelsFromTwips(chart.clientArea).size())
        return u"%1 opened at another size"_s.arg(window->objectName());
    return {};
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }

    void openAndCloseEveryChartManyTimes() {
        const qsizetype baseline = QApplication::topLevelWidgets().size();
        Program program;
        QVERIFY(!program.start());
        ChartRegistry& registry = program.registry();
        QList<int> positions;
        for (int p = 1; p <= ChartRegistry::kSize; ++p)
            if (registry.chart(p))
                positions.append(p);
        QVERIFY(!positions.isEmpty());

        const int total = cycles();
        for (int cycle = 0; cycle < total; ++cycle) {
            const int position = positions[cycle % positions.size()];
            // Every third cycle leaves a neighbour open while this chart
            // closes and reopens.
            const int neighbour = positions[(cycle / positions.size() + 1) % positions.size()];
            if (cycle % 3 == 0)
                QVERIFY(!registry.openChart(neighbour));

            QVERIFY(!registry.openChart(position));
            ChartWindow* window = registry.window(position);
            QVERIFY(window);
            const QString fresh = freshWindowFailure(window);
            QVERIFY2(fresh.isEmpty(), qPrintable(fresh));
            auto* list = window->findChild<QListView*>(u"List1"_s);
            list->setCurrentIndex(list->model()->index(int(window->chart().lines.size()) - 1, 0));

            QVERIFY(!registry.openChart(position)); // again: the same window
            QCOMPARE(registry.window(position), window);
            window->close();
            if (cycle % 2 == 0) { // reopen before the deferred delete has run
                QVERIFY(!registry.openChart(position));
                QVERIFY(registry.window(position) != window);
                const QString again = freshWindowFailure(registry.window(position));
                QVERIFY2(again.isEmpty(), qPrintable(again));
                registry.window(position)->close();
            }
            if (cycle % 3 == 2 && registry.window(neighbour))
                registry.window(neighbour)->close();

            const QString failure = invariantFailure(program, baseline);
            QVERIFY2(failure.isEmpty(), qPrintable(u"cycle %1: %2"_s.arg(cycle).arg(failure)));
        }
        qInfo("%d open/close cycles over %lld charts", total, qlonglong(positions.size()));
    }
};

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
