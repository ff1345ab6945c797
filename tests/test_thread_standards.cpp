// What the standards say of thread sizes and minor diameters: ISO 965-1's
// tables against its formulas, rows of ASME B1.1's tables and rows of ISO
// 261, ISO 965-1 and ASME B1.1 worked by hand, and the metric chart's limits
// against ISO 965-1.
#include "charts/charts.h"
#include "threads/asme_b1_1.h"
#include "threads/chart_thread.h"
#include "threads/iso_965.h"
#include "threads/standard_sizes.h"

#include <QHash>
#include <QStringList>
#include <QTest>
#include <cmath>

using namespace vornel;
using namespace vornel::threads;
using namespace Qt::StringLiterals;

namespace {

Millionths millionths(const QString& decimal) {
    return qRound64(decimal.toDouble() * kMillion);
}

// "No. 10", "1/4", "2", "1 1/2" or a count of threads such as "9/2".
Rational inches(const QString& text) {
    if (text.startsWith(u"No. "_s))
        return *numberedSizeMajor(text.mid(4).toInt());
    const QStringList parts = text.split(u' ');
    const QStringList fraction = parts.last().split(u'/');
    const qint64 den = fraction.size() == 2 ? fraction[1].toLongLong() : 1;
    const qint64 whole = parts.size() == 2 ? parts[0].toLongLong() : 0;
    return reduced(whole * den + fraction[0].toLongLong(), den);
}

QString text(const std::optional<DiameterRange>& limits, double unit) {
    return limits ? QString::number(limits->minimum / unit, 'f', 4) + u'~' +
                        QString::number(limits->maximum / unit, 'f', 4)
                  : QString();
}

// The classes of ISO 965-1 whose limits a row's minimum and maximum are.
QStringList isoClasses(Millionths major, Millionths pitch, Millionths minimum, Millionths maximum) {
    QStringList classes;
    for (int grade = 4; grade <= 8; ++grade) {
        for (Position position : {Position::H, Position::G}) {
            if (isoInternalMinor(major, pitch, grade, position) == DiameterRange{minimum, maximum})
                classes.append(QString::number(grade) + (position == Position::H ? u'H' : u'G'));
        }
    }
    return classes;
}

// x to the nearest number of the R40 series by ratio (1, 1.06, 1.12 … as
// the standards print them), in hundredths.
int preferred(double x) {
    static constexpr int kR40[] = {100, 106, 112, 118, 125, 132, 140, 150, 160, 170,
                                   180, 190, 200, 212, 224, 236, 250, 265, 280, 300,
                                   315, 335, 355, 375, 400, 425, 450, 475, 500, 530,
                                   560, 600, 630, 670, 710, 750, 800, 850, 900, 950};
    int best = 0;
    for (int decade : {10, 100, 1000}) {
        for (int r : kR40) {
            if (best == 0 ||
                std::abs(std::log(r * decade / (100 * x))) < std::abs(std::log(best / (100 * x))))
                best = r * decade;
        }
    }
    return best;
}

// Hundredths of a micrometre to the whole micrometre, a half to the even
// one, as ISO 965-1 prints its R40 values: 37.5 as 38, 26.5 as 26.
int micrometres(int hundredths) {
    return hundredths % 100 == 50 ? (hundredths / 100 + 1) / 2 * 2 : (hundredths + 50) / 100;
}

} // namespace

