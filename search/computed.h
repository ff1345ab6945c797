#pragma once

#include "search/search_index.h"
#include "threads/designation.h"

#include <memory>
#include <vector>

namespace vornel::search {

// Threads worked out by the standards where the charts give nothing: ISO
// metric threads by ISO 261 and ISO 965-1, unified threads by ASME B1.1.
// Whitworth, pipe and insert threads are as the charts give them.

// Whether a standard series has the thread a query names with its pitch or
// thread count: "M8 1.25", "1/4 28".
bool isStandardThread(const threads::Designation& query);

// The results for a thread that a query names and no chart holds: each
// standard pitch of the size, or the one asked, with the minor diameter's
// limits of the class asked (6H or 2B where none is) and a suggested drill;
// or one result that says why the standards have no such thread.
std::vector<SearchResult> standardThreads(const threads::Designation& query);

// The limits of the class asked, for a chart's row whose class differs; none
// where the chart's limits are of that class or the row's thread has no
// standard tolerance here.
std::shared_ptr<const Computed> classAsked(const threads::Thread& thread,
                                           const std::optional<threads::ToleranceClass>& chartClass,
                                           const threads::ToleranceClass& asked);

// For a thread-and-drill query: where the drill lies against the computed
// limits.
void placeComputedDrill(SearchResult& result);

} // namespace vornel::search
