#pragma once

// ASME B1.1's tolerances of unified threads, from its formulas as its
// tables print them, and the tap makers' H limits for them.

#include "threads/thread.h"

#include <optional>

namespace vornel::threads {

// ASME B1.1: the minor diameter of a unified internal thread of class 1B, 2B
// or 3B (threadClass 1, 2 or 3), in millionths of an inch, rounded as the
// standard's tables print it: from No. 6 up the minimum to 0.001 in, and the
// maximum too for classes 1B and 2B; 0.0001 in otherwise. The threads per
// inch are a fraction for the 4½ of 2 and 2¼ UNC. Nothing for a size, a
// pitch or a class it does not cover: class 1 is UNC's and UNF's from 1/4 in.
// Every limit of ASME B1.1 that Vornel works out is of a class this gives.
std::optional<DiameterRange> unifiedInternalMinor(Rational majorInch, Rational threadsPerInch,
                                                  int threadClass);
inline std::optional<DiameterRange> unifiedInternalMinor(Rational majorInch, int threadsPerInch,
                                                         int threadClass) {
    return unifiedInternalMinor(majorInch, Rational{threadsPerInch, 1}, threadClass);
}

// ASME B1.1: a unified external thread of class 1A, 2A or 3A (threadClass 1,
// 2 or 3), in millionths of an inch, each limit to 0.0001 in as the
// standard's tables print it. Class 1A only for UNC and UNF from 1/4 in, as
// the standard gives it. The threads per inch are a fraction for the 4½ of
// 2 and 2¼ UNC. Nothing for a size, a pitch or a class it does not cover.
std::optional<ExternalLimits> unifiedExternal(Rational majorInch, Rational threadsPerInch,
                                              int threadClass);

// ASME B1.1: the pitch diameter of a unified internal thread of class 1B, 2B
// or 3B and its smallest major diameter (the basic one), in millionths of an
// inch to 0.0001 in.
std::optional<InternalPitchLimits> unifiedInternalPitch(Rational majorInch, Rational threadsPerInch,
                                                        int threadClass);

// A length in millionths of an inch in millionths of a millimetre, to
// 0.001 mm as Vornel shows every length.
Millionths inchToMillimetres(Millionths inchMillionths);
ExternalLimits inMillimetres(const ExternalLimits& inch);
InternalPitchLimits inMillimetres(const InternalPitchLimits& inch);

// A ground-thread tap for a unified internal thread, by the tap makers' H
// limits: Hn has a pitch diameter from basic + (n − 1) × 0.0005 in to basic +
// n × 0.0005 in, the steps they make taps to through 1 in.
struct TapLimit {
    int h = 0;                  // n; 0 where there is none (past 1 in, or no class)
    bool fromCatalogue = false; // a tap maker's table names it; else the 40 % rule
    friend bool operator==(const TapLimit&, const TapLimit&) = default;
};

// The H limit for a class 1B, 2B or 3B hole (threadClass 1, 2 or 3): for
// 2B and 3B of the sizes a tap maker's table lists (No. 0-80 to 3/4-10,
// UNC and UNF), the one it recommends; else the one whose band holds basic +
// 40 % of the class's pitch diameter tolerance, the rule tap makers give for
// placing a tap in the tolerance. Nothing past 1 in or for a class that
// unifiedInternalPitch does not give.
TapLimit unifiedTapLimit(Rational majorInch, Rational threadsPerInch, int threadClass);

} // namespace vornel::threads
