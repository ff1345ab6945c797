// Stress areas as ISO 898-1 and ASME B1.1 print them; M and blind holes by hand.
#include "threads/blind_hole.h"
#include "threads/stress_area.h"
#include "threads/three_wire.h"

#include <QTest>

using namespace vornel::threads;
using namespace Qt::StringLiterals;

namespace {

Millionths mm(const QString& text) {
    return qRound64(text.toDouble() * kMillion);
}

Rational number(const QString& t) {
    return t.contains(u'/')
               ? reduced(t.section(u'/', 0, 0).toLongLong(), t.section(u'/', 1).toLongLong())
               : reduced(mm(t), kMillion);
}

QString decimals(std::int64_t millionths, int places) {
    return QString::number(millionths / 1e6, 'f', places);
}

// Rows "input = expected", named by their input.
void addRows(const QString& rows) {
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QString>("expected");
    for (const QString& row : rows.split(u", "_s)) {
        const QStringList f = row.split(u" = "_s);
        QTest::newRow(qPrintable(f[0])) << f[0].split(u' ') << f[1];
    }
}

QString overText(const OverWires& o) {
    return decimals(o.m.minimum, 3) + u'~' + decimals(o.m.maximum, 3) +
           (o.formula == OverWiresFormula::LeadAngle ? u" lead"_s : u" plain"_s);
}

} // namespace

