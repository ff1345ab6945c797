#include "threads/thread_classes.h"

#include "threads/asme_b1_1.h"
#include "threads/iso_965.h"
#include "threads/pipe_sizes.h"
#include "threads/standard_sizes.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace vornel::threads {
namespace {

// Whether a class is written as one of the standard's: ISO 965-1 a grade and
// a letter other than ASME's; ASME B1.1 grades 1 to 3 with A for the bolt and
// B for the hole; ISO 228-1 A or B alone, the bolt's.
bool writtenAs(ClassStandard standard, const ToleranceClass& c, bool external) {
    const bool letterAB = c.position == u'A' || c.position == u'B';
    switch (standard) {
    case ClassStandard::Iso965_1: // G and H the nut's, e to h the bolt's
        return c.grade > 0 && c.position >= (external ? u'E' : u'G') && c.position <= u'H';
    case ClassStandard::AsmeB1_1:
        return c.grade >= 1 && c.grade <= 3 && c.position == (external ? u'A' : u'B');
    case ClassStandard::Iso228_1:
        return external && c.grade == 0 && letterAB;
    case ClassStandard::None:
        break;
    }
    return false;
}

// The limits of a unified diameter in inches, in millimetres as Vornel
// shows them.
DiameterRange inMillimetres(const DiameterRange& inch) {
    return {inchToMillimetres(inch.minimum), inchToMillimetres(inch.maximum)};
}

// The standard's minor diameter limits unrounded, in ten-millionths of a
// millimetre: ISO 965-1's are whole micrometres, ASME B1.1's inches × 25.4.
constexpr std::int64_t kPerMillionth = 10;
constexpr std::int64_t kPrinted = 10'000; // 0.001 mm

std::optional<DiameterRange> exactMinor(const Thread& thread, const ToleranceClass& c) {
    if (!writtenAs(classStandardOf(thread.family), c, false))
        return std::nullopt;
    if (thread.family == Family::IsoMetric) {
        const auto major = thread.major ? wholeMillionths(*thread.major) : std::nullopt;
        const auto pitch = wholeMillionths(thread.pitch);
        if (!major || !pitch || (c.position != u'G' && c.position != u'H'))
            return std::nullopt;
        const auto limits = isoInternalMinor(*major, *pitch, c.grade,
                                             c.position == u'G' ? Position::G : Position::H);
        if (!limits)
            return std::nullopt;
        return DiameterRange{limits->minimum * kPerMillionth, limits->maximum * kPerMillionth};
    }
    const auto inch = unifiedMajorInches(thread);
    const auto limits = inch ? unifiedInternalMinor(*inch, thread.count, c.grade) : std::nullopt;
    if (!limits)
        return std::nullopt;
    // Millionths of an inch in ten-millionths of a millimetre: 254 each.
    constexpr std::int64_t perInch = kInch * kPerMillionth / kMillion;
    return DiameterRange{limits->minimum * perInch, limits->maximum * perInch};
}

} // namespace

ClassStandard writtenStandard(const ToleranceClass& c) {
    if (c.grade == 0)
        return ClassStandard::Iso228_1;
    return c.position == u'A' || c.position == u'B' ? ClassStandard::AsmeB1_1
                                                    : ClassStandard::Iso965_1;
}

std::u16string classText(const ToleranceClass& c) {
    if (c.grade == 0)
        return std::u16string(1, c.position);
    // ISO's letters in their case: upper for the nut's, lower for the bolt's.
    const bool lower = c.external && writtenStandard(c) == ClassStandard::Iso965_1;
    return {static_cast<char16_t>(u'0' + c.grade),
            lower ? static_cast<char16_t>(c.position + (u'a' - u'A')) : c.position};
}

std::u16string classText(const ThreadClass& c) {
    return c.pitchDiameter == c.crest ? classText(c.crest)
                                      : classText(c.pitchDiameter) + classText(c.crest);
}

std::optional<ThreadClass> defaultClass(Family family, bool external) {
    ToleranceClass c;
    if (family == Family::IsoMetric)
        c = {6, external ? u'G' : u'H', external};
    else if (family == Family::Unified)
        c = {2, external ? u'A' : u'B', external};
    else
        return std::nullopt;
    return ThreadClass{c, c};
}

ClassStandard classStandardOf(Family family) {
    switch (family) {
    case Family::IsoMetric:
        return ClassStandard::Iso965_1;
    case Family::Unified:
        return ClassStandard::AsmeB1_1;
    case Family::PipeG:
        return ClassStandard::Iso228_1;
    default:
        return ClassStandard::None;
    }
}

