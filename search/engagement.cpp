#include "search/engagement.h"

#include <algorithm>

namespace vornel::search {
namespace {

using threads::Engagement;
using threads::kMillion;

constexpr Millionths kFine = 3 * kMillion;   // 0.05 mm steps up to here, 0.1 mm above
constexpr Millionths kLarge = 20 * kMillion; // whole and half millimetres preferred above
constexpr Millionths kHalf = kMillion / 2;
constexpr Millionths kLargestStep = 100'000;

// Above 20 mm the charts' drills are mostly whole and half millimetres: a
// suggestion is one of those where one lies within the limits.
bool isUsual(Millionths drill) {
    return drill <= kLarge || drill % kHalf == 0;
}

} // namespace

Engagement drillEngagement(const SearchResult& result, Millionths drill) {
    if (!result.thread || drill <= 0)
        return {};
    return threads::engagement(*result.thread, drill);
}

bool hasEngagement(const SearchResult& result) {
    return result.thread && result.thread->profile != threads::Profile::None &&
           result.thread->major;
}

Engagement chartDrillEngagement(const SearchResult& result) {
    return drillEngagement(result, result.drillValue);
}

Engagement queriedDrillEngagement(const SearchResult& result) {
    return drillEngagement(result, result.queriedDrill);
}

Engagement resultEngagement(const SearchResult& result) {
    return result.queriedDrill > 0 ? queriedDrillEngagement(result) : chartDrillEngagement(result);
}

std::vector<Millionths> seriesDrills(Millionths from, Millionths to) {
    const auto step = [](Millionths d) { return d < kFine ? 50'000 : kLargestStep; };
    std::vector<Millionths> drills;
    if (from > to || to <= 0)
        return drills;
    from = std::max<Millionths>(from, 1);
    // The first drill of the series at or above `from`: the steps change at
    // 3 mm, a whole number of the steps on either side.
    const Millionths first = step(from - 1);
    for (Millionths d = (from + first - 1) / first * first; d <= to; d += step(d))
        drills.push_back(d);
    return drills;
}

std::vector<UsableDrill> usableDrills(const SearchResult& result) {
    std::vector<UsableDrill> drills;
    if (!result.hasHoleLimits)
        return drills;
    const Millionths suggested =
        result.computed && !result.computed->drillOutside ? result.computed->drill : 0;
    for (Millionths d : seriesDrills(result.holeMinimum, result.holeMaximum))
        drills.push_back({d, drillEngagement(result, d), result.chart && result.drillValue == d,
                          suggested == d});
    return drills;
}

SuggestedDrill suggestedDrill(Millionths minimum, Millionths maximum) {
    std::vector<Millionths> drills = seriesDrills(minimum, maximum);
    const bool outside = drills.empty();
    if (outside) {
        // The drills on either side, whose steps are at most 0.1 mm.
        drills = seriesDrills(minimum - kLargestStep, maximum + kLargestStep);
    } else if (std::any_of(drills.begin(), drills.end(), isUsual)) {
        drills.erase(
            std::remove_if(drills.begin(), drills.end(), [](Millionths d) { return !isUsual(d); }),
            drills.end());
    }
    SuggestedDrill best;
    Millionths bestDistance = 0;
    for (Millionths d : drills) {
        // Twice the distance from the middle, in whole millionths.
        const Millionths distance = std::abs(2 * d - minimum - maximum);
        if (best.diameter == 0 || distance <= bestDistance) {
            best = {d, outside};
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace vornel::search