class TestThreadStandards : public QObject {
    Q_OBJECT
private slots:
    void isoMinor_data() {
        QTest::addColumn<QString>("thread");
        QTest::addColumn<int>("grade");
        QTest::addColumn<bool>("g");
        QTest::addColumn<QString>("limits"); // mm; empty where the standard gives none
        QTest::newRow("M8x1.25 4H") << u"8 1.25"_s << 4 << false << u"6.6470~6.8170"_s;
        QTest::newRow("M8x1.25 5H") << u"8 1.25"_s << 5 << false << u"6.6470~6.8590"_s;
        QTest::newRow("M8x1.25 6H") << u"8 1.25"_s << 6 << false << u"6.6470~6.9120"_s;
        QTest::newRow("M8x1.25 7H") << u"8 1.25"_s << 7 << false << u"6.6470~6.9820"_s;
        QTest::newRow("M8x1.25 8H") << u"8 1.25"_s << 8 << false << u"6.6470~7.0720"_s;
        QTest::newRow("M8x1.25 6G") << u"8 1.25"_s << 6 << true << u"6.6750~6.9400"_s;
        QTest::newRow("M10x1.5 7G") << u"10 1.5"_s << 7 << true << u"8.4080~8.7830"_s;
        QTest::newRow("M1x0.2 4G") << u"1 0.2"_s << 4 << true << u"0.8000~0.8380"_s;
        QTest::newRow("M12x1.75 rounds up") << u"12 1.75"_s << 6 << false << u"10.1060~10.4410"_s;
        QTest::newRow("M1x0.2 5H: no grade 5") << u"1 0.2"_s << 5 << false << QString();
        QTest::newRow("M3x0.5 8H: no grade 8") << u"3 0.5"_s << 8 << false << QString();
        QTest::newRow("M8x1.1: no such pitch") << u"8 1.1"_s << 6 << false << QString();
        QTest::newRow("grade 9") << u"8 1.25"_s << 9 << false << QString();
        QTest::newRow("M1x1.25: nothing left") << u"1 1.25"_s << 6 << false << QString();
    }
    void isoMinor() {
        QFETCH(QString, thread);
        QFETCH(int, grade);
        QFETCH(bool, g);
        QFETCH(QString, limits);
        const QStringList dp = thread.split(u' ');
        QCOMPARE(text(isoInternalMinor(millionths(dp[0]), millionths(dp[1]), grade,
                                       g ? Position::G : Position::H),
                      kMillion),
                 limits);
    }

    // ISO 965-1's TD1 and EI(G) for every pitch, from its formulas in µm:
    // TD1(6) = 433P − 190P^1.22 below 1 mm, 230P^0.7 from 1 mm, grades 4, 5,
    // 7 and 8 0.63, 0.8, 1.25 and 1.6 × TD1(6) as rounded, EI(G) = 15 + 11P,
    // each to the R40 series and the whole µm; the grades the standard gives
    // a pitch: 4 only at 0.2, to 5 at 0.25, 6 below 0.5, 7 below 0.8, then 8.
    void isoTables_data() {
        QTest::addColumn<QString>("pitch");
        QTest::addColumn<QList<int>>("td1"); // grades 4 to 8; 0 where none
        QTest::addColumn<int>("ei");
        // The cells that the formulas miss, as the standard prints them.
        const QHash<QString, QList<int>> publishedTd1 = {{u"0.25"_s, {45, 56, 0, 0, 0}},
                                                         {u"0.5"_s, {90, 112, 140, 180, 0}},
                                                         {u"2.5"_s, {280, 355, 450, 560, 710}}};
        const QHash<QString, int> publishedEi = {{u"0.75"_s, 22}, {u"8"_s, 100}};
        const QStringList pitches =
            u"0.2 0.25 0.3 0.35 0.4 0.45 0.5 0.6 0.7 0.75 0.8 1 1.25 1.5 1.75 2 2.5 3 3.5 4 4.5 "
            u"5 5.5 6 8"_s.split(u' ');
        for (const QString& pitch : pitches) {
            const double p = pitch.toDouble();
            const int last = p < 0.25 ? 4 : p < 0.3 ? 5 : p < 0.5 ? 6 : p < 0.8 ? 7 : 8;
            const int td1Of6 =
                preferred(p < 1 ? 433 * p - 190 * std::pow(p, 1.22) : 230 * std::pow(p, 0.7));
            QList<int> td1;
            for (double factor : {0.63, 0.8, 1.0, 1.25, 1.6})
                td1.append(td1.size() + 4 > last ? 0
                                                 : micrometres(preferred(factor * td1Of6 / 100)));
            QTest::newRow(qPrintable(pitch))
                << pitch << publishedTd1.value(pitch, td1)
                << publishedEi.value(pitch, micrometres(preferred(15 + 11 * p)));
        }
    }
    // As the limits at 100 mm show them: TD1 the maximum less the minimum
    // (G's as H's), EI G's minimum less H's.
    void isoTables() {
        QFETCH(QString, pitch);
        QFETCH(QList<int>, td1);
        QFETCH(int, ei);
        QStringList actual, expected;
        for (int grade = 4; grade <= 8; ++grade) {
            const auto h = isoInternalMinor(100 * kMillion, millionths(pitch), grade, Position::H);
            const auto g = isoInternalMinor(100 * kMillion, millionths(pitch), grade, Position::G);
            actual.append(h && g ? QString::number((h->maximum - h->minimum) / 1000) + u'/' +
                                       QString::number((g->maximum - g->minimum) / 1000) + u'+' +
                                       QString::number((g->minimum - h->minimum) / 1000)
                          : h || g ? u"H or G alone"_s
                                   : u"-"_s);
            const int t = td1[grade - 4];
            expected.append(t ? QString::number(t) + u'/' + QString::number(t) + u'+' +
                                    QString::number(ei)
                              : u"-"_s);
        }
        QCOMPARE(actual.join(u' '), expected.join(u' '));
    }

