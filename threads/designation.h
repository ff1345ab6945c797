#pragma once

#include "threads/thread.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornel::threads {

// The text that queries and designations are read in: NFKC, lower case, one
// sign for "×", one for the hyphens, dashes and the long-vowel mark, one for
// the marks of a diameter ("φ"), "/" for the fraction slash, without spaces,
// zero-width characters and "※".
std::u16string normalizedText(std::u16string_view text);

// The unit that a size is written in, as far as the writing tells. A
// fraction, a mixed number, a numbered size or an inch mark says inches; a
// decimal point says millimetres; a whole number may be either.
enum class WrittenUnit { Either, Inch, Millimetre };

// A designation as written. Its numbers are each a list of readings: "11/16"
// is eleven sixteenths, or one and one sixteenth as the charts write mixed
// numbers; a chart's form, or the rows a query is held against, settle which.
struct Designation {
    Families families = kAnyFamily; // narrowed by a prefix, a series or a family after the size
    bool prefixed = false;
    WrittenUnit unit = WrittenUnit::Either;
    bool numbered = false; // "No. 10"
    std::vector<Rational> sizes;
    std::vector<Rational> counts; // the pitch, or the threads per inch; empty: not given
    bool pitchMarked = false;     // "P1.25": the count is the pitch
    std::u16string series;        // "unc" ...; empty: not given
    std::optional<ToleranceClass> toleranceClass;
};

// Reads a normalised designation:
//   [prefix] size [inch mark] [("x" | "-" | "p" | "xp") count] [series] [family] [["-"] class]
std::optional<Designation> readDesignation(std::u16string_view normalized);

// Reads a chart's designation in the chart's form: the reading of each number
// that the form allows, and, where several remain ("11/16"), the one whose
// basic minor diameter lies nearest `minorMinimum` (millionths of a
// millimetre), the row's smallest minor diameter, where the row gives one.
std::optional<Thread> readChartThread(std::u16string_view designation, const ThreadForm& form,
                                      std::optional<Millionths> minorMinimum);

// Whether a thread is one that `query` names.
bool names(const Designation& query, const Thread& thread, SizeUnit sizeUnit);

// A length as the charts and a drill query write it, "6.8", ".375":
// millionths of its unit, rounded half up at the sixth decimal. None for
// anything else or more than six whole digits.
std::optional<Millionths> readLength(std::u16string_view text);

// A drill a query names: "6.8", "φ6.8", "6.8mm", "0.375in", ".375" (inches,
// as machinists write them).
struct Drill {
    Millionths millimetres = 0;
    std::optional<Millionths> inches; // as typed, where the query is in inches
    friend bool operator==(const Drill&, const Drill&) = default;
};
std::optional<Drill> readDrill(std::u16string_view normalized);

} // namespace vornel::threads
