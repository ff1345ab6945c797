#include "threads/thread_limits.h"

#include "threads/standard_sizes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <tuple>

namespace vornel::threads {
namespace {

// ---- ISO 965-1 ----

// The R40 series of preferred numbers as ISO 965-1 prints its tolerances and
// deviations, in micrometres, from 17 (R40's number 49, 10^(49/40) = 16.8),
// the smallest it prints. Below 100 in whole micrometres: R40's 21.2 is 21,
// 23.6 is 24, 26.5 is 26, 31.5 is 32 …
// clang-format off
constexpr int kR40[] = {
      17,   18,   19,   20,   21,   22,   24,   25,   26,   28,   30,   32,   34,   36,   38,
      40,   42,   45,   48,   50,   53,   56,   60,   63,   67,   71,   75,   80,   85,   90,
      95,  100,  106,  112,  118,  125,  132,  140,  150,  160,  170,  180,  190,  200,  212,
     224,  236,  250,  265,  280,  300,  315,  335,  355,  375,  400,  425,  450,  475,  500,
     530,  560,  600,  630,  670,  710,  750,  800,  850,  900,  950, 1000, 1060, 1120, 1180,
    1250, 1320, 1400, 1500, 1600,
};
// clang-format on
constexpr long kFirstR40 = 49;

// The member of R40 nearest a value in micrometres (nearest as the series is
// spaced: by the logarithm), as printed.
int roundedR40(long double micrometres) {
    const long k = std::lround(40 * std::log10(micrometres)) - kFirstR40;
    return kR40[std::size_t(std::clamp(k, 0L, long(std::size(kR40)) - 1))];
}

// The diameter ranges of ISO 965-1's pitch diameter tables, over the first
// diameter up to and including the second, each with the pitches its tables
// list (0 fills).
struct IsoRange {
    Millionths over;
    Millionths upTo;
    std::array<Millionths, 7> pitches;
};

// clang-format off
constexpr IsoRange kIsoRanges[] = {
    {    990'000,   1'400'000, {200'000, 250'000, 300'000}},
    {  1'400'000,   2'800'000, {200'000, 250'000, 350'000, 400'000, 450'000}},
    {  2'800'000,   5'600'000, {350'000, 500'000, 600'000, 700'000, 750'000, 800'000}},
    {  5'600'000,  11'200'000, {750'000, 1'000'000, 1'250'000, 1'500'000}},
    { 11'200'000,  22'400'000, {1'000'000, 1'250'000, 1'500'000, 1'750'000, 2'000'000,
                                2'500'000}},
    { 22'400'000,  45'000'000, {1'000'000, 1'500'000, 2'000'000, 3'000'000, 3'500'000,
                                4'000'000, 4'500'000}},
    { 45'000'000,  90'000'000, {1'500'000, 2'000'000, 3'000'000, 4'000'000, 5'000'000,
                                5'500'000, 6'000'000}},
    { 90'000'000, 180'000'000, {2'000'000, 3'000'000, 4'000'000, 6'000'000, 8'000'000}},
    {180'000'000, 355'000'000, {3'000'000, 4'000'000, 6'000'000, 8'000'000}},
};
// clang-format on

// Cells where the standard prints a grade 6 tolerance other than its
// formula's, rounded: the grades of those rows follow the printed value.
struct PrintedCell {
    Millionths upTo; // the range, by its upper end; 0 for the major diameter
    Millionths pitch;
    int micrometres;
};
constexpr PrintedCell kPrintedPitchTolerances[] = {
    {5'600'000, 500'000, 75},      {5'600'000, 750'000, 90},      {90'000'000, 5'000'000, 250},
    {355'000'000, 3'000'000, 250}, {355'000'000, 4'000'000, 280},
};
constexpr PrintedCell kPrintedMajorTolerances[] = {{0, 200'000, 56}, {0, 4'000'000, 475}};

std::optional<int> printed(std::span<const PrintedCell> cells, Millionths upTo, Millionths pitch) {
    for (const PrintedCell& c : cells) {
        if (c.upTo == upTo && c.pitch == pitch)
            return c.micrometres;
    }
    return std::nullopt;
}

// The grades' factors on grade 6, from grade 3 to 9.
constexpr std::array<long double, 7> kGradeFactors = {0.5L, 0.63L, 0.8L, 1.0L, 1.25L, 1.6L, 2.0L};

// The smallest pitch the standard gives a grade: of the external thread's
// pitch diameter, of its major diameter and of the internal thread's pitch
// diameter, from grade 3 to 9; 0 for a grade it does not have.
constexpr std::array<Millionths, 7> kExternalPitchFrom = {1, 1, 1, 1, 350'000, 800'000, 800'000};
constexpr std::array<Millionths, 7> kMajorFrom = {0, 1, 0, 1, 0, 800'000, 0};
constexpr std::array<Millionths, 7> kInternalPitchFrom = {0,       1,       250'000, 300'000,
                                                          500'000, 800'000, 0};

bool hasGrade(const std::array<Millionths, 7>& from, int grade, Millionths pitchMm) {
    if (grade < 3 || grade > 9)
        return false;
    const Millionths first = from[std::size_t(grade - 3)];
    return first != 0 && pitchMm >= first;
}

long double factor(int grade) {
    return kGradeFactors[std::size_t(grade - 3)];
}

// The pitch diameter tolerance of grade 6 of an external thread, Td2(6) =
// 90 P^0.4 d^0.1 µm with d the geometric mean of the diameter's range, to
// R40; 0 where the standard's tables have no such cell.
int pitchTolerance6(Millionths majorMm, Millionths pitchMm) {
    if (pitchMm <= 0)
        return 0;
    const auto* range =
        std::find_if(std::begin(kIsoRanges), std::end(kIsoRanges),
                     [&](const IsoRange& r) { return r.over < majorMm && majorMm <= r.upTo; });
    if (range == std::end(kIsoRanges) ||
        std::find(range->pitches.begin(), range->pitches.end(), pitchMm) == range->pitches.end())
        return 0;
    if (const auto value = printed(kPrintedPitchTolerances, range->upTo, pitchMm))
        return *value;
    // The formula's values, worked once for every cell of the tables: a search
    // asks for them at each keystroke.
    static const auto formula = [] {
        std::array<std::array<int, std::tuple_size_v<decltype(IsoRange::pitches)>>,
                   std::size(kIsoRanges)>
            cells{};
        for (std::size_t r = 0; r < std::size(kIsoRanges); ++r) {
            const IsoRange& at = kIsoRanges[r];
            const long double d = std::sqrt(static_cast<long double>(at.over) * at.upTo) / kMillion;
            for (std::size_t i = 0; i < at.pitches.size(); ++i) {
                const long double p = static_cast<long double>(at.pitches[i]) / kMillion;
                if (p > 0)
                    cells[r][i] = roundedR40(90 * std::pow(p, 0.4L) * std::pow(d, 0.1L));
            }
        }
        return cells;
    }();
    const auto slot = std::find(range->pitches.begin(), range->pitches.end(), pitchMm);
    return formula[std::size_t(range - std::begin(kIsoRanges))]
                  [std::size_t(slot - range->pitches.begin())];
}

// The major diameter tolerance of an external thread, Td(6) = 180 P^(2/3) −
// 3.15 P^(−1/2) µm to R40 and the other grades from it, but for the cells the
// standard prints otherwise.
int majorTolerance(Millionths pitchMm, int grade) {
    if (grade == 8 && pitchMm == 8'000'000)
        return 1180;
    const long double p = static_cast<long double>(pitchMm) / kMillion;
    const int six = printed(kPrintedMajorTolerances, 0, pitchMm)
                        .value_or(roundedR40(180 * std::cbrt(p * p) - 3.15L / std::sqrt(p)));
    return roundedR40(factor(grade) * six);
}

// The basic pitch diameter d − 0.649519 P to 0.001 mm, in millionths.
std::optional<Millionths> isoBasicPitch(Millionths majorMm, Millionths pitchMm) {
    const std::int64_t exact = majorMm * kMillion - pitchMm * kIsoPitchDepthMillionths;
    if (exact <= 0)
        return std::nullopt;
    return roundedDivision(exact, kMillion * 1000) * 1000;
}

// ---- ASME B1.1 ----

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

std::optional<ExternalLimits> isoExternal(Millionths majorMm, Millionths pitchMm, int pitchGrade,
                                          int crestGrade, char16_t position) {
    const auto row = isoDeviations(pitchMm);
    const int six = pitchTolerance6(majorMm, pitchMm);
    if (!row || six == 0 || !hasGrade(kExternalPitchFrom, pitchGrade, pitchMm) ||
        !hasGrade(kMajorFrom, crestGrade, pitchMm))
        return std::nullopt;
    const auto basic = isoBasicPitch(majorMm, pitchMm);
    if (!basic)
        return std::nullopt;
    const auto tabled = [](int micrometres) {
        return micrometres != 0 ? std::optional<Millionths>(-1000 * micrometres) : std::nullopt;
    };
    std::optional<Millionths> deviation;
    switch (position) {
    case u'e':
        deviation = tabled(row->e);
        break;
    case u'f':
        deviation = tabled(row->f);
        break;
    case u'g':
        deviation = tabled(row->g);
        break;
    case u'h':
        deviation = 0;
        break;
    default:
        break;
    }
    if (!deviation)
        return std::nullopt;
    const Millionths majorMax = majorMm + *deviation;
    const Millionths pitchMax = *basic + *deviation;
    return ExternalLimits{{majorMax - majorTolerance(pitchMm, crestGrade) * 1000, majorMax},
                          {pitchMax - roundedR40(factor(pitchGrade) * six) * 1000, pitchMax}};
}

std::optional<InternalPitchLimits> isoInternalPitch(Millionths majorMm, Millionths pitchMm,
                                                    int grade, char16_t position) {
    const int six = pitchTolerance6(majorMm, pitchMm);
    if (six == 0 || (position != u'G' && position != u'H') ||
        !hasGrade(kInternalPitchFrom, grade, pitchMm))
        return std::nullopt;
    const auto basic = isoBasicPitch(majorMm, pitchMm);
    const auto deviations = isoDeviations(pitchMm);
    if (!basic || !deviations)
        return std::nullopt;
    const Millionths deviation = position == u'G' ? deviations->g * 1000 : 0;
    const Millionths minimum = *basic + deviation;
    return InternalPitchLimits{{minimum, minimum + roundedR40(1.32L * factor(grade) * six) * 1000},
                               majorMm + deviation};
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

TapClass isoTapClass(int grade, char16_t position) {
    if (grade < 4 || grade > 8 || (position != u'G' && position != u'H'))
        return {0, TapClassGap::NotIsoClass};
    if (position == u'H')
        return {grade <= 5 ? 1 : grade == 6 ? 2 : 3, TapClassGap::None};
    if (grade >= 7)
        return {0, TapClassGap::NotInIso2857};
    return {grade <= 5 ? 2 : 3, TapClassGap::None};
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
