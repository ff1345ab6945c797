#pragma once

#include "search/search_index.h"
#include "threads/designation.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vornel::search {

// Threads worked out by the standards where the charts give nothing: ISO
// metric threads by ISO 261 and ISO 965-1, unified threads by ASME B1.1; and
// G's bolt by ISO 228-1's classes A and B.
// Whitworth, pipe and insert threads are as the charts give them.

// Whether a standard series has the thread a query names with its pitch or
// thread count: "M8 1.25", "1/4 28".
bool isStandardThread(const threads::Designation& query);

// The same query with the graded series whose thread it names, where it
// writes the constant-pitch series "UN" with a graded series' thread count
// at that size: "1-8UN" is 1-8UNC, "1/4-32UN" 1/4-32UNEF. None otherwise.
std::optional<threads::Designation> gradedSeriesQuery(const threads::Designation& query);

// The results for the threads that a query names: each standard pitch of
// the size, or the one asked, with the minor diameter's limits of the class
// asked (6H or 2B where none is) and a suggested drill; or one result that
// says why the standards have no such thread.
// `held` passes over a thread that a chart's row already answers, before
// anything of it is worked out.
using HeldThread = std::function<bool(const threads::Thread&)>;
std::vector<SearchResult> standardThreads(const threads::Designation& query,
                                          const HeldThread& held = {});

// Whether a result of standardThreads() is the thread of a chart's row:
// the same family, major diameter and pitch.
bool sameThread(const threads::Thread& a, const threads::Thread& b);

// Puts the class asked beside a chart's row whose limits `rowMinor` (the
// minor diameter's, where the row gives them) are not that class's by the
// standard, and makes the row judged by it: the result's hole limits become
// the class's, or none where the standard lacks the class. Nothing changes
// where the chart declares no class of a standard or the row follows the
// class asked.
void askClass(SearchResult& result, const std::optional<threads::ToleranceClass>& chartClass,
              const threads::ThreadClass& asked,
              const std::optional<threads::DiameterRange>& rowMinor);

// The hole's half of a result found by its designation: its pitch diameter
// and smallest major diameter by the internal class asked, else the class
// the row's minor diameter limits `rowMinor` follow (the chart's,
// `chartClass`, or another grade of its standard), else the chart's, and its
// tap. Nothing for a chart of no standard's class (inserts, fluteless taps,
// Whitworth, pipe).
void addHoleHalf(SearchResult& result, const std::optional<threads::ToleranceClass>& chartClass,
                 const threads::ToleranceClasses& asked,
                 const std::optional<threads::DiameterRange>& rowMinor);

// A class asked of a thread whose family has no such class (G1/4-6g,
// G1/4-6H, Rc1/4-6H, NPT1/4-2B): the row says so, of the bolt's class where
// both lack it.
void addClasslessHalf(SearchResult& result, const threads::ToleranceClasses& asked);

// The bolt's results for the external class a query asks: one per thread of
// `found` named by its designation (ISO metric, unified or G), its major and
// pitch diameters by the class, or why the standard has none, with what the
// fit's classes written together say.
std::vector<SearchResult> boltResults(const threads::Designation& query,
                                      const std::vector<SearchResult>& found);

// The class a chart's row is judged by where it is not the row's own: the
// class asked beside it. Null for a row judged by its own limits and for a
// thread that no chart holds.
const Computed* classJudged(const SearchResult& result);

// For a query that names a thread and a drill: where the drill lies against
// the result's hole limits, and whether it is the result's own drill.
void placeDrill(SearchResult& result);

} // namespace vornel::search
