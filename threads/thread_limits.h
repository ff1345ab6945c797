#pragma once

#include "threads/thread.h"
#include "threads/tolerance.h"

#include <optional>

namespace vornel::threads {

// The limits of one diameter of a thread, smallest first: the pair the
// minor diameter's are.
using DiameterLimits = MinorLimits;

// An external thread's major and pitch diameters.
struct ExternalLimits {
    DiameterLimits major;
    DiameterLimits pitch;

    friend bool operator==(const ExternalLimits&, const ExternalLimits&) = default;
};

// An internal thread's pitch diameter and the smallest major diameter, the
// one its mate's crests must clear (the largest is left to the tap).
struct InternalPitchLimits {
    DiameterLimits pitch;
    Millionths majorMinimum = 0;

    friend bool operator==(const InternalPitchLimits&, const InternalPitchLimits&) = default;
};

// ISO 965-1: an ISO metric external thread of tolerance position e, f, g or
// h, pitch diameter grade 3 to 9 and major diameter (crest) grade 4, 6 or 8,
// in millionths of a millimetre: "6g" is grade 6 for both, "4h6h" pitch
// grade 4 and crest grade 6. The basic pitch diameter is d − 0.649519 P to
// 0.001 mm, as ISO 724 prints it. Nothing where the standard's tables give no
// value: a grade or a position it does not have, position e below 0.5 mm
// and f below 0.35 mm pitch, a grade its tables leave empty for the pitch,
// a pitch they do not list for the diameter's range (0.99 to 355 mm).
std::optional<ExternalLimits> isoExternal(Millionths majorMm, Millionths pitchMm, int pitchGrade,
                                          int crestGrade, char16_t position);

// ISO 965-1: an ISO metric internal thread's pitch diameter, grade 4 to 8,
// position G or H, and its smallest major diameter D + EI, in millionths of
// a millimetre; nothing where the standard's tables give no value.
std::optional<InternalPitchLimits> isoInternalPitch(Millionths majorMm, Millionths pitchMm,
                                                    int grade, char16_t position);

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

// Why ISO 2857 names no tap for an internal thread's tolerance class.
enum class TapClassGap {
    None,
    NotIsoClass,  // no class of ISO 965-1's: grade 4 to 8 at position G or H
    NotInIso2857, // 7G and 8G: the standard gives them no tap class
};

// ISO 2857: the class of a ground-thread tap for an ISO metric internal
// thread: ISO 1 cuts 4H and 5H, ISO 2 4G, 5G and 6H, ISO 3 6G, 7H and 8H.
struct TapClass {
    int iso = 0; // 1, 2 or 3; 0 where there is none, and `gap` says why
    TapClassGap gap = TapClassGap::None;

    friend bool operator==(const TapClass&, const TapClass&) = default;
};
TapClass isoTapClass(int grade, char16_t position);

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