    void metricChartHeading() {
        QVERIFY(charts::kMetricChart.lines[2].find(u"めねじ内径　等級6H") !=
                std::u16string_view::npos);
    }

    // The chart heads its limits 等級6H. The smallest fine threads follow the
    // finest grade that ISO 965-1 gives their pitch, and some rows follow no
    // class of it at all: their data stays as it is.
    void metricChart_data() {
        QTest::addColumn<QString>("designation");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("classes");
        const QStringList fiveH = u"1×0.25 1.1×0.25 1.2×0.25 1.4×0.3 2×0.25 2.2×0.25"_s.split(u' ');
        const QStringList fourH = u"1×0.2 1.1×0.2 1.2×0.2 1.4×0.2 1.6×0.2 1.8×0.2"_s.split(u' ');
        const QStringList none =
            u"1.7×0.2 2.3×0.25 2.6×0.35 3×0.6 4×0.75 5×0.9 5.5×0.9 6×0.5 7×0.5 8×0.5 9×0.5 "
            u"10×0.5 11×1.25 11×0.5 12×0.5 13×1.5 13×1 13×0.5 14×0.5 15×0.5 16×0.5 18×0.5 "
            u"20×0.5 22×0.5 24×0.5 26×2 26×1 32×1 34×2 34×1.5 34×1 36×1 38×2 38×1 40×1 42×1 "
            u"45×1 48×1 50×1"_s.split(u' ');
        for (int i = 0; i < charts::kMetricChart.dataRows; ++i) {
            const auto line =
                charts::kMetricChart.lines[std::size_t(charts::kMetricChart.headingLines + i)];
            const QStringList cells =
                QString::fromUtf16(line.data(), qsizetype(line.size())).split(u'\t');
            const QString designation = QString(cells[0]).remove(u'M').remove(u' ');
            const QStringList classes = fiveH.contains(designation)   ? QStringList{u"5H"_s}
                                        : fourH.contains(designation) ? QStringList{u"4H"_s}
                                        : none.contains(designation)  ? QStringList{}
                                                                      : QStringList{u"6H"_s};
            QTest::newRow(qPrintable(designation)) << designation << cells << classes;
        }
    }
    void metricChart() {
        QFETCH(QString, designation);
        QFETCH(QStringList, cells);
        QFETCH(QStringList, classes);
        const QStringList dp = designation.split(u'×');
        QCOMPARE(isoClasses(millionths(dp[0]), millionths(dp[1]), millionths(cells[2]),
                            millionths(cells[3])),
                 classes);
    }

