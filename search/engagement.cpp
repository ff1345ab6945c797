#include "search/engagement.h"

#include <algorithm>

namespace vornel::search {
namespace {

using threads::Engagement;
using threads::kMillion;

Engagement engagementOf(const SearchResult& result, Millionths drill) {
    if (!result.thread || drill <= 0)
        return {};
    return threads::engagement(*result.thread, drill);
}

} // namespace

bool hasEngagement(const SearchResult& result) {
    return result.thread && result.thread->profile != threads::Profile::None &&
           result.thread->major;
}

Engagement chartDrillEngagement(const SearchResult& result) {
    return engagementOf(result, result.drillValue);
}

Engagement queriedDrillEngagement(const SearchResult& result) {
    return engagementOf(result, result.queriedDrill);
}

Engagement resultEngagement(const SearchResult& result) {
    return result.queriedDrill > 0 ? queriedDrillEngagement(result) : chartDrillEngagement(result);
}

std::vector<Millionths> seriesDrills(Millionths from, Millionths to) {
    constexpr Millionths kFine = 3 * kMillion;    // 0.05 mm steps up to here
    constexpr Millionths kMedium = 20 * kMillion; // 0.1 mm steps up to here
    const auto step = [](Millionths d) {
        return d < kFine ? 50'000 : d < kMedium ? 100'000 : 500'000;
    };
    std::vector<Millionths> drills;
    if (from > to || to <= 0)
        return drills;
    from = std::max<Millionths>(from, 1);
    // The first drill of the series at or above `from`: the steps change at
    // 3 and 20 mm, each a whole number of the steps on either side.
    const Millionths first = from <= kFine ? 50'000 : from <= kMedium ? 100'000 : 500'000;
    for (Millionths d = (from + first - 1) / first * first; d <= to; d += step(d))
        drills.push_back(d);
    return drills;
}

std::vector<UsableDrill> usableDrills(const SearchResult& result) {
    std::vector<UsableDrill> drills;
    if (!result.hasHoleLimits)
        return drills;
    for (Millionths d : seriesDrills(result.holeMinimum, result.holeMaximum))
        drills.push_back({d, engagementOf(result, d), result.drillValue == d});
    return drills;
}

Millionths suggestedDrill(Millionths minimum, Millionths maximum) {
    Millionths best = 0;
    Millionths bestDistance = 0;
    for (Millionths d : seriesDrills(minimum, maximum)) {
        // Twice the distance from the middle, in whole millionths.
        const Millionths distance = std::abs(2 * d - minimum - maximum);
        if (best == 0 || distance <= bestDistance) {
            best = d;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace vornel::search
