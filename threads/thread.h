#pragma once

#ifndef Q_MOC_RUN
#include <compare>
#endif
#include <cstdint>
#include <numeric>
#include <optional>
#include <string>

namespace vornel::threads {

// A length in millionths of a millimetre (or of an inch, where a name says
// so): the charts' values and the standards' limits, exactly.
using Millionths = std::int64_t;

inline constexpr Millionths kMillion = 1'000'000;

// The standards' tables as written: 6.647_mm, 8_mm.
namespace literals {
consteval Millionths operator""_mm(unsigned long long mm) {
    return static_cast<Millionths>(mm) * kMillion;
}
consteval Millionths operator""_mm(long double mm) {
    return static_cast<Millionths>(mm * kMillion + 0.5L);
}
} // namespace literals
// Products of two of them, which 64 bits may not hold.
__extension__ typedef __int128 Wide;

// A fraction in lowest terms with a positive denominator, so that equal
// values compare equal.
struct Rational {
    std::int64_t num = 0;
    std::int64_t den = 1;

    friend bool operator==(const Rational&, const Rational&) = default;
#ifndef Q_MOC_RUN // moc cannot read <compare>
    friend std::strong_ordering operator<=>(const Rational& a, const Rational& b) {
        return static_cast<Wide>(a.num) * b.den <=> static_cast<Wide>(b.num) * a.den;
    }
#endif
};

constexpr Rational reduced(std::int64_t num, std::int64_t den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const std::int64_t g = std::gcd(num, den);
    return g > 1 ? Rational{num / g, den / g} : Rational{num, den};
}

constexpr Rational multiplied(Rational a, Rational b) {
    return reduced(a.num * b.num, a.den * b.den);
}

// a / b rounded half up, for a >= 0 and b > 0.
constexpr std::int64_t roundedDivision(std::int64_t a, std::int64_t b) {
    return (2 * a + b) / (2 * b);
}

// A value rounded half up to a multiple of `step`, for value >= 0: a
// length in millionths to 0.001 mm is roundedTo(value, 1000).
constexpr std::int64_t roundedTo(std::int64_t value, std::int64_t step) {
    return roundedDivision(value, step) * step;
}

// Millimetres as millionths, rounded half up; mm >= 0.
constexpr Millionths millionthsOf(Rational mm) {
    return static_cast<Millionths>((static_cast<Wide>(mm.num) * kMillion * 2 + mm.den) /
                                   (static_cast<Wide>(mm.den) * 2));
}

// An inch in millionths of a millimetre, 25.4 mm: the one figure every
// conversion between inches and millimetres uses.
inline constexpr Millionths kInch = 25'400'000;
// The same in millimetres as a fraction, 127/5, for products that 64 bits
// must hold.
inline constexpr Rational kInchMillimetres = reduced(kInch, kMillion);

// An inch over `value`: the pitch in millimetres of `value` threads per
// inch, or the threads per inch of a pitch of `value` millimetres.
constexpr Rational inchOver(Rational value) {
    return reduced(kInchMillimetres.num * value.den, kInchMillimetres.den * value.num);
}

// The thread families the charts and the standards know.
enum class Family {
    IsoMetric, // ISO metric, "M": the metric, insert metric and fluteless-tap charts
    Unified,   // ASME B1.1: "No. 10-24UNC", "1/4-20UNC"
    Whitworth, // "W"
    PipeG,     // British parallel pipe, "G", "PF"
    PipeRc,    // British taper pipe, internal "Rc" ("PT", "R", "BSPT")
    PipeRp,    // British parallel internal for taper, "Rp" ("PS")
    Npt,       // American taper pipe
    Nps,       // American straight pipe
};

// A set of families, one bit each.
using Families = unsigned;
constexpr Families bit(Family family) {
    return 1u << static_cast<unsigned>(family);
}
inline constexpr Families kAnyFamily = ~0u;

// H, the height of a 60° thread's fundamental triangle for a pitch of 1:
// √3 / 2. ISO metric and unified threads are H1 = 5/8 H deep.
inline constexpr long double kSixtyDegreeHeight = 0.866025403784438646763723170753L;

// num/den of H, rounded half up to `decimals` decimals as the standards
// print it, in units of the last decimal.
constexpr std::int64_t sixtyDegreeHeight(int num, int den, int decimals) {
    long double scaled = kSixtyDegreeHeight * num / den;
    for (int i = 0; i < decimals; ++i)
        scaled *= 10;
    return static_cast<std::int64_t>(scaled + 0.5L);
}
// H1 = 0.541266 P (JIS B 1004's ひっかかり率), in millionths.
inline constexpr std::int64_t kH1Millionths = sixtyDegreeHeight(5, 8, 6);
// 2 × H1 = 1.082532 P, ISO 724's D − D1, in millionths.
inline constexpr std::int64_t kIsoTwiceH1Millionths = sixtyDegreeHeight(5, 4, 6);
// 2 × H1 = 1.08253175 P, ASME B1.1's 2 hn, in hundred-millionths.
inline constexpr std::int64_t kUnifiedTwiceH1 = sixtyDegreeHeight(5, 4, 8);
// 3/4 H = 0.649519 P, ISO 724's D − D2, in millionths.
inline constexpr std::int64_t kIsoPitchDepthMillionths = sixtyDegreeHeight(3, 4, 6);
// 3/4 H = 0.64951905 P, ASME B1.1's D − D2, in hundred-millionths.
inline constexpr std::int64_t kUnifiedPitchDepth = sixtyDegreeHeight(3, 4, 8);
// 17/12 H = 1.226869 P, D less the tap's root diameter, in millionths.
inline constexpr std::int64_t kRootDepthMillionths = sixtyDegreeHeight(17, 12, 6);

// The thread's profile, as far as a drill's engagement is concerned.
enum class Profile {
    None,      // no ひっかかり率: taper pipe, the inserts' holes, formed threads
    Iso,       // 60°: H1 = 5/8 H = 0.541266 P
    Whitworth, // 55°: H1 = 0.640327 P
};

// How a size is written.
enum class SizeUnit {
    Millimetre, // "M8", "W 10"
    Inch,       // "1/4", "No. 10", "G 1/4"
};

// How a pitch is written.
enum class PitchUnit {
    Millimetre,    // "× 1.25"
    ThreadsPerInch // "‐20"
};

// A tolerance class: a grade and a position, "6H" grade 6 at position H.
// The case of ISO's letters says whose it is: upper case an internal
// thread's (the nut's: 6H, 7G), lower case an external thread's (the bolt's:
// 6g, 6h, 6e, 6f). ASME B1.1 writes both in upper case and says it by the
// letter: 1B, 2B, 3B internal, 1A, 2A, 3A external. ISO 228-1 writes a
// parallel pipe thread's external classes A and B with no grade ("G 1/2 A"):
// grade 0, external.
struct ToleranceClass {
    int grade = 0;         // 0: ISO 228-1's A or B
    char16_t position = 0; // upper case: u'H', u'G', u'B', u'A', u'E' ...
    bool external = false; // an external thread's: "6g", "2A"
    friend bool operator==(const ToleranceClass&, const ToleranceClass&) = default;
};

// The class of one thread: its pitch diameter's and its crest diameter's
// (an internal thread's minor diameter, an external thread's major). Written
// once ("6H", "6g", "2B") it is both; written twice, the pitch diameter's
// comes first ("5H6H", "4h6h").
struct ThreadClass {
    ToleranceClass pitchDiameter;
    ToleranceClass crest;
    friend bool operator==(const ThreadClass&, const ThreadClass&) = default;
};

// The classes written after a thread: the internal thread's, the external
// thread's, or both as a fit ("6H/6g", "2B/2A", "2B/3A", across standards
// "6H/2A"), in the order written ("6g/6H").
struct ToleranceClasses {
    std::optional<ThreadClass> internal;
    std::optional<ThreadClass> external;
    bool externalFirst = false; // written "6g/6H"

