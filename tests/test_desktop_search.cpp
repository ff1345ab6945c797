// The desktop's search apart from the bus: the terms GNOME Shell and KRunner
// send, the order and ids of the results, KRunner's exact match, and the
// bounds on what a caller sends.
#include "app/desktop_search.h"
#include "app/x11_startup.h"
#include "charts/charts.h"
#include "search/search_index.h"
#include "test_support.h"

#include <QTest>

using namespace vornel;
using vornel::test::qs;
using vornel::test::view;
using namespace Qt::StringLiterals;

namespace {

// An answer as "position designation", the chart's position in the menu.
QString describe(const search::SearchResult& r) {
    return QString::number(r.position) + u' ' + qs(r.designation);
}

} // namespace

class TestDesktopSearch : public QObject {
    Q_OBJECT
private slots:
    // GNOME Shell sends the overview's words apart; they are one query.
    void terms_data() {
        QTest::addColumn<QStringList>("terms");
        QTest::addColumn<QString>("firstId");
        QTest::addColumn<QString>("first");
        QTest::addColumn<qint64>("queriedDrill");
        QTest::newRow("thread and drill")
            << QStringList{u"M8x1.25"_s, u"6.9"_s} << u"0:M8x1.25 6.9"_s << u"1 8 × 1.25"_s
            << qint64(6'900'000);
        QTest::newRow("one word") << QStringList{u"1/4-20"_s} << u"0:1/4-20"_s << u"2 1/4 ‐20UNC"_s
                                  << qint64(0);
        QTest::newRow("no terms") << QStringList{} << QString() << QString() << qint64(0);
        // Spaces that would be ignored, past the longest query: not searched.
        QTest::newRow("longer than any query")
            << QStringList{u"M8x1.25"_s, QString(300, u' ')} << QString() << QString() << qint64(0);
    }
    void terms() {
        QFETCH(QStringList, terms);
        QFETCH(QString, firstId);
        DesktopSearch search;
        const std::vector<DesktopSearch::Answer> answers = search.answers(terms);
        QCOMPARE(answers.empty() ? QString() : answers.front().id, firstId);
        if (answers.empty())
            return;
        QTEST(describe(answers.front().result), "first");
        QTEST(qint64(answers.front().result.queriedDrill), "queriedDrill");
        // The id names the same result in a process that never saw the terms.
        DesktopSearch afresh;
        QCOMPARE(afresh.result(firstId), std::optional(answers.front().result));
    }

    // Every door gives the search window's results in its order, and
    // KRunner's exact matches only ahead of all others.
    void searchWindowOrder_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QList<int>>("types");
        QTest::newRow("M8x1.25: three charts") << u"M8x1.25"_s << QList<int>{100, 100, 100};
        // Each family's 1/4-20 is named with its thread count: exact, in the
        // search window's order, the unified thread first.
        QTest::newRow("1/4-20: the unified thread first")
            << u"1/4-20"_s << QList<int>{100, 100, 100};
        QTest::newRow("PF1/4: the one G 1/4") << u"PF1/4"_s << QList<int>{100};
        QTest::newRow("1/4-20UNC") << u"1/4-20UNC"_s << QList<int>{100};
        QTest::newRow("6.8") << u"6.8"_s << QList<int>{30, 30};
    }
    void searchWindowOrder() {
        QFETCH(QString, query);
        QFETCH(QList<int>, types);
        static const auto charts = charts::allCharts();
        const search::SearchIndex index(charts);
        const std::vector<search::SearchResult> window = index.find(view(query));
        DesktopSearch search;
        const std::vector<DesktopSearch::Answer> answers = search.answers({query});
        const RemoteMatches matches = search.matches(query);
        QCOMPARE(answers.size(), window.size());
        QCOMPARE(std::size_t(matches.size()), window.size());
        for (std::size_t i = 0; i < window.size(); ++i) {
            QCOMPARE(answers[i].result, window[i]);
            QCOMPARE(matches[qsizetype(i)].id, answers[i].id);
            if (i > 0)
                QVERIFY(matches[qsizetype(i)].relevance < matches[qsizetype(i) - 1].relevance);
        }
        for (qsizetype i = 0; i < types.size(); ++i)
            QCOMPARE(matches[i].type, types[i]);
    }

    // GNOME Shell's metas: a screenful of ids at most, and nothing for it to
    // copy when a result is activated.
    void metas() {
        DesktopSearch search;
        const ResultMetas metas = search.metas(QStringList(100'000, u"0:M8x1.25"_s));
        QCOMPARE(metas.size(), kMostMetasPerCall);
        QCOMPARE(metas.front().value(u"name"_s).toString(), u"8 × 1.25（メートルねじ）"_s);
        QVERIFY(!metas.front().contains(u"clipboardText"_s));
    }

    // A launcher's startup id, as a second start hands it over: the time of
    // the click it carries, and the message that ends its launch.
    void startupIds_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<quint32>("time");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("launcher's") << u"openbox/vornel/1234-0-host_TIME1000"_s << quint32(1000)
                                    << "remove: ID=openbox/vornel/1234-0-host_TIME1000"_ba;
        QTest::newRow("space, quote, backslash")
            << u"a \"b\\c_TIME7"_s << quint32(7) << "remove: ID=a\\ \\\"b\\\\c_TIME7"_ba;
        QTest::newRow("no time") << u"vornel-1"_s << quint32(0) << "remove: ID=vornel-1"_ba;
        QTest::newRow("not digits") << u"v_TIME12a"_s << quint32(0) << "remove: ID=v_TIME12a"_ba;
        QTest::newRow("past 32 bits")
            << u"v_TIME4294967296"_s << quint32(0) << "remove: ID=v_TIME4294967296"_ba;
        QTest::newRow("the last _TIME")
            << u"v_TIME1_TIME2"_s << quint32(2) << "remove: ID=v_TIME1_TIME2"_ba;
    }
    void startupIds() {
        QFETCH(QString, id);
        QTEST(startupIdTime(id), "time");
        QTEST(startupRemoveMessage(id), "message");
    }
};

QTEST_GUILESS_MAIN(TestDesktopSearch)
#include "test_desktop_search.moc"
