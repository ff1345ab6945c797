// The insert unified chart's rows: a UNC row for every size, followed by the
// size's UNF row where it has one; every value above the screw's major
// diameter; the drill between the limits but in one row.
#include "chart_checks.h"
#include "charts/charts.h"

#include <QRegularExpression>
#include <QSet>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

const ChartDefinition& chart() {
    return charts::kInsertUnifiedChart;
}

// "No. 10‐24UNC" and "1/4‐20UNC": no space but the one after "No.".
const QRegularExpression kDesignation(u"^(No\\. [1-9][0-9]?|[1-9][0-9]?/[1-9][0-9]?)‐"
                                      u"([1-9][0-9])(UNC|UNF)$"_s);

struct Thread {
    QString size;
    double inches;
    int threadsPerInch;
    QString series;
};

Thread threadOf(const QString& designation) {
    const auto m = kDesignation.match(designation);
    if (!m.hasMatch()) {
        QTest::qFail(qPrintable(designation), __FILE__, __LINE__);
        return {};
    }
    return {m.captured(1), unifiedSizeInches(m.captured(1)), m.captured(2).toInt(), m.captured(3)};
}

} // namespace

class TestInsertUnifiedChart : public QObject {
    Q_OBJECT
private slots:
    void lines() {
        QCOMPARE(chart().lines.size(), 33u);
        QCOMPARE(chart().headingLines, 4);
        QCOMPARE(chart().dataRows, 29);
        QCOMPARE(qs(chart().lines[0]), u"インサートユニファイねじ"_s);
        QCOMPARE(qs(chart().lines[1]), u"\t\t\t単位：mm"_s);
        QCOMPARE(qs(chart().lines[2]), u"\t適用\tタップ下穴径"_s);
        QCOMPARE(qs(chart().lines[3]), u"ねじの呼び\tドリル径\t最小寸法\t最大寸法"_s);
        QCOMPARE(qs(chart().lines[4]), u"No. 2‐56UNC\t2.3\t2.29\t2.39"_s);
        QCOMPARE(qs(chart().lines[32]), u"3/4‐16UNF\t19.5\t19.43\t19.68"_s);
    }

    void rows_data() { addDataRows(chart()); }
    void rows() {
        QFETCH(QStringList, row);
        QCOMPARE(row.size(), 4);
        const Thread t = threadOf(row[0]);
        static const QRegularExpression drill(u"^[1-9][0-9]*(\\.[1-9])?$"_s);
        static const QRegularExpression limit(u"^[1-9][0-9]*\\.[0-9]?[1-9]$"_s);
        QVERIFY2(drill.match(row[1]).hasMatch(), qPrintable(row[1]));
        QVERIFY2(limit.match(row[2]).hasMatch(), qPrintable(row[2]));
        QVERIFY2(limit.match(row[3]).hasMatch(), qPrintable(row[3]));
        const long long major = std::llround(t.inches * 25.4 * 1000.0);
        const long long d = thousandths(number(row[1]));
        const long long minimum = thousandths(number(row[2]));
        const long long maximum = thousandths(number(row[3]));
        QVERIFY(d > major && minimum > major && maximum > major);
        QVERIFY(d <= maximum);
        // A minor diameter's tolerance is a small part of the pitch: the limits
        // lie less than half a pitch apart.
        QVERIFY(maximum - minimum < std::llround(25.4 / t.threadsPerInch / 2 * 1000.0));
        QCOMPARE(d < minimum, row[0] == u"7/16‐14UNC"_s);
    }

    // Where a thread count occurs in several rows of like sizes, both limits
    // exceed the screw's major diameter by the same amounts in each of them,
    // in inches, each limit rounded to hundredths of a millimetre.
    void amountsPerThreadCount_data() {
        QTest::addColumn<int>("threadsPerInch");
        QTest::addColumn<QList<double>>("amounts"); // minimum, maximum; inches
        QTest::addColumn<QList<int>>("lines");
        QTest::newRow("56") << 56 << QList<double>{0.0042, 0.0081} << QList<int>{5, 7};
        QTest::newRow("32") << 32 << QList<double>{0.006, 0.012} << QList<int>{11, 13, 16};
    }
    void amountsPerThreadCount() {
        QFETCH(int, threadsPerInch);
        QFETCH(QList<double>, amounts);
        QFETCH(QList<int>, lines);
        QList<int> found;
        const QList<QStringList> rows = dataRows(chart());
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const Thread t = threadOf(rows[i][0]);
            if (t.threadsPerInch != threadsPerInch)
                continue;
            found.append(lineOfRow(chart(), i));
            for (int k = 0; k < 2; ++k) {
                const long long hundredths = std::llround((t.inches + amounts[k]) * 2540.0);
                QVERIFY2(thousandths(number(rows[i][2 + k])) == hundredths * 10,
                         qPrintable(u"%1: %2"_s.arg(rows[i][0], rows[i][2 + k])));
            }
        }
        QCOMPARE(found, lines);
    }

    void sizesAndSeries() {
        const QList<QStringList> rows = dataRows(chart());
        Thread previous{{}, 0, 0, {}};
        QSet<QString> withoutFine;
        int coarse = 0, fine = 0;
        for (const QStringList& row : rows) {
            const Thread t = threadOf(row[0]);
            if (t.series == u"UNC"_s) {
                ++coarse;
                QVERIFY2(t.inches > previous.inches, qPrintable(row[0]));
                if (previous.series == u"UNC"_s)
                    withoutFine.insert(previous.size);
            } else {
                ++fine;
                QCOMPARE(previous.series, u"UNC"_s);
                QCOMPARE(t.size, previous.size);
                QVERIFY2(t.threadsPerInch > previous.threadsPerInch, qPrintable(row[0]));
            }
            previous = t;
        }
        if (previous.series == u"UNC"_s)
            withoutFine.insert(previous.size);
        QCOMPARE(coarse, 16);
        QCOMPARE(fine, 13);
        QCOMPARE(withoutFine, QSet<QString>({u"No. 2"_s, u"No. 5"_s, u"No. 12"_s}));
    }

    void headingColumns_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column");
        addHeading(1, u"インサートユニファイねじ"_s, 0);
        addHeading(2, u"単位：mm"_s, 3);
        addHeading(3, u"適用"_s, 1);
        addHeading(3, u"タップ下穴径"_s, 2);
        addHeading(4, u"ねじの呼び"_s, 0);
        addHeading(4, u"ドリル径"_s, 1);
        addHeading(4, u"最小寸法"_s, 2);
        addHeading(4, u"最大寸法"_s, 3);
    }
    void headingColumns() { test::headingColumns(chart()); }

    void groupHeadingOverBothLimits() { QVERIFY(reachesColumn(chart(), 3, u"タップ下穴径"_s, 3)); }
};

QTEST_MAIN(TestInsertUnifiedChart)
#include "test_insert_unified_chart.moc"
