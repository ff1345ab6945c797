#pragma once

#include "search/search_index.h"

#include <optional>
#include <string_view>
#include <vector>

namespace vornel::search {

// ひっかかり率: how much of the thread's basic engagement a drill leaves,
//
//     (D − d) / (2 × H1) × 100 %
//
// with D the thread's basic major diameter, d the drill and H1 the basic
// height of engagement: 0.541266 × P for metric and unified threads,
// 0.640327 × P for Whitworth-form threads (P the pitch, 25.4 mm over the
// threads per inch). Nothing here is worked out before it is asked for.

// The ひっかかり率 of `drill` (millionths of a millimetre) in the thread of
// line `line` of `chart`, to the whole percent, rounded half up. None where
// the chart's threads have none: taper pipe threads, the inserts' holes (for
// the insert's tap) and formed threads; nor for a line that is no data row.
std::optional<int> engagementPercent(const ChartDefinition& chart, int line, Millionths drill);

// Whether the threads of `chart` have a ひっかかり率 at all.
bool hasEngagement(const ChartDefinition& chart);

// The ひっかかり率 a result shows: of the drill the query names
// (SearchResult::queriedDrill), else of the chart's own drill for the row.
std::optional<int> resultEngagement(const SearchResult& result);
// The ひっかかり率 of the chart's own drill for the result's row.
std::optional<int> chartDrillEngagement(const SearchResult& result);

// The drills of the usual series from `from` to `to`, ends included:
// 0.05 mm steps up to 3 mm, 0.1 mm steps up to 20 mm, 0.5 mm steps above.
std::vector<Millionths> seriesDrills(Millionths from, Millionths to);

struct UsableDrill {
    Millionths diameter = 0;
    std::optional<int> engagement;
    bool chartDrill = false; // the drill the chart gives for the row
    friend bool operator==(const UsableDrill&, const UsableDrill&) = default;
};

// The drills of the series that lie within the row's limits, ends included:
// its pilot hole's where it gives them, else its minor diameter's. Empty
// where none does, and for a row without limits.
std::vector<UsableDrill> usableDrills(const ChartDefinition& chart, int line);

// Whether the row gives limits that a drill can be held against.
bool hasLimits(const ChartDefinition& chart, int line);

// The row's designation as the chart writes it, without its padding; empty
// for a line that is no data row.
std::u16string_view rowDesignation(const ChartDefinition& chart, int line);

} // namespace vornel::search
