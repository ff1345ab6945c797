// Both halves of a thread by ISO 965-1, ASME B1.1 and ISO 2857, and G's bolt
// by ISO 228-1: every table cell from the formulas, limits worked by hand or
// from published tables.
#include "threads/pipe_sizes.h"
#include "threads/thread_limits.h"

#include <QMap>
#include <QStringList>
#include <QTest>
#include <cmath>
#include <optional>
#include <tuple>

using namespace vornel::threads;
using namespace Qt::StringLiterals;

namespace {

Millionths mm(double value) {
    return qRound64(value * kMillion);
}

// R40 as ISO 965-1 prints it, from 17 µm, R40's number 49: the member whose
// exact value 10^(n/40) is nearest (by ratio) to x.
int r40(double x) {
    static const QStringList printed =
        (u"17 18 19 20 21 22 24 25 26 28 30 32 34 36 38 40 42 45 48 50 53 56 60 63 67 71 75 "_s +
         u"80 85 90 95 100 106 112 118 125 132 140 150 160 170 180 190 200 212 224 236 250 265 "_s +
         u"280 300 315 335 355 375 400 425 450 475 500 530 560 600 630 670 710 750 800 850 900 "_s +
         u"950 1000 1060 1120 1180 1250"_s)
            .split(u' ');
    const auto distance = [&](qsizetype i) { return std::abs(std::log10(x) - (49 + i) / 40.0); };
    qsizetype best = 0;
    for (qsizetype i = 1; i < printed.size(); ++i)
        best = distance(i) < distance(best) ? i : best;
    return printed[best].toInt();
}

constexpr double kFactor[] = {0.5, 0.63, 0.8, 1, 1.25, 1.6, 2}; // grades 3 to 9

// "min~max " to so many decimals.
QString text(const DiameterLimits& limits, int decimals) {
    return QString::number(limits.minimum / 1e6, 'f', decimals) + u'~' +
           QString::number(limits.maximum / 1e6, 'f', decimals) + u' ';
}

// The pitches ISO 965-1's tables list for each diameter range, over the first
// diameter up to and including the second.
const QStringList kRanges = {u"0.99 1.4 0.2 0.25 0.3"_s,
                             u"1.4 2.8 0.2 0.25 0.35 0.4 0.45"_s,
                             u"2.8 5.6 0.35 0.5 0.6 0.7 0.75 0.8"_s,
                             u"5.6 11.2 0.75 1 1.25 1.5"_s,
                             u"11.2 22.4 1 1.25 1.5 1.75 2 2.5"_s,
                             u"22.4 45 1 1.5 2 3 3.5 4 4.5"_s,
                             u"45 90 1.5 2 3 4 5 5.5 6"_s,
                             u"90 180 2 3 4 6 8"_s,
                             u"180 355 3 4 6 8"_s};

} // namespace

