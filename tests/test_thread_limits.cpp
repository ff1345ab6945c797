// Both halves of a thread by ISO 965-1, ASME B1.1 and ISO 2857, and G's bolt
// by ISO 228-1: limits as the standards and tap makers' tables print them,
// or worked by hand.
#include "threads/asme_b1_1.h"
#include "threads/iso_965.h"
#include "threads/pipe_sizes.h"

#include <QStringList>
#include <QTest>
#include <optional>

using namespace vornel::threads;
using namespace Qt::StringLiterals;

namespace {

Millionths mm(double value) {
    return qRound64(value * kMillion);
}

// "min~max " to so many decimals.
QString text(const DiameterRange& limits, int decimals) {
    return QString::number(limits.minimum / 1e6, 'f', decimals) + u'~' +
           QString::number(limits.maximum / 1e6, 'f', decimals) + u' ';
}

} // namespace

class TestThreadLimits : public QObject {
    Q_OBJECT
private slots:
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
        // ISO 965-2 (ASME B1.13M prints the same), where ISO 965-1's cells
        // differ from its formulas too: Td2(6) 75 at M3, Td(6) 475 at 4 mm.
        QTest::newRow("M6x1-6g") << u"M6 1 6g"_s << u"5.794~5.974 5.212~5.324"_s;
        QTest::newRow("M3x0.5-4g6g") << u"M3 0.5 4g6g"_s << u"2.874~2.980 2.607~2.655"_s;
        QTest::newRow("M3x0.5-6g") << u"M3 0.5 6g"_s << u"2.874~2.980 2.580~2.655"_s;
        QTest::newRow("M4x0.7-6g") << u"M4 0.7 6g"_s << u"3.838~3.978 3.433~3.523"_s;
        QTest::newRow("M5x0.8-6g") << u"M5 0.8 6g"_s << u"4.826~4.976 4.361~4.456"_s;
        QTest::newRow("M12x1.75-6g") << u"M12 1.75 6g"_s << u"11.701~11.966 10.679~10.829"_s;
        QTest::newRow("M16x2-6g") << u"M16 2 6g"_s << u"15.682~15.962 14.503~14.663"_s;
        QTest::newRow("M20x2.5-6g") << u"M20 2.5 6g"_s << u"19.623~19.958 18.164~18.334"_s;
        QTest::newRow("M24x3-6g") << u"M24 3 6g"_s << u"23.577~23.952 21.803~22.003"_s;
        QTest::newRow("M36x4-6g") << u"M36 4 6g"_s << u"35.465~35.940 33.118~33.342"_s;
        QTest::newRow("M48x5-6g") << u"M48 5 6g"_s << u"47.399~47.929 44.431~44.681"_s;
        QTest::newRow("M8x1.25-8g") << u"M8 1.25 8g"_s << u"7.637~7.972 6.970~7.160"_s;
        QTest::newRow("M3x0.5-6H") << u"M3 0.5 6H"_s << u"2.675~2.775 3.000"_s;
        QTest::newRow("M4x0.7-6H") << u"M4 0.7 6H"_s << u"3.545~3.663 4.000"_s;
        QTest::newRow("M6x1-6H") << u"M6 1 6H"_s << u"5.350~5.500 6.000"_s;
        QTest::newRow("M10x1.5-6H") << u"M10 1.5 6H"_s << u"9.026~9.206 10.000"_s;
        QTest::newRow("M20x2.5-6H") << u"M20 2.5 6H"_s << u"18.376~18.600 20.000"_s;
        QTest::newRow("M24x3-6H") << u"M24 3 6H"_s << u"22.051~22.316 24.000"_s;
        QTest::newRow("M36x4-6H") << u"M36 4 6H"_s << u"33.402~33.702 36.000"_s;
        QTest::newRow("M8x1.25-7H") << u"M8 1.25 7H"_s << u"7.188~7.388 8.000"_s;
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
        QTest::newRow("M3x0.5-8g: 8 from 0.8 mm") << u"M3 0.5 8g"_s << QString();
        QTest::newRow("M1x0.25-7H: 7 from 0.5 mm") << u"M1 0.25 7H"_s << QString();
        QTest::newRow("M8x1.25-9H") << u"M8 1.25 9H"_s << QString();
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
        QTest::newRow("5/8-12UN-2A: LE 9P past D")
            << u"5/8 12 2A"_s << u"0.6120~0.6234 0.5639~0.5693"_s;
        // Worked by hand: class 1 1.5 and 1.95 times 2A, 1A's major 0.090
        // P^(2/3); series other than UNC and UNF with LE = 9P though 9P > D.
        QTest::newRow("1/4-20-1A") << u"1/4 20 1A"_s << u"0.2367~0.2489 0.2108~0.2164"_s;
        QTest::newRow("1/4-20-1B") << u"1/4 20 1B"_s << u"0.2175~0.2248 0.2500"_s;
        QTest::newRow("12-32UNEF-2A") << u"27/125 32 2A"_s << u"0.2090~0.2150 0.1915~0.1947"_s;
        QTest::newRow("7/16-16UN-2A") << u"7/16 16 2A"_s << u"0.4267~0.4361 0.3909~0.3955"_s;
        QTest::newRow("1/2-16UN-2B") << u"1/2 16 2B"_s << u"0.4594~0.4655 0.5000"_s;
        // A tap maker's table of ASME B1.1: basic and largest pitch diameters
        // of 2B and 3B.
        const QStringList catalogue = {
            u"3/50 80 .0519 .0542 .0536 .0600"_s,   u"99/1000 48 .0855 .0885 .0877 .0990"_s,
            u"41/250 32 .1437 .1475 .1465 .1640"_s, u"5/16 24 .2854 .2902 .2890 .3125"_s,
            u"1/2 13 .4500 .4565 .4548 .5000"_s,    u"5/8 11 .5660 .5732 .5714 .6250"_s,
            u"3/4 10 .6850 .6927 .6907 .7500"_s,
        };
        for (const QString& row : catalogue) {
            const QStringList f = row.split(u' ');
            for (int c : {2, 3}) {
                QTest::addRow("%s-%s-%dB catalogue", qPrintable(f[0]), qPrintable(f[1]), c)
                    << u"%1 %2 %3B"_s.arg(f[0], f[1]).arg(c)
                    << u"0%1~0%2 0%3"_s.arg(f[2], f[c + 1], f[5]);
            }
        }
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
    // past the 1 in of H limits; 0-80 without a class 1; a tap maker's table
    // names H5 for 1/4-20 2B and H4 for 1/2-13 3B.
    void tapClass_data() {
        QTest::addColumn<QString>("row");
        const QStringList rows = {
            u"4H 1 0"_s,
            u"5H 1 0"_s,
            u"4G 2 0"_s,
            u"5G 2 0"_s,
            u"6H 2 0"_s,
            u"6G 3 0"_s,
            u"7H 3 0"_s,
            u"8H 3 0"_s,
            u"7G 0 2"_s,
            u"8G 0 2"_s,
            u"9H 0 1"_s,
            u"6g 0 1"_s,
            u"1/4 20 1 6"_s,
            u"3/4 16 3 4"_s,
            u"1/1 8 2 8"_s,
            u"9/8 7 2 0"_s,
            u"3/50 80 1 0"_s,
            u"1/4 20 2 5 catalogue"_s,
            u"1/2 13 3 4 catalogue"_s,
        };
        for (const QString& row : rows)
            QTest::newRow(qPrintable(row)) << row;
    }
    void tapClass() {
        QFETCH(QString, row);
        const QStringList f = row.split(u' ');
        if (f.size() >= 4) {
            const QStringList size = f[0].split(u'/');
            QCOMPARE(unifiedTapLimit(reduced(size[0].toLongLong(), size[1].toLongLong()),
                                     {f[1].toLongLong(), 1}, f[2].toInt()),
                     (TapLimit{f[3].toInt(), f.size() > 4}));
            return;
        }
        QCOMPARE(isoTapClass(f[0].left(1).toInt(), f[0][1].unicode()),
                 (TapClass{f[1].toInt(), TapClassGap(f[2].toInt())}));
    }
};

QTEST_APPLESS_MAIN(TestThreadLimits)
#include "test_thread_limits.moc"
