// The reader of designations and queries alone: what each spelling reads as
// (family, sizes, counts, series, tolerance classes with their case, hand,
// drill), worked out by hand, with no chart or standard behind it.
#include "threads/normalized_text.h"
#include "threads/query.h"

#include <QStringList>
#include <QTest>

using namespace vornel::threads;
using namespace Qt::StringLiterals;

namespace {

std::u16string_view view(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())};
}

QString number(Rational r) {
    return QString::number(double(r.num) / double(r.den), 'g', 12);
}

QString numbers(const std::vector<Rational>& values) {
    QStringList texts;
    for (const Rational& value : values)
        texts.append(number(value));
    return texts.join(u',');
}

// "6H", "5H6H": the positions as the model keeps them, upper case; whose a
// class is shows in the slot it is in ("int", "ext").
QString classText(const ThreadClass& c) {
    const auto one = [](const ToleranceClass& t) {
        return QString::number(t.grade) + QChar(t.position);
    };
    return c.pitchDiameter == c.crest ? one(c.crest) : one(c.pitchDiameter) + one(c.crest);
}

// "M 8 x 1.25 int 7H LH": families (or "any"), sizes and their unit where
// written, counts ("P" where marked), series, classes in the order written,
// hand, and "unread" for classes the reader could not read.
QString describe(const Designation& d) {
    static const std::pair<Family, QString> kNames[] = {
        {Family::IsoMetric, u"M"_s}, {Family::Unified, u"UN"_s}, {Family::Whitworth, u"W"_s},
        {Family::PipeG, u"G"_s},     {Family::PipeRc, u"Rc"_s},  {Family::PipeRp, u"Rp"_s},
        {Family::Npt, u"NPT"_s},     {Family::Nps, u"NPS"_s}};
    QStringList families;
    for (const auto& [family, name] : kNames)
        if (d.families != kAnyFamily && (d.families & bit(family)))
            families.append(name);
    QStringList parts{families.isEmpty() ? u"any"_s : families.join(u'+')};
    parts.append((d.numbered ? u"No."_s : QString()) + numbers(d.sizes) +
                 (d.unit == WrittenUnit::Inch         ? u"in"_s
                  : d.unit == WrittenUnit::Millimetre ? u"mm"_s
                                                      : QString()));
    if (!d.counts.empty())
        parts.append(u"x "_s + (d.pitchMarked ? u"P"_s : QString()) + numbers(d.counts));
    if (!d.series.empty())
        parts.append(QString::fromStdU16String(d.series));
    QStringList classes;
    if (d.classes.internal)
        classes.append(u"int "_s + classText(*d.classes.internal));
    if (d.classes.external)
        classes.insert(d.classes.externalFirst ? 0 : classes.size(),
                       u"ext "_s + classText(*d.classes.external));
    parts += classes;
    if (d.leftHand)
        parts.append(u"LH"_s);
    if (d.unreadClass)
        parts.append(u"unread"_s);
    return parts.join(u' ');
}

// The threads a hand-made standard knows with their counts: M8 × 1.25 and
// × 1, 1/4-20 and 1/4-28, and the 4-inch 4-4.
bool known(const Designation& d) {
    static const std::pair<Rational, Rational> kKnown[] = {
        {{8, 1}, {5, 4}}, {{8, 1}, {1, 1}}, {{1, 4}, {20, 1}}, {{1, 4}, {28, 1}}, {{4, 1}, {4, 1}}};
    for (const auto& [size, count] : kKnown)
        if (std::find(d.sizes.begin(), d.sizes.end(), size) != d.sizes.end() &&
            std::find(d.counts.begin(), d.counts.end(), count) != d.counts.end())
            return true;
    return false;
}

} // namespace

