// The American standard pipe chart: its window (a list taller than the client
// area), its seven-field lines and where the layout puts the headings, and
// its rows: every millimetre value beside its inch value but one, drills that
// never decrease along a row and rise down each column.
#include "chart_checks.h"
#include "chart_model/twips.h"
#include "charts/charts.h"

#include <QListView>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

const ChartDefinition& chart() {
    return charts::kAmericanPipeChart;
}

struct Designation {
    QString size;
    double inches;
    double threads;
};

Designation designationOf(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^([0-9/]+) \u2010(27|18|14|111/2|8)$"));
    const auto match = form.match(text);
    if (!match.hasMatch()) {
        QTest::qFail(qPrintable(u"not a designation: '"_s + text + u"'"_s), __FILE__, __LINE__);
        return {};
    }
    const QString threads = match.captured(2);
    return {match.captured(1), inches(match.captured(1)),
            threads == u"111/2"_s ? 11.5 : threads.toDouble()};
}

// The one pair whose values are not derived from each other.
const QString kOddPair = u"1/16 \u201027 without reamer"_s;

const char* const kDrills[] = {"with reamer", "without reamer", "NPS"};

} // namespace

class TestAmericanPipeChart : public QObject {
    Q_OBJECT
private slots:
    void listKeepsItsRectangle() {
        ChartWindow window(chart());
        QCOMPARE(window.list()->geometry(), pixelsFromTwips(chart().listRect));
        QCOMPARE(window.list()->geometry().height() - window.height(), 75);
    }

    void lines() {
        QCOMPARE(chart().lines.size(), 19u);
        QCOMPARE(chart().headingLines, 6);
        QCOMPARE(chart().dataRows, 11);
        const QStringList header = {
            u"アメリカ標準管用ねじ（NPT、NPS）\t\t\t\t\t\t"_s,
            u"\t\t\t\t\t\t"_s,
            u"\tテーパねじ（NPT）\t\t\t\t平行ねじ（NPS）\t"_s,
            u"\tドリル径\t\t\t\tドリル径\t"_s,
            u"\tリーマを使用する場合\t\tリーマを使用しない場合\t\t\t"_s,
            u"管用ねじの呼び\tmm\tinch\tmm\tinch\tmm\tinch"_s,
        };
        for (int row = 0; row < header.size(); ++row)
            QCOMPARE(qs(chart().lines[static_cast<std::size_t>(row)]), header[row]);
        QCOMPARE(qs(chart().lines[17]), u"\t\t\t\t\t\t"_s);
        QCOMPARE(qs(chart().lines[18]),
                 u"アメリカ管用ねじANSI/ASME B1.20.1-1983 PIPE THREADS,GENERAL PURPOSE(INCH)"
                 u"付属書推奨ドリル径より抜粋\t\t\t\t\t\t"_s);
        // The source note is the longest line.
        for (std::size_t row = 0; row < 18; ++row)
            QVERIFY(qs(chart().lines[row]).remove(u'\t').size() <
                    qs(chart().lines[18]).remove(u'\t').size());
    }

    void everyLineHasSevenFields() {
        for (std::size_t row = 0; row < chart().lines.size(); ++row)
            QVERIFY2(fields(chart().lines[row]).size() == 7, qPrintable(QString::number(row + 1)));
    }