class TestThreadLimits : public QObject {
    Q_OBJECT
private slots:
    // Every cell of ISO 965-1's tables, range by range. Td2(6) = 90 P^0.4
    // d^0.1 µm to R40, d the geometric mean of the range, the other grades
    // from it by their factors and TD2 = 1.32 Td2, each to R40; Td2 has grade
    // 7 from 0.35 mm, 8 and 9 from 0.8 mm, TD2 5 from 0.25, 6 from 0.3, 7 from
    // 0.5 and 8 from 0.8 mm. Td(6) = 180 P^(2/3) − 3.15 P^(−1/2) µm to R40,
    // grade 4 0.63 and 8 1.6 times it (8 from 0.8 mm). es: e −(50 + 11P)
    // from 0.5 mm, f −(30 + 11P) from 0.35 mm, g −(15 + 11P) µm to R40.
    void isoTables_data() {
        QTest::addColumn<QStringList>("range");
        for (const QString& range : kRanges)
            QTest::newRow(qPrintable(range.section(u' ', 0, 1))) << range.split(u' ');
    }
    void isoTables() {
        QFETCH(QStringList, range);
        // The cells the standard prints otherwise. Td2(6): M3 6g 2.655~2.580
        // and 6H 2.675~2.775, M4.5×0.75 6H TD2 118 (tap makers' tables), M48
        // 6g 44.681~44.431 and the 180–355 rows of its table; Td(6) 56 at
        // 0.2 mm and 475 at 4 mm (M36 6g 35.940~35.465), Td(8) 1180 at 8 mm.
        const QMap<QString, int> printed = {
            {u"5.6 0.5"_s, 75}, {u"5.6 0.75"_s, 90}, {u"90 5"_s, 250},  {u"355 3"_s, 250},
            {u"355 4"_s, 280},  {u"Td 0.2"_s, 56},   {u"Td 4"_s, 475},  {u"Td8 8"_s, 1180},
            {u"e 0.5"_s, 50},   {u"e 0.6"_s, 53},    {u"e 0.75"_s, 56}, {u"f 0.45"_s, 35},
            {u"f 0.6"_s, 36},   {u"f 0.8"_s, 38},    {u"f 1"_s, 40},    {u"f 1.25"_s, 42},
            {u"f 1.5"_s, 45},   {u"f 1.75"_s, 48},   {u"f 2"_s, 52},    {u"f 2.5"_s, 58},
            {u"f 3.5"_s, 70},   {u"g 0.4"_s, 19},    {u"g 0.75"_s, 22}, {u"g 8"_s, 100}};
        const Millionths d = mm(range[1].toDouble());
        const double mean = std::sqrt(range[0].toDouble() * range[1].toDouble());
        for (const QString& p : range.mid(2)) {
            const double pitch = p.toDouble();
            const int six = printed.value(range[1] + u' ' + p,
                                          r40(90 * std::pow(pitch, 0.4) * std::pow(mean, 0.1)));
            const double externalFrom[] = {0, 0, 0, 0, 0.35, 0.8, 0.8};
            const double internalFrom[] = {99, 0, 0.25, 0.3, 0.5, 0.8, 99};
            for (int grade = 3; grade <= 9; ++grade) {
                const auto e = isoExternal(d, mm(pitch), grade, 6, u'h');
                QCOMPARE(e ? e->pitch.maximum - e->pitch.minimum : 0,
                         pitch >= externalFrom[grade - 3] ? 1000 * r40(kFactor[grade - 3] * six)
                                                          : 0);
                const auto i = isoInternalPitch(d, mm(pitch), grade, u'H');
                QCOMPARE(i ? i->pitch.maximum - i->pitch.minimum : 0,
                         pitch >= internalFrom[grade - 3]
                             ? 1000 * r40(1.32 * kFactor[grade - 3] * six)
                             : 0);
            }
            const int major6 = printed.value(
                u"Td "_s + p, r40(180 * std::cbrt(pitch * pitch) - 3.15 / std::sqrt(pitch)));
            for (const int grade : {4, 6, 8}) {
                const auto e = isoExternal(d, mm(pitch), 6, grade, u'g');
                QCOMPARE(e ? e->major.maximum - e->major.minimum : 0,
                         grade == 8 && pitch < 0.8
                             ? 0
                             : 1000 * printed.value(u"Td%1 "_s.arg(grade) + p,
                                                    r40(kFactor[grade - 3] * major6)));
            }
            for (const auto& [position, constant, from] :
                 std::initializer_list<std::tuple<char16_t, int, double>>{
                     {u'e', 50, 0.5}, {u'f', 30, 0.35}, {u'g', 15, 0}}) {
                const auto e = isoExternal(d, mm(pitch), 6, 6, position);
                QCOMPARE(e ? d - e->major.maximum : 0,
                         pitch < from ? 0
                                      : 1000 * printed.value(QChar(position) + u' ' + p,
                                                             r40(constant + 11 * pitch)));
            }
        }
    }

