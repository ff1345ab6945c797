// The unified chart's rows against the relations that describe them: order by
// size and thread count, the minimum near the theoretical minor diameter
// D − 1.082532 P, the drill between the limits.
#include "chart_checks.h"
#include "charts/charts.h"

#include <QMap>
#include <QRegularExpression>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

const ChartDefinition& chart() {
    return charts::kUnifiedChart;
}

// Size, "‐" and threads per inch, then the series: "No. 8‐36UNF", "No.10‐24UNC",
// "11/16 ‐12UN", "7/8 ‐ 9UNC", "2 ‐41/2UNC".
const QRegularExpression kDesignation(u"^(No\\. [0-9]|No\\.1[0-9]|[0-9]+(?:/[0-9]+)? )‐"
                                      u"( [1-9]|[1-9][0-9]|[1-9]1/2)(UNC|UNF|UNEF|UNS|UN)$"_s);

struct Thread {
    double inches;
    double threadsPerInch;
    QString series;
};

Thread threadOf(const QString& designation) {
    const auto m = kDesignation.match(designation);
    if (!m.hasMatch()) {
        QTest::qFail(qPrintable(designation), __FILE__, __LINE__);
        return {};
    }
    return {unifiedSizeInches(m.captured(1).trimmed()), mixedNumber(m.captured(2)), m.captured(3)};
}

} // namespace

class TestUnifiedChart : public QObject {
    Q_OBJECT
private slots:
    void lines() {
        QCOMPARE(chart().lines.size(), 95u);
        QCOMPARE(chart().headingLines, 4);
        QCOMPARE(chart().dataRows, 90);
        QCOMPARE(qs(chart().lines[0]), u"ユニファイねじ"_s);
        QCOMPARE(qs(chart().lines[1]),
                 u"\t（注1）UNEF、UN、UNSの2B級めねじ内径はANSI B1.1による"_s +
                     QString(6, QChar(0x3000)) + u"単位：mm"_s);
        QCOMPARE(qs(chart().lines[2]), u"\t\t2B級めねじ内径"_s);
        QCOMPARE(qs(chart().lines[3]), u"ねじの呼び\tドリル径\t最小寸法\t最大寸法"_s);
        QCOMPARE(qs(chart().lines[4]), u"No. 0‐80UNF\t1.25\t1.182\t1.305"_s);
        QCOMPARE(qs(chart().lines[93]), u"3 ‐ 8UN\t73\t72.771\t73.406"_s);
        QCOMPARE(qs(chart().lines[94]), QString());
    }

    void rowFormat_data() { addDataRows(chart()); }
    void rowFormat() {
        QFETCH(QStringList, row);
        QCOMPARE(row.size(), 4);
        QVERIFY2(kDesignation.match(row[0]).hasMatch(), qPrintable(row[0]));
        static const QRegularExpression drill(u"^(0|[1-9][0-9]*)(\\.[0-9]?[1-9])?$"_s);
        static const QRegularExpression limit(u"^(0|[1-9][0-9]*)\\.[0-9][0-9]?[1-9]$"_s);
        QVERIFY2(drill.match(row[1]).hasMatch(), qPrintable(row[1]));
        QVERIFY2(limit.match(row[2]).hasMatch(), qPrintable(row[2]));
        QVERIFY2(limit.match(row[3]).hasMatch(), qPrintable(row[3]));
    }

    void relations_data() { rowFormat_data(); }
    void relations() {
        QFETCH(QStringList, row);
        const Thread t = threadOf(row[0]);
        const double d = t.inches * 25.4;
        const double p = 25.4 / t.threadsPerInch;
        const double minimum = number(row[2]);
        QVERIFY2(std::abs(minimum - (d - 1.082532 * p)) <= 0.014 + 1e-9,
                 qPrintable(QString::number(d - 1.082532 * p, 'f', 4)));
        const long long drill = thousandths(number(row[1]));
        QVERIFY(thousandths(minimum) <= drill);
        // A minor diameter's tolerance is a small part of the pitch: the limits
        // lie less than half a pitch apart.
        QVERIFY(number(row[3]) - minimum < p / 2);
        QVERIFY(drill <= thousandths(number(row[3])));
    }

    void orderAndSeries() {
        Thread previous{0, 0, {}};
        QMap<QString, int> series;
        for (const QStringList& row : dataRows(chart())) {
            const Thread t = threadOf(row[0]);
            QVERIFY2(t.inches >= previous.inches, qPrintable(row[0]));
            if (t.inches == previous.inches)
                QVERIFY2(t.threadsPerInch > previous.threadsPerInch, qPrintable(row[0]));
            ++series[t.series];
            previous = t;
        }
        const QMap<QString, int> expected{
            {u"UNC"_s, 25}, {u"UNF"_s, 25}, {u"UNEF"_s, 16}, {u"UNS"_s, 3}, {u"UN"_s, 21}};
        QCOMPARE(series, expected);
    }

    void headingColumns_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column");
        addHeading(1, u"ユニファイねじ"_s, 0);
        addHeading(2, u"（注1）UNEF、UN、UNSの2B級めねじ内径はANSI B1.1による"_s, 1);
        addHeading(3, u"2B級めねじ内径"_s, 2);
        addHeading(4, u"ねじの呼び"_s, 0);
        addHeading(4, u"ドリル径"_s, 1);
        addHeading(4, u"最小寸法"_s, 2);
        addHeading(4, u"最大寸法"_s, 3);
    }
    void headingColumns() { test::headingColumns(chart()); }

    void groupHeadingOverBothLimits() {
        QVERIFY(reachesColumn(chart(), 3, u"2B級めねじ内径"_s, 3));
    }

    // The note line is one field: the unit follows the note on the same
    // line and runs past the list's right edge, where it is cut off.
    void noteLineRunsPastTheList() {
        const ColumnLayout layout = layoutOf(chart());
        const auto placed = layout.line(1);
        QCOMPARE(placed.size(), 2u);
        QCOMPARE(placed[1].text.toString(), u"単位：mm"_s);
        QVERIFY(placed[1].x > placed[0].x + placed[0].width);
        QVERIFY(layout.lineWidth(1) > pixelsFromTwips(chart().listRect.width));
    }
};

QTEST_MAIN(TestUnifiedChart)
#include "test_unified_chart.moc"
