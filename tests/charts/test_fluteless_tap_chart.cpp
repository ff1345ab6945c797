// The fluteless-tap chart: its window, its header lines and where the layout
// puts them, and its rows against the rules they follow: minor-diameter
// minimum D − 1.082532 P, maximum per pitch, pilot hole above the minor
// diameter, the three withdrawn sizes.
#include "chart_checks.h"
#include "chart_model/twips.h"
#include "charts/charts.h"

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <map>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

const ChartDefinition& chart() {
    return charts::kFlutelessTapChart;
}

struct Size {
    bool withdrawn;
    double d;
    double p;
};

Size sizeOf(const QString& designation) {
    static const QRegularExpression form(
        QStringLiteral("^(※|\u3000) M ([1-9][0-9]*(?:\\.[0-9]*[1-9])?) × "
                       "((?:0|[1-9][0-9]*)(?:\\.[0-9]*[1-9])?)$"));
    const auto match = form.match(designation);
    if (!match.hasMatch()) {
        QTest::qFail(qPrintable(u"not a designation: '"_s + designation + u"'"_s), __FILE__,
                     __LINE__);
        return {};
    }
    return {match.captured(1) == u"※"_s, number(match.captured(2)), number(match.captured(3))};
}

// Minor-diameter maximum − minimum for each pitch, in thousandths.
const std::map<long long, long long> kTolerance = {
    {250, 56},   {300, 67},   {350, 100},  {400, 112}, {450, 125},  {500, 140},
    {600, 160},  {700, 180},  {750, 190},  {800, 200}, {1000, 236}, {1250, 265},
    {1500, 300}, {1750, 335}, {2000, 375}, {2500, 450}};

} // namespace

class TestFlutelessTapChart : public QObject {
    Q_OBJECT
private slots:
    void footnote() {
        const ChartDefinition& c = chart();
        QVERIFY(c.footnote.has_value());
        const Footnote& note = *c.footnote;
        QCOMPARE(qs(note.text), u"（注1）呼び※印のものはJISより削除されています。"_s);
        QCOMPARE(note.tabIndex, 1);
        QCOMPARE(QRect(note.rect.left, note.rect.top, note.rect.width, note.rect.height),
                 QRect(0, 7440, 5175, 615));
        // The label starts 180 twips below the list and reaches 330 twips
        // below the client area.
        QCOMPARE(note.rect.top - (c.listRect.top + c.listRect.height), 180);
        QCOMPARE(note.rect.top + note.rect.height - c.clientArea.height, 330);
    }

    void footnoteIsReadable() {
        ChartWindow window(chart());
        const auto* label = window.findChild<QLabel*>(u"Label1"_s);
        QVERIFY(label);
        QCOMPARE(label->text(), qs(chart().footnote->text));
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QCOMPARE(label->font(), QApplication::font(&window));
        // Its one line of text, drawn at the label's top, lies inside the
        // client area and below the list.
        const int clientHeight = pixelsFromTwips(chart().clientArea.height);
        QVERIFY2(label->y() + label->fontMetrics().height() <= clientHeight,
                 qPrintable(QString::number(label->fontMetrics().height())));
        QVERIFY(label->y() >= window.list()->geometry().bottom());
    }

    void headerLines() {
        QCOMPARE(chart().lines.size(), 52u);
        QCOMPARE(chart().headingLines, 4);
        QCOMPARE(chart().dataRows, 48);
        QCOMPARE(qs(chart().lines[0]), u"呼\u3000び\tタップの等級\t下穴径\t\tめねじ内径"_s);
        QCOMPARE(qs(chart().lines[1]), u"(注1)\t\t\t\tJIS6H(2級)"_s);
        QCOMPARE(qs(chart().lines[2]), u"\t\t\t\t\t"_s);
        QCOMPARE(qs(chart().lines[3]), u"\t\t\u3000\u3000\u3000\u3000\u3000\u3000\u3000Max."
                                       u"\u3000\u3000\u3000\u3000Min.\tMax.\tMin."_s);
        QCOMPARE(qs(chart().lines.back()), u"\u3000 M 20 × 1\tG8\t19.59\t19.48\t19.153\t18.917"_s);
    }

    void fieldCounts() {
        const QList<int> headings = {5, 5, 6, 5};
        for (int row = 0; row < static_cast<int>(chart().lines.size()); ++row) {
            const QStringList f = fields(chart().lines[static_cast<std::size_t>(row)]);
            QCOMPARE(f.size(), row < 4 ? headings[row] : 6);
            if (row >= 4) {
                for (const QString& field : f)
                    QVERIFY2(!field.isEmpty(), qPrintable(QString::number(row)));
            }
        }
    }

