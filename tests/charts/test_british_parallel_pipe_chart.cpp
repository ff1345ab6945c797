// The British parallel pipe chart: its window, its four-field lines and where
// the layout puts the headings, and its rows: the minor-diameter tolerance per
// thread count, the 12.7 mm steps of the largest sizes, the drill within the
// limits but for three named sizes.
#include "chart_checks.h"
#include "chart_model/twips.h"
#include "charts/charts.h"

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

const ChartDefinition& chart() {
    return charts::kBritishParallelPipeChart;
}

const QString kNoDrill = u"\u2500"_s; // box-drawing horizontal line

struct Designation {
    QString symbol;
    QString size;
    double inches;
    int threads;
};

Designation designationOf(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("^(G|G\\(PF\\)) ([0-9/]+) \u2010(28|19|14|11)$"));
    const auto match = form.match(text);
    if (!match.hasMatch()) {
        QTest::qFail(qPrintable(u"not a designation: '"_s + text + u"'"_s), __FILE__, __LINE__);
        return {};
    }
    return {match.captured(1), match.captured(2), inches(match.captured(2)),
            match.captured(3).toInt()};
}

// Maximum − minimum of the minor diameter per threads per inch, thousandths.
const QMap<int, long long> kTolerance = {{28, 282}, {19, 445}, {14, 541}, {11, 640}};

// The sizes whose drill lies below the minimum of the minor diameter, with
// drill and minimum.
const QMap<QString, QStringList> kDrillBelowMinimum = {{u"21/2"_s, {u"72"_s, u"72.226"_s}},
                                                       {u"23/4"_s, {u"78.5"_s, u"78.576"_s}},
                                                       {u"31/2"_s, {u"97"_s, u"97.372"_s}}};

} // namespace

class TestBritishParallelPipeChart : public QObject {
    Q_OBJECT
private slots:
    void lines() {
        QCOMPARE(chart().lines.size(), 28u);
        QCOMPARE(chart().headingLines, 4);
        QCOMPARE(chart().dataRows, 24);
        const QStringList header = {
            u"英式管用平行ねじ（G、PF）\t\t\t"_s,
            u"\t\t\t単位：mm"_s,
            u"\t\tめねじ内径（参考）\t"_s,
            u"管用ねじの呼び\tドリル径\t最大寸法\t最小寸法"_s,
        };
        for (int row = 0; row < header.size(); ++row)
            QCOMPARE(qs(chart().lines[static_cast<std::size_t>(row)]), header[row]);
        // Maximum first: the 1/8 row reads drill, maximum, minimum.
        QCOMPARE(qs(chart().lines[5]), u"G(PF) 1/8 \u201028\t8.7\t8.848\t8.566"_s);
        QCOMPARE(fields(chart().lines.back()).first(), u"G(PF) 6 \u201011"_s);
    }

    void everyLineHasFourFields() {
        for (std::size_t row = 0; row < chart().lines.size(); ++row)
            QVERIFY2(fields(chart().lines[row]).size() == 4, qPrintable(QString::number(row + 1)));
    }

    void headingColumns_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("title") << 0 << QStringList{u"英式管用平行ねじ（G、PF）@0"_s};
        QTest::newRow("unit") << 1 << QStringList{u"単位：mm@3"_s};
        QTest::newRow("minor diameter") << 2 << QStringList{u"めねじ内径（参考）@2"_s};
        QTest::newRow("columns") << 3
                                 << QStringList{u"管用ねじの呼び@0"_s, u"ドリル径@1"_s,
                                                u"最大寸法@2"_s, u"最小寸法@3"_s};
    }
    void headingColumns() {
        QFETCH(int, row);
        QFETCH(QStringList, expected);
        QCOMPARE(placedColumns(layoutOf(chart()), row), expected);
    }

    void everyLineFitsTheList() {
        const ColumnLayout layout = layoutOf(chart());
        const int listWidth = pixelsFromTwips(chart().listRect.width);
        for (int row = 0; row < layout.lineCount(); ++row)
            QVERIFY2(layout.lineWidth(row) <= listWidth, qPrintable(QString::number(row + 1)));
    }

    void rows_data() { addDataRows(chart()); }
    void rows() {
        QFETCH(QStringList, row);
        QFETCH(bool, first);
        const Designation d = designationOf(row[0]);
        QCOMPARE(d.symbol, first ? u"G"_s : u"G(PF)"_s);
        static const QRegularExpression drill(QStringLiteral("^[1-9][0-9]*(\\.[1-9])?$"));
        static const QRegularExpression limit(QStringLiteral("^[1-9][0-9]*(\\.[0-9]{0,2}[1-9])?$"));
        QVERIFY2(limit.match(row[2]).hasMatch(), qPrintable(row[2]));
        QVERIFY2(limit.match(row[3]).hasMatch(), qPrintable(row[3]));
        const long long maximum = thousandths(number(row[2]));
        const long long minimum = thousandths(number(row[3]));
        QCOMPARE(maximum - minimum, kTolerance.value(d.threads, -1));

        // No drill from size 4 on; elsewhere it lies within the limits.
        if (d.inches >= 4) {
            QCOMPARE(row[1], kNoDrill);
            return;
        }
        QVERIFY2(drill.match(row[1]).hasMatch(), qPrintable(row[1]));
        const long long value = thousandths(number(row[1]));
        QVERIFY(value <= maximum);
        QCOMPARE(value < minimum, kDrillBelowMinimum.contains(d.size));
        if (kDrillBelowMinimum.contains(d.size))
            QCOMPARE((QStringList{row[1], row[3]}), kDrillBelowMinimum.value(d.size));
    }

    void largestSizesStepByHalfAnInch() {
        const QList<QStringList> rows = dataRows(chart());
        int steps = 0;
        for (qsizetype i = 1; i < rows.size(); ++i) {
            if (designationOf(rows[i - 1][0]).inches < 4)
                continue;
            QCOMPARE(designationOf(rows[i][0]).inches - designationOf(rows[i - 1][0]).inches, 0.5);
            for (int k : {2, 3})
                QCOMPARE(thousandths(number(rows[i][k])) - thousandths(number(rows[i - 1][k])),
                         12700);
            ++steps;
        }
        QCOMPARE(steps, 4);
    }

    void sizesAndColumnsRise() {
        const QList<QStringList> rows = dataRows(chart());
        int drills = 0;
        for (qsizetype i = 1; i < rows.size(); ++i) {
            QVERIFY2(designationOf(rows[i][0]).inches > designationOf(rows[i - 1][0]).inches,
                     qPrintable(rows[i][0]));
            for (int k = 1; k < 4; ++k) {
                if (rows[i][k] == kNoDrill)
                    continue;
                QVERIFY2(number(rows[i][k]) > number(rows[i - 1][k]),
                         qPrintable(rows[i][0] + u' ' + QString::number(k)));
                drills += k == 1;
            }
        }
        QCOMPARE(drills, 18);
    }
};

QTEST_MAIN(TestBritishParallelPipeChart)
#include "test_british_parallel_pipe_chart.moc"