    // "Md P class" (ISO 965-1, mm), "size threads-per-inch class [mm]"
    // (ASME B1.1, inches) or "G size class" (ISO 228-1, mm) → an external thread's major min~max
    // and pitch min~max, an internal one's pitch min~max and major min; empty where the standard
    // gives none.
    void limits_data() {
        QTest::addColumn<QString>("thread");
        QTest::addColumn<QString>("limits");
        // Worked by hand, d2 = d − 0.649519 P to 0.001 mm:
        QTest::newRow("M8x1.25-6g") << u"M8 1.25 6g"_s << u"7.760~7.972 7.042~7.160"_s;
        QTest::newRow("M10x1.5-6h") << u"M10 1.5 6h"_s << u"9.764~10.000 8.894~9.026"_s;
        QTest::newRow("M8x1.25-4h6h") << u"M8 1.25 4h6h"_s << u"7.788~8.000 7.113~7.188"_s;
        QTest::newRow("M8x1.25-6e") << u"M8 1.25 6e"_s << u"7.725~7.937 7.007~7.125"_s;
        QTest::newRow("M8x1.25-6H") << u"M8 1.25 6H"_s << u"7.188~7.348 8.000"_s;
        QTest::newRow("M8x1.25-6G") << u"M8 1.25 6G"_s << u"7.216~7.376 8.028"_s;
        // ISO 965-2 (ASME B1.13M prints the same):
        QTest::newRow("M6x1-6g") << u"M6 1 6g"_s << u"5.794~5.974 5.212~5.324"_s;
        QTest::newRow("M3x0.5-4g6g") << u"M3 0.5 4g6g"_s << u"2.874~2.980 2.607~2.655"_s;
        // Tap makers' tables of ISO 965-1's internal pitch diameters: 6H of
        // coarse threads, 5H of M1 × 0.25 (TD2 56 µm), 4H of M1.4 × 0.3 (48).
        const QStringList published = {
            u"1.6 0.35 6H 1.373~1.458"_s,
            u"12 1.75 6H 10.863~11.063"_s,
            u"1 0.25 5H 0.838~0.894"_s,
            u"1.4 0.3 4H 1.205~1.253"_s,
        };
        for (const QString& row : published) {
            const QStringList f = row.split(u' ');
            QTest::addRow("M%s-%s published", qPrintable(f[0]), qPrintable(f[2]))
                << u"M"_s + row.section(u' ', 0, 2)
                << f[3] + u' ' + QString::number(f[0].toDouble(), 'f', 3);
        }
        QTest::newRow("M8x1.25-5g: crest 5") << u"M8 1.25 5g"_s << QString();
        QTest::newRow("M8x1.25-6k") << u"M8 1.25 6k"_s << QString();
        QTest::newRow("M8x1.25-6E") << u"M8 1.25 6E"_s << QString();
        QTest::newRow("M8x0.5: no cell") << u"M8 0.5 6g"_s << QString();
        // ASME B1.1 Table 2:
        QTest::newRow("1/4-20-2A") << u"1/4 20 2A"_s << u"0.2408~0.2489 0.2127~0.2164"_s;
        QTest::newRow("1/4-20-2B") << u"1/4 20 2B"_s << u"0.2175~0.2224 0.2500"_s;
        QTest::newRow("1/4-20-3B") << u"1/4 20 3B"_s << u"0.2175~0.2211 0.2500"_s;
        QTest::newRow("0-80-3A") << u"3/50 80 3A"_s << u"0.0568~0.0600 0.0506~0.0519"_s;
        QTest::newRow("0-80-3B") << u"3/50 80 3B"_s << u"0.0519~0.0536 0.0600"_s;
        QTest::newRow("1-8-2B") << u"1 8 2B"_s << u"0.9188~0.9276 1.0000"_s;
        QTest::newRow("5/8-11-2A: allowance as printed")
            << u"5/8 11 2A"_s << u"0.6113~0.6234 0.5589~0.5644"_s;
        QTest::newRow("5/8-11-3A: no allowance")
            << u"5/8 11 3A"_s << u"0.6129~0.6250 0.5619~0.5660"_s;
        QTest::newRow("15/16-20UNEF-2A: LE 9P")
            << u"15/16 20 2A"_s << u"0.9280~0.9361 0.8991~0.9036"_s;
        // Worked by hand: class 1 1.5 and 1.95 times 2A, 1A's major 0.090
        // P^(2/3); No. 12-32 UNEF with LE = D.
        QTest::newRow("1/4-20-1A") << u"1/4 20 1A"_s << u"0.2367~0.2489 0.2108~0.2164"_s;
        QTest::newRow("1/4-20-1B") << u"1/4 20 1B"_s << u"0.2175~0.2248 0.2500"_s;
        QTest::newRow("12-32UNEF-2A") << u"27/125 32 2A"_s << u"0.2091~0.2151 0.1917~0.1948"_s;
        // A tap maker's table of ASME B1.1 in millimetres; it prints 11.874
        // for 0.4675 in (11.8745 mm), and Vornel rounds a half up.
        QTest::newRow("1/4-28-3B mm") << u"1/4 28 3B mm"_s << u"5.761~5.842 6.350"_s;
        QTest::newRow("1/2-20-2B mm: LE D") << u"1/2 20 2B mm"_s << u"11.875~12.017 12.700"_s;
        QTest::newRow("0-80-1A: no class 1") << u"3/50 80 1A"_s << QString();
        QTest::newRow("7-4: past 6 in") << u"7 4 2A"_s << QString();
        // ISO 228-1 Table 1: d − Td～d, d − h − Td2～d − h, Td2 A's TD2, B's twice
        // it. h, Td, TD2: 0.581, 0.214, 0.107 (28 tpi); 0.856, 0.250, 0.125 (19);
        // 1.162, 0.284, 0.142 (14); 1.479, 0.360, 0.180 (11), 0.434, 0.217 from 2¼.
        QTest::newRow("G1/8 A") << u"G 1/8 A"_s << u"9.514~9.728 9.040~9.147"_s;
        QTest::newRow("G1/4 A") << u"G 1/4 A"_s << u"12.907~13.157 12.176~12.301"_s;
        QTest::newRow("G1/4 B") << u"G 1/4 B"_s << u"12.907~13.157 12.051~12.301"_s;
        QTest::newRow("G3/8 A") << u"G 3/8 A"_s << u"16.412~16.662 15.681~15.806"_s;
        QTest::newRow("G1/2 A") << u"G 1/2 A"_s << u"20.671~20.955 19.651~19.793"_s;
        QTest::newRow("G3/4 A") << u"G 3/4 A"_s << u"26.157~26.441 25.137~25.279"_s;
        QTest::newRow("G7/8 A") << u"G 7/8 A"_s << u"29.917~30.201 28.897~29.039"_s;
        QTest::newRow("G2 B") << u"G 2 B"_s << u"59.254~59.614 57.775~58.135"_s;
        QTest::newRow("G2 1/4 A") << u"G 9/4 A"_s << u"65.276~65.710 64.014~64.231"_s;
        QTest::newRow("G1/4 C: no class") << u"G 1/4 C"_s << QString();
        QTest::newRow("G3/16: no size") << u"G 3/16 A"_s << QString();
    }
    void limits() {
        QFETCH(QString, thread);
        QFETCH(QString, limits);
        const QStringList f = thread.split(u' ');
        const QString c = f[2];
        const int grade = c.left(1).toInt();
        std::optional<ExternalLimits> e;
        std::optional<InternalPitchLimits> i;
        if (f[0] == u"G"_s) {
            const QStringList size = f[1].split(u'/');
            e = parallelPipeExternal(
                reduced(size[0].toLongLong(), size.value(1, u"1"_s).toLongLong()), c[0].unicode());
        } else if (f[0].startsWith(u'M')) {
            const Millionths d = mm(f[0].mid(1).toDouble());
            if (c[1].isUpper())
                i = isoInternalPitch(d, mm(f[1].toDouble()), grade, c[1].unicode());
            else
                e = isoExternal(d, mm(f[1].toDouble()), grade, c[c.size() - 2].digitValue(),
                                c[1].unicode());
        } else {
            const QStringList size = f[0].split(u'/');
            const Rational major =
                reduced(size[0].toLongLong(), size.value(1, u"1"_s).toLongLong());
            if (c[1] == u'A')
                e = unifiedExternal(major, {f[1].toLongLong(), 1}, grade);
            else if ((i = unifiedInternalPitch(major, {f[1].toLongLong(), 1}, grade)) &&
                     f.size() > 3)
                i = inMillimetres(*i);
        }
        const int decimals = f[0].startsWith(u'M') || f[0] == u"G"_s || f.size() > 3 ? 3 : 4;
        QCOMPARE(e   ? text(e->major, decimals) + text(e->pitch, decimals).chopped(1)
                 : i ? text(i->pitch, decimals) +
                           QString::number(i->majorMinimum / 1e6, 'f', decimals)
                     : QString(),
                 limits);
    }