    void unifiedMinor_data() {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("tpi");
        QTest::addColumn<int>("threadClass");
        QTest::addColumn<QString>("limits"); // inches
        QTest::newRow("1/4-20 1B") << u"1/4"_s << u"20"_s << 1 << u"0.1960~0.2070"_s;
        QTest::newRow("1/4-20 2B") << u"1/4"_s << u"20"_s << 2 << u"0.1960~0.2070"_s;
        QTest::newRow("1/4-20 3B") << u"1/4"_s << u"20"_s << 3 << u"0.1960~0.2067"_s;
        QTest::newRow("1/4-28 2B") << u"1/4"_s << u"28"_s << 2 << u"0.2110~0.2200"_s;
        QTest::newRow("1/2-13 2B") << u"1/2"_s << u"13"_s << 2 << u"0.4170~0.4340"_s;
        QTest::newRow("1/2-13 3B") << u"1/2"_s << u"13"_s << 3 << u"0.4170~0.4284"_s;
        QTest::newRow("2-4 1/2 2B") << u"2"_s << u"9/2"_s << 2 << u"1.7590~1.7950"_s;
        QTest::newRow("No. 10-24 2B") << u"No. 10"_s << u"24"_s << 2 << u"0.1450~0.1560"_s;
        QTest::newRow("No. 10-24 3B") << u"No. 10"_s << u"24"_s << 3 << u"0.1450~0.1555"_s;
        QTest::newRow("No. 6-32 2B") << u"No. 6"_s << u"32"_s << 2 << u"0.1040~0.1140"_s;
        QTest::newRow("No. 12-32 2B") << u"No. 12"_s << u"32"_s << 2 << u"0.1820~0.1900"_s;
        QTest::newRow("No. 0-80 2B: at most 0.394P")
            << u"No. 0"_s << u"80"_s << 2 << u"0.0465~0.0514"_s;
        QTest::newRow("No. 1-72 2B") << u"No. 1"_s << u"72"_s << 2 << u"0.0580~0.0635"_s;
        QTest::newRow("No. 1-72 3B: at most 0.394P")
            << u"No. 1"_s << u"72"_s << 3 << u"0.0580~0.0635"_s;
        QTest::newRow("4-12 3B: at least 0.120P") << u"4"_s << u"12"_s << 3 << u"3.9100~3.9198"_s;
        QTest::newRow("4-16 3B: at least 0.23P-1.5P²")
            << u"4"_s << u"16"_s << 3 << u"3.9320~3.9408"_s;
        QTest::newRow("class 4") << u"1/4"_s << u"20"_s << 4 << QString();
        QTest::newRow("3 threads per inch") << u"1/4"_s << u"3"_s << 2 << QString();
        QTest::newRow("size 1/0") << u"1/0"_s << u"20"_s << 2 << QString();
        QTest::newRow("7 inches") << u"7"_s << u"4"_s << 2 << QString();
        QTest::newRow("No. 0-4: nothing left") << u"No. 0"_s << u"4"_s << 2 << QString();
    }
    void unifiedMinor() {
        QFETCH(QString, size);
        QFETCH(QString, tpi);
        QFETCH(int, threadClass);
        QFETCH(QString, limits);
        QCOMPARE(text(unifiedInternalMinor(inches(size), inches(tpi), threadClass), kMillion),
                 limits);
    }

    // Each of the standard's rules for the tolerance, with rows of its
    // tables ("thread min~max" in inches), 1B and 2B alike. Worked by hand where no
    // table has the row (9/16-12, 1-20, the 1 1/2-13 of no series): min =
    // D − 1.08253175P to 0.001 in, max = min + the tolerance to 0.0001 in.
    void unifiedRules_data() {
        QTest::addColumn<int>("threadClass");
        QTest::addColumn<QString>("rows");
        QTest::newRow("3B, 12 threads per inch and coarser: at least 0.120P")
            << 3
            << u"2 1/2-12 2.4100~2.4198, 2 1/2-4 2.2290~2.2594, 5/8-11 0.5270~0.5391, "
               u"9/16-12 0.4720~0.4843"_s;
        // 1-20: 0.00775 in, to 0.0078 before it is added.
        QTest::newRow("3B, 13 and finer: at least 0.23P-1.5P²")
            << 3
            << u"1 1/2-13 1.4170~1.4255, 2 1/2-16 2.4320~2.4408, 5/8-18 0.5650~0.5730, "
               u"1-20 0.9460~0.9537, 2 3/8-20 2.3210~2.3287"_s;
        QTest::newRow("3B, numbered") << 3 << u"No. 2-56 0.0667~0.0737"_s;
        QTest::newRow("1B, 2B: 0.25P-0.4P², at 4 threads per inch 0.15P")
            << 2 << u"2 1/2-4 2.2290~2.2670, 2 1/2-6 2.3200~2.3500, 2 1/2-12 2.4100~2.4280"_s;
        // Class 1B is UNC's and UNF's from 1/4 in alone.
        QTest::newRow("1B: UNC and UNF from 1/4 in")
            << 1 << u"2 1/2-4 2.2290~2.2670, 2 1/2-6 , No. 10-24 , 1/4-20 0.1960~0.2070"_s;
        // Limits to 0.001 in from their 0.0001 in values: 1.5335, 0.8135 (the
        // unified chart's 38.964~39.827 and 20.27~20.675 mm).
        QTest::newRow("1B, 2B from No. 6: to 0.001 in, from 0.0001 in")
            << 2 << u"1 3/4-5 1.5340~1.5680, 7/8-14 0.7980~0.8140"_s;
    }
    void unifiedRules() {
        QFETCH(int, threadClass);
        QFETCH(QString, rows);
        for (const QString& row : rows.split(u", "_s)) {
            const qsizetype space = row.lastIndexOf(u' ');
            const qsizetype dash = row.lastIndexOf(u'-');
            const Rational size = inches(row.left(dash));
            const Rational tpi = inches(row.mid(dash + 1, space - dash - 1));
            const std::optional<DiameterRange> limits =
                unifiedInternalMinor(size, tpi, threadClass);
            QCOMPARE(row.left(space + 1) + text(limits, kMillion), row);
            if (threadClass == 1 && limits)
                QCOMPARE(unifiedInternalMinor(size, tpi, 2), limits);
        }
    }

