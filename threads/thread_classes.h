#pragma once

#include "threads/thread.h"

#include <optional>

namespace vornel::threads {

// The standards whose tolerance classes Vornel works out.
enum class ClassStandard {
    None,     // the thread's family has no classes, or the class is not its standard's
    Iso965_1, // ISO metric: 4H … 8H, 4G … 8G, e … h of grades 3 to 9
    AsmeB1_1, // unified: 1A to 3A, 1B to 3B
    Iso228_1, // G's bolt: A and B
};

// The standard whose classes a family's threads take.
ClassStandard classStandardOf(Family family);

// The standard a class is written as, whatever the thread: ISO 228-1's A
// and B have no grade, ASME B1.1's letters are A and B, ISO 965-1's any
// other.
ClassStandard writtenStandard(const ToleranceClass& c);

// A class as its standard writes it: "6H", "6g", "2A", "A"; a thread's
// "5H6H", "4h6h" where its grades differ.
std::u16string classText(const ToleranceClass& c);
std::u16string classText(const ThreadClass& c);

// The classes a thread is taken at where none is asked: ISO 965-1's 6H and
// 6g, ASME B1.1's 2B and 2A; none for a family without classes.
std::optional<ThreadClass> defaultClass(Family family, bool external);

// One class of one thread by its standard: whose class it is, and the limits
// of each diameter the standard gives for it, in millionths of a millimetre.
// An internal thread has minor and pitch diameters and a smallest major
// diameter (`major`, both limits alike); an external thread major and pitch
// diameters. A diameter the standard gives no cell for is none: ISO 965-1
// gives M8 × 0.5's 6H a minor diameter but no pitch diameter.
struct ClassLimits {
    ClassStandard standard = ClassStandard::None;
    std::optional<DiameterRange> minor;
    std::optional<DiameterRange> pitch;
    std::optional<DiameterRange> major;

    bool any() const { return minor || pitch || major; }
    friend bool operator==(const ClassLimits&, const ClassLimits&) = default;
};

// The one place where each standard's classes are decided: whether class
// `c` of the half `external` says is the thread's standard's, and what it
// has. A class of another standard (M8-2A, M8 B) is `standard` None.
// The minor diameter is worked out only where the pitch diameter is
// missing, to tell a class the standard lacks from a diameter it does not
// print; internalMinor() gives it.
ClassLimits classLimits(const Thread& thread, const ThreadClass& c, bool external);

// The standard whose class `c` of the half `external` says is, where it is
// the thread's standard's: the decision classLimits() makes first.
ClassStandard classStandard(const Thread& thread, const ThreadClass& c, bool external);

// An internal class's minor diameter limits as the results print them, to
// 0.001 mm; none where the standard gives none.
std::optional<DiameterRange> internalMinor(const Thread& thread, const ThreadClass& c);

// Whether a row's minor diameter limits, as a chart prints them to 0.001 mm,
// are those of internal class `c` by the standard: each limit the standard's
// rounded up or down (the unified chart's 1/4-20UNC, 4.979～5.257, is 2B's
// 4.9784～5.2578 rounded inwards).
bool follows(const DiameterRange& row, const Thread& thread, const ToleranceClass& c);

// The internal class whose minor diameter a chart's row follows: the chart's
// own, else another grade of its standard at the same position (M1 × 0.2 is
// 4H: grade 6 starts at 0.25 mm); none where it follows no class.
std::optional<ToleranceClass> followedClass(const Thread& thread, const ToleranceClass& chartClass,
                                            const DiameterRange& row);

// A length in millimetres as whole millionths, where it is one.
std::optional<Millionths> wholeMillionths(Rational mm);

// The basic major diameter in inches of a unified thread: No. n's by its
// number, a fraction's as written; none for a number the standard lacks.
std::optional<Rational> unifiedMajorInches(const Thread& thread);

} // namespace vornel::threads
