#include "threads/stress_area.h"

#include "threads/measurement.h"
#include "threads/standard_sizes.h"

#include <cmath>
#include <numbers>

namespace vornel::threads {
namespace {

using Real = long double;

// 645.16 mm² to the in².
constexpr Real kSquareInch = 645.16L;

Real value(Rational r) {
    return static_cast<Real>(r.num) / static_cast<Real>(r.den);
}

std::int64_t millionths(Real area) {
    return std::llround(area * kMillion);
}

} // namespace

std::optional<StressArea> isoStressArea(Millionths majorMm, Millionths pitchMm) {
    if (majorMm <= 0 || majorMm > kLargestMeasuredDiameter || pitchMm <= 0 ||
        pitchMm > kLargestMeasuredPitch)
        return std::nullopt;
    // (d2 + d3)/2 = d − (0.649519 + 1.226869)/2 P.
    const Real d = static_cast<Real>(majorMm) / kMillion;
    const Real p = static_cast<Real>(pitchMm) / kMillion;
    const Real mean = d - (kIsoPitchDepthMillionths + kRootDepthMillionths) / (2.0L * kMillion) * p;
    if (mean <= 0)
        return std::nullopt;
    return StressArea{millionths(std::numbers::pi_v<Real> / 4 * mean * mean), std::nullopt};
}

std::optional<StressArea> unifiedStressArea(Rational majorInch, Rational threadsPerInch) {
    if (majorInch.num <= 0 || majorInch.den <= 0 || threadsPerInch.num <= 0 ||
        threadsPerInch.den <= 0 || threadsPerInch.num > kMostThreadsPerInch * threadsPerInch.den)
        return std::nullopt;
    const Real d = value(majorInch);
    if (d * 25.4L > static_cast<Real>(kLargestMeasuredDiameter) / kMillion)
        return std::nullopt;
    // 0.7854 (D − 0.9743/n)² worked as the standard's table works it: from
    // the basic pitch diameter E = D − 0.649519/n as printed, to 0.0001 in,
    // less 3H/8 = 0.324760/n (0.9743 is 9H/8 rounded). Worked from D, No. 4-40
    // would come to 0.00603 in², not the 0.00604 printed.
    const Real n = value(threadsPerInch);
    const Real e = std::round((d - kUnifiedPitchDepth / 1e8L / n) * 10'000) / 10'000;
    const Real root = e - std::numbers::sqrt3_v<Real> * 3 / 16 / n;
    if (root <= 0)
        return std::nullopt;
    const Real inches = std::numbers::pi_v<Real> / 4 * root * root;
    return StressArea{millionths(inches * kSquareInch), millionths(inches)};
}

std::optional<StressArea> stressArea(const Thread& thread) {
    switch (thread.family) {
    case Family::IsoMetric:
        if (!thread.major || thread.major->num <= 0 || thread.pitch.num <= 0)
            return std::nullopt;
        return isoStressArea(millionthsOf(*thread.major), millionthsOf(thread.pitch));
    case Family::Unified:
        return unifiedStressArea(thread.numbered ? numberedMajor(thread.size) : thread.size,
                                 thread.count);
    default:
        return std::nullopt;
    }
}

} // namespace vornel::threads
