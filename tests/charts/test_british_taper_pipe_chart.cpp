// The British taper pipe chart: its window, its seven-field lines and where
// the layout puts the headings, and the rounding from each calculated hole to
// its pilot hole, which differs per thread kind and size range.
#include "chart_checks.h"
#include "chart_model/twips.h"
#include "charts/charts.h"

#include <algorithm>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

const ChartDefinition& chart() {
    return charts::kBritishTaperPipeChart;
}

const QString kNoValue = u"\uFF0D"_s; // full-width minus

struct Designation {
    QString size;
    double inches;
    int threads;
};

Designation designationOf(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^([0-9/]+) \u2010(28|19|14|11)$"));
    const auto match = form.match(text);
    if (!match.hasMatch()) {
        QTest::qFail(qPrintable(u"not a designation: '"_s + text + u"'"_s), __FILE__, __LINE__);
        return {};
    }
    return {match.captured(1), inches(match.captured(1)), match.captured(2).toInt()};
}

enum class Rounding { Nearest, Up, Down };

long long rounded(long long value, Rounding rounding, long long step) {
    switch (rounding) {
    case Rounding::Nearest:
        return nearest(value, step);
    case Rounding::Up:
        return up(value, step);
    case Rounding::Down:
        return down(value, step);
    }
    return -1;
}

// One calculated value and the pilot hole beside it, with the rounding that
// leads from one to the other for that thread kind and size.
struct RoundingCase {
    QString name;
    long long calculated;
    long long pilot;
    Rounding rounding;
    long long step;
};

QList<RoundingCase> roundingCases() {
    // JIS B2301 rounds these sizes down to the whole millimetre.
    const QStringList b2301Down = {u"11/2"_s, u"21/2"_s, u"31/2"_s, u"5"_s, u"6"_s};
    QList<RoundingCase> cases;
    for (const QStringList& row : dataRows(chart())) {
        const Designation d = designationOf(row[0]);
        const auto add = [&](const QString& kind, int column, Rounding rounding, long long step) {
            cases.append({kind + u' ' + d.size, thousandths(number(row[column])),
                          thousandths(number(row[column + 1])), rounding, step});
        };
        add(u"Rc"_s, 1, Rounding::Nearest, d.inches <= 0.375 ? 100 : 1000);
        if (d.inches <= 0.5)
            add(u"Rp"_s, 3, Rounding::Up, 100);
        else
            add(u"Rp"_s, 3, Rounding::Nearest, 1000);
        if (d.size == u"1/16"_s)
            continue;
        if (d.inches <= 0.375)
            add(u"B2301"_s, 5, Rounding::Nearest, 100);
        else
            add(u"B2301"_s, 5, b2301Down.contains(d.size) ? Rounding::Down : Rounding::Nearest,
                1000);
    }
    return cases;
}

} // namespace

class TestBritishTaperPipeChart : public QObject {
    Q_OBJECT
private slots:
    void lines() {
        QCOMPARE(chart().lines.size(), 27u);
        QCOMPARE(chart().headingLines, 5);
        QCOMPARE(chart().dataRows, 16);
        const QStringList header = {
            u"英式管用テーパねじ\t\t\t\t\t\t"_s,
            u"\t\t\t\t\t\t単位：mm"_s,
            u"\tJIS B0203\t\tJIS B0203\t\tJIS B2301\t"_s,
            u"\t\u3000テーパめねじRc(PT)\t\t\u3000平行めねじ Rp(PS)\t\t"
            u"\u3000\u3000\u3000テーパめねじ\t"_s,
            u"管用ねじの呼び\t計算値\t下穴径\t計算値\t下穴径\t計算値\t下穴径"_s,
        };
        for (int row = 0; row < header.size(); ++row)
            QCOMPARE(qs(chart().lines[static_cast<std::size_t>(row)]), header[row]);
        const QStringList notes = {
            u"\t\t\t\t\t\t"_s,
            u"1.JIS B0203テーパめねじの計算値は継手の端面に基準値がある時に、有効ねじ部の"_s,
            u"\u3000小径位置の山頂\uFF11山が不完全山になるのを許される場合のストレート穴である。"_s,
            u"2.JIS B2301テーパめねじの計算値は継手の端面に基準値がある時に、小径位置の山頂が"_s,
            u"\u3000完全山にならなければならない場合のストレート穴である。"_s,
            u"3. 1/16はJIS B0203-1982のRcに準じている。"_s,
        };
        for (int i = 0; i < notes.size(); ++i) {
            const QStringList f = fields(chart().lines[static_cast<std::size_t>(21 + i)]);
            QCOMPARE(f.first(), notes[i].section(u'\t', 0, 0));
        }
        // Note 2's first line is the longest line in characters.
        qsizetype longest = 0;
        for (const ChartLine& line : chart().lines)
            longest = std::max(longest, qs(line).remove(u'\t').size());
        QCOMPARE(qs(chart().lines[24]).remove(u'\t').size(), longest);
    }

