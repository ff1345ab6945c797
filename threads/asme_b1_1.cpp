#include "threads/asme_b1_1.h"

#include "threads/standard_sizes.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vornel::threads {
namespace {

// A length in inches in ten-thousandths, rounded.
std::int64_t tenThousandths(long double inches) {
    return std::llround(inches * 10'000);
}

struct UnifiedTolerances {
    std::int64_t major;       // the basic major diameter, in ten-thousandths of an inch
    std::int64_t pitch;       // the basic pitch diameter, likewise
    std::int64_t tolerance2A; // class 2A's pitch diameter tolerance, in millionths of an inch
    long double pitchLength;  // P, in inches
};

// The basic diameters and the pitch diameter tolerance of class 2A, 0.0015
// D^(1/3) + 0.0015 LE^(1/2) + 0.015 P^(2/3) in, each term to 0.000001 in as
// the standard tabulates them (Table 2's 0.2224 for 1/4-20 2B needs it), with
// the length of engagement LE its tables are worked for: the basic major
// diameter for UNC, UNF and the 4-, 6- and 8-thread series, nine pitches
// for the others and for UNS threads, even where that is longer than the
// diameter (5/8-12 UN 2A's smallest pitch diameter, 0.5639 in, holds only
// by 9P). Nothing for a thread or a class that unifiedInternalMinor does not
// take, the standard's classes decided there.
std::optional<UnifiedTolerances> unifiedTolerances(Rational majorInch, Rational threadsPerInch,
                                                   int threadClass) {
    if (!unifiedInternalMinor(majorInch, threadsPerInch, threadClass))
        return std::nullopt;
    const auto series = unifiedSeriesOf(majorInch, threadsPerInch);
    const auto among = [&](std::initializer_list<std::string_view> names) {
        return std::find_first_of(series.begin(), series.end(), names.begin(), names.end()) !=
               series.end();
    };
    const long double d = static_cast<long double>(majorInch.num) / majorInch.den;
    const long double p = static_cast<long double>(threadsPerInch.den) / threadsPerInch.num;
    const long double engagement = among({"UNC", "UNF", "4UN", "6UN", "8UN"}) ? d : 9 * p;
    constexpr long double pitchDepth = static_cast<long double>(kUnifiedPitchDepth) / 100'000'000;
    const auto millionths = [](long double inches) { return std::llround(inches * kMillion); };
    return UnifiedTolerances{tenThousandths(d), tenThousandths(d - pitchDepth * p),
                             millionths(0.0015L * std::cbrt(d)) +
                                 millionths(0.0015L * std::sqrt(engagement)) +
                                 millionths(0.015L * std::cbrt(p * p)),
                             p};
}

// A share of class 2A's pitch diameter tolerance, given in thousandths, to
// 0.0001 in.
std::int64_t share(const UnifiedTolerances& t, std::int64_t thousandths) {
    return roundedDivision(t.tolerance2A * thousandths, 100'000);
}

constexpr Millionths fromTenThousandths(std::int64_t value) {
    return value * 100;
}

// A tap maker's recommended H limits for classes 2B and 3B, by the basic
// major diameter in ten-thousandths of an inch and the threads per inch.
struct CatalogueTap {
    std::int64_t major;
    std::int64_t threadsPerInch;
    int h2B;
    int h3B;
};

// clang-format off
constexpr CatalogueTap kCatalogueTaps[] = {
    { 600, 80, 2, 2}, { 730, 64, 2, 2}, { 730, 72, 2, 2}, { 860, 56, 2, 2}, { 860, 64, 2, 2},
    { 990, 48, 3, 2}, { 990, 56, 2, 2}, {1120, 40, 3, 2}, {1120, 48, 3, 2}, {1250, 40, 3, 2},
    {1250, 44, 3, 2}, {1380, 32, 3, 2}, {1380, 40, 3, 2}, {1640, 32, 3, 3}, {1640, 36, 3, 3},
    {1900, 24, 3, 3}, {1900, 32, 3, 3}, {2160, 24, 3, 3}, {2160, 28, 3, 3}, {2500, 20, 5, 3},
    {2500, 28, 4, 3}, {3125, 18, 5, 3}, {3125, 24, 4, 3}, {3750, 16, 5, 3}, {3750, 24, 4, 3},
    {4375, 14, 5, 3}, {4375, 20, 5, 3}, {5000, 13, 5, 4}, {5000, 20, 5, 3}, {5625, 12, 5, 4},
    {5625, 18, 5, 3}, {6250, 11, 5, 4}, {6250, 18, 5, 3}, {7500, 10, 5, 4},
};
// clang-format on

// Where ASME B1.1's Table 2 prints an allowance of classes 1A and 2A other
// than the rounded 0.300 of its class 2A tolerance, in ten-thousandths.
struct PrintedAllowance {
    std::int64_t major; // in ten-thousandths of an inch
    std::int64_t threadsPerInch;
    std::int64_t allowance;
};
constexpr PrintedAllowance kPrintedAllowances[] = {{6250, 11, 16}};

// A size in ten-thousandths of an inch, where it is a whole number of them.
std::optional<std::int64_t> inTenThousandths(Rational inches) {
    if (inches.den <= 0 || (inches.num * 10'000) % inches.den != 0)
        return std::nullopt;
    return inches.num * 10'000 / inches.den;
}

} // namespace

std::optional<DiameterRange> unifiedInternalMinor(Rational majorInch, Rational threadsPerInch,
                                                  int threadClass) {
    // The standard's sizes, No. 0 to 6 in, and its pitches, 80 to 4 threads
    // per inch; no denominator so large that the arithmetic below overflows.
    constexpr std::int64_t kLargestDenominator = 1'000'000;
    if (threadClass < 1 || threadClass > 3 || majorInch.den <= 0 || threadsPerInch.den <= 0 ||
        majorInch.den > kLargestDenominator || threadsPerInch.den > kLargestDenominator ||
        majorInch < Rational{3, 50} || majorInch > Rational{6, 1} ||
        threadsPerInch < Rational{4, 1} || threadsPerInch > Rational{80, 1})
        return std::nullopt;
    // Classes 1A and 1B only for UNC and UNF from 1/4 in, as the standard's
    // tables give them: the one place that decides the standard's classes.
    if (threadClass == 1) {
        const auto series = unifiedSeriesOf(majorInch, threadsPerInch);
        if (majorInch < Rational{1, 4} ||
            std::none_of(series.begin(), series.end(),
                         [](std::string_view s) { return s == "UNC" || s == "UNF"; }))
            return std::nullopt;
    }
    const long double p = static_cast<long double>(threadsPerInch.den) / threadsPerInch.num;
    const long double d = static_cast<long double>(majorInch.num) / majorInch.den;

    // In millionths of an inch: the basic major diameter and the height of
    // the internal thread's profile twice, 1.08253175 P, as the standard
    // rounds them; the smallest minor diameter is their difference.
    const std::int64_t major = roundedDivision(majorInch.num * kMillion, majorInch.den);
    const std::int64_t height =
        roundedDivision(kUnifiedTwiceH1 * threadsPerInch.den, 100 * threadsPerInch.num);
    const std::int64_t minimum = major - height;
    if (minimum <= 0)
        return std::nullopt;

    // The tolerance, in inches: below 1/4 in for classes 1B and 2B, and for
    // class 3B at every size, 0.05 P^(2/3) + 0.03 P / D − 0.002 within bounds:
    // for class 3B at least 0.120 P at 12 threads per inch and coarser and
    // 0.23 P − 1.5 P² at 13 and finer, and at most 0.394 P.
    const long double small = 0.05L * std::cbrt(p * p) + 0.03L * p / d - 0.002L;
    long double tolerance = 0;
    if (threadClass == 3) {
        const long double least =
            threadsPerInch <= Rational{12, 1} ? 0.120L * p : 0.23L * p - 1.5L * p * p;
        tolerance = std::min(std::max(small, least), 0.394L * p);
    } else if (majorInch < Rational{1, 4}) {
        tolerance = std::min(small, 0.394L * p);
    } else {
        // The standard's 0.15 P for 4 threads per inch and coarser is the
        // same at 4, the coarsest pitch it has.
        tolerance = 0.25L * p - 0.40L * p * p;
    }
    // The tolerance to 0.0001 in (a hair over, so that a half that the
    // arithmetic left a hair under still rounds up), added to the minimum,
    // then both limits to 0.0001 in.
    const std::int64_t tolerance4 = static_cast<std::int64_t>(tolerance * 10'000 + 0.5L + 1e-9L);
    const std::int64_t maximum = roundedTo(minimum + tolerance4 * 100, 100);

    // From No. 6 (0.138 in) up the standard's tables give the minimum to
    // 0.001 in, and for classes 1B and 2B the maximum too, each rounded from
    // its 0.0001 in value (1 3/4-5UNC: 1.533494, 1.5335, 1.534).
    const bool large = majorInch >= Rational{138, 1000};
    const std::int64_t minimum4 = roundedTo(minimum, 100);
    return DiameterRange{large ? roundedTo(minimum4, 1000) : minimum4,
                         large && threadClass != 3 ? roundedTo(maximum, 1000) : maximum};
}

std::optional<ExternalLimits> unifiedExternal(Rational majorInch, Rational threadsPerInch,
                                              int threadClass) {
    const auto found = unifiedTolerances(majorInch, threadsPerInch, threadClass);
    if (!found)
        return std::nullopt;
    const UnifiedTolerances& t = *found;
    // The allowance of classes 1A and 2A, 0.300 of class 2A's tolerance;
    // the pitch diameter tolerance 1.500 (1A), 1 or 0.750 (3A) of it; the
    // major diameter's 0.090 P^(2/3) (1A) or 0.060 P^(2/3).
    constexpr std::array<std::int64_t, 3> kPitchShare = {1500, 1000, 750};
    std::int64_t allowance = threadClass == 3 ? 0 : share(t, 300);
    const auto size = inTenThousandths(majorInch);
    for (const PrintedAllowance& a : kPrintedAllowances) {
        if (threadClass != 3 && size == a.major && threadsPerInch == Rational{a.threadsPerInch, 1})
            allowance = a.allowance;
    }
    const std::int64_t pitchTolerance = share(t, kPitchShare[std::size_t(threadClass - 1)]);
    const std::int64_t majorTolerance = tenThousandths((threadClass == 1 ? 0.090L : 0.060L) *
                                                       std::cbrt(t.pitchLength * t.pitchLength));
    const std::int64_t majorMax = t.major - allowance;
    const std::int64_t pitchMax = t.pitch - allowance;
    if (pitchMax - pitchTolerance <= 0)
        return std::nullopt;
    return ExternalLimits{
        {fromTenThousandths(majorMax - majorTolerance), fromTenThousandths(majorMax)},
        {fromTenThousandths(pitchMax - pitchTolerance), fromTenThousandths(pitchMax)}};
}

std::optional<InternalPitchLimits> unifiedInternalPitch(Rational majorInch, Rational threadsPerInch,
                                                        int threadClass) {
    const auto t = unifiedTolerances(majorInch, threadsPerInch, threadClass);
    if (!t || t->pitch <= 0)
        return std::nullopt;
    // 1.950 (1B), 1.300 (2B) or 0.975 (3B) of class 2A's tolerance.
    constexpr std::array<std::int64_t, 3> kPitchShare = {1950, 1300, 975};
    const std::int64_t tolerance = share(*t, kPitchShare[std::size_t(threadClass - 1)]);
    return InternalPitchLimits{
        {fromTenThousandths(t->pitch), fromTenThousandths(t->pitch + tolerance)},
        fromTenThousandths(t->major)};
}

Millionths inchToMillimetres(Millionths inchMillionths) {
    // To whole micrometres.
    const std::int64_t scaled = inchMillionths * kInchMillimetres.num;
    const std::int64_t den = kInchMillimetres.den * 1000;
    return (scaled >= 0 ? roundedDivision(scaled, den) : -roundedDivision(-scaled, den)) * 1000;
}

ExternalLimits inMillimetres(const ExternalLimits& inch) {
    return {{inchToMillimetres(inch.major.minimum), inchToMillimetres(inch.major.maximum)},
            {inchToMillimetres(inch.pitch.minimum), inchToMillimetres(inch.pitch.maximum)}};
}

InternalPitchLimits inMillimetres(const InternalPitchLimits& inch) {
    return {{inchToMillimetres(inch.pitch.minimum), inchToMillimetres(inch.pitch.maximum)},
            inchToMillimetres(inch.majorMinimum)};
}

TapLimit unifiedTapLimit(Rational majorInch, Rational threadsPerInch, int threadClass) {
    const auto hole = unifiedInternalPitch(majorInch, threadsPerInch, threadClass);
    if (!hole || majorInch > Rational{1, 1})
        return {};
    const auto size = inTenThousandths(majorInch);
    for (const CatalogueTap& c : kCatalogueTaps) {
        if (threadClass >= 2 && size == c.major && threadsPerInch == Rational{c.threadsPerInch, 1})
            return {threadClass == 2 ? c.h2B : c.h3B, true};
    }
    // 40 % of the tolerance in steps of 0.0005 in (500 millionths), up.
    const std::int64_t share = (hole->pitch.maximum - hole->pitch.minimum) * 4;
    return {int(std::max<std::int64_t>(1, (share + 10 * 500 - 1) / (10 * 500))), false};
}

} // namespace vornel::threads
