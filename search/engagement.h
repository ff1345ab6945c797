#pragma once

#include "search/search_index.h"
#include "threads/thread.h"

#include <vector>

namespace vornel::search {

// ひっかかり率: how much of the thread's basic engagement a drill leaves,
//
//     (D − d) / (2 × H1) × 100 %
//
// of the thread that the index read from the row's designation (see
// threads::engagement). Nothing here is worked out before it is asked for.

// Whether the result's thread has a ひっかかり率 at all: not taper pipe
// threads, the inserts' holes (for the insert's tap) nor formed threads.
bool hasEngagement(const SearchResult& result);

// The ひっかかり率 of a drill (millionths of a millimetre) in the result's
// thread.
threads::Engagement drillEngagement(const SearchResult& result, Millionths drill);
// The ひっかかり率 of the chart's own drill for the result's row (or the
// drill suggested for a thread no chart holds).
threads::Engagement chartDrillEngagement(const SearchResult& result);
// The ひっかかり率 of the drill the query names (SearchResult::queriedDrill).
threads::Engagement queriedDrillEngagement(const SearchResult& result);
// The ひっかかり率 a result shows: of the queried drill where the query names
// one, else of the chart's drill.
threads::Engagement resultEngagement(const SearchResult& result);

// The drills of the series from `from` to `to`, ends included: 0.05 mm steps
// up to 3 mm, 0.1 mm steps above, as the charts' drills go (22.3 for 1-8UNC).
std::vector<Millionths> seriesDrills(Millionths from, Millionths to);

struct UsableDrill {
    Millionths diameter = 0;
    threads::Engagement engagement;
    bool chartDrill = false; // the drill the chart gives for the row
    bool suggested = false;  // the drill suggested for the limits (Computed::drill)
    friend bool operator==(const UsableDrill&, const UsableDrill&) = default;
};

// The drills of the series that lie within the result's hole limits, ends
// included: the class asked's where the row is judged by it, else its pilot
// hole's where the row gives them, else its minor diameter's. Empty where
// none does, and for a result without limits.
std::vector<UsableDrill> usableDrills(const SearchResult& result);

// The drill suggested within a minor diameter's limits (millionths of a
// millimetre): the drill of the series nearest the middle of the limits, the
// larger of two equally near; above 20 mm a whole or half millimetre where
// one lies within them, as the charts mostly give there. Of the rules tried
// (a ひっかかり率 of 70 to 95 %, D − P, the smallest drill within the limits,
// the middle), it gives the charts' own drill most often. Where no drill of
// the series lies within the limits (a narrow class), the nearest, `outside`
// them.
struct SuggestedDrill {
    Millionths diameter = 0;
    bool outside = false;
    friend bool operator==(const SuggestedDrill&, const SuggestedDrill&) = default;
};
SuggestedDrill suggestedDrill(Millionths minimum, Millionths maximum);

} // namespace vornel::search
