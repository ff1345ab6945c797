#include "threads/three_wire.h"

#include "threads/measurement.h"

#include <cmath>
#include <numbers>

namespace vornel::threads {
namespace {

using Real = long double;

// A groove seen in the axial section, lengths for a pitch of 1, heights
// from the sharp V's bottom. A wire of radius r sits with its centre
// r / sin(α/2) up, its top r (1 + 1/sin(α/2)) up, and touches the flanks
// r cos²(α/2) / sin(α/2) up.
struct Groove {
    Real halfAngle = 0; // α/2 in radians
    Real crestTop = 0;  // the bolt's crest: the top a wire must rise above
    Real flankTop = 0;  // where the flank's straight part ends under the crest
};

constexpr Real kDegree = std::numbers::pi_v<Real> / 180;

std::optional<Groove> groove(Family family) {
    switch (family) {
    case Family::IsoMetric:
    case Family::Unified: {
        // The fundamental triangle H = √3/2; a bolt's crest is a flat H/8
        // down, and the flank runs straight up to it.
        const Real h = std::numbers::sqrt3_v<Real> / 2;
        return Groove{30 * kDegree, 7 * h / 8, 7 * h / 8};
    }
    case Family::Whitworth:
    case Family::PipeG: {
        // H = 0.960491, crests rounded with r = 0.137329 to H/6 below the
        // sharp V's top; the arc meets the flank r cos²(α/2) / sin(α/2)
        // below that top.
        const Real half = 27.5L * kDegree;
        const Real h = 0.960491L;
        const Real radius = 0.137329L;
        const Real cosine = std::cos(half);
        return Groove{half, 5 * h / 6, h - radius * cosine * cosine / std::sin(half)};
    }
    default:
        return std::nullopt;
    }
}

Real millimetres(Rational value) {
    return static_cast<Real>(value.num) / static_cast<Real>(value.den);
}

Millionths millionths(Real mm) {
    return static_cast<Millionths>(std::llround(mm * kMillion));
}

bool isPitch(Rational pitchMm) {
    return pitchMm.num > 0 && pitchMm.den > 0 &&
           Rational{pitchMm.num, pitchMm.den} <= Rational{kLargestMeasuredPitch, kMillion};
}

// M over a wire `w` for a pitch diameter `d2`, plain and with the lead
// angle's term.
struct OverOne {
    Real plain = 0;
    Real leadAngle = 0;
};

OverOne overWire(const Groove& g, Real pitch, Real d2, Real w) {
    const Real s = std::sin(g.halfAngle);
    const Real c = std::cos(g.halfAngle);
    const Real cot = c / s;
    const Real plain = d2 + w * (1 + 1 / s) - pitch / 2 * cot;
    const Real tanLead = pitch / (std::numbers::pi_v<Real> * d2);
    return {plain, plain + w * tanLead * tanLead * c * cot / 2};
}

// To 0.001 mm, half up (every figure here is positive).
Millionths thousandths(Millionths value) {
    return roundedDivision(value, 1000);
}

OverWires overWires(const Groove& g, Real pitch, const DiameterRange& d2, Millionths wire) {
    const Real w = static_cast<Real>(wire) / kMillion;
    const OverOne low = overWire(g, pitch, static_cast<Real>(d2.minimum) / kMillion, w);
    const OverOne high = overWire(g, pitch, static_cast<Real>(d2.maximum) / kMillion, w);
    const DiameterRange plain{millionths(low.plain), millionths(high.plain)};
    const DiameterRange corrected{millionths(low.leadAngle), millionths(high.leadAngle)};
    if (thousandths(plain.minimum) == thousandths(corrected.minimum) &&
        thousandths(plain.maximum) == thousandths(corrected.maximum))
        return {wire, plain, OverWiresFormula::Plain};
    return {wire, corrected, OverWiresFormula::LeadAngle};
}

} // namespace

std::optional<int> flankAngle(Family family) {
    const std::optional<Groove> g = groove(family);
    if (!g)
        return std::nullopt;
    return static_cast<int>(std::lround(2 * g->halfAngle / kDegree));
}

std::optional<WireSizes> wireSizes(Family family, Rational pitchMm) {
    const std::optional<Groove> g = groove(family);
    if (!g || !isPitch(pitchMm))
        return std::nullopt;
    const Real p = millimetres(pitchMm);
    const Real s = std::sin(g->halfAngle);
    const Real c = std::cos(g->halfAngle);
    return WireSizes{millionths(2 * g->crestTop * p / (1 + 1 / s)), millionths(p / (2 * c)),
                     millionths(2 * g->flankTop * p * s / (c * c))};
}

WireFit wireFit(const WireSizes& sizes, Millionths wire) {
    if (wire < sizes.smallest)
        return WireFit::TooSmall;
    return wire > sizes.largest ? WireFit::TooLarge : WireFit::Fits;
}

ThreeWireAnswer threeWires(Family family, bool external, Rational pitchMm,
                           const DiameterRange& pitchDiameter, std::optional<Millionths> wire) {
    if (!external)
        return {ThreeWireProblem::InternalThread, std::nullopt};
    const std::optional<Groove> g = groove(family);
    if (!g)
        return {ThreeWireProblem::NoStraightFlanks, std::nullopt};
    const std::optional<WireSizes> sizes = wireSizes(family, pitchMm);
    if (!sizes)
        return {ThreeWireProblem::NoPitch, std::nullopt};
    if (pitchDiameter.minimum <= 0 || pitchDiameter.minimum > pitchDiameter.maximum ||
        pitchDiameter.maximum > kLargestMeasuredDiameter)
        return {ThreeWireProblem::NoLimits, std::nullopt};
    const Real p = millimetres(pitchMm);
    ThreeWireCheck check{*sizes, overWires(*g, p, pitchDiameter, sizes->best), WireFit::Fits,
                         std::nullopt};
    if (wire) {
        check.givenFit = wireFit(*sizes, *wire);
        if (check.givenFit == WireFit::Fits)
            check.overGiven = overWires(*g, p, pitchDiameter, *wire);
    }
    return {ThreeWireProblem::None, check};
}

DiameterRange exactMillimetres(const DiameterRange& inch) {
    // 25.4 = 127/5; ASME's limits are whole 0.0001 in, 100 millionths.
    const auto exact = [](Millionths value) {
        return value * kInchMillimetres.num / kInchMillimetres.den;
    };
    return {exact(inch.minimum), exact(inch.maximum)};
}

} // namespace vornel::threads
