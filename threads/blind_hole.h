#pragma once

#include "threads/thread.h"

#include <optional>
#include <span>

namespace vornel::threads {

// How deep to drill a blind hole for a thread depth on the drawing: the tap's
// chamfer cuts no full thread, so the drill goes that many threads further,
// and then the drill's point.

// The chamfers a tap comes with.
enum class Chamfer {
    HandTaper,     // 先 (taper)
    HandPlug,      // 中 (plug)
    HandBottoming, // 上げ (bottoming)
    SpiralPoint,   // a spiral-point machine tap
    SpiralFlute,   // a spiral-flute machine tap
    FormA,         // the chamfer forms of ISO 8830 and DIN 2197
    FormB,
    FormC,
    FormD,
    FormE,
    FormF,
};

// Where a chamfer's length comes from.
enum class ChamferSource {
    Standard,          // ISO 8830 / DIN 2197's forms
    TapMakerCatalogue, // a tap maker's catalogue
};

// A chamfer's length in threads as its source gives it, a range.
struct ChamferLength {
    Chamfer chamfer;
    Rational shortest;
    Rational longest;
    ChamferSource source;
};

// Every chamfer, in the order of Chamfer.
std::span<const ChamferLength> chamferLengths();
const ChamferLength& chamferLength(Chamfer chamfer);

// A drill's usual point.
inline constexpr int kDrillPointAngle = 118;
// No tapped hole comes near a metre deep.
inline constexpr Millionths kDeepestThread = 1000 * kMillion;

// The drill's depth to its shoulder (the full diameter) and its parts.
struct BlindHole {
    Millionths threadDepth = 0;       // as the drawing gives it
    Millionths incompleteThreads = 0; // the chamfer's threads × P: the longer end of its range
    Millionths point = 0;             // the cone below the shoulder: (D/2) / tan(point/2)
    Millionths drillDepth() const { return threadDepth + incompleteThreads + point; }
    friend bool operator==(const BlindHole&, const BlindHole&) = default;
};

enum class BlindHoleProblem {
    None,
    NoDepth,    // zero or less
    TooDeep,    // past kDeepestThread
    NoPitch,    // zero or less, or past any thread's
    NoDrill,    // zero or less, or past any drill's
    PointAngle, // outside 60° to 180° (a flat bottom)
};

// `hole` is there exactly where `problem` is None.
struct BlindHoleAnswer {
    BlindHoleProblem problem = BlindHoleProblem::None;
    std::optional<BlindHole> hole;
    friend bool operator==(const BlindHoleAnswer&, const BlindHoleAnswer&) = default;
};

// In millionths of a millimetre, `pointAngle` in degrees.
BlindHoleAnswer blindHole(Millionths threadDepth, Rational pitchMm, Millionths drill,
                          Chamfer chamfer, int pointAngle = kDrillPointAngle);

} // namespace vornel::threads
