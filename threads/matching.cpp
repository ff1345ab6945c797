#include "threads/matching.h"

#include <algorithm>

namespace vornel::threads {
namespace {

bool contains(const std::vector<Rational>& readings, Rational value) {
    return std::find(readings.begin(), readings.end(), value) != readings.end();
}

} // namespace

bool names(const Designation& query, const Thread& thread, SizeUnit sizeUnit) {
    if (query.families != kAnyFamily && !(query.families & bit(thread.family)))
        return false;
    // An inch size never names a metric thread, nor a millimetre one an inch
    // thread: "21/2" is 2½ inches, not M2.5, and "2.5" not 2½.
    if (query.unit == WrittenUnit::Inch && sizeUnit != SizeUnit::Inch)
        return false;
    if (query.unit == WrittenUnit::Millimetre && sizeUnit != SizeUnit::Millimetre)
        return false;
    // A bare number is a millimetre or inch size; it names a numbered unified
    // size only with its thread count or series ("10-24").
    if (thread.numbered != query.numbered &&
        (query.numbered || query.prefixed || (query.counts.empty() && query.series.empty())))
        return false;
    if (!contains(query.sizes, thread.size))
        return false;
    if (!query.counts.empty() && !contains(query.counts, thread.count))
        return false;
    if (query.series.empty())
        return true;
    return seriesText(query.series) == thread.series;
}

} // namespace vornel::threads
