#pragma once

#include "threads/thread.h"

#include <optional>

namespace vornel::threads {

// A bolt's pitch diameter measured over three wires with a micrometer: two
// wires in neighbouring grooves on one side, one opposite. Every length is in
// millionths of a millimetre.

// The included angle of a thread whose flanks are straight enough to carry
// wires: 60° for ISO metric and unified threads, 55° for Whitworth and G.
// None for the taper pipe threads and the rest, which gauges check.
std::optional<int> flankAngle(Family family);

// The wires that touch a bolt's flanks. The best one touches them on the
// pitch line, P / (2 cos(α/2)). A smaller one sits deeper: below `smallest`
// its top is under the crests and the micrometer's anvil bears on the
// thread. A larger one rides higher: above `largest` it touches the flanks
// past their straight part, at the crest's corner (60°: the crest flat) or
// on its rounding (55°).
struct WireSizes {
    Millionths smallest = 0;
    Millionths best = 0;
    Millionths largest = 0;
    friend bool operator==(const WireSizes&, const WireSizes&) = default;
};

// None for a family without flanks for wires or a pitch that is no pitch.
std::optional<WireSizes> wireSizes(Family family, Rational pitchMm);

enum class WireFit {
    Fits,
    TooSmall, // sunk below the crests (or no wire at all)
    TooLarge, // off the flanks' straight part
};
WireFit wireFit(const WireSizes& sizes, Millionths wire);

// How M was worked out. Plain: ASME B1.2's three-wire formula
// M = d2 + w (1 + 1/sin(α/2)) − (P/2) cot(α/2). LeadAngle: the same plus
// w · ½ tan²λ cos(α/2) cot(α/2), λ the lead angle, tan λ = P / (π d2), used
// where it changes M at 0.001 mm, the micrometer's last digit.
enum class OverWiresFormula { Plain, LeadAngle };

// M over one size of wire for the smallest and the largest pitch diameter.
struct OverWires {
    Millionths wire = 0;
    DiameterRange m;
    OverWiresFormula formula = OverWiresFormula::Plain;
    friend bool operator==(const OverWires&, const OverWires&) = default;
};

// The figures an inspector needs for one bolt.
struct ThreeWireCheck {
    WireSizes wires;
    OverWires overBest;
    // For the wire in hand, where one is given: whether it fits, and M over
    // it where it does.
    WireFit givenFit = WireFit::Fits;
    std::optional<OverWires> overGiven;
    friend bool operator==(const ThreeWireCheck&, const ThreeWireCheck&) = default;
};

enum class ThreeWireProblem {
    None,
    InternalThread,   // a nut's thread: three wires measure a bolt
    NoStraightFlanks, // a family flankAngle gives nothing
    NoPitch,          // no pitch, or past any thread's
    NoLimits,         // the pitch diameter limits are empty or reversed
};

// `check` is there exactly where `problem` is None.
struct ThreeWireAnswer {
    ThreeWireProblem problem = ThreeWireProblem::None;
    std::optional<ThreeWireCheck> check;
    friend bool operator==(const ThreeWireAnswer&, const ThreeWireAnswer&) = default;
};

// The best wire and M's limits for a thread's pitch diameter limits, and M
// over `wire` where one is given.
ThreeWireAnswer threeWires(Family family, bool external, Rational pitchMm,
                           const DiameterRange& pitchDiameter,
                           std::optional<Millionths> wire = std::nullopt);

// Limits of ASME B1.1 in millionths of an inch in millionths of a
// millimetre exactly: M worked from the limits rounded to 0.001 mm, as
// inMillimetres gives them, can miss its last digit.
DiameterRange exactMillimetres(const DiameterRange& inch);

} // namespace vornel::threads