    bool empty() const { return !internal && !external; }
    // The internal thread's class asked: its minor diameter's ("5H6H": 6H).
    std::optional<ToleranceClass> internalClass() const {
        return internal ? std::optional(internal->crest) : std::nullopt;
    }
    friend bool operator==(const ToleranceClasses&, const ToleranceClasses&) = default;
};

// What a chart's rows are, declared by the chart: how their designations are
// read, what engagement their holes have and, where its limits are those of
// a standard's class, that class.
struct ThreadForm {
    Family family = Family::IsoMetric;
    Profile profile = Profile::None;
    SizeUnit sizeUnit = SizeUnit::Millimetre;
    PitchUnit pitchUnit = PitchUnit::Millimetre;
    std::optional<ToleranceClass> toleranceClass = {};
};

// One thread, read from a designation into numbers.
struct Thread {
    Family family = Family::IsoMetric;
    bool numbered = false; // "No. 10": `size` is the number
    Rational size;         // as written: millimetres, inches or the number
    Rational count;        // the pitch in millimetres, or threads per inch
    std::u16string series; // "UNC" ...; empty where none is written
    ToleranceClasses classes;
    bool leftHand = false; // "LH", "左": the same hole and limits
    // The basic major diameter in millimetres, where the designation gives
    // it. British parallel pipe's is not written: it is the basic minor
    // diameter, the smallest of a chart's row, plus 2 × H1.
    std::optional<Rational> major;
    Rational pitch; // in millimetres
    Profile profile = Profile::None;