class TestBenchFigures : public QObject {
    Q_OBJECT

private slots:
    // "M d P", "U size n", "N number n" → as printed (mm², in² [mm²]) or "-".
    void stressArea_data() {
        addRows( // ISO 898-1, coarse and fine pitch.
            u"M 3 0.5 = 5.03, M 3.5 0.6 = 6.78, M 4 0.7 = 8.78, M 5 0.8 = 14.2, M 6 1 = 20.1, "
            u"M 7 1 = 28.9, M 8 1.25 = 36.6, M 10 1.5 = 58.0, M 12 1.75 = 84.3, M 14 2 = 115, "
            u"M 16 2 = 157, M 18 2.5 = 192, M 20 2.5 = 245, M 22 2.5 = 303, M 24 3 = 353, "
            u"M 27 3 = 459, M 30 3.5 = 561, M 33 3.5 = 694, M 36 4 = 817, M 39 4 = 976, "
            u"M 8 1 = 39.2, M 10 1.25 = 61.2, M 10 1 = 64.5, M 12 1.5 = 88.1, M 12 1.25 = 92.1, "
            u"M 14 1.5 = 125, M 16 1.5 = 167, M 18 1.5 = 216, M 20 1.5 = 272, M 22 1.5 = 333, "
            // ASME B1.1, UNC and UNF; 1-8 in mm²: (0.9188 − 0.040595)² π/4 =
            // 0.605734 in² × 645.16.
            u"N 4 40 = 0.00604, N 8 32 = 0.0140, N 10 24 = 0.0175, U 1/4 20 = 0.0318, "
            u"U 5/16 18 = 0.0524, U 3/8 16 = 0.0775, U 7/16 14 = 0.1063, U 1/2 13 = 0.1419, "
            u"U 9/16 12 = 0.182, U 5/8 11 = 0.226, U 3/4 10 = 0.334, U 7/8 9 = 0.462, "
            u"U 1 8 = 0.606 390.8, N 0 80 = 0.0018, N 2 64 = 0.00394, N 4 48 = 0.00661, "
            u"N 6 40 = 0.01015, N 8 36 = 0.01474, N 10 32 = 0.0200, N 12 28 = 0.0258, "
            u"U 1/4 28 = 0.0364, U 3/8 24 = 0.0878, U 7/16 20 = 0.1187, U 1/2 20 = 0.1599, "
            u"U 9/16 18 = 0.203, U 5/8 18 = 0.256, U 3/4 16 = 0.373, U 7/8 14 = 0.509, "
            u"U 1 12 = 0.663, U 5/4 12 = 1.073, U 3/2 12 = 1.581, W 1/2 12 = -"_s); // W: none
    }
    void stressArea() {
        QFETCH(QStringList, input);
        QFETCH(QString, expected);
        const bool unified = input[0] == u"U" || input[0] == u"N";
        const ThreadForm form{Family(u"MUW"_s.indexOf(unified ? u'U' : input[0][0])), Profile::Iso,
                              SizeUnit(unified), PitchUnit(unified)};
        const std::optional<StressArea> a = vornel::threads::stressArea(
            makeThread(form, input[0] == u"N", number(input[1]), number(input[2])));
        const QString as = expected.section(u' ', 0, 0);
        const int places = as.contains(u'.') ? int(as.size() - as.indexOf(u'.') - 1) : 0;
        QCOMPARE(!a ? u"-"_s
                    : decimals(unified ? *a->squareInches : a->squareMillimetres, places) +
                          (expected.contains(u' ') ? u' ' + decimals(a->squareMillimetres, 1)
                                                   : QString()),
                 expected);
    }
    // "family ext|nut P d2 [wire]" (mm) → wires smallest best largest | M over
    // the best; with a wire, M over it; or the problem.
    void threeWires_data() {
        // 60°: best P/√3, smallest 2 (7H/8) / 3 = 0.505181 P (top level with the
        // crest flat), largest 2 (7H/8) sin30° / cos²30° = 1.010363 P (touching at
        // its corner); M = d2 + 3w − 0.866025 P, + lead 0.75 w (P / π d2)². M8x1.25
        // -6g: 7.042 + 1.082532 + 0.75 × 0.721688 × 0.056503² = 8.126260, 7.160 +
        // 1.082532 + 0.001671 = 8.244203; wire 0.75: 7.042 + 2.25 − 1.082532 +
        // 0.001796. M10x1.5-6g: 8.862~8.994 + 1.299038 + 0.001885, 0.001830.
        // 1/4-20UNC-2A: 0.2127~0.2164 in + 1.099852 + 0.003079, 0.002975. 1/2-13
        // UNC-2A: 0.4435~0.4485 in + 1.692081 + 0.002579, 0.002522. 55°, G 1/4 A:
        // best P / (2 cos27.5°) = 0.753566, M = d2 + 3.165681 w − 0.960491 P = d2
        // + 1.101524, lead 0.000784 changing neither end; smallest 2 (5H/6) /
        // 3.165681 = 0.505679 P; largest touches where the crest's radius 0.137329 P
        // meets the flank 0.233999 P under the top: 2 × 0.726492 P sin27.5° / cos².
        addRows(u"M ext 5/4 7.042~7.160 = 0.6315 0.7217 1.2630 | 8.126~8.244 lead, "
                u"M ext 3/2 8.862~8.994 = 0.7578 0.8660 1.5155 | 10.163~10.295 lead, "
                u"U ext 127/100 5.40258~5.49656 = 0.6416 0.7332 1.2832 | 6.506~6.599 lead, "
                u"U ext 127/65 11.2649~11.3919 = 0.9870 1.1281 1.9741 | 12.960~13.087 lead, "
                u"G ext 127/95 12.176~12.301 = 0.6760 0.7536 1.1400 | 13.278~13.403 plain, "
                u"M ext 5/4 7.042~7.160 0.75 = 8.211~8.329 lead, "
                u"M ext 5/4 7.042~7.160 0 = too small, M ext 5/4 7.042~7.160 0.63 = too small, "
                u"M ext 5/4 7.042~7.160 1.27 = too large, M ext 5/4 7.042~7.160 100 = too large, "
                u"M nut 5/4 7.188~7.348 = internal, Rc ext 127/95 12.176~12.301 = no flanks, "
                u"M ext 0 7.042~7.160 = no pitch, M ext 5/4 7.160~7.042 = no limits"_s);
    }
    void threeWires() {
        QFETCH(QStringList, input);
        QFETCH(QString, expected);
        const bool given = input.size() > 4;
        const ThreeWireAnswer answer = vornel::threads::threeWires(
            Family(u"M U W G Rc"_s.split(u' ').indexOf(input[0])), input[1] == u"ext",
            number(input[2]), {mm(input[3].section(u'~', 0, 0)), mm(input[3].section(u'~', 1))},
            given ? std::optional(mm(input[4])) : std::nullopt);
        QString text = u",internal,no flanks,no pitch,no limits"_s.split(u',')[int(answer.problem)];
        if (const auto& c = answer.check; c && given)
            text = c->overGiven                       ? overText(*c->overGiven)
                   : c->givenFit == WireFit::TooSmall ? u"too small"_s
                                                      : u"too large"_s;
        else if (c)
            text = decimals(c->wires.smallest, 4) + u' ' + decimals(c->wires.best, 4) + u' ' +
                   decimals(c->wires.largest, 4) + u" | "_s + overText(c->overBest);
        QCOMPARE(text, expected);
    }
    // "depth P drill chamfer (先 中 上げ, spiral point, spiral flute, A–F)
    // point°" → "depth + incomplete threads + point = drill depth" or the problem.
    void blindHole_data() {
        // M8 深さ 16, drill 6.8, 118°: point 3.4 / tan59° = 3.4 / 1.664279 = 2.043;
        // chamfers' longer ends × 1.25. 1/4-20 深さ 0.5in, drill 0.201 in, 中: 5 ×
        // 1.27 = 6.35; 2.5527 / tan59° = 1.534.
        const QStringList m8 = u"12.500 30.543 6.250 24.293 2.500 20.543 6.875 24.918 3.750 "
                               u"21.793 10.000 28.043 6.875 24.918 3.750 21.793 6.250 24.293 "
                               u"2.500 20.543 1.875 19.918"_s.split(u' ');
        QString rows;
        for (qsizetype i = 0; i < m8.size(); i += 2)
            rows += u"16 5/4 6.8 %1 118 = 16.000+%2+2.043=%3, "_s.arg(i / 2).arg(m8[i], m8[i + 1]);
        addRows(rows + u"16 5/4 6.8 2 90 = 16.000+2.500+3.400=21.900, "
                       u"16 5/4 6.8 2 180 = 16.000+2.500+0.000=18.500, "
                       u"12.7 127/100 5.1054 1 118 = 12.700+6.350+1.534=20.584, "
                       u"-5 5/4 6.8 0 118 = no depth, 1000000 5/4 6.8 0 118 = too deep, "
                       u"16 0 6.8 0 118 = no pitch, 16 5/4 0 0 118 = no drill, "
                       u"16 5/4 6.8 0 30 = point angle"_s);
    }
    void blindHole() {
        QFETCH(QStringList, input);
        QFETCH(QString, expected);
        const BlindHoleAnswer answer =
            vornel::threads::blindHole(mm(input[0]), number(input[1]), mm(input[2]),
                                       Chamfer(input[3].toInt()), input[4].toInt());
        const auto& h = answer.hole;
        QCOMPARE(h ? decimals(h->threadDepth, 3) + u'+' + decimals(h->incompleteThreads, 3) + u'+' +
                         decimals(h->point, 3) + u'=' + decimals(h->drillDepth(), 3)
                   : u",no depth,too deep,no pitch,no drill,point angle"_s.split(
                         u',')[int(answer.problem)],
                 expected);
    }
};

QTEST_APPLESS_MAIN(TestBenchFigures)
#include "test_bench_figures.moc"
