#pragma once

#include "threads/thread.h"

#include <cstdint>
#include <optional>

namespace vornel::threads {

// The tensile stress area (応力断面積) of a bolt, by its standard's
// formula, unrounded: the standards print it to three significant figures
// (ASME B1.1 to four decimals of an inch below 1 in²), which the writer
// rounds to.
struct StressArea {
    std::int64_t squareMillimetres = 0;       // in millionths of a mm²
    std::optional<std::int64_t> squareInches; // in millionths of an in², unified only
    friend bool operator==(const StressArea&, const StressArea&) = default;
};

// ISO 898-1: As = π/4 ((d2 + d3)/2)², d2 = d − 0.649519 P and
// d3 = d1 − H/6 = d − 1.226869 P. None for a size or pitch that is none.
std::optional<StressArea> isoStressArea(Millionths majorMm, Millionths pitchMm);

// ASME B1.1: As = 0.7854 (D − 0.9743/n)² in², D in inches, n threads per
// inch, worked from the basic pitch diameter as the standard prints it; in
// mm² too (1 in² = 645.16 mm²).
std::optional<StressArea> unifiedStressArea(Rational majorInch, Rational threadsPerInch);

// A thread's own: ISO metric's and unified's; none for the other families,
// whose standards give no stress area.
std::optional<StressArea> stressArea(const Thread& thread);

} // namespace vornel::threads
