#pragma once

#include "threads/numbers.h"
#include "threads/thread.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornel::threads {

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
    ToleranceClasses classes;     // as written, with their case
    // Something after the thread written as classes that the reader cannot
    // read ("-66H", "6H/6g/6e", a second class): the thread is read alone.
    bool unreadClass = false;
    bool leftHand = false; // "LH" or "左"
};

// Reads a normalised designation:
//   ["左"] [prefix] size [inch mark] [("x" | "-" | "p" | "xp") count] [series] [family]
//   [["-"] classes] [["-"] ("lh" | "左")]
// Letters are read in either case, but for the classes' (ISO 228-1's "A"
// and "B", which have no case to say whose they are, in either).
std::optional<Designation> readDesignation(std::u16string_view normalized);

} // namespace vornel::threads
