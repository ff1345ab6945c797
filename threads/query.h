#pragma once

#include "threads/designation.h"
#include "threads/drill.h"

#include <functional>
#include <optional>
#include <string_view>

namespace vornel::threads {

// What a query asks: a thread, a drill, or a thread and a drill.
struct Query {
    std::optional<Designation> thread;
    std::optional<Drill> drill;
    // The query names both: the thread's rows, each with the drill.
    bool threadAndDrill = false;
};

// Whether a thread that a query names, now with a pitch or thread count, is
// one that the charts or the standards know.
using KnownThread = std::function<bool(const Designation&)>;

// Reads a query as typed, spaces included:
//   "M8x1.25", "6.8", "M8x1.25 6.9", "M8×1.25 φ6.9", "M8x1.25-7H";
//   a number after a thread is its pitch or thread count where the thread is
//   known with it ("M8 1.25", "1/4 20", "M8 P1.25"), a drill otherwise
//   ("M8 6.8", "M10 1.5 8.5");
//   classes and the hand after the thread, before or after a drill
//   ("M8x1.25 6H", "M8 1.25 7H", "M8x1.25 6.8 7H", "M8x1.25-6H LH");
//   words that belong together are one ("M 8 × 1.25", "1 1/4-7", "6.8 mm",
//   "1/2-14 NPT", "1/4-20 UNC-2B").
Query readQuery(std::u16string_view typed, const KnownThread& known);

} // namespace vornel::threads