    // ISO 2857: class → tap class (0: none), and why none. Unified holes by
    // the 40 % rule, "size tpi class H" (H0: none): 1/4-20 1B's tolerance
    // 1.95 × 0.003731 = 0.0073 in, 40 % 0.00292 in H6's band; 3/4-16 3B's
    // 0.0049 in, H4; 1-8 2B's 1.3 × 0.00675 = 0.0088 in, 0.00352 in H8; 1 1/8
    // past the 1 in of H limits; 0-80 without a class 1.
    void tapClass_data() {
        QTest::addColumn<QString>("row");
        const QStringList rows = {
            u"4H 1 0"_s,    u"5H 1 0"_s,      u"4G 2 0"_s,     u"5G 2 0"_s,     u"6H 2 0"_s,
            u"6G 3 0"_s,    u"7H 3 0"_s,      u"8H 3 0"_s,     u"7G 0 2"_s,     u"8G 0 2"_s,
            u"9H 0 1"_s,    u"6g 0 1"_s,      u"1/4 20 1 6"_s, u"3/4 16 3 4"_s, u"1/1 8 2 8"_s,
            u"9/8 7 2 0"_s, u"3/50 80 1 0"_s,
        };
        for (const QString& row : rows)
            QTest::newRow(qPrintable(row)) << row;
    }
    void tapClass() {
        QFETCH(QString, row);
        const QStringList f = row.split(u' ');
        if (f.size() == 4) {
            const QStringList size = f[0].split(u'/');
            QCOMPARE(unifiedTapLimit(reduced(size[0].toLongLong(), size[1].toLongLong()),
                                     {f[1].toLongLong(), 1}, f[2].toInt()),
                     (TapLimit{f[3].toInt(), false}));
            return;
        }
        QCOMPARE(isoTapClass(f[0].left(1).toInt(), f[0][1].unicode()),
                 (TapClass{f[1].toInt(), TapClassGap(f[2].toInt())}));
    }

