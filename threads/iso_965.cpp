#include "threads/iso_965.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <tuple>

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

} // namespace

std::optional<DiameterRange> isoInternalMinor(Millionths majorMm, Millionths pitchMm, int grade,
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
    return DiameterRange{minimum, minimum + row->minorTolerance[grade - 4] * 1000};
}

std::optional<IsoDeviations> isoDeviations(Millionths pitchMm) {
    const IsoPitch* row = isoPitch(pitchMm);
    return row ? std::optional(row->deviations) : std::nullopt;
}

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

TapClass isoTapClass(int grade, char16_t position) {
    if (grade < 4 || grade > 8 || (position != u'G' && position != u'H'))
        return {0, TapClassGap::NotIsoClass};
    if (position == u'H')
        return {grade <= 5 ? 1 : grade == 6 ? 2 : 3, TapClassGap::None};
    if (grade >= 7)
        return {0, TapClassGap::NotInIso2857};
    return {grade <= 5 ? 2 : 3, TapClassGap::None};
}

} // namespace vornel::threads
