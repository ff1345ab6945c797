#include "threads/tolerance.h"

#include "threads/standard_sizes.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vornel::threads {
namespace {

// ISO 965-1 by pitch: the fundamental deviations, in micrometres as the
// standard prints them (EI of G; es of e from 0.5 mm and f from 0.35 mm, 0
// where it gives none), and the minor diameter tolerance TD1 of grades 4 to
// 8, 0 where it gives none.
struct IsoPitch {
    Millionths pitch;
    IsoDeviations deviations;
    std::array<int, 5> minorTolerance;
};

// clang-format off
constexpr IsoPitch kIsoPitches[] = {
    {  200'000, { 17,   0,   0}, { 38,   0,    0,    0,    0}},
    {  250'000, { 18,   0,   0}, { 45,  56,    0,    0,    0}},
    {  300'000, { 18,   0,   0}, { 53,  67,   85,    0,    0}},
    {  350'000, { 19,   0,  34}, { 63,  80,  100,    0,    0}},
    {  400'000, { 19,   0,  34}, { 71,  90,  112,    0,    0}},
    {  450'000, { 20,   0,  35}, { 80, 100,  125,    0,    0}},
    {  500'000, { 20,  50,  36}, { 90, 112,  140,  180,    0}},
    {  600'000, { 21,  53,  36}, {100, 125,  160,  200,    0}},
    {  700'000, { 22,  56,  38}, {112, 140,  180,  224,    0}},
    {  750'000, { 22,  56,  38}, {118, 150,  190,  236,    0}},
    {  800'000, { 24,  60,  38}, {125, 160,  200,  250,  315}},
    {1'000'000, { 26,  60,  40}, {150, 190,  236,  300,  375}},
    {1'250'000, { 28,  63,  42}, {170, 212,  265,  335,  425}},
    {1'500'000, { 32,  67,  45}, {190, 236,  300,  375,  475}},
    {1'750'000, { 34,  71,  48}, {212, 265,  335,  425,  530}},
    {2'000'000, { 38,  71,  52}, {236, 300,  375,  475,  600}},
    {2'500'000, { 42,  80,  58}, {280, 355,  450,  560,  710}},
    {3'000'000, { 48,  85,  63}, {315, 400,  500,  630,  800}},
    {3'500'000, { 53,  90,  70}, {355, 450,  560,  710,  900}},
    {4'000'000, { 60,  95,  75}, {375, 475,  600,  750,  950}},
    {4'500'000, { 63, 100,  80}, {425, 530,  670,  850, 1060}},
    {5'000'000, { 71, 106,  85}, {450, 560,  710,  900, 1120}},
    {5'500'000, { 75, 112,  90}, {475, 600,  750,  950, 1180}},
    {6'000'000, { 80, 118,  95}, {500, 630,  800, 1000, 1250}},
    {8'000'000, {100, 140, 118}, {630, 800, 1000, 1250, 1600}},
};
// clang-format on

const IsoPitch* isoPitch(Millionths pitchMm) {
    const auto* row = std::find_if(std::begin(kIsoPitches), std::end(kIsoPitches),
                                   [&](const IsoPitch& p) { return p.pitch == pitchMm; });
    return row == std::end(kIsoPitches) ? nullptr : row;
}

// The largest diameter taken, well past ISO 965's 355 mm, so that the
// arithmetic below stays in 64 bits.
constexpr Millionths kLargestIsoMajor = 1000 * kMillion;

} // namespace

std::optional<MinorLimits> isoInternalMinor(Millionths majorMm, Millionths pitchMm, int grade,
                                            Position position) {
    if (grade < 4 || grade > 8 || majorMm <= 0 || majorMm > kLargestIsoMajor)
        return std::nullopt;
    const IsoPitch* row = isoPitch(pitchMm);
    if (row == nullptr || row->minorTolerance[grade - 4] == 0)
        return std::nullopt;
    // D1 = D − 1.082532 P, in millionths of a millionth, to 0.001 mm.
    const std::int64_t exact = majorMm * kMillion - pitchMm * kIsoTwiceH1Millionths;
    if (exact <= 0)
        return std::nullopt;
    const Millionths basic = roundedDivision(exact, kMillion * 1000) * 1000;
    const Millionths minimum = basic + (position == Position::G ? row->deviations.g * 1000 : 0);
    return MinorLimits{minimum, minimum + row->minorTolerance[grade - 4] * 1000};
}

std::optional<IsoDeviations> isoDeviations(Millionths pitchMm) {
    const IsoPitch* row = isoPitch(pitchMm);
    return row ? std::optional(row->deviations) : std::nullopt;
}

std::optional<MinorLimits> unifiedInternalMinor(Rational majorInch, Rational threadsPerInch,
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
    return MinorLimits{large ? roundedTo(minimum4, 1000) : minimum4,
                       large && threadClass != 3 ? roundedTo(maximum, 1000) : maximum};
}

} // namespace vornel::threads