    // Rows of a tap maker's table of ASME B1.1 (inches): the basic pitch
    // diameter, 2B's and 3B's largest, and the H limits it recommends for 2B
    // and 3B. Its pitch diameters are those worked out; its taps lie within
    // the class, as every H limit named must.
    void catalogue_data() {
        QTest::addColumn<QString>("row");
        const QStringList rows = {
            u"3/50 80 .0519 .0542 .0536 2 2"_s,   u"99/1000 48 .0855 .0885 .0877 3 2"_s,
            u"41/250 32 .1437 .1475 .1465 3 3"_s, u"1/4 20 .2175 .2224 .2211 5 3"_s,
            u"5/16 24 .2854 .2902 .2890 4 3"_s,   u"1/2 13 .4500 .4565 .4548 5 4"_s,
            u"5/8 11 .5660 .5732 .5714 5 4"_s,    u"3/4 10 .6850 .6927 .6907 5 4"_s,
        };
        for (const QString& row : rows)
            QTest::newRow(qPrintable(row.section(u' ', 0, 1))) << row;
    }
    void catalogue() {
        QFETCH(QString, row);
        const QStringList f = row.split(u' ');
        const QStringList size = f[0].split(u'/');
        const Rational major = reduced(size[0].toLongLong(), size[1].toLongLong());
        const Rational perInch{f[1].toLongLong(), 1};
        const auto inch = [&](int i) { return qRound64(f[i].toDouble() * kMillion); };
        for (int threadClass : {2, 3}) {
            const auto hole = unifiedInternalPitch(major, perInch, threadClass);
            QVERIFY(hole);
            QCOMPARE(hole->pitch, (DiameterLimits{inch(2), inch(threadClass == 2 ? 3 : 4)}));
            const TapLimit tap = unifiedTapLimit(major, perInch, threadClass);
            QCOMPARE(tap, (TapLimit{f[threadClass + 3].toInt(), true}));
            QVERIFY(tap.h * 500 <= hole->pitch.maximum - hole->pitch.minimum);
        }
    }
};

QTEST_APPLESS_MAIN(TestThreadLimits)
#include "test_thread_limits.moc"
