// The metric chart's rows against the relations that describe them: drill
// D − P, minimum D − 1.082532 P, maximum minimum plus the tolerance of the
// pitch, and the rows known to depart from them.
#include "charts/charts.h"
#include "test_support.h"

#include <QRegularExpression>
#include <QSet>
#include <cmath>
#include <map>

using namespace vornel;
using namespace vornel::test;
using namespace Qt::StringLiterals;

namespace {

const ChartDefinition& chart() {
    return charts::kMetricChart;
}

struct Size {
    double d;
    double p;
};

Size sizeOf(QString designation) {
    designation.remove(QStringLiteral("M "));
    const QStringList parts = designation.split(u'×');
    return {number(parts[0].trimmed()), number(parts[1].trimmed())};
}

// Maximum − minimum for each pitch, in thousandths.
const std::map<long long, long long> kTolerance = {
    {200, 38},   {250, 56},   {300, 67},   {350, 100},  {400, 112},  {450, 125},
    {500, 140},  {600, 160},  {700, 180},  {750, 190},  {800, 200},  {1000, 236},
    {1250, 265}, {1500, 300}, {1750, 335}, {2000, 375}, {2500, 450}, {3000, 500},
    {3500, 560}, {4000, 600}, {4500, 670}, {5000, 710}, {5500, 750}, {6000, 800}};

const QSet<QString> kDrillRaised = {
    u"2.5× 0.45"_s, u"2.5× 0.35"_s, u"2.6× 0.45"_s, u"3 × 0.35"_s,  u"3.5× 0.35"_s, u"4.5× 0.75"_s,
    u"6 × 0.75"_s,  u"7 × 0.75"_s,  u"8 × 1.25"_s,  u"8 × 0.75"_s,  u"9 × 1.25"_s,  u"9 × 0.75"_s,
    u"10 × 1.25"_s, u"10 × 0.75"_s, u"11 × 0.75"_s, u"12 × 1.75"_s, u"12 × 1.25"_s};

const QSet<QString> kSingleDepartures = {u"1.7× 0.2"_s, u"2.3× 0.25"_s, u"2.6× 0.35"_s,
                                         u"3 × 0.6"_s,  u"4 × 0.75"_s,  u"5 × 0.9"_s,
                                         u"5.5× 0.9"_s, u"11 × 1.25"_s};

// Rows whose limits follow a rule of their own: expected drill, minimum and
// maximum in thousandths, or nothing for the rows outside these groups.
struct Expected {
    long long drill, minimum, maximum;
};

std::optional<Expected> ownLimits(const QString& designation, Size s) {
    const long long d = thousandths(s.d);
    const long long p = thousandths(s.p);
    const QSet<int> pitch05 = {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24};
    const QSet<int> pitch1 = {13, 26, 32, 34, 36, 38, 40, 42, 45, 48, 50};
    const QSet<int> pitch2 = {26, 34, 38};
    const QSet<int> pitch15 = {13, 34};
    const int whole = static_cast<int>(s.d);
    if (whole != s.d)
        return std::nullopt;
    if (p == 500 && pitch05.contains(whole))
        return Expected{whole <= 12 ? d - 500 : d - 600, d - 600, whole <= 7 ? d - 450 : d - 480};
    if (p == 1000 && pitch1.contains(whole))
        return Expected{whole == 13 ? d - 1100 : d - 1200, d - 1190, d - 970};
    if (p == 2000 && pitch2.contains(whole))
        return Expected{d - 2200, d - 2378, d - 1918};
    if (p == 1500 && pitch15.contains(whole))
        return Expected{whole == 13 ? 11500 : 32400, d - 1788, d - 1398};
    Q_UNUSED(designation);
    return std::nullopt;
}

} // namespace

class TestMetricChart : public QObject {
    Q_OBJECT
private slots:
    void headerLines() {
        QCOMPARE(chart().lines.size(), 258u);
        QCOMPARE(chart().headingLines + chart().dataRows, 258);
        QCOMPARE(qs(chart().lines[0]), u"メートルねじ"_s);
        QCOMPARE(qs(chart().lines[1]), u"\t\t\t単位：mm"_s);
        QCOMPARE(qs(chart().lines[2]), u"\t\tめねじ内径\u3000等級6H（旧JIS2級）"_s);
        QCOMPARE(qs(chart().lines[3]), u"ねじの呼び （注1）\tドリル径\t最小寸法\t最大寸法"_s);
        QCOMPARE(qs(chart().lines.back()), u"100 × 2\t98\t97.835\t98.21"_s);
    }

