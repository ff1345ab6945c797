#include "threads/blind_hole.h"

#include "threads/measurement.h"

#include <cmath>
#include <numbers>

namespace vornel::threads {
namespace {

// A chamfer's threads as a range; the drill depth takes the longer end, so
// that the tap that has it still cuts full thread to the drawn depth.
// The forms' lengths are DIN 2197's (ISO 8830 names the same forms). The
// hand taps' are a tap maker's catalogue (taper 7–10, plug 3–5, bottoming
// 1–2); so are which forms the machine taps have: spiral-point taps form B,
// spiral-flute taps for blind holes form C.
constexpr ChamferLength kChamfers[] = {
    {Chamfer::HandTaper, {7, 1}, {10, 1}, ChamferSource::TapMakerCatalogue},
    {Chamfer::HandPlug, {3, 1}, {5, 1}, ChamferSource::TapMakerCatalogue},
    {Chamfer::HandBottoming, {1, 1}, {2, 1}, ChamferSource::TapMakerCatalogue},
    {Chamfer::SpiralPoint, {7, 2}, {11, 2}, ChamferSource::TapMakerCatalogue},
    {Chamfer::SpiralFlute, {2, 1}, {3, 1}, ChamferSource::TapMakerCatalogue},
    {Chamfer::FormA, {6, 1}, {8, 1}, ChamferSource::Standard},
    {Chamfer::FormB, {7, 2}, {11, 2}, ChamferSource::Standard},
    {Chamfer::FormC, {2, 1}, {3, 1}, ChamferSource::Standard},
    {Chamfer::FormD, {7, 2}, {5, 1}, ChamferSource::Standard},
    {Chamfer::FormE, {3, 2}, {2, 1}, ChamferSource::Standard},
    {Chamfer::FormF, {1, 1}, {3, 2}, ChamferSource::Standard},
};

constexpr int kFlattestPoint = 180;
constexpr int kSharpestPoint = 60;

} // namespace

std::span<const ChamferLength> chamferLengths() {
    return kChamfers;
}

const ChamferLength& chamferLength(Chamfer chamfer) {
    return kChamfers[static_cast<std::size_t>(chamfer)];
}

BlindHoleAnswer blindHole(Millionths threadDepth, Rational pitchMm, Millionths drill,
                          Chamfer chamfer, int pointAngle) {
    const auto fail = [](BlindHoleProblem problem) {
        return BlindHoleAnswer{problem, std::nullopt};
    };
    if (threadDepth <= 0)
        return fail(BlindHoleProblem::NoDepth);
    if (threadDepth > kDeepestThread)
        return fail(BlindHoleProblem::TooDeep);
    if (pitchMm.num <= 0 || pitchMm.den <= 0 ||
        Rational{pitchMm.num, pitchMm.den} > Rational{kLargestMeasuredPitch, kMillion})
        return fail(BlindHoleProblem::NoPitch);
    if (drill <= 0 || drill > kLargestMeasuredDiameter)
        return fail(BlindHoleProblem::NoDrill);
    if (pointAngle < kSharpestPoint || pointAngle > kFlattestPoint)
        return fail(BlindHoleProblem::PointAngle);
    const Rational threads = chamferLength(chamfer).longest;
    const Millionths incomplete =
        millionthsOf(multiplied(reduced(pitchMm.num, pitchMm.den), threads));
    const long double half = pointAngle * std::numbers::pi_v<long double> / 360;
    const Millionths point =
        pointAngle == kFlattestPoint
            ? 0
            : static_cast<Millionths>(std::llround(drill / 2.0L / std::tan(half)));
    return {BlindHoleProblem::None, BlindHole{threadDepth, incomplete, point}};
}

} // namespace vornel::threads
