// The inch Whitworth chart's rows: ascending sizes, thread counts that never
// rise, the drill between the class-2 limits, and the designations' indents.
#include "chart_checks.h"
#include "charts/charts.h"

#include <QRegularExpression>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

const ChartDefinition& chart() {
    return charts::kWhitworthInchChart;
}

// The first row is "   W 1/8 ‐40"; the later rows put an ideographic space,
// a space, an ideographic space and a space where "W" stands. A count below
// ten has a space after "‐".
const QRegularExpression kFirst(u"^   W ([0-9]+(?:/[0-9]+)?) ‐([1-9][0-9]| [1-9](?:1/2)?)$"_s);
const QRegularExpression
    kLater(u"^\u3000 \u3000 ([0-9]+(?:/[0-9]+)?) ‐([1-9][0-9]| [1-9](?:1/2)?)$"_s);

struct Thread {
    double inches;
    double threadsPerInch;
};

Thread threadOf(const QString& designation, bool first) {
    const auto m = (first ? kFirst : kLater).match(designation);
    if (!m.hasMatch()) {
        QTest::qFail(qPrintable(designation), __FILE__, __LINE__);
        return {};
    }
    return {mixedNumber(m.captured(1)), mixedNumber(m.captured(2))};
}

} // namespace

class TestWhitworthInchChart : public QObject {
    Q_OBJECT
private slots:
    void lines() {
        QCOMPARE(chart().lines.size(), 29u);
        QCOMPARE(chart().headingLines, 5);
        QCOMPARE(chart().dataRows, 24);
        QCOMPARE(qs(chart().lines[0]), u"ウィットねじ（インチ呼び）\u3000（注\uFF11）"_s);
        QCOMPARE(qs(chart().lines[1]), u"\t\t（注1）ウイットねじはJISより削除"_s);
        QCOMPARE(qs(chart().lines[2]), u"\t\t（注2）W3/16以下はBSWに準ずる\t単位：mm"_s);
        QCOMPARE(qs(chart().lines[3]), u"\t\t2級めねじ内径"_s);
        QCOMPARE(qs(chart().lines[4]), u"ねじの呼び （注2）\tドリル径\t最小寸法\t最大寸法"_s);
        QCOMPARE(qs(chart().lines[5]), u"   W 1/8 ‐40\t2.55\t2.362\t2.591"_s);
        QCOMPARE(qs(chart().lines[28]), u"\u3000 \u3000 3 ‐ 31/2\t68.5\t67.986\t69.166"_s);
    }

    void rows_data() { addDataRows(chart()); }
    void rows() {
        QFETCH(QStringList, row);
        QFETCH(bool, first);
        QCOMPARE(row.size(), 4);
        const Thread t = threadOf(row[0], first);
        static const QRegularExpression drill(u"^[1-9][0-9]*(\\.[0-9]?[1-9])?$"_s);
        static const QRegularExpression limit(u"^[1-9][0-9]*\\.[0-9][0-9]?[1-9]$"_s);
        QVERIFY2(drill.match(row[1]).hasMatch(), qPrintable(row[1]));
        QVERIFY2(limit.match(row[2]).hasMatch(), qPrintable(row[2]));
        QVERIFY2(limit.match(row[3]).hasMatch(), qPrintable(row[3]));
        const long long d = thousandths(number(row[1]));
        QVERIFY(thousandths(number(row[2])) <= d);
        QVERIFY(d <= thousandths(number(row[3])));
        // A minor diameter's tolerance is a small part of the pitch: the limits
        // lie less than half a pitch apart.
        QVERIFY(number(row[3]) - number(row[2]) < 25.4 / t.threadsPerInch / 2);
    }

    void order() {
        Thread previous{0, 1000};
        bool first = true;
        int twoDecimalDrills = 0;
        for (const QStringList& row : dataRows(chart())) {
            const Thread t = threadOf(row[0], first);
            QVERIFY2(t.inches > previous.inches, qPrintable(row[0]));
            QVERIFY2(t.threadsPerInch <= previous.threadsPerInch, qPrintable(row[0]));
            twoDecimalDrills += row[1].section(u'.', 1).size() == 2;
            previous = t;
            first = false;
        }
        QCOMPARE(previous.inches, 3.0);
        QCOMPARE(twoDecimalDrills, 1);
    }

    void headingColumns_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column");
        addHeading(2, u"（注1）ウイットねじはJISより削除"_s, 2);
        addHeading(3, u"（注2）W3/16以下はBSWに準ずる"_s, 2);
        addHeading(4, u"2級めねじ内径"_s, 2);
        addHeading(5, u"ねじの呼び （注2）"_s, 0);
        addHeading(5, u"ドリル径"_s, 1);
        addHeading(5, u"最小寸法"_s, 2);
        addHeading(5, u"最大寸法"_s, 3);
    }
    void headingColumns() { test::headingColumns(chart()); }

    void groupHeadingOverBothLimits() { QVERIFY(reachesColumn(chart(), 4, u"2級めねじ内径"_s, 3)); }
};

QTEST_MAIN(TestWhitworthInchChart)
#include "test_whitworth_inch_chart.moc"