    void isoSizes_data() {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("pitches"); // coarse first, where there is one
        QTest::addColumn<bool>("coarse");
        QTest::addColumn<QString>("foreign"); // a pitch the size does not have
        QTest::newRow("M1") << u"1"_s << u"0.25 0.2"_s << true << u"0.3"_s;
        QTest::newRow("M5.5") << u"5.5"_s << u"0.5"_s << false << u"0.75"_s;
        QTest::newRow("M8") << u"8"_s << u"1.25 1 0.75"_s << true << u"1.1"_s;
        QTest::newRow("M10") << u"10"_s << u"1.5 1.25 1 0.75"_s << true << u"1.75"_s;
        QTest::newRow("M64") << u"64"_s << u"6 4 3 2 1.5"_s << true << u"1"_s;
        QTest::newRow("M105") << u"105"_s << u"6 4 3 2"_s << false << u"1.5"_s;
        QTest::newRow("M110") << u"110"_s << u"6 4 3 2"_s << false << u"8"_s;
        QTest::newRow("M300") << u"300"_s << u"8 6 4"_s << false << u"3"_s;
        QTest::newRow("M1.7: no ISO size") << u"1.7"_s << QString() << false << u"0.35"_s;
        QTest::newRow("M13: no ISO size") << u"13"_s << QString() << false << u"1.5"_s;
    }
    void isoSizes() {
        QFETCH(QString, size);
        QFETCH(QString, pitches);
        QFETCH(bool, coarse);
        QFETCH(QString, foreign);
        QVERIFY(!isIsoPitch(millionths(size), millionths(foreign)));
        QStringList found;
        for (Millionths p : isoPitches(millionths(size)))
            found.append(QString::number(double(p) / kMillion));
        QCOMPARE(found.join(u' '), pitches);
        for (const QString& p : found) {
            QVERIFY(isIsoPitch(millionths(size), millionths(p)));
            QCOMPARE(isIsoCoarse(millionths(size), millionths(p)), coarse && p == found[0]);
        }
    }