    friend bool operator==(const Thread&, const Thread&) = default;
};

// The limits of one diameter of a thread, smallest first, in millionths of
// a millimetre (or of an inch, where a name says so).
struct DiameterRange {
    Millionths minimum = 0;
    Millionths maximum = 0;

    friend bool operator==(const DiameterRange&, const DiameterRange&) = default;
};

// An external thread's major and pitch diameters.
struct ExternalLimits {
    DiameterRange major;
    DiameterRange pitch;

    friend bool operator==(const ExternalLimits&, const ExternalLimits&) = default;
};

// An internal thread's pitch diameter and the smallest major diameter, the
// one its mate's crests must clear (the largest is left to the tap).
struct InternalPitchLimits {
    DiameterRange pitch;
    Millionths majorMinimum = 0;

    friend bool operator==(const InternalPitchLimits&, const InternalPitchLimits&) = default;
};

// Reads the numbers of a thread whose size and count are known, in the form
// of its family: its major diameter and pitch in millimetres.
Thread makeThread(const ThreadForm& form, bool numbered, Rational size, Rational count);

// H1, the basic height of engagement, in millimetres; none for a profile
// that has none.
std::optional<Rational> heightOfEngagement(const Thread& thread);

// The basic minor diameter D − 2 × H1, in millimetres.
std::optional<Rational> basicMinor(const Thread& thread);

// What the ひっかかり率 of a drill in a thread is.
struct Engagement {
    enum class Kind {
        None,           // the thread has none (or its numbers are out of reach)
        Percent,        // `percent` is it, 0 to 100
        AboveBasic,     // `percent` is above 100: the drill is below the basic minor diameter
        AtOrAboveMajor, // the drill is at or above the major diameter: no thread is left
        // The drill is below the root of the tap's thread, the basic minor
        // diameter of the external thread (113 % for 60°): the tap's core
        // would have to cut the hole, and no figure means anything.
        BelowRoot,
    };
    Kind kind = Kind::None;
    int percent = 0;
    friend bool operator==(const Engagement&, const Engagement&) = default;
};

// (D − d) / (2 × H1) × 100, rounded half up, of `drill` (millionths of a
// millimetre) in `thread`; in words where the drill is at or above D or
// below the tap's root.
Engagement engagement(const Thread& thread, Millionths drill);

// A rational as a decimal, "1.25", "6.35", to at most `digits` decimals,
// rounded half up, without trailing zeros.
std::u16string decimalText(Rational value, int digits = 3);
// Millionths as the charts write a length: "6.8", "6.647".
std::u16string millimetreText(Millionths value);

// An inch size as the trade writes it: "1/4", "1 1/4", "2".
std::u16string inchSizeText(Rational size);

// A unified series as the standard writes it, in upper case, from the
// reader's lower case ASCII ("unc" is "UNC").
std::u16string seriesText(std::u16string_view series);

} // namespace vornel::threads
