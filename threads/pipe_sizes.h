#pragma once

#include "threads/thread.h"

#include <optional>

namespace vornel::threads {

// The pipe standards' own diameters, where a caliper finds a pipe thread's
// crests (a bolt's major diameter) or a tapped hole's minor diameter. Sizes
// are in inches as the designations write them ("1/4" is {1, 4}); every
// range is in millionths of a millimetre, to 0.001 mm, ends included.

// ISO 228-1, G external: the major diameter, the basic one less the
// standard's tolerance (the same for classes A and B, which differ in the
// pitch diameter's tolerance alone).
std::optional<DiameterRange> parallelPipeMajor(Rational size);

// ISO 228-1, G external of class A or B (`pipeClass` u'A' or u'B'): the
// major diameter d − Td to d, and the pitch diameter d2 − Td2 to d2, d2 the
// basic one, d less the thread's height h (half of d − D1); class B's Td2 is
// twice class A's. None for another class or a size the standard lacks.
std::optional<ExternalLimits> parallelPipeExternal(Rational size, char16_t pipeClass);

// ISO 7-1, R external (taper 1/16 on the diameter): the crests along the
// thread, from the pipe's end with the gauge plane at its farthest (a + b
// from the end) to the end of the useful thread (f beyond the gauge plane).
std::optional<DiameterRange> taperPipeMajor(Rational size);
// ISO 7-1, Rc internal: the minor diameter along the thread, from the
// opening with the gauge plane at its farthest out (c) to the end of the
// useful thread (l inside the gauge plane).
std::optional<DiameterRange> taperPipeMinor(Rational size);
// ISO 7-1, Rp internal (parallel, for an R external thread): the minor
// diameter within the standard's tolerance on Rp's diameters.
std::optional<DiameterRange> parallelForTaperMinor(Rational size);

// ASME B1.20.1, NPT external (taper 1/16 on the diameter): the crests along
// the thread, from the small end (the pitch diameter there plus the thread's
// height 0.8 P, less the one turn the gauge allows) to the pipe's outside
// diameter, which the last threads run out on.
std::optional<DiameterRange> nptMajor(Rational size);
// NPT internal: the minor diameter from the opening (at the plane of
// hand-tight engagement, one turn out) to the small end of that engagement
// (one turn in).
std::optional<DiameterRange> nptMinor(Rational size);
// ASME B1.20.1, NPSC internal (straight, for NPT pipe): the minor diameter,
// the pitch diameter at hand-tight engagement within the 1½ turns the
// standard allows, less the thread's height.
std::optional<DiameterRange> npsMinor(Rational size);

} // namespace vornel::threads
