// "What thread is this?": a caliper's and a pitch gauge's reading, read from
// the query and held against every thread Vornel knows; the candidates'
// order, the traps named, the pipe standards' diameters and bad readings.
#include "charts/charts.h"
#include "search/identify.h"
#include "search/identify_texts.h"
#include "search/result_detail.h"
#include "search/result_texts.h"
#include "search/search_index.h"
#include "threads/query.h"

#include <QStringList>
#include <QTest>

using namespace vornel;
using namespace Qt::StringLiterals;
using threads::DiameterRange;
using threads::Millionths;
using threads::Rational;

namespace {

std::u16string_view view(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())};
}

QString qs(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

const search::SearchIndex& index() {
    static const auto charts = charts::allCharts();
    static const search::SearchIndex index(charts);
    return index;
}

// Bolts' major diameters as the standards' tables print them, in
// millimetres to 0.001 (inches × 25.4): ISO 965-2 6g, and ASME B1.1 2A
// (1/4-20UNC 0.2408–0.2489 in, 3/8-16UNC 0.3643–0.3737 in; 5/16-20UN worked
// by hand from the standard's rules, 0.3032–0.3113 in).
std::optional<DiameterRange> tableBoltMajor(const threads::Thread& t) {
    struct Row {
        threads::Family family;
        Rational size, count;
        DiameterRange major;
    };
    static const Row rows[] = {
        {threads::Family::IsoMetric, {10, 1}, {3, 2}, {9'732'000, 9'968'000}},
        {threads::Family::IsoMetric, {8, 1}, {5, 4}, {7'760'000, 7'972'000}},
        {threads::Family::Unified, {1, 4}, {20, 1}, {6'116'000, 6'322'000}},
        {threads::Family::Unified, {3, 8}, {16, 1}, {9'253'000, 9'492'000}},
        {threads::Family::Unified, {5, 16}, {20, 1}, {7'701'000, 7'907'000}},
    };
    for (const Row& row : rows) {
        if (row.family == t.family && row.size == t.size && row.count == t.count)
            return row.major;
    }
    return std::nullopt;
}

const search::MeasuredThreads& withBolts() {
    static const search::MeasuredThreads threads(index(), tableBoltMajor);
    return threads;
}

// A candidate as "name fits|near", with the threads it is confused with:
// "M8 × 1.25 fits [5/16-20UN pitch]".
QString describe(const search::SearchResult& r) {
    const search::MeasuredFit& fit = *r.measured;
    if (!fit.thread)
        return u"none: "_s + search::measuredFitText(r);
    const bool hole = fit.measurement.diameter == threads::MeasuredDiameter::Minor;
    // A hole's limits named by the class they follow, or the chart's.
    QString text = (hole ? qs(fit.thread->holeName) + u" ("_s +
                               search::measuredBasisText(fit.thread->minorBasis) + u')'
                         : qs(fit.thread->name)) +
                   (fit.fits ? u" fits"_s : u" near"_s);
    QStringList traps;
    for (const search::MeasuredTrap& trap : fit.traps) {
        QString why;
        if (trap.pitch)
            why += u" pitch"_s;
        if (trap.flankAngle)
            why += u" angle"_s;
        if (trap.taper)
            why += u" taper"_s;
        traps.append(qs(hole ? trap.other->holeName : trap.other->name) + why);
    }
    if (!traps.isEmpty())
        text += u" ["_s + traps.join(u", "_s) + u']';
    return text;
}

QStringList described(const std::vector<search::SearchResult>& results, qsizetype count) {
    QStringList out;
    for (const search::SearchResult& r : results)
        out.append(describe(r));
    return out.mid(0, count);
}

// The query's reading where the reader takes it for a measurement.
std::optional<threads::MeasurementReading> readMeasurement(const QString& typed) {
    return threads::readQuery(view(typed), [](const threads::Designation&) { return false; })
        .measurement;
}

std::vector<search::SearchResult> identified(const QString& query) {
    const std::optional<threads::MeasurementReading> reading = readMeasurement(query);
    return reading ? withBolts().identify(*reading) : std::vector<search::SearchResult>{};
}

} // namespace

