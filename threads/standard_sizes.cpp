#include "threads/standard_sizes.h"

#include <algorithm>
#include <array>

namespace vornel::threads {
namespace {

using namespace literals;

// ISO 261, choices 1, 2 and 3: each size's pitches, its coarse pitch first
// where it has one, then its fine pitches.
struct IsoSize {
    Millionths major;
    bool coarse;
    std::array<Millionths, 6> pitches; // 0 past the last
};

// clang-format off
constexpr IsoSize kIsoSizes[] = {
    {1_mm,   true,  {0.25_mm, 0.2_mm}},
    {1.1_mm, true,  {0.25_mm, 0.2_mm}},
    {1.2_mm, true,  {0.25_mm, 0.2_mm}},
    {1.4_mm, true,  {0.3_mm, 0.2_mm}},
    {1.6_mm, true,  {0.35_mm, 0.2_mm}},
    {1.8_mm, true,  {0.35_mm, 0.2_mm}},
    {2_mm,   true,  {0.4_mm, 0.25_mm}},
    {2.2_mm, true,  {0.45_mm, 0.25_mm}},
    {2.5_mm, true,  {0.45_mm, 0.35_mm}},
    {3_mm,   true,  {0.5_mm, 0.35_mm}},
    {3.5_mm, true,  {0.6_mm, 0.35_mm}},
    {4_mm,   true,  {0.7_mm, 0.5_mm}},
    {4.5_mm, true,  {0.75_mm, 0.5_mm}},
    {5_mm,   true,  {0.8_mm, 0.5_mm}},
    {5.5_mm, false, {0.5_mm}},
    {6_mm,   true,  {1_mm, 0.75_mm}},
    {7_mm,   true,  {1_mm, 0.75_mm}},
    {8_mm,   true,  {1.25_mm, 1_mm, 0.75_mm}},
    {9_mm,   true,  {1.25_mm, 1_mm, 0.75_mm}},
    {10_mm,  true,  {1.5_mm, 1.25_mm, 1_mm, 0.75_mm}},
    {11_mm,  true,  {1.5_mm, 1_mm, 0.75_mm}},
    {12_mm,  true,  {1.75_mm, 1.5_mm, 1.25_mm, 1_mm}},
    {14_mm,  true,  {2_mm, 1.5_mm, 1.25_mm, 1_mm}},
    {15_mm,  false, {1.5_mm, 1_mm}},
    {16_mm,  true,  {2_mm, 1.5_mm, 1_mm}},
    {17_mm,  false, {1.5_mm, 1_mm}},
    {18_mm,  true,  {2.5_mm, 2_mm, 1.5_mm, 1_mm}},
    {20_mm,  true,  {2.5_mm, 2_mm, 1.5_mm, 1_mm}},
    {22_mm,  true,  {2.5_mm, 2_mm, 1.5_mm, 1_mm}},
    {24_mm,  true,  {3_mm, 2_mm, 1.5_mm, 1_mm}},
    {25_mm,  false, {2_mm, 1.5_mm, 1_mm}},
    {26_mm,  false, {1.5_mm}},
    {27_mm,  true,  {3_mm, 2_mm, 1.5_mm, 1_mm}},
    {28_mm,  false, {2_mm, 1.5_mm, 1_mm}},
    {30_mm,  true,  {3.5_mm, 3_mm, 2_mm, 1.5_mm, 1_mm}},
    {32_mm,  false, {2_mm, 1.5_mm}},
    {33_mm,  true,  {3.5_mm, 3_mm, 2_mm, 1.5_mm}},
    {35_mm,  false, {1.5_mm}},
    {36_mm,  true,  {4_mm, 3_mm, 2_mm, 1.5_mm}},
    {38_mm,  false, {1.5_mm}},
    {39_mm,  true,  {4_mm, 3_mm, 2_mm, 1.5_mm}},
    {40_mm,  false, {3_mm, 2_mm, 1.5_mm}},
    {42_mm,  true,  {4.5_mm, 4_mm, 3_mm, 2_mm, 1.5_mm}},
    {45_mm,  true,  {4.5_mm, 4_mm, 3_mm, 2_mm, 1.5_mm}},
    {48_mm,  true,  {5_mm, 4_mm, 3_mm, 2_mm, 1.5_mm}},
    {50_mm,  false, {3_mm, 2_mm, 1.5_mm}},
    {52_mm,  true,  {5_mm, 4_mm, 3_mm, 2_mm, 1.5_mm}},
    {55_mm,  false, {4_mm, 3_mm, 2_mm, 1.5_mm}},
    {56_mm,  true,  {5.5_mm, 4_mm, 3_mm, 2_mm, 1.5_mm}},
    {58_mm,  false, {4_mm, 3_mm, 2_mm, 1.5_mm}},
    {60_mm,  true,  {5.5_mm, 4_mm, 3_mm, 2_mm, 1.5_mm}},
    {62_mm,  false, {4_mm, 3_mm, 2_mm, 1.5_mm}},
    {64_mm,  true,  {6_mm, 4_mm, 3_mm, 2_mm, 1.5_mm}},
    {65_mm,  false, {4_mm, 3_mm, 2_mm, 1.5_mm}},
    {68_mm,  true,  {6_mm, 4_mm, 3_mm, 2_mm, 1.5_mm}},
    {70_mm,  false, {6_mm, 4_mm, 3_mm, 2_mm, 1.5_mm}},
    {72_mm,  false, {6_mm, 4_mm, 3_mm, 2_mm, 1.5_mm}},
    {75_mm,  false, {4_mm, 3_mm, 2_mm, 1.5_mm}},
    {76_mm,  false, {6_mm, 4_mm, 3_mm, 2_mm, 1.5_mm}},
    {78_mm,  false, {2_mm}},
    {80_mm,  false, {6_mm, 4_mm, 3_mm, 2_mm, 1.5_mm}},
    {82_mm,  false, {2_mm}},
    {85_mm,  false, {6_mm, 4_mm, 3_mm, 2_mm}},
    {90_mm,  false, {6_mm, 4_mm, 3_mm, 2_mm}},
    {95_mm,  false, {6_mm, 4_mm, 3_mm, 2_mm}},
    {100_mm, false, {6_mm, 4_mm, 3_mm, 2_mm}},
    {105_mm, false, {6_mm, 4_mm, 3_mm, 2_mm}},
    {110_mm, false, {6_mm, 4_mm, 3_mm, 2_mm}},
    {115_mm, false, {6_mm, 4_mm, 3_mm, 2_mm}},
    {120_mm, false, {6_mm, 4_mm, 3_mm, 2_mm}},
    {125_mm, false, {8_mm, 6_mm, 4_mm, 3_mm, 2_mm}},
    {130_mm, false, {8_mm, 6_mm, 4_mm, 3_mm, 2_mm}},
    {135_mm, false, {6_mm, 4_mm, 3_mm, 2_mm}},
    {140_mm, false, {8_mm, 6_mm, 4_mm, 3_mm, 2_mm}},
    {145_mm, false, {6_mm, 4_mm, 3_mm, 2_mm}},
    {150_mm, false, {8_mm, 6_mm, 4_mm, 3_mm, 2_mm}},
    {155_mm, false, {6_mm, 4_mm, 3_mm}},
    {160_mm, false, {8_mm, 6_mm, 4_mm, 3_mm}},
    {165_mm, false, {6_mm, 4_mm, 3_mm}},
    {170_mm, false, {8_mm, 6_mm, 4_mm, 3_mm}},
    {175_mm, false, {6_mm, 4_mm, 3_mm}},
    {180_mm, false, {8_mm, 6_mm, 4_mm, 3_mm}},
    {185_mm, false, {6_mm, 4_mm, 3_mm}},
    {190_mm, false, {8_mm, 6_mm, 4_mm, 3_mm}},
    {195_mm, false, {6_mm, 4_mm, 3_mm}},
    {200_mm, false, {8_mm, 6_mm, 4_mm, 3_mm}},
    {205_mm, false, {6_mm, 4_mm, 3_mm}},
    {210_mm, false, {8_mm, 6_mm, 4_mm, 3_mm}},
    {215_mm, false, {6_mm, 4_mm, 3_mm}},
    {220_mm, false, {8_mm, 6_mm, 4_mm, 3_mm}},
    {225_mm, false, {6_mm, 4_mm, 3_mm}},
    {230_mm, false, {8_mm, 6_mm, 4_mm, 3_mm}},
    {235_mm, false, {6_mm, 4_mm, 3_mm}},
    {240_mm, false, {8_mm, 6_mm, 4_mm, 3_mm}},
    {245_mm, false, {6_mm, 4_mm, 3_mm}},
    {250_mm, false, {8_mm, 6_mm, 4_mm, 3_mm}},
    {255_mm, false, {6_mm, 4_mm}},
    {260_mm, false, {8_mm, 6_mm, 4_mm}},
    {265_mm, false, {6_mm, 4_mm}},
    {270_mm, false, {8_mm, 6_mm, 4_mm}},
    {275_mm, false, {6_mm, 4_mm}},
    {280_mm, false, {8_mm, 6_mm, 4_mm}},
    {285_mm, false, {6_mm, 4_mm}},
    {290_mm, false, {8_mm, 6_mm, 4_mm}},
    {295_mm, false, {6_mm, 4_mm}},
    {300_mm, false, {8_mm, 6_mm, 4_mm}},
};
// clang-format on

// Equal as numbers, whether or not the caller reduced them.
bool same(const Rational& a, const Rational& b) {
    return (a <=> b) == 0;
}

const IsoSize* isoSize(Millionths majorMm) {
    const auto* row = std::find_if(std::begin(kIsoSizes), std::end(kIsoSizes),
                                   [&](const IsoSize& s) { return s.major == majorMm; });
    return row == std::end(kIsoSizes) ? nullptr : row;
}

constexpr Rational numbered(int n) {
    return reduced(60 + 13 * n, 1000);
}
constexpr Rational inches(int whole, int num = 0, int den = 1) {
    return reduced(whole * den + num, den);
}

// ASME B1.1's sizes in order, each with its threads per inch in the graded
// series UNC, UNF and UNEF; 0 where the size has none.
struct UnifiedSize {
    Rational major;
    Rational unc;
    int unf;
    int unef;
};

// clang-format off
constexpr UnifiedSize kUnifiedSizes[] = {
    {numbered(0),      {0},  80,  0},
    {numbered(1),      {64}, 72,  0},
    {numbered(2),      {56}, 64,  0},
    {numbered(3),      {48}, 56,  0},
    {numbered(4),      {40}, 48,  0},
    {numbered(5),      {40}, 44,  0},
    {numbered(6),      {32}, 40,  0},
    {numbered(8),      {32}, 36,  0},
    {numbered(10),     {24}, 32,  0},
    {numbered(12),     {24}, 28, 32},
    {inches(0, 1, 4),  {20}, 28, 32},
    {inches(0, 5, 16), {18}, 24, 32},
    {inches(0, 3, 8),  {16}, 24, 32},
    {inches(0, 7, 16), {14}, 20, 28},
    {inches(0, 1, 2),  {13}, 20, 28},
    {inches(0, 9, 16), {12}, 18, 24},
    {inches(0, 5, 8),  {11}, 18, 24},
    {inches(0, 11, 16), {0},  0, 24},
    {inches(0, 3, 4),  {10}, 16, 20},
    {inches(0, 13, 16), {0},  0, 20},
    {inches(0, 7, 8),   {9}, 14, 20},
    {inches(0, 15, 16), {0},  0, 20},
    {inches(1),         {8}, 12, 20},
    {inches(1, 1, 16),  {0},  0, 18},
    {inches(1, 1, 8),   {7}, 12, 18},
    {inches(1, 3, 16),  {0},  0, 18},
    {inches(1, 1, 4),   {7}, 12, 18},
    {inches(1, 5, 16),  {0},  0, 18},
    {inches(1, 3, 8),   {6}, 12, 18},
    {inches(1, 7, 16),  {0},  0, 18},
    {inches(1, 1, 2),   {6}, 12, 18},
    {inches(1, 9, 16),  {0},  0, 18},
    {inches(1, 5, 8),   {0},  0, 18},
    {inches(1, 11, 16), {0},  0, 18},
    {inches(1, 3, 4),   {5},  0,  0},
    {inches(1, 13, 16), {0},  0,  0},
    {inches(1, 7, 8),   {0},  0,  0},
    {inches(1, 15, 16), {0},  0,  0},
    {inches(2),      {9, 2},  0,  0},
    {inches(2, 1, 8),   {0},  0,  0},
    {inches(2, 1, 4), {9, 2}, 0,  0},
    {inches(2, 3, 8),   {0},  0,  0},
    {inches(2, 1, 2),   {4},  0,  0},
    {inches(2, 5, 8),   {0},  0,  0},
    {inches(2, 3, 4),   {4},  0,  0},
    {inches(2, 7, 8),   {0},  0,  0},
    {inches(3),         {4},  0,  0},
    {inches(3, 1, 8),   {0},  0,  0},
    {inches(3, 1, 4),   {4},  0,  0},
    {inches(3, 3, 8),   {0},  0,  0},
    {inches(3, 1, 2),   {4},  0,  0},
    {inches(3, 5, 8),   {0},  0,  0},
    {inches(3, 3, 4),   {4},  0,  0},
    {inches(3, 7, 8),   {0},  0,  0},
    {inches(4),         {4},  0,  0},
    {inches(4, 1, 4),   {0},  0,  0},
    {inches(4, 1, 2),   {0},  0,  0},
    {inches(4, 3, 4),   {0},  0,  0},
    {inches(5),         {0},  0,  0},
    {inches(5, 1, 4),   {0},  0,  0},
    {inches(5, 1, 2),   {0},  0,  0},
    {inches(5, 3, 4),   {0},  0,  0},
    {inches(6),         {0},  0,  0},
};

// The constant-pitch series and the sizes they run over, ends included.
struct ConstantPitch {
    std::string_view name;
    int threadsPerInch;
    Rational first;
    Rational last;
};

constexpr ConstantPitch kConstantPitches[] = {
    {"4UN",   4, inches(2, 1, 2),  inches(6)},
    {"6UN",   6, inches(1, 3, 8),  inches(6)},
    {"8UN",   8, inches(1),        inches(6)},
    {"12UN", 12, inches(0, 9, 16), inches(6)},
    {"16UN", 16, inches(0, 3, 8),  inches(6)},
    {"20UN", 20, inches(0, 1, 4),  inches(3)},
    {"28UN", 28, numbered(12),     inches(1, 1, 2)},
    {"32UN", 32, numbered(6),      inches(1)},
};
// clang-format on

} // namespace

std::span<const Millionths> isoPitches(Millionths majorMm) {
    const IsoSize* size = isoSize(majorMm);
    if (size == nullptr)
        return {};
    const auto end = std::find(size->pitches.begin(), size->pitches.end(), 0);
    return {size->pitches.begin(), end};
}

bool isIsoCoarse(Millionths majorMm, Millionths pitchMm) {
    const IsoSize* size = isoSize(majorMm);
    return size != nullptr && size->coarse && size->pitches[0] == pitchMm;
}

bool isIsoPitch(Millionths majorMm, Millionths pitchMm) {
    const auto pitches = isoPitches(majorMm);
    return pitchMm > 0 && std::find(pitches.begin(), pitches.end(), pitchMm) != pitches.end();
}

std::optional<Rational> numberedSizeMajor(int number) {
    if (number < 0 || number > 12)
        return std::nullopt;
    return numbered(number);
}

std::vector<UnifiedSeries> unifiedSeries(Rational majorInch) {
    std::vector<UnifiedSeries> series;
    if (majorInch.den <= 0)
        return series;
    const auto* size = std::find_if(std::begin(kUnifiedSizes), std::end(kUnifiedSizes),
                                    [&](const UnifiedSize& s) { return same(s.major, majorInch); });
    if (size == std::end(kUnifiedSizes))
        return series;
    if (size->unc.num != 0)
        series.push_back({"UNC", size->unc});
    if (size->unf != 0)
        series.push_back({"UNF", {size->unf, 1}});
    if (size->unef != 0)
        series.push_back({"UNEF", {size->unef, 1}});
    for (const ConstantPitch& c : kConstantPitches) {
        if (c.first <= majorInch && majorInch <= c.last)
            series.push_back({c.name, {c.threadsPerInch, 1}});
    }
    return series;
}

std::vector<std::string_view> unifiedSeriesOf(Rational majorInch, Rational threadsPerInch) {
    std::vector<std::string_view> names;
    for (const UnifiedSeries& s : unifiedSeries(majorInch)) {
        if (threadsPerInch.den > 0 && same(s.threadsPerInch, threadsPerInch))
            names.push_back(s.name);
    }
    return names;
}

} // namespace vornel::threads