std::optional<Millionths> wholeMillionths(Rational mm) {
    if (mm.num <= 0 || mm.num > 1'000'000'000 || (mm.num * kMillion) % mm.den != 0)
        return std::nullopt;
    return mm.num * kMillion / mm.den;
}

std::optional<Rational> unifiedMajorInches(const Thread& thread) {
    if (!thread.numbered)
        return thread.size;
    return thread.size.den == 1 ? numberedSizeMajor(static_cast<int>(std::min<std::int64_t>(
                                      thread.size.num, std::numeric_limits<int>::max())))
                                : std::nullopt;
}

ClassStandard classStandard(const Thread& thread, const ThreadClass& c, bool external) {
    const ClassStandard standard = classStandardOf(thread.family);
    return writtenAs(standard, c.pitchDiameter, external) &&
                   writtenAs(standard, c.crest, external) &&
                   c.pitchDiameter.position == c.crest.position
               ? standard
               : ClassStandard::None;
}

std::optional<DiameterRange> internalMinor(const Thread& thread, const ThreadClass& c) {
    if (classStandard(thread, c, false) == ClassStandard::None)
        return std::nullopt;
    const auto exact = exactMinor(thread, c.crest);
    if (!exact)
        return std::nullopt;
    return DiameterRange{roundedTo(exact->minimum, kPrinted) / kPerMillionth,
                         roundedTo(exact->maximum, kPrinted) / kPerMillionth};
}

ClassLimits classLimits(const Thread& thread, const ThreadClass& c, bool external) {
    ClassLimits out;
    out.standard = classStandard(thread, c, external);
    const ToleranceClass& pitch = c.pitchDiameter;
    if (out.standard == ClassStandard::Iso965_1) {
        const auto major = thread.major ? wholeMillionths(*thread.major) : std::nullopt;
        const auto pitchMm = wholeMillionths(thread.pitch);
        if (major && pitchMm && external) {
            // ISO's letters are the bolt's in lower case.
            const auto position = static_cast<char16_t>(pitch.position + (u'a' - u'A'));
            if (const auto bolt =
                    isoExternal(*major, *pitchMm, pitch.grade, c.crest.grade, position)) {
                out.pitch = bolt->pitch;
                out.major = bolt->major;
            }
        } else if (const auto hole =
                       major && pitchMm
                           ? isoInternalPitch(*major, *pitchMm, pitch.grade, pitch.position)
                           : std::nullopt) {
            out.pitch = hole->pitch;
            out.major = DiameterRange{hole->majorMinimum, hole->majorMinimum};
        }
    } else if (out.standard == ClassStandard::AsmeB1_1) {
        const auto inch = pitch == c.crest ? unifiedMajorInches(thread) : std::nullopt;
        if (inch && external) {
            if (const auto bolt = unifiedExternal(*inch, thread.count, pitch.grade)) {
                out.pitch = inMillimetres(bolt->pitch);
                out.major = inMillimetres(bolt->major);
            }
        } else if (const auto hole = inch ? unifiedInternalPitch(*inch, thread.count, pitch.grade)
                                          : std::nullopt) {
            out.pitch = inMillimetres(hole->pitch);
            const Millionths major = inchToMillimetres(hole->majorMinimum);
            out.major = DiameterRange{major, major};
        }
    } else if (out.standard == ClassStandard::Iso228_1 && pitch == c.crest) {
        if (const auto bolt = parallelPipeExternal(thread.size, pitch.position)) {
            out.pitch = bolt->pitch;
            out.major = bolt->major;
        }
    }
    if (!out.pitch && !external && out.standard != ClassStandard::None)
        out.minor = internalMinor(thread, c);
    return out;
}

bool follows(const DiameterRange& row, const Thread& thread, const ToleranceClass& c) {
    const auto exact = exactMinor(thread, c);
    return exact && std::abs(row.minimum * kPerMillionth - exact->minimum) < kPrinted &&
           std::abs(row.maximum * kPerMillionth - exact->maximum) < kPrinted;
}

std::optional<ToleranceClass> followedClass(const Thread& thread, const ToleranceClass& chartClass,
                                            const DiameterRange& row) {
    if (follows(row, thread, chartClass))
        return chartClass;
    const bool asme = classStandardOf(thread.family) == ClassStandard::AsmeB1_1;
    for (int grade = asme ? 1 : 4; grade <= (asme ? 3 : 8); ++grade) {
        const ToleranceClass c{grade, chartClass.position, false};
        if (follows(row, thread, c))
            return c;
    }
    return std::nullopt;
}

} // namespace vornel::threads