class TestIdentify : public QObject {
    Q_OBJECT
private slots:
    // What the reader reads: the diameter (millionths of a millimetre; of an
    // inch as typed), the pitch, the count; every form of the same reading.
    void readings_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("diameter"); // 0 none, 1 major, 2 minor
        QTest::addColumn<qint64>("millimetres");
        QTest::addColumn<qint64>("inches");
        QTest::addColumn<qint64>("pitchNum");
        QTest::addColumn<qint64>("pitchDen");
        QTest::addColumn<qint64>("count");
        const QStringList bolt{
            u"外径 9.5 ピッチ 1.5"_s, u"外径9.5ピッチ1.5"_s,      u"外径９．５　ピッチ１．５"_s,
            u"ピッチ 1.5 外径 9.5"_s, u"おねじ外径 9.5mm P1.5"_s, u"OD 9.5 p 1.5"_s,
            u"od:9.5 P1.5mm"_s,       u"外径 +9.5 ピッチ 1.5"_s};
        for (const QString& typed : bolt)
            QTest::newRow(qPrintable(typed))
                << typed << 1 << 9'500'000LL << 0LL << 3LL << 2LL << 0LL;
        for (const QString& typed :
             {u"内径 6.7 ピッチ 1.25"_s, u"めねじ内径 6.7 P1.25"_s, u"ID 6.7 p1.25"_s})
            QTest::newRow(qPrintable(typed))
                << typed << 2 << 6'700'000LL << 0LL << 5LL << 4LL << 0LL;
        // Inches: 0.245 × 25.4 = 6.223 mm; 16 per inch is 25.4 / 16 = 127/80 mm.
        for (const QString& typed :
             {u"外径 0.245in 16山"_s, u"OD .245\" 16 tpi"_s, u"外径 .245 16山/インチ"_s,
              u"外径 0.245″ TPI 16"_s, u"od 0.245 inch tpi 16"_s})
            QTest::newRow(qPrintable(typed))
                << typed << 1 << 6'223'000LL << 245'000LL << 127LL << 80LL << 16LL;
        // A unit after a number that starts with its point says which it is.
        QTest::newRow(".5mm") << u"外径 .5mm"_s << 1 << 500'000LL << 0LL << 0LL << 1LL << 0LL;
        QTest::newRow("count alone") << u"16TPI"_s << 0 << 0LL << 0LL << 127LL << 80LL << 16LL;
        QTest::newRow("pitch alone") << u"P1.5"_s << 0 << 0LL << 0LL << 3LL << 2LL << 0LL;
        QTest::newRow("11½ per inch")
            << u"ピッチ 11.5山"_s << 0 << 0LL << 0LL << 254LL << 115LL << 11LL;
        QTest::newRow("diameter alone")
            << u"外径 13.1"_s << 1 << 13'100'000LL << 0LL << 0LL << 1LL << 0LL;
        QTest::newRow("six decimals")
            << u"外径 9.500001"_s << 1 << 9'500'001LL << 0LL << 0LL << 1LL << 0LL;
        QTest::newRow("1000 mm, the most")
            << u"外径 1000"_s << 1 << 1'000'000'000LL << 0LL << 0LL << 1LL << 0LL;
        QTest::newRow("20 mm, the most") << u"ピッチ 20"_s << 0 << 0LL << 0LL << 20LL << 1LL << 0LL;
        QTest::newRow("200 per inch, the most")
            << u"200山"_s << 0 << 0LL << 0LL << 127LL << 1000LL << 200LL;
    }
    void readings() {
        QFETCH(QString, typed);
        QFETCH(int, diameter);
        QFETCH(qint64, millimetres);
        QFETCH(qint64, inches);
        QFETCH(qint64, pitchNum);
        QFETCH(qint64, pitchDen);
        QFETCH(qint64, count);
        const std::optional<threads::MeasurementReading> r = readMeasurement(typed);
        QVERIFY(r);
        QVERIFY(!r->problem);
        const threads::Measurement& m = r->measurement;
        QCOMPARE(static_cast<int>(m.diameter), diameter);
        QCOMPARE(m.millimetres, millimetres);
        QCOMPARE(m.inches.value_or(0), inches);
        QCOMPARE(m.pitch, (Rational{pitchNum, pitchDen}));
        QCOMPARE(m.threadsPerInch.num / m.threadsPerInch.den, count);
    }

    // Bad readings get words that say why, every door the same; other
    // queries are not the reader's.
    void badReadings_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("why"); // empty: not a measurement at all
        QTest::newRow("negative") << u"外径 -9.5"_s << u"外径は正の値"_s;
        QTest::newRow("zero diameter") << u"外径 0"_s << u"外径が 0"_s;
        QTest::newRow("zero pitch") << u"外径 9.5 ピッチ 0.0"_s << u"ピッチが 0"_s;
        QTest::newRow("10,000 per inch") << u"10000山"_s << u"山数が多すぎます"_s;
        QTest::newRow("seven digits per inch") << u"1234567山"_s << u"山数が多すぎます"_s;
        QTest::newRow("seven decimals") << u"外径 9.5000001"_s << u"外径の桁が多すぎます"_s;
        QTest::newRow("10^9 mm") << u"外径 1000000000"_s << u"外径が大きすぎます"_s;
        QTest::newRow("1001 mm") << u"OD 1001"_s << u"外径が大きすぎます"_s;
        QTest::newRow("two diameters") << u"外径 9.5 内径 6.7"_s << u"径が二つ"_s;
        QTest::newRow("two pitches") << u"ピッチ 1.5 16山"_s << u"ピッチが二つ"_s;
        QTest::newRow("a pitch after a count") << u"16山 ピッチ 1.5"_s << u"ピッチが二つ"_s;
        QTest::newRow("20.001 mm pitch") << u"ピッチ 20.001"_s << u"ピッチが大きすぎます"_s;
        QTest::newRow("two points") << u"外径 9.5.5"_s << u"「.5」が何の値か"_s;
        QTest::newRow("a number of nothing") << u"外径 9.5 1.5"_s << u"「1.5」が何の値か"_s;
        QTest::newRow("a word without its value") << u"外径"_s << u"外径の値がありません"_s;
        QTest::newRow("a thread with it") << u"M8 外径 8"_s << u"「m」が分かりません"_s;
        QTest::newRow("10,000 digits") << u"外径 "_s + QString(10000, u'9') << u"大きすぎます"_s;
        QTest::newRow("many words") << u"外径 9.5 "_s.repeated(2000) << u"径が二つ"_s;
        QTest::newRow("M8 P1.25") << u"M8 P1.25"_s << QString();
        QTest::newRow("a drill") << u"9.5mm"_s << QString();
        QTest::newRow("PT1/4") << u"PT1/4"_s << QString();
    }
    void badReadings() {
        QFETCH(QString, typed);
        QFETCH(QString, why);
        const std::optional<threads::MeasurementReading> r = readMeasurement(typed);
        QCOMPARE(r.has_value(), !why.isEmpty());
        if (!r)
            return;
        const QString problem = search::measurementProblemText(r->problem);
        QVERIFY2(problem.startsWith(u"測定値が読めません："_s) && problem.contains(why),
                 qPrintable(problem));
        // Through the index: one result, its words, no thread claimed.
        const std::vector<search::SearchResult> results = index().find(view(typed));
        QCOMPARE(described(results, 9), QStringList{u"none: "_s + problem});
        QCOMPARE(search::resultDescription(results.front()), problem);
    }

    // ISO 228-1, ISO 7-1 (JIS B 0203) and ASME B1.20.1 worked by hand from
    // their tables, to 0.001 mm.
    void pipeDiameters_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<qint64>("num");
        QTest::addColumn<qint64>("den");
        QTest::addColumn<qint64>("minimum"); // micrometres; -1: none
        QTest::addColumn<qint64>("maximum");
        // G 1/4: d = 13.157, Td = 0.250; G 1: 33.249, 0.360.
        QTest::newRow("G 1/4") << u"G"_s << 1LL << 4LL << 12'907LL << 13'157LL;
        QTest::newRow("G 1") << u"G"_s << 1LL << 1LL << 32'889LL << 33'249LL;
        // G 2: 59.614, the last size of Td = 0.360 (0.434 from 2 1/4).
        QTest::newRow("G 2") << u"G"_s << 2LL << 1LL << 59'254LL << 59'614LL;
        // R 1/4: 13.157 − (6.01 + 1.34) / 16 = 12.698 to 13.157 + 3.7 / 16 = 13.388.
        QTest::newRow("R 1/4") << u"R"_s << 1LL << 4LL << 12'698LL << 13'388LL;
        // R 2: 59.614 − (15.88 + 2.31) / 16 = 58.477 to 59.614 + 7.5 / 16 = 60.083.
        QTest::newRow("R 2") << u"R"_s << 2LL << 1LL << 58'477LL << 60'083LL;
        QTest::newRow("no R 5/8") << u"R"_s << 5LL << 8LL << -1LL << -1LL;
        // Rc 1/4: 11.445 − 9.4 / 16 = 10.858 to 11.445 + 1.67 / 16 = 11.549.
        QTest::newRow("Rc 1/4") << u"Rc"_s << 1LL << 4LL << 10'858LL << 11'549LL;
        // Rp 1/4: 11.445 ± 0.104 (the taper chart's Rp 計算値 is 11.341).
        QTest::newRow("Rp 1/4") << u"Rp"_s << 1LL << 4LL << 11'341LL << 11'549LL;
        QTest::newRow("Rp 3/8") << u"Rp"_s << 3LL << 8LL << 14'846LL << 15'054LL;
        // NPT 1/4: E0 = 0.49163 − 0.228 / 16 = 0.47738, + 0.8 / 18 − 1 / (18 × 16)
        // = 0.51835 in = 13.166 mm, to D = 0.540 in = 13.716 mm.
        QTest::newRow("NPT 1/4") << u"NPT"_s << 1LL << 4LL << 13'166LL << 13'716LL;
        // NPT 1: E0 = 1.23863 − 0.4 / 16 = 1.21363, + 0.8 / 11.5 − 1 / 184
        // = 1.27776 in = 32.455 mm, to 1.315 in = 33.401 mm.
        QTest::newRow("NPT 1") << u"NPT"_s << 1LL << 1LL << 32'455LL << 33'401LL;
        // NPT 1/4 internal: 0.47738 − 0.04444 − 0.00347 = 0.42947 in = 10.908 mm,
        // to E1 − h + P/16 = 0.49163 − 0.04444 + 0.00347 = 0.45066 in = 11.447 mm.
        QTest::newRow("NPT 1/4 hole") << u"NPT hole"_s << 1LL << 4LL << 10'908LL << 11'447LL;
        // NPSC 1/4: 0.49163 − 0.04444 ∓ 1.5 × 0.00347 = 0.44198 to 0.45240 in.
        QTest::newRow("NPS 1/4") << u"NPS"_s << 1LL << 4LL << 11'226LL << 11'491LL;
        QTest::newRow("no NPT 3") << u"NPT"_s << 3LL << 1LL << -1LL << -1LL;
    }
    void pipeDiameters() {
        QFETCH(QString, which);
        QFETCH(qint64, num);
        QFETCH(qint64, den);
        QFETCH(qint64, minimum);
        QFETCH(qint64, maximum);
        const Rational size{num, den};
        const std::optional<DiameterRange> range =
            which == u"G"_s     ? threads::parallelPipeMajor(size)
            : which == u"R"_s   ? threads::taperPipeMajor(size)
            : which == u"Rc"_s  ? threads::taperPipeMinor(size)
            : which == u"Rp"_s  ? threads::parallelForTaperMinor(size)
            : which == u"NPT"_s ? threads::nptMajor(size)
            : which == u"NPS"_s ? threads::npsMinor(size)
                                : threads::nptMinor(size);
        QCOMPARE(range.has_value(), minimum >= 0);
        if (range)
            QCOMPARE((std::pair<qint64, qint64>{range->minimum / 1000, range->maximum / 1000}),
                     (std::pair<qint64, qint64>{minimum, maximum}));
    }

    // The candidates, first ones first, with the threads each is confused
    // with: the well-known traps, worked by hand against the limits.
    void candidates_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("first");
        // M10 × 1.5 6g is 9.732–9.968: 9.5 is 0.232 under it (4.6 caliper
        // steps), with the gauge's pitch exactly. Whitworth's 3/8-16
        // (9.208–9.525) holds 9.5 and 3/8-16UNC 2A (9.253–9.492) is 0.008
        // over (0.16 steps); 16 per inch is 1.5875 mm, 5.5 % off the 1.5 leaf,
        // 5 % beyond the gauge's 0.5 %: 2.5 steps. The 3/8-16 threads the
        // caliper read come first, M10 after them, each naming the others.
        QTest::newRow("M10x1.5 or 3/8-16")
            << u"外径 9.5 ピッチ 1.5"_s
            << QStringList{u"W 3/8-16 near [3/8-16UNC angle, M10 × 1.5 pitch angle]"_s,
                           u"3/8-16UNC near [W 3/8-16 angle, M10 × 1.5 pitch]"_s,
                           u"M10 × 1.5 near [W 3/8-16 pitch angle, 3/8-16UNC pitch]"_s};
        // M8 × 1.25 6g 7.760–7.972 fits; 5/16-20UN 2A (7.701–7.907) fits the
        // diameter, its pitch 1.27 (1.6 % off) does not.
        QTest::newRow("M8x1.25 or 5/16-20") << u"外径 7.9 ピッチ 1.25"_s
                                            << QStringList{u"M8 × 1.25 fits [5/16-20UN pitch]"_s,
                                                           u"5/16-20UN near [M8 × 1.25 pitch]"_s};
        // W 1/4-20: 6.35 less 0.2 × 1.27 = 6.096 to 6.35; 1/4-20UNC 2A
        // 6.116–6.322: both fit, one pitch, told apart by the flank angle.
        QTest::newRow("W1/4 or 1/4-20UNC") << u"外径 6.3 20山"_s
                                           << QStringList{u"W 1/4-20 fits [1/4-20UNC angle]"_s,
                                                          u"1/4-20UNC fits [W 1/4-20 angle]"_s};
        // R 1/4 12.698–13.388 and G 1/4 12.907–13.157 fit; NPT 1/4
        // 13.166–13.716 is 0.066 over 13.1 at 18 per inch, named.
        QTest::newRow("G/R 1/4 or 1/4 NPT")
            << u"外径 13.1 19山"_s
            << QStringList{
                   u"R 1/4-19 fits [G 1/4-19 taper, NPT 1/4-18 pitch angle, W 13-20 pitch taper]"_s,
                   u"G 1/4-19 fits [R 1/4-19 taper, NPT 1/4-18 pitch angle taper, W 13-20 pitch]"_s,
                   u"NPT 1/4-18 near [R 1/4-19 pitch angle, G 1/4-19 pitch angle taper]"_s};
        // M8 × 1.25 6H 6.647–6.912 (the metric chart's row).
        QTest::newRow("M8x1.25 hole") << u"内径 6.7 ピッチ 1.25"_s
                                      << QStringList{u"M8 × 1.25 (6H) fits [5/16-20UN pitch]"_s,
                                                     u"5/16-20UN (2B) near [M8 × 1.25 pitch]"_s};
        // The largest standard thread: M300 × 4 6H, 300 − 1.082532 × 4 =
        // 295.670 to + 0.600 = 296.270.
        QTest::newRow("M300x4 hole")
            << u"内径 296 ピッチ 4"_s << QStringList{u"M300 × 4 (6H) fits"_s};
        // 7.74 is 0.020 under M8 × 1.25 (0.4 steps) and within 5/16-20UN.
        // At 1.25, 1.27 is 1.6 % off, 1.1 % beyond the gauge (0.54 steps):
        // M8 first, though 7.74 is nearer 5/16-20UN's middle. At 1.256
        // (1.25 seats), 1.27 is 1.1 % off, 0.6 % beyond (0.30 steps).
        QTest::newRow("M8 under, 5/16-20 off pitch")
            << u"外径 7.74 ピッチ 1.25"_s
            << QStringList{u"M8 × 1.25 near [5/16-20UN pitch]"_s,
                           u"5/16-20UN near [M8 × 1.25 pitch]"_s};
        QTest::newRow("5/16-20 nearer by pitch")
            << u"外径 7.74 ピッチ 1.256"_s
            << QStringList{u"5/16-20UN near [M8 × 1.25 pitch]"_s,
                           u"M8 × 1.25 near [5/16-20UN pitch]"_s};
        // The largest unified size, 6-4UN 2B: 6 − 1.082532 × 0.25 = 5.7294 in,
        // to + 0.25 P − 0.4 P² = 5.7669 in, printed to three decimals from
        // 1/4 in: 5.729 in = 145.517 mm to 5.767 in = 146.482 mm. 145.52 is
        // within them, though not within the unrounded ones.
        QTest::newRow("6-4UN hole") << u"内径 145.52 4山"_s << QStringList{u"6-4UN (2B) fits"_s};
        // The metric chart's M13 × 1.5, 11.25～11.65, is no 6H (11.376 up).
        QTest::newRow("a row of no class")
            << u"内径 11.3 ピッチ 1.5"_s
            << QStringList{u"M13 × 1.5 (図表) fits [W 13-16 pitch angle, 1/2-16UN pitch, "
                           u"NPS 1/4-18 pitch]"_s};
        QTest::newRow("fits nothing")
            << u"外径 500 ピッチ 1"_s << QStringList{u"none: この測定値に合うねじはありません"_s};
        // A pitch alone names only the threads the gauge seats in: 1.26 is
        // 0.8 % off 1.25 and 0.79 % off 20 per inch (1.27), past its 0.5 %.
        QTest::newRow("a pitch no thread has")
            << u"ピッチ 1.26"_s << QStringList{u"none: この測定値に合うねじはありません"_s};
    }
    void candidates() {
        QFETCH(QString, query);
        QFETCH(QStringList, first);
        QCOMPARE(described(identified(query), first.size()), first);
    }

    // The limits' ends are within them; a thousandth past either is not.
    // Half a millimetre off is still near.
    void ends_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("thread");
        QTest::addColumn<bool>("fits");
        const QString g = u"G 1/4-19"_s;
        QTest::newRow("G 1/4's maximum") << u"外径 13.157 19山"_s << g << true;
        QTest::newRow("over it") << u"外径 13.158 19山"_s << g << false;
        QTest::newRow("G 1/4's minimum") << u"外径 12.907 19山"_s << g << true;
        QTest::newRow("under it") << u"外径 12.906 19山"_s << g << false;
        QTest::newRow("0.5 mm over: near") << u"外径 13.657 19山"_s << g << false;
        // 19 per inch is 1.33684 mm: ±0.5 % is 1.33016 to 1.34353.
        QTest::newRow("a pitch 0.5 % under") << u"外径 13 ピッチ 1.331"_s << g << true;
        QTest::newRow("0.6 % under") << u"外径 13 ピッチ 1.329"_s << g << false;
        // W 1/4-20: 6.35 − 0.2 × 1.27 = 6.096; W 5/16-18: 7.9375, to 7.938.
        QTest::newRow("W 1/4's minimum") << u"外径 6.096 20山"_s << u"W 1/4-20"_s << true;
        QTest::newRow("under W 1/4's") << u"外径 6.095 20山"_s << u"W 1/4-20"_s << false;
        QTest::newRow("W 5/16's maximum") << u"外径 7.938 18山"_s << u"W 5/16-18"_s << true;
    }
    void ends() {
        QFETCH(QString, query);
        QFETCH(QString, thread);
        QFETCH(bool, fits);
        const std::vector<search::SearchResult> results = identified(query);
        const auto g = std::find_if(results.begin(), results.end(), [&](const auto& r) {
            return r.measured->thread && qs(r.measured->thread->name) == thread;
        });
        QVERIFY(g != results.end());
        QCOMPARE(g->measured->fits, fits);
    }

    // The index's bolts are the thread model's 6g and 2A: those of the
    // tables above, and the same first candidates at every door.
    void atTheIndex_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("count");
        QTest::newRow("M10x1.5 or 3/8-16") << u"外径 9.5 ピッチ 1.5"_s << 1;
        QTest::newRow("M8x1.25 or 5/16-20") << u"外径 7.9 ピッチ 1.25"_s << 1;
        QTest::newRow("W1/4 or 1/4-20UNC") << u"外径 6.3 20山"_s << 2;
        QTest::newRow("G/R 1/4") << u"外径 13.1 19山"_s << 3;
        QTest::newRow("full width") << u"内径６．７　ピッチ１．２５"_s << 2;
    }
    void atTheIndex() {
        QFETCH(QString, query);
        QFETCH(int, count);
        QCOMPARE(described(index().find(view(query)), count), described(identified(query), count));
    }
    void boltLimits() {
        const auto thread = [](threads::Family family, Rational size, Rational count) {
            threads::ThreadForm form{family, threads::Profile::Iso};
            if (family == threads::Family::Unified) {
                form.sizeUnit = threads::SizeUnit::Inch;
                form.pitchUnit = threads::PitchUnit::ThreadsPerInch;
            }
            return threads::makeThread(form, false, size, count);
        };
        for (const auto& [family, size, count] :
             {std::tuple{threads::Family::IsoMetric, Rational{10, 1}, Rational{3, 2}},
              std::tuple{threads::Family::IsoMetric, Rational{8, 1}, Rational{5, 4}},
              std::tuple{threads::Family::Unified, Rational{1, 4}, Rational{20, 1}},
              std::tuple{threads::Family::Unified, Rational{3, 8}, Rational{16, 1}},
              std::tuple{threads::Family::Unified, Rational{5, 16}, Rational{20, 1}}}) {
            const threads::Thread t = thread(family, size, count);
            QCOMPARE(search::boltMajorLimits(t), tableBoltMajor(t));
        }
        // No. 12-24 2A worked by hand: 0.2160 − 0.0010 = 0.2150 in, less
        // 0.060 P^(2/3) = 0.0072: 5.278~5.461 mm.
        const threads::ThreadForm unified{threads::Family::Unified, threads::Profile::Iso,
                                          threads::SizeUnit::Inch,
                                          threads::PitchUnit::ThreadsPerInch};
        QCOMPARE(search::boltMajorLimits(threads::makeThread(unified, true, {12, 1}, {24, 1})),
                 std::optional(DiameterRange{5'278'000, 5'461'000}));
    }

    // A pitch alone lists the threads that have it within the gauge's
    // tolerance, and no others; a diameter alone those near it.
    void alone() {
        // ISO 261 gives 1.5 mm to the sizes from 10 to 80 mm; 16 per inch
        // (1.5875 mm) is 5.5 % off it.
        const std::vector<search::SearchResult> pitch = identified(u"ピッチ 1.5"_s);
        QVERIFY(pitch.size() > 30);
        for (const search::SearchResult& r : pitch)
            QCOMPARE(r.measured->thread->pitch, (Rational{3, 2}));
        // Several fit 7.9; nearer the middle of its limits first: M8 ×
        // 1.25's is 7.866 (0.3 of its half-width off), 5/16-20UN's 7.804 (0.9).
        const QStringList diameter = described(identified(u"外径 7.9"_s), 40);
        QCOMPARE(diameter.front(), u"M8 × 1.25 fits [5/16-20UN pitch]"_s);
        QVERIFY(diameter.contains(u"5/16-20UN fits [M8 × 1.25 pitch]"_s));
    }

    // Over many readings, no candidate is said to fit that the reading does
    // not: within its limits, ends included, and its pitch within ±0.5 %.
    void neverClaimsAMisfit() {
        for (Millionths d = 1'000'000; d < 170'000'000; d += 371'000) {
            for (const QString& pitch : {u"ピッチ 1.25"_s, u"20山"_s, u"19山"_s, u"ピッチ 1.5"_s}) {
                for (const QString& side : {u"外径"_s, u"内径"_s}) {
                    const QString q = side + u' ' + qs(threads::millimetreText(d)) + u' ' + pitch;
                    for (const search::SearchResult& r : identified(q)) {
                        const search::MeasuredFit& fit = *r.measured;
                        if (!fit.fits)
                            continue;
                        const auto& limits =
                            side == u"外径"_s ? fit.thread->major : fit.thread->minor;
                        const double p = double(fit.thread->pitch.num) / fit.thread->pitch.den;
                        const double read =
                            double(fit.measurement.pitch.num) / fit.measurement.pitch.den;
                        QVERIFY2(limits && limits->minimum <= d && d <= limits->maximum &&
                                     std::abs(p - read) <= 0.005 * p,
                                 qPrintable(q + u": "_s + describe(r)));
                    }
                }
            }
        }
    }

    // Every door says the fit and the traps: the cells (the table, --find,
    // copying), the desktop's description and the detail.
    void doors() {
        const std::vector<search::SearchResult> results = identified(u"外径 13.1 19山"_s);
        const search::SearchResult& g = results[1];
        QCOMPARE(search::cellText(g, search::Limits), u"おねじ外径 12.907～13.157（ISO 228-1）"_s);
        const QString fit = search::cellText(g, search::Match);
        QVERIFY2(fit.startsWith(u"合う：外径が範囲内、ピッチ 1.3368 mm = 19山（一致）"_s),
                 qPrintable(fit));
        QVERIFY2(fit.contains(
                     u"NPT 1/4-18 と紛らわしい：10 山で 13.368 mm と 14.111 mm、山の角度 55° と "
                     u"60°：ピッチゲージの山形で見分ける、平行とテーパ：外径を両端で測る"_s),
                 qPrintable(fit));
        QVERIFY(search::resultDescription(g).contains(fit));
        const QString detail = search::resultDetail(g);
        QVERIFY2(detail.startsWith(u"測定値　外径 13.1 mm、ピッチ 1.3368 mm = 19山\n候補　G "
                                   u"1/4-19（管用平行ねじ G（PF））\n"
                                   u"おねじ外径 12.907～13.157（ISO 228-1）　外径が範囲内\n"_s),
                 qPrintable(detail));
        QVERIFY(detail.contains(
            u"紛らわしいねじ　R 1/4-19 と紛らわしい：平行とテーパ：外径を両端で測る"_s));
        // M10 × 1.5 against 9.5: how far, in both units of pitch.
        const search::SearchResult m10 = identified(u"外径 9.5 ピッチ 1.5"_s)[2];
        QCOMPARE(search::cellText(m10, search::Match).section(u'／', 0, 0),
                 u"合わない：外径が最小より 0.232 小さい、ピッチ 1.5 mm = 16.93山（一致）"_s);
        QVERIFY(search::cellText(m10, search::Match)
                    .contains(u"3/8-16UNC と紛らわしい：10 山で 15 mm と 15.875 mm"_s));
        const search::SearchResult unc = identified(u"外径 9.5 ピッチ 1.5"_s)[1];
        QVERIFY(
            search::cellText(unc, search::Match)
                .startsWith(
                    u"合わない：外径が最大より 0.008 大きい、ピッチ 1.5875 mm = 16山（測った値と 5.5 % 違う）"_s));
        // A hole: its family and its chart's class. A diameter alone: its
        // pitch is named, not matched.
        QVERIFY(search::resultDetail(identified(u"内径 6.7 ピッチ 1.25"_s).front())
                    .contains(u"候補　M8 × 1.25（メートル並目ねじ）\n"
                              u"めねじ内径 6.647～6.912（6H）　内径が範囲内"_s));
        QCOMPARE(
            search::cellText(identified(u"外径 7.9"_s).front(), search::Match).section(u'／', 0, 0),
            u"合う：外径が範囲内、ピッチ 1.25 mm = 20.32山"_s);
        // A reading that claims nothing is named as one.
        const search::SearchResult none = identified(u"外径 500 ピッチ 1"_s).front();
        QCOMPARE(search::resultName(none), u"外径 500 mm、ピッチ 1 mm = 25.4山（測定値）"_s);
    }
};

QTEST_GUILESS_MAIN(TestIdentify)
#include "test_identify.moc"
