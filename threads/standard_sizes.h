#pragma once

#include "threads/thread.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace vornel::threads {

// ISO 261: the pitches of an ISO metric size of choice 1, 2 or 3 from 1 to
// 300 mm, in millionths of a millimetre: its coarse pitch first where it has
// one, then its fine pitches as the standard lists them. Empty for a
// diameter that is no such size.
std::span<const Millionths> isoPitches(Millionths majorMm);
// Whether the pitch is the size's coarse pitch.
bool isIsoCoarse(Millionths majorMm, Millionths pitchMm);
// Whether the standard gives the size that pitch, coarse or fine.
bool isIsoPitch(Millionths majorMm, Millionths pitchMm);

// ASME B1.1's rule for the basic major diameter of a numbered size No. n,
// 0.060 + 0.013 n inch, for whatever number a designation writes.
constexpr Rational numberedMajor(Rational number) {
    return reduced(60 * number.den + 13 * number.num, 1000 * number.den);
}
// The standard's numbered sizes, No. 0 to 12, by that rule.
std::optional<Rational> numberedSizeMajor(int number);

// A standard series of a unified size: "UNC", "UNF", "UNEF" or a
// constant-pitch series "4UN" … "32UN", with its threads per inch (4½ for
// 2 and 2¼ UNC).
struct UnifiedSeries {
    std::string_view name;
    Rational threadsPerInch;

    friend bool operator==(const UnifiedSeries&, const UnifiedSeries&) = default;
};

// The standard series of a size, No. 0 to 6 inch: UNC, UNF and UNEF first,
// then the constant-pitch series that cover it, which the graded series'
// own pitches may repeat (1 in: UNC 8 and 8UN 8). Empty for a size that is
// not the standard's.
std::vector<UnifiedSeries> unifiedSeries(Rational majorInch);
// The series under which a size has that many threads per inch; empty where
// the pair is not a standard one (a UNS thread or no thread at all).
std::vector<std::string_view> unifiedSeriesOf(Rational majorInch, Rational threadsPerInch);

} // namespace vornel::threads
