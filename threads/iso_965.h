#pragma once

// ISO 965-1's tolerances of ISO metric threads, from its printed tables,
// and ISO 2857's taps for them.

#include "threads/thread.h"

#include <optional>

namespace vornel::threads {

// The fundamental deviation of an ISO metric internal thread.
enum class Position { G, H };

// ISO 965-1: the minor diameter of an ISO metric internal thread of tolerance
// grade 4 to 8 at position G or H, in millionths of a millimetre, the basic
// minor diameter rounded to 0.001 mm as ISO 724 prints it. Nothing where the
// standard gives no tolerance for that grade and pitch.
std::optional<DiameterRange> isoInternalMinor(Millionths majorMm, Millionths pitchMm, int grade,
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

} // namespace vornel::threads