    void everyLineHasSevenFields() {
        for (std::size_t row = 0; row < chart().lines.size(); ++row) {
            const QStringList f = fields(chart().lines[row]);
            QVERIFY2(f.size() == 7, qPrintable(QString::number(row + 1)));
            const bool data = int(row) >= chart().headingLines &&
                              int(row) < chart().headingLines + chart().dataRows;
            if (data) {
                for (const QString& field : f)
                    QVERIFY(!field.isEmpty());
            } else if (int(row) >= chart().headingLines) {
                for (int k = 1; k < 7; ++k)
                    QVERIFY(f[k].isEmpty());
            }
        }
    }

    void headingColumns_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("title") << 0 << QStringList{u"英式管用テーパねじ@0"_s};
        QTest::newRow("unit") << 1 << QStringList{u"単位：mm@6"_s};
        QTest::newRow("standards")
            << 2 << QStringList{u"JIS B0203@1"_s, u"JIS B0203@3"_s, u"JIS B2301@5"_s};
        QTest::newRow("thread kinds")
            << 3
            << QStringList{u"\u3000テーパめねじRc(PT)@1"_s, u"\u3000平行めねじ Rp(PS)@3"_s,
                           u"テーパめねじ@5"_s};
        QTest::newRow("columns") << 4
                                 << QStringList{u"管用ねじの呼び@0"_s, u"計算値@1"_s, u"下穴径@2"_s,
                                                u"計算値@3"_s,         u"下穴径@4"_s, u"計算値@5"_s,
                                                u"下穴径@6"_s};
    }
    void headingColumns() {
        QFETCH(int, row);
        QFETCH(QStringList, expected);
        QCOMPARE(placedColumns(layoutOf(chart()), row), expected);
    }

    void pairHeadingsStayOverTheirPair() {
        const ColumnLayout layout = layoutOf(chart());
        const auto columns = layout.columns();
        for (int row : {2, 3}) {
            for (const PlacedText& text : layout.line(row)) {
                const auto next = static_cast<std::size_t>(text.column + 2);
                if (next < columns.size())
                    QVERIFY2(text.x + text.width < columns[next], qPrintable(text.text.toString()));
            }
        }
        const int listWidth = pixelsFromTwips(chart().listRect.width);
        for (int row = 0; row < chart().headingLines + chart().dataRows; ++row)
            QVERIFY2(layout.lineWidth(row) <= listWidth, qPrintable(QString::number(row)));
    }

    void rowFormat_data() { addDataRows(chart()); }
    void rowFormat() {
        QFETCH(QStringList, row);
        static const QRegularExpression calculated(
            QStringLiteral("^[1-9][0-9]*(\\.[0-9]{0,2}[1-9])?$"));
        static const QRegularExpression pilot(QStringLiteral("^[1-9][0-9]*(\\.[1-9])?$"));
        const bool noB2301 = designationOf(row[0]).size == u"1/16"_s;
        for (int k : {1, 3, 5}) {
            if (k == 5 && noB2301) {
                QCOMPARE(row[5], kNoValue);
                QCOMPARE(row[6], kNoValue);
                continue;
            }
            QVERIFY2(calculated.match(row[k]).hasMatch(), qPrintable(row[k]));
            QVERIFY2(pilot.match(row[k + 1]).hasMatch(), qPrintable(row[k + 1]));
        }
    }

    void rounding_data() {
        QTest::addColumn<long long>("calculated");
        QTest::addColumn<long long>("pilot");
        QTest::addColumn<int>("rounding");
        QTest::addColumn<long long>("step");
        for (const RoundingCase& c : roundingCases()) {
            QTest::newRow(qPrintable(c.name))
                << c.calculated << c.pilot << int(c.rounding) << c.step;
        }
    }
    void rounding() {
        QFETCH(long long, calculated);
        QFETCH(long long, pilot);
        QFETCH(int, rounding);
        QFETCH(long long, step);
        QCOMPARE(pilot, rounded(calculated, Rounding(rounding), step));
    }

    void roundingCoversEveryPair() {
        const QList<RoundingCase> cases = roundingCases();
        QCOMPARE(cases.size(), 3 * 16 - 1);
        const auto count = [&](const QString& kind, Rounding rounding, long long step) {
            return std::count_if(cases.begin(), cases.end(), [&](const RoundingCase& c) {
                return c.name.startsWith(kind) && c.rounding == rounding && c.step == step;
            });
        };
        QCOMPARE(count(u"Rc"_s, Rounding::Nearest, 100), 4);
        QCOMPARE(count(u"Rc"_s, Rounding::Nearest, 1000), 12);
        QCOMPARE(count(u"Rp"_s, Rounding::Up, 100), 5);
        QCOMPARE(count(u"Rp"_s, Rounding::Nearest, 1000), 11);
        QCOMPARE(count(u"B2301"_s, Rounding::Nearest, 100), 3);
        QCOMPARE(count(u"B2301"_s, Rounding::Nearest, 1000), 7);
        QCOMPARE(count(u"B2301"_s, Rounding::Down, 1000), 5);
    }

    void sizesAndColumnsRise() {
        const QList<QStringList> rows = dataRows(chart());
        QCOMPARE(rows.size(), 16);
        for (qsizetype i = 1; i < rows.size(); ++i) {
            QVERIFY2(designationOf(rows[i][0]).inches > designationOf(rows[i - 1][0]).inches,
                     qPrintable(rows[i][0]));
            for (int k = 1; k < 7; ++k) {
                if (rows[i - 1][k] == kNoValue)
                    continue;
                QVERIFY2(number(rows[i][k]) > number(rows[i - 1][k]),
                         qPrintable(rows[i][0] + u' ' + QString::number(k)));
            }
        }
    }

    void parallelHoleIsTheLargest_data() { rowFormat_data(); }
    void parallelHoleIsTheLargest() {
        QFETCH(QStringList, row);
        const double rp = number(row[3]);
        QVERIFY(rp > number(row[1]));
        if (row[5] != kNoValue)
            QVERIFY(rp > number(row[5]));
    }

    void dashOnlyForSixteenth() {
        int dashes = 0;
        for (const QStringList& row : dataRows(chart()))
            dashes += int(row.count(kNoValue));
        QCOMPARE(dashes, 2);
        QCOMPARE(dataRows(chart()).first().mid(5), (QStringList{kNoValue, kNoValue}));
    }

    void sizeOneValueMeetsItsBounds() {
        const QStringList row = dataRows(chart())[6];
        QCOMPARE(row[0], u"1 \u201011"_s);
        const long long rc = thousandths(number(row[1]));
        QVERIFY(rc >= 28500 && rc < 29500);
        QVERIFY(rc < thousandths(number(row[3])));
        QVERIFY(rc > thousandths(number(dataRows(chart())[5][1])));
        QVERIFY(rc < thousandths(number(dataRows(chart())[7][1])));
    }
};

QTEST_MAIN(TestBritishTaperPipeChart)
#include "test_british_taper_pipe_chart.moc"
