#pragma once

#include "threads/thread.h"

#include <optional>

namespace vornel::threads {

// The limits of an internal thread's minor diameter.
struct MinorLimits {
    Millionths minimum = 0;
    Millionths maximum = 0;

    friend bool operator==(const MinorLimits&, const MinorLimits&) = default;
};

// The fundamental deviation of an ISO metric internal thread.
enum class Position { G, H };

// ISO 965-1: the minor diameter of an ISO metric internal thread of tolerance
// grade 4 to 8 at position G or H, in millionths of a millimetre, the basic
// minor diameter rounded to 0.001 mm as ISO 724 prints it. Nothing where the
// standard gives no tolerance for that grade and pitch.
std::optional<MinorLimits> isoInternalMinor(Millionths majorMm, Millionths pitchMm, int grade,
                                            Position position);

// ISO 965-1's fundamental deviations for a pitch, in micrometres as the
// standard prints them: EI of G (es of g is −EI), and es of e (from 0.5 mm)
// and of f (from 0.35 mm) as magnitudes, 0 where it gives none. Nothing for
// a pitch its tables lack.
struct IsoDeviations {
    int g = 0;
    int e = 0;
    int f = 0;
};
std::optional<IsoDeviations> isoDeviations(Millionths pitchMm);

// ASME B1.1: the minor diameter of a unified internal thread of class 1B, 2B
// or 3B (threadClass 1, 2 or 3), in millionths of an inch, rounded as the
// standard's tables print it: from No. 6 up the minimum to 0.001 in, and the
// maximum too for classes 1B and 2B; 0.0001 in otherwise. The threads per
// inch are a fraction for the 4½ of 2 and 2¼ UNC. Nothing for a size, a
// pitch or a class it does not cover: class 1 is UNC's and UNF's from 1/4 in.
// Every limit of ASME B1.1 that Vornel works out is of a class this gives.
std::optional<MinorLimits> unifiedInternalMinor(Rational majorInch, Rational threadsPerInch,
                                                int threadClass);
inline std::optional<MinorLimits> unifiedInternalMinor(Rational majorInch, int threadsPerInch,
                                                       int threadClass) {
    return unifiedInternalMinor(majorInch, Rational{threadsPerInch, 1}, threadClass);
}

} // namespace vornel::threads