class TestThreadReader : public QObject {
    Q_OBJECT
private slots:
    // What the reader reads: NFKC, one sign for each of ×, the hyphens and
    // the diameter marks, the input method's slash and point keys between
    // and before digits, and the Latin letters in the case typed.
    void normalized_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("read");
        QTest::newRow("full width, case kept") << u"Ｍ８×１．２５－６Ｈ"_s << u"M8x1.25-6H"_s;
        QTest::newRow("lower case kept") << u"m8X1.25-6g"_s << u"m8X1.25-6g"_s;
        QTest::newRow("other letters folded") << u"Φ6.8"_s << u"φ6.8"_s;
        QTest::newRow("middle dot between digits") << u"１・４ー２０"_s << u"1/4-20"_s;
        QTest::newRow("half-width middle dot") << u"ｇ１･４"_s << u"g1/4"_s;
        QTest::newRow("middle dot elsewhere") << u"M・8"_s << u"M・8"_s;
        QTest::newRow("full stop before digits") << u"。３７５"_s << u".375"_s;
        QTest::newRow("full stop between digits") << u"６。８"_s << u"6.8"_s;
        QTest::newRow("half-width full stop") << u"６｡８"_s << u"6.8"_s;
        QTest::newRow("full stop at the end") << u"M8。"_s << u"M8。"_s;
    }
    void normalized() {
        QFETCH(QString, typed);
        QFETCH(QString, read);
        QCOMPARE(QString::fromStdU16String(normalizedText(view(typed))), read);
    }

    // Queries as typed, spaces included, as "thread; drill mm" or
    // "measurement" (empty: none).
    // One word is read as one designation, as a chart's row is. A number
    // after a thread is its count where the thread is known with it, else a
    // drill; classes and hand follow the thread wherever they stand.
    void queries_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("read");
        // The nut's classes in upper case, the bolt's in lower case.
        QTest::newRow("6H") << u"M8x1.25-6H"_s << u"M 8 x 1.25 int 6H"_s;
        QTest::newRow("7G") << u"M8x1.25-7G"_s << u"M 8 x 1.25 int 7G"_s;
        QTest::newRow("6g") << u"M8x1.25-6g"_s << u"M 8 x 1.25 ext 6G"_s;
        QTest::newRow("6h is the bolt's") << u"M8x1.25-6h"_s << u"M 8 x 1.25 ext 6H"_s;
        QTest::newRow("6e") << u"M8x1.25-6e"_s << u"M 8 x 1.25 ext 6E"_s;
        QTest::newRow("6f, full width") << u"Ｍ８×１．２５－６ｆ"_s << u"M 8 x 1.25 ext 6F"_s;
        QTest::newRow("pitch and minor") << u"M8x1.25-5H6H"_s << u"M 8 x 1.25 int 5H6H"_s;
        QTest::newRow("pitch and major") << u"M8x1.25-4h6h"_s << u"M 8 x 1.25 ext 4H6H"_s;
        QTest::newRow("no pitch: the size alone") << u"M8-6g"_s << u"M 8 ext 6G"_s;
        QTest::newRow("no hyphen") << u"1/4-20UNC2B"_s << u"UN 0.25in x 20 unc int 2B"_s;
        // ASME's letters say whose a class is, in either case.
        QTest::newRow("2B") << u"1/4-20UNC-2B"_s << u"UN 0.25in x 20 unc int 2B"_s;
        QTest::newRow("2b") << u"1/4-20unc-2b"_s << u"UN 0.25in x 20 unc int 2B"_s;
        QTest::newRow("1A") << u"1/4-20UNC-1A"_s << u"UN 0.25in x 20 unc ext 1A"_s;
        QTest::newRow("3a") << u"No.10-24UNC-3a"_s << u"UN No.10in x 24 unc ext 3A"_s;
        // Fits, in the order written.
        QTest::newRow("6H/6g") << u"M8x1.25-6H/6g"_s << u"M 8 x 1.25 int 6H ext 6G"_s;
        QTest::newRow("6g/6H") << u"M8x1.25-6g/6H"_s << u"M 8 x 1.25 ext 6G int 6H"_s;
        QTest::newRow("2B/2A") << u"1/4-20UNC-2B/2A"_s << u"UN 0.25in x 20 unc int 2B ext 2A"_s;
        QTest::newRow("2B/3A") << u"1/4-20UNC-2B/3A"_s << u"UN 0.25in x 20 unc int 2B ext 3A"_s;
        QTest::newRow("6H/2A") << u"M8x1.25-6H/2A"_s << u"M 8 x 1.25 int 6H ext 2A"_s;
        QTest::newRow("5H6H/4h6h") << u"M8x1.25-5H6H/4h6h"_s << u"M 8 x 1.25 int 5H6H ext 4H6H"_s;
        // Letters no standard may have are still classes.
        QTest::newRow("6k") << u"M8x1.25-6k"_s << u"M 8 x 1.25 ext 6K"_s;
        QTest::newRow("9g") << u"M8x1.25-9g"_s << u"M 8 x 1.25 ext 9G"_s;
        QTest::newRow("a class on pipe") << u"G1/4-6H"_s << u"G 0.25in int 6H"_s;
        // ISO 228-1's A and B (grade 0), in either case; a graded class first.
        QTest::newRow("G A") << u"G1/2A"_s << u"G 0.5in ext 0A"_s;
        QTest::newRow("G -b") << u"PF1/2-b"_s << u"G 0.5in ext 0B"_s;
        QTest::newRow("G A spaced, LH") << u"G 1/2 A LH"_s << u"G 0.5in ext 0A LH"_s;
        QTest::newRow("G A-LH") << u"G1/2A-LH"_s << u"G 0.5in ext 0A LH"_s;
        QTest::newRow("a fit with A") << u"G1/4-6H/A"_s << u"G 0.25in int 6H ext 0A"_s;
        QTest::newRow("B on metric") << u"M8x1.25 B"_s << u"M 8 x 1.25 ext 0B"_s;
        QTest::newRow("2A before a count and A") << u"1/4-2A"_s << u"any 0.25in ext 2A"_s;
        QTest::newRow("another letter alone") << u"G1/2C"_s << QString();
        // Left hand, before or after, with or without a hyphen.
        QTest::newRow("LH") << u"M8x1.25LH"_s << u"M 8 x 1.25 LH"_s;
        QTest::newRow("-lh") << u"m8x1.25-lh"_s << u"M 8 x 1.25 LH"_s;
        QTest::newRow("class and LH") << u"M8x1.25-6H-LH"_s << u"M 8 x 1.25 int 6H LH"_s;
        QTest::newRow("左 after") << u"M8x1.25-左"_s << u"M 8 x 1.25 LH"_s;
        QTest::newRow("左 before") << u"左M8x1.25"_s << u"M 8 x 1.25 LH"_s;
        // Classes that cannot be read leave the thread.
        QTest::newRow("two-digit grade") << u"M8x1.25-66H"_s << u"M 8 x 1.25 unread"_s;
        QTest::newRow("two classes") << u"M8x1.25-6H-7H"_s << u"M 8 x 1.25 unread"_s;
        QTest::newRow("three threads") << u"M8x1.25-6H/6g/6e"_s << u"M 8 x 1.25 unread"_s;
        QTest::newRow("a nut's and a bolt's run together")
            << u"M8x1.25-5H6g"_s << u"M 8 x 1.25 unread"_s;
        QTest::newRow("a fit of two nuts") << u"M8x1.25-6H/7H"_s << u"M 8 x 1.25 unread"_s;
        QTest::newRow("x is the pitch's") << u"M8x1.25-6x"_s << u"M 8 x 1.25 unread"_s;
        QTest::newRow("a class still being typed") << u"M8x1.25-"_s << u"M 8 x 1.25"_s;
        QTest::newRow("classes alone") << u"6H/6g/6e"_s << QString();
        QTest::newRow("a grade alone") << u"M8x1.25-6"_s << QString();
        QTest::newRow("a pitch run into a class") << u"M8x1.256H"_s << QString();
        // Spellings that read as before.
        QTest::newRow("case ignored elsewhere") << u"m8X1.25"_s << u"M 8 x 1.25"_s;
        QTest::newRow("No. in capitals") << u"NO.10-24UNC"_s << u"UN No.10in x 24 unc"_s;
        QTest::newRow("NPT after") << u"1/2-14NPT"_s << u"NPT 0.5in x 14"_s;
        QTest::newRow("P") << u"M8P1.25"_s << u"M 8 x P1.25"_s;
        QTest::newRow("either unit") << u"4-4"_s << u"any 4 x 4"_s;
        QTest::newRow("a drill") << u"0.375IN"_s << u"; 9.525"_s;
        QTest::newRow("class after a spaced pitch") << u"M8 1.25 7H"_s << u"M 8 x 1.25 int 7H"_s;
        QTest::newRow("class after P") << u"M8 P1.25 7H"_s << u"M 8 x P1.25 int 7H"_s;
        QTest::newRow("class after a count") << u"1/4 20 3B"_s << u"any 0.25in x 20 int 3B"_s;
        QTest::newRow("class after a drill") << u"M8x1.25 6.8 7H"_s << u"M 8 x 1.25 int 7H; 6.8"_s;
        QTest::newRow("drill after a class")
            << u"M8x1.25-7H 6.85"_s << u"M 8 x 1.25 int 7H; 6.85"_s;
        QTest::newRow("spaced class, then a drill")
            << u"M8x1.25 7H 6.8"_s << u"M 8 x 1.25 int 7H; 6.8"_s;
        QTest::newRow("ASME's spacing") << u"1/4-20 UNC-2B"_s << u"UN 0.25in x 20 unc int 2B"_s;
        QTest::newRow("spaced series") << u"1/4 20 UNC"_s << u"UN 0.25in x 20 unc"_s;
        QTest::newRow("class and LH spaced") << u"M8x1.25-6H LH"_s << u"M 8 x 1.25 int 6H LH"_s;
        QTest::newRow("LH after a spaced pitch") << u"M8 1.25 LH"_s << u"M 8 x 1.25 LH"_s;
        QTest::newRow("左 spaced after") << u"M8x1.25 左"_s << u"M 8 x 1.25 LH"_s;
        QTest::newRow("左 spaced before") << u"左 M8x1.25"_s << u"M 8 x 1.25 LH"_s;
        QTest::newRow("spaced fit") << u"M8x1.25 6H / 6g"_s << u"M 8 x 1.25 int 6H ext 6G"_s;
        QTest::newRow("input method") << u"１・４　２０"_s << u"any 0.25in x 20"_s;
        QTest::newRow("input method's point") << u"M8x1.25 ６。８"_s << u"M 8 x 1.25; 6.8"_s;
        QTest::newRow("inch drill by the point key") << u"。３７５"_s << u"; 9.525"_s;
        QTest::newRow("spaced whole inch") << u"4 4"_s << u"any 4 x 4"_s;
        QTest::newRow("no such count: a drill") << u"M8 6.8"_s << u"M 8; 6.8"_s;
        QTest::newRow("two classes") << u"M8x1.25 6H 7H"_s << u"M 8 x 1.25 unread"_s;
        QTest::newRow("a class and a second") << u"M8x1.25-6H 7H"_s << u"M 8 x 1.25 unread"_s;
        QTest::newRow("three threads spaced") << u"M8x1.25 6H/6g/6e"_s << u"M 8 x 1.25 unread"_s;
        QTest::newRow("two drills") << u"M8x1.25 6.8 6.9"_s << QString();
        // A drill of nothing is no drill; an inch drill is rounded half up
        // to the millionth, 0.312342 × 25.4 = 7.9334868 mm.
        QTest::newRow("a drill of 0") << u"M8x1.25 0"_s << QString();
        QTest::newRow("inch drill, half up") << u".312342in"_s << u"; 7.933487"_s;
        // Words joined into one: a whole number and a proper fraction after
        // it are one mixed number, not a fraction after a fraction nor 4/4;
        // a word that ends in a hyphen goes on in the next.
        QTest::newRow("a fraction after a fraction") << u"G1/2 1/4"_s << QString();
        QTest::newRow("no mixed number of a whole") << u"1 4/4"_s << QString();
        QTest::newRow("a hyphen, then a space") << u"M8- 1.1"_s << u"M 8 x 1.1"_s;
        QTest::newRow("1-4/4: no mixed number") << u"1-4/4"_s << u"any 1 x 1"_s;
        QTest::newRow("14/4 is 3 1/2") << u"14/4-20"_s << u"any 3.5in x 20"_s;
        QTest::newRow("a mixed number is in inches") << u"2-1/2"_s << u"any 2.5in"_s;
        // The hand stays when a class follows.
        QTest::newRow("LH, then a class") << u"M8x1.25-LH 6H"_s << u"M 8 x 1.25 int 6H LH"_s;
        QTest::newRow("nine digits, the most") << u"M8x1.23456789"_s << u"M 8 x 1.23456789"_s;
        QTest::newRow("inch mark") << u"1/4\"-20"_s << u"any 0.25in x 20"_s;
        QTest::newRow("PS after") << u"1/2-14PS"_s << u"Rp 0.5in x 14"_s;
        // The trade's words, matched whole: those that ask what the query
        // asks anyway, before or after it, with the particle の.
        QTest::newRow("M8 下穴") << u"M8 下穴"_s << u"M 8"_s;
        QTest::newRow("M8の下穴") << u"M8の下穴"_s << u"M 8"_s;
        QTest::newRow("下穴 M8") << u"下穴 M8"_s << u"M 8"_s;
        QTest::newRow("M12の下穴径") << u"M12の下穴径"_s << u"M 12"_s;
        QTest::newRow("M8 タップ") << u"M8 タップ"_s << u"M 8"_s;
        QTest::newRow("M8 ねじ") << u"M8 ねじ"_s << u"M 8"_s;
        QTest::newRow("ドリル 6.8") << u"ドリル 6.8"_s << u"any 6.8mm; 6.8"_s;
        QTest::newRow("6.8mm ドリル") << u"6.8mm ドリル"_s << u"; 6.8"_s;
        QTest::newRow("下穴 6.8") << u"下穴 6.8"_s << u"any 6.8mm; 6.8"_s;
        QTest::newRow("ドリル径 8.5") << u"ドリル径 8.5"_s << u"any 8.5mm; 8.5"_s;
        QTest::newRow("full width, の, input method's full stop") << u"Ｍ８の下穴。"_s << u"M 8"_s;
        QTest::newRow("long-vowel key as a hyphen") << u"M8ー下穴"_s << u"M 8"_s;
        QTest::newRow("input method's point, drill") << u"６。８ドリル"_s << u"any 6.8mm; 6.8"_s;
        QTest::newRow("thread, words and a drill") << u"M8の下穴 6.9"_s << u"M 8; 6.9"_s;
        // ISO 261: M10's coarse pitch is 1.5, its fine ones 1.25, 1, 0.75.
        QTest::newRow("M10 並目") << u"M10 並目"_s << u"M 10 x 1.5"_s;
        QTest::newRow("M10 細目") << u"M10 細目"_s << u"M 10 x 1.25,1,0.75"_s;
        QTest::newRow("細目 with its pitch") << u"M10x1.25 細目"_s << u"M 10 x 1.25"_s;
        QTest::newRow("細目 with the coarse pitch") << u"M10x1.5 細目"_s << QString();
        QTest::newRow("並目 makes it metric") << u"10 並目"_s << u"M 10 x 1.5"_s;
        QTest::newRow("並目ねじ, the chart's words")
            << u"M10 メートル並目ねじ"_s << u"M 10 x 1.5"_s;
        // A marked pitch or count, and the families.
        QTest::newRow("M8 ピッチ1.25") << u"M8 ピッチ1.25"_s << u"M 8 x P1.25"_s;
        QTest::newRow("ピッチ spaced, a class") << u"M8 ピッチ 1 6H"_s << u"M 8 x P1 int 6H"_s;
        QTest::newRow("a pitch still being typed") << u"M8 ピッチ"_s << u"M 8"_s;
        QTest::newRow("1/4 20山") << u"1/4 20山"_s << u"any 0.25in x 20"_s;
        QTest::newRow("3/8 ウィット") << u"3/8 ウィット"_s << u"W 0.375in"_s;
        QTest::newRow("G1/4 の下穴") << u"G1/4 の下穴"_s << u"G 0.25in"_s;
        QTest::newRow("Rc1/4 下穴") << u"Rc1/4 下穴"_s << u"Rc 0.25in"_s;
        QTest::newRow("1/4 UNC 下穴") << u"1/4 UNC 下穴"_s << u"UN 0.25in unc"_s;
        QTest::newRow("管用平行") << u"1/4 管用平行"_s << u"G 0.25in"_s;
        QTest::newRow("管用テーパー") << u"管用テーパー 1/4"_s << u"Rc 0.25in"_s;
        QTest::newRow("ユニファイ") << u"1/4-20 ユニファイ"_s << u"UN 0.25in x 20"_s;
        QTest::newRow("a family the thread is not") << u"M8 ウィット"_s << QString();
        // Words that name no thread, and a keyword inside a word, ask
        // nothing; a measurement's words a measurement.
        QTest::newRow("code") << u"code"_s << QString();
        QTest::newRow("video") << u"video"_s << QString();
        QTest::newRow("idea") << u"idea"_s << QString();
        QTest::newRow("mode") << u"mode"_s << QString();
        QTest::newRow("山田") << u"山田"_s << QString();
        QTest::newRow("富士山") << u"富士山"_s << QString();
        QTest::newRow("山形") << u"山形"_s << QString();
        QTest::newRow("ピッチャー") << u"ピッチャー"_s << QString();
        QTest::newRow("a word alone") << u"下穴"_s << QString();
        QTest::newRow("M8 and a word it is not") << u"M8 山田"_s << QString();
        QTest::newRow("a measurement") << u"外径 9.5 ピッチ 1.5"_s << u"measurement"_s;
        QTest::newRow("a measurement's word alone") << u"外径 abc"_s << u"measurement"_s;
        QTest::newRow("per inch after a count") << u"16山/インチ"_s << u"measurement"_s;
        QTest::newRow("10,000 characters of mixed words")
            << u"下穴 の code 富士山 ドリル M8 並目 6.8 ウィット "_s.repeated(250).left(10000)
            << QString();
        QTest::newRow("10,000 characters, a measurement's words among them")
            << u"外径 ピッチャー 山形 16山 M8の下穴 ｃｏｄｅ "_s.repeated(400).left(10000)
            << u"measurement"_s;
        QTest::newRow("10,000 characters of one run") << u"下穴"_s.repeated(5000) << QString();
        QTest::newRow("10,000 characters, bench words among them")
            << u"深さ計 三針 中古 先タップ 深さ "_s.repeated(500).left(10000) << QString();
        // The bench's and the drawing's words, matched whole, read apart:
        // "wires" (三針), the wire in mm (and in inches as typed), the thread
        // depth, the point in degrees, the chamfers, the problem.
        // 0.029 in = 0.7366 mm; 0.0444 in = 1.12776 mm; 0.5 in = 12.7 mm.
        QTest::newRow("三針 0.75")
            << u"M8x1.25-6g 三針 0.75"_s << u"M 8 x 1.25 ext 6G | wires 0.75"_s;
        QTest::newRow("ワイヤ径 0.75")
            << u"M8x1.25 ワイヤ径 0.75"_s << u"M 8 x 1.25 | wires 0.75"_s;
        QTest::newRow("a wire in inches") << u"1/4-20UNC-2A 三針 0.029in"_s
                                          << u"UN 0.25in x 20 unc ext 2A | wires 0.7366 (0.029)"_s;
        QTest::newRow("inches typed apart")
            << u"1/2-13UNC-2A ワイヤー 0.0444 インチ"_s
            << u"UN 0.5in x 13 unc ext 2A | wires 1.12776 (0.0444)"_s;
        QTest::newRow("三針 alone: the best wire")
            << u"M8x1.25-6g 三針"_s << u"M 8 x 1.25 ext 6G | wires"_s;
        QTest::newRow("a class after 三針")
            << u"M8x1.25 三針 6g"_s << u"M 8 x 1.25 ext 6G | wires"_s;
        QTest::newRow("三針 before the thread")
            << u"三針 0.75 M8x1.25"_s << u"M 8 x 1.25 | wires 0.75"_s;
        QTest::newRow("深さ") << u"M8 深さ 16"_s << u"M 8 | depth 16"_s;
        QTest::newRow("ねじ深さ") << u"M8 ねじ深さ 16"_s << u"M 8 | depth 16"_s;
        QTest::newRow("a depth in inches")
            << u"1/4-20 深さ 0.5in"_s << u"any 0.25in x 20 | depth 12.7 (0.5)"_s;
        QTest::newRow("the drawings' 深") << u"M8深12"_s << u"M 8 | depth 12"_s;
        QTest::newRow("the drawings' depth mark") << u"M8↧12"_s << u"M 8 | depth 12"_s;
        QTest::newRow("先端角") << u"M8 深さ 16 先端角 140"_s << u"M 8 | depth 16 point 140"_s;
        QTest::newRow("140°") << u"M8 深さ16 140°"_s << u"M 8 | depth 16 point 140"_s;
        QTest::newRow("140度") << u"M8深さ16 140度"_s << u"M 8 | depth 16 point 140"_s;
        QTest::newRow("先 and 上げタップ")
            << u"M8 深さ 16 先 上げタップ"_s << u"M 8 | depth 16 taper bottoming"_s;
        QTest::newRow("スパイラル and ポイント")
            << u"M8 深さ 16 スパイラル ポイント"_s << u"M 8 | depth 16 flute spiral-point"_s;
        QTest::newRow("中タップ, no depth") << u"M8 中タップ"_s << u"M 8 | plug"_s;
        QTest::newRow("a depth still being typed") << u"M8 深さ"_s << u"M 8"_s;
        QTest::newRow("深さ inside a word") << u"M8 深さ計 16"_s << QString();
        QTest::newRow("中 inside a word") << u"M8 中古"_s << QString();
        // Bad input: the reader's words for what the text alone says; the
        // answer's for what needs the thread (a nut, a wire of 100 mm, a
        // depth past 1 m).
        QTest::newRow("a wire of 0")
            << u"M8x1.25-6g 三針 0"_s << u"M 8 x 1.25 ext 6G | wires wire unread"_s;
        QTest::newRow("a wire of 100")
            << u"M8x1.25-6g 三針 100"_s << u"M 8 x 1.25 ext 6G | wires 100"_s;
        QTest::newRow("three wires on a nut")
            << u"M8x1.25-6H 三針"_s << u"M 8 x 1.25 int 6H | wires"_s;
        QTest::newRow("a wire without a thread") << u"三針 0.75"_s << u" | wires 0.75 no thread"_s;
        QTest::newRow("a depth without a thread") << u"深さ 16"_s << u" | depth 16 no thread"_s;
        QTest::newRow("a depth and words that are none") << u"M8 山田 深さ 16"_s << QString();
        QTest::newRow("a depth of -5") << u"M8 深さ -5"_s << u"M 8 | depth unread"_s;
        QTest::newRow("a depth of 10^6") << u"M8 深さ 1000000"_s << u"M 8 | depth unread"_s;
        QTest::newRow("a depth past 1 m") << u"M8 深さ 999999"_s << u"M 8 | depth 999999"_s;
        QTest::newRow("two depths") << u"M8 深さ 16 深さ 20"_s << QString();
        QTest::newRow("half a degree")
            << u"M8 深さ 16 118.5°"_s << u"M 8 | depth 16 point unread"_s;
    }
    void queries() {
        QFETCH(QString, typed);
        QFETCH(QString, read);
        const Query q = readQuery(view(typed), known);
        const auto length = [](Millionths mm, std::optional<Millionths> inches = {}) {
            const auto n = [](Millionths m) {
                return QString::number(double(m) / kMillion, 'g', 12);
            };
            return n(mm) + (inches ? u" ("_s + n(*inches) + u')' : QString());
        };
        QString text = q.thread ? describe(*q.thread) : QString();
        if (q.drill)
            text += u"; "_s + length(q.drill->millimetres);
        if (q.measurement)
            text += u"measurement"_s;
        QStringList bench;
        if (q.threeWires)
            bench.append(u"wires"_s);
        if (q.wire)
            bench.append(length(*q.wire, q.wireInches));
        if (q.threadDepth)
            bench.append(u"depth "_s + length(*q.threadDepth, q.threadDepthInches));
        if (q.pointAngle)
            bench.append(u"point "_s + QString::number(*q.pointAngle));
        for (const Chamfer c : q.chamfers)
            bench.append(
                QStringList{u"taper"_s, u"plug"_s, u"bottoming"_s, u"spiral-point"_s, u"flute"_s}
                    .value(int(c), u"form"_s));
        static const QStringList kProblems{QString(), u"no thread"_s, u"wire unread"_s,
                                           u"depth unread"_s, u"point unread"_s};
        if (q.benchProblem != BenchProblem::None)
            bench.append(kProblems.value(int(q.benchProblem)));
        if (!bench.isEmpty())
            text += u" | "_s + bench.join(u' ');
        QCOMPARE(text, read);
    }

    // A length rounded half up at the sixth decimal.
    void lengths_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("millionths"); // -1: none
        QTest::newRow("6.8") << u"6.8"_s << qint64(6'800'000);
        QTest::newRow(".375") << u".375"_s << qint64(375'000);
        QTest::newRow("a half up") << u"1.0000005"_s << qint64(1'000'001);
        QTest::newRow("below a half") << u"1.0000004"_s << qint64(1'000'000);
        QTest::newRow("past the seventh") << u"6.80244849"_s << qint64(6'802'448);
        QTest::newRow("seven whole digits") << u"1234567"_s << qint64(-1);
    }
    void lengths() {
        QFETCH(QString, text);
        QFETCH(qint64, millionths);
        QCOMPARE(readLength(view(text)).value_or(-1), millionths);
    }
};

QTEST_GUILESS_MAIN(TestThreadReader)
#include "test_thread_reader.moc"