    void headingColumns_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("title") << 0 << QStringList{u"アメリカ標準管用ねじ（NPT、NPS）@0"_s};
        QTest::newRow("empty") << 1 << QStringList{};
        QTest::newRow("threads") << 2
                                 << QStringList{u"テーパねじ（NPT）@1"_s, u"平行ねじ（NPS）@5"_s};
        QTest::newRow("drill") << 3 << QStringList{u"ドリル径@1"_s, u"ドリル径@5"_s};
        QTest::newRow("reamer") << 4
                                << QStringList{u"リーマを使用する場合@1"_s,
                                               u"リーマを使用しない場合@3"_s};
        QTest::newRow("units") << 5
                               << QStringList{
                                      u"管用ねじの呼び@0"_s, u"mm@1"_s, u"inch@2"_s, u"mm@3"_s,
                                      u"inch@4"_s,           u"mm@5"_s, u"inch@6"_s};
    }
    void headingColumns() {
        QFETCH(int, row);
        QFETCH(QStringList, expected);
        QCOMPARE(placedColumns(layoutOf(chart()), row), expected);
    }

    // A heading over several columns ends before the column after them.
    void groupHeadingsStayOverTheirColumns_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("end");
        QTest::newRow("NPT") << 2 << u"テーパねじ（NPT）"_s << 0 << 5;
        QTest::newRow("NPT drill") << 3 << u"ドリル径"_s << 0 << 5;
        QTest::newRow("with reamer") << 4 << u"リーマを使用する場合"_s << 0 << 3;
        QTest::newRow("without reamer") << 4 << u"リーマを使用しない場合"_s << 0 << 5;
    }
    void groupHeadingsStayOverTheirColumns() {
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(int, end);
        const ColumnLayout layout = layoutOf(chart());
        const PlacedText* placed = placedText(layout, row, text, n);
        QVERIFY(placed);
        QVERIFY(placed->x + placed->width < layout.columns()[static_cast<std::size_t>(end)]);
    }

    void headingsAndRowsFitTheList() {
        const ColumnLayout layout = layoutOf(chart());
        const int listWidth = pixelsFromTwips(chart().listRect.width);
        for (int row = 0; row < chart().headingLines + chart().dataRows; ++row)
            QVERIFY2(layout.lineWidth(row) <= listWidth, qPrintable(QString::number(row + 1)));
    }

    void millimetresAndInches_data() {
        QTest::addColumn<QString>("mm");
        QTest::addColumn<QString>("inch");
        QTest::addColumn<bool>("derived");
        int odd = 0;
        for (const QStringList& row : dataRows(chart())) {
            for (int i = 0; i < 3; ++i) {
                const QString name = row[0] + u' ' + QString::fromLatin1(kDrills[i]);
                odd += name == kOddPair;
                QTest::newRow(qPrintable(name))
                    << row[1 + 2 * i] << row[2 + 2 * i] << (name != kOddPair);
            }
        }
        QCOMPARE(odd, 1);
    }
    void millimetresAndInches() {
        QFETCH(QString, mm);
        QFETCH(QString, inch);
        QFETCH(bool, derived);
        static const QRegularExpression mmForm(QStringLiteral("^[1-9][0-9]*(\\.[0-9]?[1-9])?$"));
        static const QRegularExpression inchForm(QStringLiteral("^[0-9](\\.[0-9]{0,2}[1-9])?$"));
        QVERIFY2(mmForm.match(mm).hasMatch(), qPrintable(mm));
        QVERIFY2(inchForm.match(inch).hasMatch(), qPrintable(inch));
        const long long millimetres = thousandths(number(mm));
        const long long thousandthsOfAnInch = thousandths(number(inch));
        const bool inchFromMillimetres =
            thousandthsOfAnInch == std::llround(double(millimetres) / 25.4);
        const bool millimetresFromInch =
            millimetres == 10 * std::llround(double(thousandthsOfAnInch) * 25.4 / 10);
        QCOMPARE(inchFromMillimetres, derived);
        QCOMPARE(millimetresFromInch, derived);
        if (!derived)
            QCOMPARE((QStringList{mm, inch}), (QStringList{u"6.15"_s, u"0.246"_s}));
    }

    void drillsNeverDecreaseAlongARow() {
        QStringList equal;
        for (const QStringList& row : dataRows(chart())) {
            for (int unit = 0; unit < 2; ++unit) {
                for (int i = 1; i < 3; ++i) {
                    const double before = number(row[1 + 2 * (i - 1) + unit]);
                    const double here = number(row[1 + 2 * i + unit]);
                    QVERIFY2(here >= before, qPrintable(row[0]));
                    if (here == before)
                        equal.append(row[0] + u' ' + QString::fromLatin1(kDrills[i]) +
                                     (unit ? u" inch"_s : u" mm"_s));
                }
            }
        }
        QCOMPARE(equal, (QStringList{u"1/4 \u201018 NPS mm"_s, u"1/4 \u201018 NPS inch"_s,
                                     u"3/8 \u201018 without reamer mm"_s,
                                     u"3/8 \u201018 without reamer inch"_s}));
    }

    void sizesAndColumnsRise() {
        const QList<QStringList> rows = dataRows(chart());
        QCOMPARE(rows.size(), 11);
        for (qsizetype i = 1; i < rows.size(); ++i) {
            QVERIFY2(designationOf(rows[i][0]).inches > designationOf(rows[i - 1][0]).inches,
                     qPrintable(rows[i][0]));
            QVERIFY(designationOf(rows[i][0]).threads <= designationOf(rows[i - 1][0]).threads);
            for (int k = 1; k < 7; ++k) {
                QVERIFY2(number(rows[i][k]) > number(rows[i - 1][k]),
                         qPrintable(rows[i][0] + u' ' + QString::number(k)));
            }
        }
    }
};

QTEST_MAIN(TestAmericanPipeChart)
#include "test_american_pipe_chart.moc"