    void headingColumns_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("line 1") << 0
                                << QStringList{u"呼\u3000び@0"_s, u"タップの等級@1"_s,
                                               u"下穴径@2"_s, u"めねじ内径@4"_s};
        QTest::newRow("line 2") << 1 << QStringList{u"(注1)@0"_s, u"JIS6H(2級)@4"_s};
        QTest::newRow("line 3") << 2 << QStringList{};
        QTest::newRow("line 4") << 3
                                << QStringList{u"Max.@2"_s, u"Min.@3"_s, u"Max.@4"_s, u"Min.@5"_s};
    }
    void headingColumns() {
        QFETCH(int, row);
        QFETCH(QStringList, expected);
        QCOMPARE(placedColumns(layoutOf(chart()), row), expected);
    }

    void groupHeadingsStayOverTheirPairs() {
        const ColumnLayout layout = layoutOf(chart());
        const auto columns = layout.columns();
        QCOMPARE(columnOfText(layout, 0, u"下穴径"_s), 2);
        const PlacedText* pilot = placedText(layout, 0, u"下穴径"_s);
        QVERIFY(pilot && pilot->x + pilot->width < columns[4]);
        const int listWidth = pixelsFromTwips(chart().listRect.width);
        for (int row = 0; row < chart().headingLines; ++row)
            QVERIFY2(layout.lineWidth(row) <= listWidth, qPrintable(QString::number(row)));
        for (const QString& text : {u"めねじ内径"_s, u"JIS6H(2級)"_s}) {
            const int row = text == u"めねじ内径"_s ? 0 : 1;
            QCOMPARE(columnOfText(layout, row, text), 4);
        }
    }

    void withdrawnSizesLineUp() {
        QStringList marked;
        for (const QStringList& row : dataRows(chart())) {
            if (sizeOf(row[0]).withdrawn)
                marked.append(row[0]);
        }
        QCOMPARE(marked,
                 (QStringList{u"※ M 1.7 × 0.35"_s, u"※ M 2.3 × 0.4"_s, u"※ M 2.6 × 0.45"_s}));
        // The "M" of a marked row stands where that of an unmarked row does.
        const QFontMetrics metrics(listFont(chart().listFont));
        QVERIFY(qAbs(metrics.horizontalAdvance(u"※ "_s) -
                     metrics.horizontalAdvance(u"\u3000 "_s)) <= 1);
    }

    void rowFormat_data() { addDataRows(chart()); }
    void rowFormat() {
        QFETCH(QStringList, row);
        static const QRegularExpression tapClass(QStringLiteral("^G([4-9]|1[01])$"));
        static const QRegularExpression pilotMaximum(
            QStringLiteral("^[1-9]?[0-9]\\.([0-9]?[1-9])$"));
        static const QRegularExpression pilotMinimum(QStringLiteral("^[1-9]?[0-9]\\.[0-9][0-9]$"));
        static const QRegularExpression minor(QStringLiteral("^[1-9]?[0-9]\\.[0-9][0-9]?[1-9]$"));
        sizeOf(row[0]);
        QVERIFY2(tapClass.match(row[1]).hasMatch(), qPrintable(row[1]));
        QVERIFY2(pilotMaximum.match(row[2]).hasMatch(), qPrintable(row[2]));
        QVERIFY2(pilotMinimum.match(row[3]).hasMatch(), qPrintable(row[3]));
        QVERIFY2(minor.match(row[4]).hasMatch(), qPrintable(row[4]));
        QVERIFY2(minor.match(row[5]).hasMatch(), qPrintable(row[5]));
    }

    void relations_data() { rowFormat_data(); }
    void relations() {
        QFETCH(QStringList, row);
        const Size s = sizeOf(row[0]);
        const long long pilotMaximum = thousandths(number(row[2]));
        const long long pilotMinimum = thousandths(number(row[3]));
        const long long minorMaximum = thousandths(number(row[4]));
        const long long minorMinimum = thousandths(number(row[5]));
        QCOMPARE(minorMinimum, std::llround((s.d - 1.082532 * s.p) * 1000.0));
        QVERIFY(kTolerance.count(thousandths(s.p)));
        QCOMPARE(minorMaximum - minorMinimum, kTolerance.at(thousandths(s.p)));
        // The pilot hole lies above the minor diameter and, of course, below
        // the nominal diameter.
        QVERIFY(pilotMinimum > minorMaximum);
        QVERIFY(pilotMaximum > pilotMinimum);
        QVERIFY(pilotMaximum < thousandths(s.d));
    }

    void orderOfRows() {
        std::map<long long, int> pitchesPerDiameter;
        Size previous{false, 0, 0};
        for (const QStringList& row : dataRows(chart())) {
            const Size s = sizeOf(row[0]);
            QVERIFY2(s.d > previous.d || (s.d == previous.d && s.p < previous.p),
                     qPrintable(row[0]));
            ++pitchesPerDiameter[thousandths(s.d)];
            previous = s;
        }
        std::map<int, int> diametersByCount;
        for (const auto& [d, count] : pitchesPerDiameter)
            ++diametersByCount[count];
        QCOMPARE(diametersByCount, (std::map<int, int>{{1, 10}, {2, 8}, {3, 6}, {4, 1}}));
        QCOMPARE(pitchesPerDiameter.at(12000), 4);
    }
};

QTEST_MAIN(TestFlutelessTapChart)
#include "test_fluteless_tap_chart.moc"
