#pragma once

#include <compare>
#include <cstdint>
#include <numeric>

namespace vornel::threads {

// A length in millionths of a millimetre (or of an inch, where a name says
// so): the charts' values and the standards' limits, exactly.
using Millionths = std::int64_t;

inline constexpr Millionths kMillion = 1'000'000;
// An inch in millionths of a millimetre.
inline constexpr Millionths kInch = 25'400'000;

// A fraction in lowest terms with a positive denominator, so that equal
// values compare equal.
struct Rational {
    std::int64_t num = 0;
    std::int64_t den = 1;

    friend bool operator==(const Rational&, const Rational&) = default;
    friend std::strong_ordering operator<=>(const Rational& a, const Rational& b) {
        __extension__ using Wide = __int128; // no pedantic warning: GCC and Clang both have it
        return static_cast<Wide>(a.num) * b.den <=> static_cast<Wide>(b.num) * a.den;
    }
};

constexpr Rational reduced(std::int64_t num, std::int64_t den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const std::int64_t g = std::gcd(num, den);
    return g > 1 ? Rational{num / g, den / g} : Rational{num, den};
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

// The thread's profile, as far as a drill's engagement is concerned.
enum class Profile {
    None,      // no ひっかかり率: taper pipe, the inserts' holes, formed threads
    Iso,       // 60°: H1 = 5/8 × 0.866025 P = 0.541266 P
    Whitworth, // 55°: H1 = 0.640327 P
};

// How a family writes its size and its pitch.
enum class SizeUnit {
    Millimetre, // "M8", "W 10"
    Inch,       // "1/4", "No. 10", "G 1/4"
};

} // namespace vornel::threads
