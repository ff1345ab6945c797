#pragma once

#include "threads/thread.h"

#include <optional>
#include <string_view>

namespace vornel::threads {

// The one reader of tolerance classes, in normalised text with the case
// typed: one thread's class ("6H", "5H6H", "6g", "4h6h", "2B", "3A"), or two
// threads' as a fit, split by "/" ("6H/6g", "2B/2A", "6g/6H", "6H/2A"). A
// class is a grade digit and a position letter; whether a standard has it
// ("6k", "9g") is not the reader's to say. None for anything else: two
// classes of one thread that disagree on whose they are ("5H6g"), a fit of
// two of one kind ("6H/7H") or of three threads ("6H/6g/6e").
// With `pipeClasses`, a letter A or B alone, in either case, is ISO 228-1's
// class of a parallel pipe thread's external thread ("G 1/2 A"): grade 0 at
// position A or B. Whether the thread has such classes is not the reader's
// to say either.
std::optional<ToleranceClasses> readToleranceClasses(std::u16string_view text,
                                                     bool pipeClasses = false);

// Whether text is written as tolerance classes, readable or not: digits and
// a letter, once or more, in groups split by "/" or "-" ("66H", "5H6g",
// "6H/6g/6e", "6H-7H"). What follows a thread so is taken for classes the
// reader cannot read, and the thread is still read.
bool writtenAsClasses(std::u16string_view text);

} // namespace vornel::threads
