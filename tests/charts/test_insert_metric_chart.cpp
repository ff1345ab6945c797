// The insert metric chart's rows: every value above the nominal diameter, by
// the same amounts for every row of one pitch but the rows known to differ,
// and the drill between the limits but in two rows.
#include "chart_checks.h"
#include "charts/charts.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

const ChartDefinition& chart() {
    return charts::kInsertMetricChart;
}

// "M 2 × 0.4" on the first row, "2.2 × 0.45" on the others.
const QRegularExpression
    kDesignation(u"^(M )?([1-9][0-9]*(?:\\.[0-9])?) × ((?:0|[1-9][0-9]*)(?:\\.[0-9]*[1-9])?)$"_s);

struct Size {
    long long d; // thousandths
    long long p;
    bool m;
};

Size sizeOf(const QString& designation) {
    const auto match = kDesignation.match(designation);
    if (!match.hasMatch()) {
        QTest::qFail(qPrintable(designation), __FILE__, __LINE__);
        return {};
    }
    return {thousandths(number(match.captured(2))), thousandths(number(match.captured(3))),
            match.capturedLength(1) > 0};
}

// Drill, minimum and maximum above the nominal diameter, in thousandths.
using Amounts = QList<long long>;
// Amounts of their own, by 1-based line number.
using Exceptions = QMap<int, Amounts>;

Amounts amountsOf(const QStringList& row) {
    const long long d = sizeOf(row[0]).d;
    return {thousandths(number(row[1])) - d, thousandths(number(row[2])) - d,
            thousandths(number(row[3])) - d};
}

} // namespace

class TestInsertMetricChart : public QObject {
    Q_OBJECT
private slots:
    void lines() {
        QCOMPARE(chart().lines.size(), 34u);
        QCOMPARE(chart().headingLines, 4);
        QCOMPARE(chart().dataRows, 30);
        QCOMPARE(qs(chart().lines[0]), u"インサートメートルねじ"_s);
        QCOMPARE(qs(chart().lines[1]), u"\t\t\t単位：mm"_s);
        QCOMPARE(qs(chart().lines[2]), u"\t適用\tタップ下穴径"_s);
        QCOMPARE(qs(chart().lines[3]), u"ねじの呼び\tドリル径\t最小寸法\t最大寸法"_s);
        QCOMPARE(qs(chart().lines[4]), u"M 2 × 0.4\t2.1\t2.1\t2.17"_s);
        QCOMPARE(qs(chart().lines[33]), u"24 × 1.5\t24.5\t24.37\t24.62"_s);
    }

    void rows_data() {
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<int>("line");
        const QList<QStringList> rows = dataRows(chart());
        for (qsizetype i = 0; i < rows.size(); ++i)
            QTest::newRow(qPrintable(rows[i][0])) << rows[i] << lineOfRow(chart(), i);
    }
    void rows() {
        QFETCH(QStringList, row);
        QFETCH(int, line);
        QCOMPARE(row.size(), 4);
        const Size s = sizeOf(row[0]);
        QCOMPARE(s.m, line == 5);
        static const QRegularExpression drill(u"^[1-9][0-9]*(\\.[1-9])?$"_s);
        static const QRegularExpression limit(u"^[1-9][0-9]*\\.[0-9]?[1-9]$"_s);
        QVERIFY2(drill.match(row[1]).hasMatch(), qPrintable(row[1]));
        QVERIFY2(limit.match(row[2]).hasMatch(), qPrintable(row[2]));
        QVERIFY2(limit.match(row[3]).hasMatch(), qPrintable(row[3]));
        for (long long amount : amountsOf(row))
            QVERIFY(amount > 0);
        const long long d = thousandths(number(row[1]));
        const long long minimum = thousandths(number(row[2]));
        QVERIFY(d <= thousandths(number(row[3])));
        // A minor diameter's tolerance is a small part of the pitch: the limits
        // lie less than half a pitch apart.
        QVERIFY(thousandths(number(row[3])) - minimum < s.p / 2);
        // 2.2 × 0.45 and 3 × 0.5 take a drill just below the minimum.
        QCOMPARE(d < minimum, line == 6 || line == 9);
    }

    // The rows of a pitch that occurs more than once, and the amounts they
    // share; `exceptions` are rows of the pitch with amounts of their own.
    void amountsPerPitch_data() {
        QTest::addColumn<long long>("pitch");
        QTest::addColumn<Amounts>("amounts");
        QTest::addColumn<QList<int>>("lines");
        QTest::addColumn<Exceptions>("exceptions");
        QTest::newRow("0.45") << 450LL << Amounts{100, 100, 150} << QList<int>{7, 8}
                              << Exceptions{{6, {100, 110, 190}}};
        QTest::newRow("1") << 1000LL << Amounts{300, 250, 420} << QList<int>{13, 15, 18}
                           << Exceptions{};
        QTest::newRow("1.25") << 1250LL << Amounts{400, 310, 520} << QList<int>{14, 17, 24}
                              << Exceptions{{21, {500, 310, 520}}};
        QTest::newRow("1.5") << 1500LL << Amounts{500, 370, 620}
                             << QList<int>{16, 20, 23, 26, 28, 30, 32, 34} << Exceptions{};
        QTest::newRow("2") << 2000LL << Amounts{500, 490, 830} << QList<int>{22, 25}
                           << Exceptions{};
        QTest::newRow("2.5") << 2500LL << Amounts{1000, 580, 1040} << QList<int>{27, 29, 31}
                             << Exceptions{};
    }
    void amountsPerPitch() {
        QFETCH(long long, pitch);
        QFETCH(Amounts, amounts);
        QFETCH(QList<int>, lines);
        QFETCH(Exceptions, exceptions);
        QList<int> found;
        const QList<QStringList> rows = dataRows(chart());
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (sizeOf(rows[i][0]).p != pitch)
                continue;
            const int line = lineOfRow(chart(), i);
            QCOMPARE(amountsOf(rows[i]), exceptions.value(line, amounts));
            if (!exceptions.contains(line))
                found.append(line);
        }
        QCOMPARE(found, lines);
    }

    // Pitches outside the shared amounts occur once each.
    void otherPitchesOccurOnce() {
        const QSet<long long> shared = {450, 1000, 1250, 1500, 2000, 2500};
        QMap<long long, int> count;
        for (const QStringList& row : dataRows(chart()))
            ++count[sizeOf(row[0]).p];
        for (auto it = count.cbegin(); it != count.cend(); ++it)
            QVERIFY2((it.value() > 1) == shared.contains(it.key()),
                     qPrintable(QString::number(it.key())));
    }

    void order() {
        Size previous{0, 0, false};
        for (const QStringList& row : dataRows(chart())) {
            const Size s = sizeOf(row[0]);
            QVERIFY2(s.d >= previous.d, qPrintable(row[0]));
            if (s.d == previous.d)
                QVERIFY2(s.p < previous.p, qPrintable(row[0]));
            previous = s;
        }
    }

    void headingColumns_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column");
        addHeading(1, u"インサートメートルねじ"_s, 0);
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

QTEST_MAIN(TestInsertMetricChart)
#include "test_insert_metric_chart.moc"