    void unifiedSeries_data() {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("tpi");
        QTest::addColumn<QString>("series"); // of the size, or of the size and tpi
        QTest::newRow("No. 0") << u"No. 0"_s << QString() << u"UNF 80"_s;
        QTest::newRow("1/4") << u"1/4"_s << QString()
                             << u"UNC 20,UNF 28,UNEF 32,20UN 20,28UN 28,32UN 32"_s;
        QTest::newRow("1")
            << u"1"_s << QString()
            << u"UNC 8,UNF 12,UNEF 20,8UN 8,12UN 12,16UN 16,20UN 20,28UN 28,32UN 32"_s;
        QTest::newRow("7/8") << u"7/8"_s << QString()
                             << u"UNC 9,UNF 14,UNEF 20,12UN 12,16UN 16,20UN 20,28UN 28,32UN 32"_s;
        QTest::newRow("2 1/4") << u"9/4"_s << QString()
                               << u"UNC 9/2,6UN 6,8UN 8,12UN 12,16UN 16,20UN 20"_s;
        QTest::newRow("2") << u"2"_s << QString()
                           << u"UNC 9/2,6UN 6,8UN 8,12UN 12,16UN 16,20UN 20"_s;
        QTest::newRow("3/16") << u"3/16"_s << QString() << QString();
        QTest::newRow("1/4-20") << u"1/4"_s << u"20"_s << u"UNC,20UN"_s;
        QTest::newRow("1/4-28") << u"1/4"_s << u"28"_s << u"UNF,28UN"_s;
        QTest::newRow("1/4-32") << u"1/4"_s << u"32"_s << u"UNEF,32UN"_s;
        QTest::newRow("1-8") << u"1"_s << u"8"_s << u"UNC,8UN"_s;
        QTest::newRow("2-12") << u"2"_s << u"12"_s << u"12UN"_s;
        QTest::newRow("No. 0-80") << u"No. 0"_s << u"80"_s << u"UNF"_s;
        QTest::newRow("1/4-22") << u"1/4"_s << u"22"_s << QString();
        QTest::newRow("7/16-24 (UNS)") << u"7/16"_s << u"24"_s << QString();
    }
    void unifiedSeries() {
        QFETCH(QString, size);
        QFETCH(QString, tpi);
        QFETCH(QString, series);
        QStringList found;
        if (tpi.isEmpty()) {
            for (const UnifiedSeries& s : threads::unifiedSeries(inches(size)))
                found.append(
                    QString::fromLatin1(s.name) + u' ' + QString::number(s.threadsPerInch.num) +
                    (s.threadsPerInch.den == 1 ? QString()
                                               : u'/' + QString::number(s.threadsPerInch.den)));
        } else {
            for (std::string_view name : unifiedSeriesOf(inches(size), inches(tpi)))
                found.append(QString::fromLatin1(name));
        }
        QCOMPARE(found.join(u','), series);
    }

    // The roundings of 5/8 H that the standards print: H1 = 0.541266 P (JIS
    // B 1004), D − D1 = 1.082532 P (ISO 724) and 2 hn = 1.08253175 P (ASME
    // B1.1).
    void heightOfEngagement() {
        QCOMPARE(kH1Millionths, 541'266);
        QCOMPARE(kIsoTwiceH1Millionths, 1'082'532);
        QCOMPARE(kUnifiedTwiceH1, 108'253'175);
    }

    // M6 × 1: D1 = 6 − 1.082532 = 4.917468 (ISO 724, before its rounding);
    // the tap's root D − 1.226869 P = 4.773131, where the drill is still
    // 1.226869 / 1.082532 = 113 %, a millionth under it none.
    void basicMinorAndRoot() {
        const Thread m6 = makeThread({Family::IsoMetric, Profile::Iso}, false, {6, 1}, {1, 1});
        QCOMPARE(basicMinor(m6), std::optional(reduced(4'917'468, kMillion)));
        QCOMPARE(engagement(m6, 4'773'131), (Engagement{Engagement::Kind::AboveBasic, 113}));
        QCOMPARE(engagement(m6, 4'773'130).kind, Engagement::Kind::BelowRoot);
    }

    // Half up at the last digit shown: 2/3 is 0.667, 1/8 to two decimals 0.13.
    void decimals() {
        QCOMPARE(decimalText({2, 3}), std::u16string(u"0.667"));
        QCOMPARE(decimalText({1, 8}, 2), std::u16string(u"0.13"));
    }

    // A chart's row read with no limits to choose by: the first reading,
    // "13/16" as thirteen sixteenths rather than 1 3/16.
    void chartRowWithoutLimits() {
        const ThreadForm unified{Family::Unified, Profile::Iso, SizeUnit::Inch,
                                 PitchUnit::ThreadsPerInch};
        const std::optional<Thread> t = readChartThread(u"13/16-20UNEF", unified, std::nullopt);
        QVERIFY(t);
        QCOMPARE(t->size, (Rational{13, 16}));
    }

    void numberedSizes() {
        QCOMPARE(numberedSizeMajor(10), std::optional(reduced(190, 1000)));
        QCOMPARE(numberedSizeMajor(13), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestThreadStandards)
#include "test_thread_standards.moc"
