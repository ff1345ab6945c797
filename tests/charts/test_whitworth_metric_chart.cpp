// The metric Whitworth chart's rows: the drill and the minimum lie below the
// nominal diameter by amounts set by the thread count alone; the limits lie
// 0.12 to 0.16 mm apart.
#include "chart_checks.h"
#include "charts/charts.h"

#include <QMap>
#include <QRegularExpression>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

const ChartDefinition& chart() {
    return charts::kWhitworthMetricChart;
}

// " W 10 ‐20" first; later rows put an ideographic space in place of "W" and
// the space after it: " \u3000 10 ‐24".
const QRegularExpression kFirst(u"^ W ([1-9][0-9]) ‐([1-9][0-9])$"_s);
const QRegularExpression kLater(u"^ \u3000 ([1-9][0-9]) ‐([1-9][0-9])$"_s);

struct Thread {
    int diameter;
    int threadsPerInch;
};

Thread threadOf(const QString& designation, bool first) {
    const auto m = (first ? kFirst : kLater).match(designation);
    if (!m.hasMatch()) {
        QTest::qFail(qPrintable(designation), __FILE__, __LINE__);
        return {};
    }
    return {m.captured(1).toInt(), m.captured(2).toInt()};
}

} // namespace

class TestWhitworthMetricChart : public QObject {
    Q_OBJECT
private slots:
    void lines() {
        QCOMPARE(chart().lines.size(), 33u);
        QCOMPARE(chart().headingLines, 4);
        QCOMPARE(chart().dataRows, 29);
        QCOMPARE(qs(chart().lines[0]), u"ウィットねじ（メートル呼び）\u3000（注\uFF11）"_s);
        QCOMPARE(qs(chart().lines[1]), u"\t\t（注1）ウイットねじはJISより削除\t単位：mm"_s);
        QCOMPARE(qs(chart().lines[2]), u"\t\t2級めねじ内径"_s);
        QCOMPARE(qs(chart().lines[3]), u"ねじの呼び\tドリル径\t最小寸法\t最大寸法"_s);
        QCOMPARE(qs(chart().lines[4]), u" W 10 ‐20\t8.6\t8.564\t8.684"_s);
        QCOMPARE(qs(chart().lines[32]), u" \u3000 40 ‐12\t37.6\t37.61\t37.77"_s);
    }

    // The drill and the minimum below the nominal diameter, in thousandths,
    // for each thread count.
    void amountsPerThreadCount_data() {
        QTest::addColumn<int>("threadsPerInch");
        QTest::addColumn<long long>("drillBelow");
        QTest::addColumn<long long>("minimumBelow");
        QTest::newRow("12") << 12 << 2400LL << 2390LL;
        QTest::newRow("14") << 14 << 2000LL << 2064LL;
        QTest::newRow("16") << 16 << 1800LL << 1792LL;
        QTest::newRow("18") << 18 << 1600LL << 1598LL;
        QTest::newRow("20") << 20 << 1400LL << 1436LL;
        QTest::newRow("24") << 24 << 1200LL << 1196LL;
    }
    void amountsPerThreadCount() {
        QFETCH(int, threadsPerInch);
        QFETCH(long long, drillBelow);
        QFETCH(long long, minimumBelow);
        int found = 0;
        bool first = true;
        for (const QStringList& row : dataRows(chart())) {
            const Thread t = threadOf(row[0], first);
            first = false;
            if (t.threadsPerInch != threadsPerInch)
                continue;
            ++found;
            const long long d = t.diameter * 1000LL;
            QCOMPARE(d - thousandths(number(row[1])), drillBelow);
            QCOMPARE(d - thousandths(number(row[2])), minimumBelow);
        }
        QVERIFY(found > 0);
    }

    void rows_data() { addDataRows(chart()); }
    void rows() {
        QFETCH(QStringList, row);
        QFETCH(bool, first);
        QCOMPARE(row.size(), 4);
        const Thread t = threadOf(row[0], first);
        QVERIFY(QList<int>({12, 14, 16, 18, 20, 24}).contains(t.threadsPerInch));
        static const QRegularExpression drill(u"^[1-9][0-9]*(\\.[1-9])?$"_s);
        static const QRegularExpression limit(u"^[1-9][0-9]*\\.[0-9][0-9]?[1-9]$"_s);
        QVERIFY2(drill.match(row[1]).hasMatch(), qPrintable(row[1]));
        QVERIFY2(limit.match(row[2]).hasMatch(), qPrintable(row[2]));
        QVERIFY2(limit.match(row[3]).hasMatch(), qPrintable(row[3]));
        const long long drillValue = thousandths(number(row[1]));
        const long long minimum = thousandths(number(row[2]));
        const long long maximum = thousandths(number(row[3]));
        QVERIFY(maximum - minimum >= 120 && maximum - minimum <= 160);
        // Only the counts 14 and 20 put the drill between the limits; the
        // others leave it a little below the minimum.
        if (t.threadsPerInch == 14 || t.threadsPerInch == 20) {
            QVERIFY(minimum <= drillValue && drillValue <= maximum);
        } else {
            QVERIFY(minimum - drillValue >= 2 && minimum - drillValue <= 10);
        }
    }

    void order() {
        Thread previous{0, 0};
        bool first = true;
        QMap<int, int> perDiameter;
        int drillBelowMinimum = 0;
        for (const QStringList& row : dataRows(chart())) {
            const Thread t = threadOf(row[0], first);
            first = false;
            QVERIFY2(t.diameter >= previous.diameter, qPrintable(row[0]));
            if (t.diameter == previous.diameter)
                QVERIFY2(t.threadsPerInch > previous.threadsPerInch, qPrintable(row[0]));
            ++perDiameter[t.diameter];
            drillBelowMinimum += thousandths(number(row[1])) < thousandths(number(row[2]));
            previous = t;
        }
        QCOMPARE(drillBelowMinimum, 18);
        QCOMPARE(perDiameter.size(), 21);
        QCOMPARE(perDiameter.keys(2).size(), 8);
        QCOMPARE(perDiameter.firstKey(), 10);
        QCOMPARE(perDiameter.lastKey(), 40);
    }

    void headingColumns_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column");
        addHeading(2, u"（注1）ウイットねじはJISより削除"_s, 2);
        addHeading(3, u"2級めねじ内径"_s, 2);
        addHeading(4, u"ねじの呼び"_s, 0);
        addHeading(4, u"ドリル径"_s, 1);
        addHeading(4, u"最小寸法"_s, 2);
        addHeading(4, u"最大寸法"_s, 3);
    }
    void headingColumns() { test::headingColumns(chart()); }

    void groupHeadingOverBothLimits() { QVERIFY(reachesColumn(chart(), 3, u"2級めねじ内径"_s, 3)); }
};

QTEST_MAIN(TestWhitworthMetricChart)
#include "test_whitworth_metric_chart.moc"
