// The desktop's search apart from the bus: the terms GNOME Shell and KRunner
// send, the order and ids of the results, KRunner's exact match, and the
// bounds on what a caller sends; the provider's idle end, and what a start
// hands over to a running Vornel.
#include "app/application.h"
#include "app/command_line.h"
#include "app/desktop_search.h"
#include "app/running_vornel.h"
#include "app/search_provider.h"
#include "app/x11_startup.h"
#include "charts/charts.h"
#include "search/search_index.h"
#include "test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

using namespace vornel;
using vornel::test::qs;
using vornel::test::view;
using namespace Qt::StringLiterals;

namespace {

// The program's one index, which every door searches.
const search::SearchIndex& index() {
    static const auto charts = charts::allCharts();
    static const search::SearchIndex index(charts);
    return index;
}

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
        // The trade's words: what the designation or drill alone finds first.
        QTest::newRow("M8 下穴") << QStringList{u"M8"_s, u"下穴"_s} << u"0:M8 下穴"_s
                                 << u"1 8 × 1.25"_s << qint64(0);
        QTest::newRow("M8の下穴") << QStringList{u"M8の下穴"_s} << u"0:M8の下穴"_s
                                  << u"1 8 × 1.25"_s << qint64(0);
        QTest::newRow("ドリル 6.8") << QStringList{u"ドリル"_s, u"6.8"_s} << u"0:ドリル 6.8"_s
                                    << u"1 8 × 1.25"_s << qint64(6'800'000);
        QTest::newRow("M10 細目") << QStringList{u"M10"_s, u"細目"_s} << u"0:M10 細目"_s
                                  << u"1 10 × 1.25"_s << qint64(0);
        QTest::newRow("M8 ピッチ1.25") << QStringList{u"M8"_s, u"ピッチ1.25"_s}
                                       << u"0:M8 ピッチ1.25"_s << u"1 8 × 1.25"_s << qint64(0);
        QTest::newRow("1/4 UNC 下穴") << QStringList{u"1/4"_s, u"UNC"_s, u"下穴"_s}
                                      << u"0:1/4 UNC 下穴"_s << u"2 1/4 ‐20UNC"_s << qint64(0);
        // Three wires with no class: the 6g bolt first; a depth: the hole's row.
        QTest::newRow("M8x1.25 三針") << QStringList{u"M8x1.25"_s, u"三針"_s} << u"0:M8x1.25 三針"_s
                                      << u"0 M8 × 1.25-6g"_s << qint64(0);
        QTest::newRow("M8 深さ 16") << QStringList{u"M8"_s, u"深さ"_s, u"16"_s} << u"0:M8 深さ 16"_s
                                    << u"1 8 × 1.25"_s << qint64(0);
        // No row where nothing is named, nor for a measurement that cannot
        // be read or fits no thread; --find prints none either.
        QTest::newRow("code") << QStringList{u"code"_s} << QString() << QString() << qint64(0);
        QTest::newRow("山形") << QStringList{u"山形"_s} << QString() << QString() << qint64(0);
        QTest::newRow("a measurement's word alone")
            << QStringList{u"外径"_s} << QString() << QString() << qint64(0);
        QTest::newRow("a measurement that fits nothing")
            << QStringList{u"外径"_s, u"500"_s, u"ピッチ"_s, u"1"_s} << QString() << QString()
            << qint64(0);
        QTest::newRow("a count past the largest pitch")
            << QStringList{u"外径"_s, u"10"_s, u"0.000001山"_s} << QString() << QString()
            << qint64(0);
        // Spaces that would be ignored, past the longest query: not searched.
        QTest::newRow("longer than any query")
            << QStringList{u"M8x1.25"_s, QString(300, u' ')} << QString() << QString() << qint64(0);
    }
    void terms() {
        QFETCH(QStringList, terms);
        QFETCH(QString, firstId);
        DesktopSearch search(index());
        const std::vector<DesktopSearch::Answer> answers = search.answers(terms);
        QCOMPARE(answers.empty() ? QString() : answers.front().id, firstId);
        QCOMPARE(std::size_t(search.matches(terms.join(u' ')).size()), answers.size());
        // --find prints as many, and exits 1 where that is none.
        std::FILE* out = std::tmpfile();
        QVERIFY(out);
        QCOMPARE(printResults(terms.join(u' '), out), int(answers.size()));
        std::fclose(out);
        if (answers.empty())
            return;
        QTEST(describe(answers.front().result), "first");
        QTEST(qint64(answers.front().result.queriedDrill), "queriedDrill");
        // The id names the same result in a process that never saw the terms.
        DesktopSearch afresh(index());
        QCOMPARE(afresh.result(firstId), std::optional(answers.front().result));
    }

    // GNOME Shell and KRunner give the search window's results in its
    // order, each as "position designation" (worked out from the charts),
    // and KRunner's exact matches only ahead of all others.
    void searchWindowOrder_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QList<int>>("types");
        QTest::newRow("M8x1.25: three charts")
            << u"M8x1.25"_s << QStringList{u"1 8 × 1.25"_s, u"8 8 × 1.25"_s, u"10 M 8 × 1.25"_s}
            << QList<int>{100, 100, 100};
        // Each family's 1/4-20 is named with its thread count: exact, in the
        // charts' order, the unified thread first.
        QTest::newRow("1/4-20: the unified thread first")
            << u"1/4-20"_s << QStringList{u"2 1/4 ‐20UNC"_s, u"3 1/4 ‐20"_s, u"9 1/4‐20UNC"_s}
            << QList<int>{100, 100, 100};
        QTest::newRow("PF1/4: the one G 1/4")
            << u"PF1/4"_s << QStringList{u"6 G(PF) 1/4 ‐19"_s} << QList<int>{100};
        // The metric chart's own drill, then two rows whose limits hold it.
        QTest::newRow("6.8: drills")
            << u"6.8"_s << QStringList{u"1 8 × 1.25"_s, u"2 5/16 ‐24UNF"_s, u"6 G 1/16 ‐28"_s}
            << QList<int>{30, 30, 30};
        // The insert chart's one M3 names its thread exactly, but comes after
        // the metric chart's three pitches, which do not.
        QTest::newRow("M3: an exact row after others")
            << u"M3"_s << QStringList{u"1 3 × 0.5"_s, u"1 3 × 0.35"_s,   u"1 3 × 0.6"_s,
                                      u"8 3 × 0.5"_s, u"10 M 3 × 0.5"_s, u"10 M 3 × 0.35"_s}
            << QList<int>{30, 30, 30, 30, 30, 30};
    }
    void searchWindowOrder() {
        QFETCH(QString, query);
        DesktopSearch search(index());
        const std::vector<DesktopSearch::Answer> answers = search.answers({query});
        const RemoteMatches matches = search.matches(query);
        QCOMPARE(std::size_t(matches.size()), answers.size());
        QStringList results;
        QList<int> types;
        for (qsizetype i = 0; i < matches.size(); ++i) {
            results.append(describe(answers[std::size_t(i)].result));
            types.append(matches[i].type);
            QCOMPARE(matches[i].id, answers[std::size_t(i)].id);
            QCOMPARE(matches[i].id, u"%1:%2"_s.arg(i).arg(query));
            if (i > 0)
                QVERIFY(matches[i].relevance < matches[i - 1].relevance);
        }
        QTEST(results, "results");
        QTEST(types, "types");
    }

    // GNOME Shell's metas: a screenful of ids at most, none for an id that
    // names no result (M8x1.25 has three), and nothing for it to copy when a
    // result is activated.
    void metas() {
        DesktopSearch search(index());
        const QStringList none{u":M8x1.25"_s, u"3:M8x1.25"_s, u"-1:M8x1.25"_s, u"0x:M8x1.25"_s};
        const ResultMetas metas = search.metas(none + QStringList(100'000, u"0:M8x1.25"_s));
        QCOMPARE(metas.size(), kMostMetasPerCall - none.size());
        QCOMPARE(metas.front().value(u"name"_s).toString(), u"8 × 1.25（メートルねじ）"_s);
        // M8x1.25 6H: D1 = 8 − 1.082532 × 1.25 = 6.647, TD1 = 0.265.
        QVERIFY(metas.front()
                    .value(u"description"_s)
                    .toString()
                    .startsWith(u"ドリル径 6.8、めねじ内径 6.647～6.912、"_s));
        QVERIFY(!metas.front().contains(u"clipboardText"_s));
    }

    // A provider that the bus started ends once it has had no call for its
    // idle time (VORNEL_PROVIDER_IDLE_MS milliseconds, where that is a
    // number above 0; else 30 s), whether it was called or not; each call
    // starts it afresh.
    void providerEndsWhenIdle_data() {
        QTest::addColumn<QByteArray>("idleMs");
        QTest::addColumn<int>("calls");
        QTest::addColumn<bool>("ends");
        QTest::newRow("never called") << "200"_ba << 0 << true;
        QTest::newRow("called once") << "200"_ba << 1 << true;
        QTest::newRow("called again before its end") << "200"_ba << 3 << true;
        QTest::newRow("0 ms: 30 s") << "0"_ba << 0 << false;
        QTest::newRow("not a number: 30 s") << "soon"_ba << 0 << false;
    }
    void providerEndsWhenIdle() {
        QFETCH(QByteArray, idleMs);
        QFETCH(int, calls);
        QFETCH(bool, ends);
        qputenv("VORNEL_PROVIDER_IDLE_MS", idleMs);
        QElapsedTimer idle;
        idle.start();
        SearchProvider provider;
        KRunnerProvider krunner(provider);
        for (int call = 0; call < calls; ++call) {
            QTest::qWait(100);
            idle.start();
            QCOMPARE(krunner.Match(u"M8x1.25"_s).size(), 3);
        }
        QTimer later;
        connect(&later, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        later.start(ends ? 10'000 : 1'000);
        QCOMPARE(QCoreApplication::exec(), ends ? 0 : 1);
        // Well after the last call: a coarse timer may end up to 5 % early,
        // and a call in the sanitizer's build runs long before it restarts
        // the time.
        QVERIFY(idle.elapsed() >= 150);
        qunsetenv("VORNEL_PROVIDER_IDLE_MS");
    }

    // Where no Vornel runs, a start's hand-over asks the bus to start none,
    // though the bus could: its service folder has one.
    void handOverStartsNothing() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(u"dbus-1/services"_s));
        const QString started = dir.filePath(u"started"_s);
        QFile service(dir.filePath(u"dbus-1/services/io.github.vornel.Vornel.service"_s));
        QVERIFY(service.open(QIODevice::WriteOnly));
        service.write(u"[D-BUS Service]\nName=io.github.vornel.Vornel\nExec=/usr/bin/touch %1\n"_s
                          .arg(started)
                          .toUtf8());
        service.close();
        // A session bus whose services are those of XDG_DATA_DIRS.
        QProcess bus;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_DATA_DIRS"_s, dir.path());
        bus.setProcessEnvironment(environment);
        bus.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address"_s});
        QVERIFY2(bus.waitForReadyRead(10'000), "dbus-daemon did not start");
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
        QVERIFY(!handOverToRunningVornel({}, {}));
        QVERIFY2(!QFile::exists(started), "the bus was asked to start a Vornel");
        bus.kill();
        bus.waitForFinished();
    }

    // The activation token that a window shown for a call hands the
    // compositor: the launcher's, or on Wayland its startup id. On X11 a
    // startup id is completed otherwise (x11_startup), never a token.
    void activationTokens_data() {
        QTest::addColumn<QVariantMap>("platformData");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("token");
        const QVariantMap id{{u"desktop-startup-id"_s, u"launch_TIME1"_s}};
        QVariantMap both = id;
        both.insert(u"activation-token"_s, u"token"_s);
        QTest::newRow("token on Wayland") << both << u"wayland"_s << u"token"_s;
        QTest::newRow("startup id on Wayland") << id << u"wayland"_s << u"launch_TIME1"_s;
        QTest::newRow("token on X11") << both << u"xcb"_s << u"token"_s;
        QTest::newRow("startup id on X11") << id << u"xcb"_s << QString();
        QTest::newRow("neither") << QVariantMap() << u"wayland"_s << QString();
        const QString longest(1024, u'a');
        QTest::newRow("1,024 characters")
            << QVariantMap{{u"activation-token"_s, longest}} << u"xcb"_s << longest;
        QTest::newRow("1,025 characters")
            << QVariantMap{{u"activation-token"_s, longest + u'a'}} << u"xcb"_s << QString();
    }
    void activationTokens() {
        QFETCH(QVariantMap, platformData);
        QFETCH(QString, platform);
        QTEST(activationToken(platformData, platform), "token");
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