    void rowFormat_data() { addDataRows(chart()); }
    void rowFormat() {
        QFETCH(QStringList, row);
        QFETCH(bool, first);
        QCOMPARE(row.size(), 4);
        static const QRegularExpression designation(
            QStringLiteral("^(M )?(([1-9][0-9]*) ×|([1-9][0-9]*\\.[0-9]*[1-9])×) "
                           "(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?$"));
        const auto match = designation.match(row[0]);
        QVERIFY2(match.hasMatch(), qPrintable(row[0]));
        QCOMPARE(match.capturedLength(1) > 0, first);
        static const QRegularExpression value(
            QStringLiteral("^(0|[1-9][0-9]*)(\\.[0-9]{0,2}[1-9])?$"));
        for (int i = 1; i < 4; ++i)
            QVERIFY2(value.match(row[i]).hasMatch(), qPrintable(row[i]));
        QVERIFY2(!row[1].contains(u'.') || row[1].section(u'.', 1).size() <= 2, qPrintable(row[1]));
    }

    void relations_data() { addDataRows(chart()); }
    void relations() {
        QFETCH(QStringList, row);
        const QString designation = row[0];
        const Size s = sizeOf(designation);
        const long long d = thousandths(s.d);
        const long long p = thousandths(s.p);
        const long long drill = thousandths(number(row[1]));
        const long long minimum = thousandths(number(row[2]));
        const long long maximum = thousandths(number(row[3]));

        if (const auto own = ownLimits(designation, s)) {
            QCOMPARE(drill, own->drill);
            QCOMPARE(minimum, own->minimum);
            QCOMPARE(maximum, own->maximum);
            return;
        }
        if (kSingleDepartures.contains(designation)) {
            // The minimum lies 1.18 to 1.2 pitches below D.
            QVERIFY(minimum >= d - 1.2 * p - 0.5 && minimum <= d - 1.18 * p + 0.5);
            QVERIFY(maximum > minimum);
            const bool smallerDrill = designation == u"1.7× 0.2"_s ||
                                      designation == u"2.6× 0.35"_s ||
                                      designation == u"11 × 1.25"_s;
            QCOMPARE(drill, d - p - (smallerDrill ? 50 : 0));
            const auto tolerance = kTolerance.find(p);
            const bool pitchAmount =
                tolerance != kTolerance.end() && maximum - minimum == tolerance->second;
            QCOMPARE(pitchAmount, designation == u"3 × 0.6"_s);
            return;
        }
        QCOMPARE(drill, d - p + (kDrillRaised.contains(designation) ? 50 : 0));
        QCOMPARE(minimum, std::llround((s.d - 1.082532 * s.p) * 1000.0));
        QCOMPARE(maximum - minimum, kTolerance.at(p));
    }

    void groupsHaveTheirStatedSizes() {
        int raised = 0, own = 0, singles = 0, finePitch = 0, grade6 = 0;
        for (const QStringList& row : dataRows(chart())) {
            const Size s = sizeOf(row[0]);
            if (ownLimits(row[0], s))
                ++own;
            else if (kSingleDepartures.contains(row[0]))
                ++singles;
            else if (kDrillRaised.contains(row[0]))
                ++raised;
            else if (thousandths(s.p) <= 300)
                ++finePitch;
            else
                ++grade6;
        }
        QCOMPARE(raised, 17);
        QCOMPARE(own + singles, 39);
        QCOMPARE(finePitch, 12);
        QCOMPARE(grade6, 186);
        QCOMPARE(grade6 + raised + finePitch + own + singles, 254);
    }

    void orderAndUniqueness() {
        const QSet<QString> lateCoarse = {u"3 × 0.6"_s, u"4 × 0.75"_s, u"5 × 0.9"_s};
        QSet<QString> seen;
        Size previous{0, 0};
        for (const QStringList& row : dataRows(chart())) {
            QVERIFY2(!seen.contains(row[0]), qPrintable(row[0]));
            seen.insert(row[0]);
            const Size s = sizeOf(row[0]);
            QVERIFY2(s.d >= previous.d, qPrintable(row[0]));
            if (s.d == previous.d && !lateCoarse.contains(row[0]))
                QVERIFY2(s.p < previous.p, qPrintable(row[0]));
            previous = s;
        }
        int drillBelowMinimum = 0, drillAtMinimum = 0;
        for (const QStringList& row : dataRows(chart())) {
            const auto drill = thousandths(number(row[1]));
            const auto minimum = thousandths(number(row[2]));
            drillBelowMinimum += drill < minimum;
            drillAtMinimum += drill == minimum;
        }
        QCOMPARE(drillBelowMinimum, 11);
        QCOMPARE(drillAtMinimum, 8);
    }
};

QTEST_MAIN(TestMetricChart)
#include "test_metric_chart.moc"
