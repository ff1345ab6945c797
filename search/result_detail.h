#pragma once

#include "search/search_index.h"

#include <QString>

namespace vornel::search {

// What the detail area says of a result, one line each: the chart and the
// designation; the chart's drill and its ひっかかり率; the drill the query
// names, its ひっかかり率 and where it lies; the limits, and the class asked
// beside them as the standard computes it; and "使えるドリル径", every drill of
// the series within the limits with its ひっかかり率, the chart's own marked,
// or that none lies within them.
QString resultDetail(const SearchResult& result);
// The same lines as a voice is to read them (spokenAnswer()), one a line.
QString spokenDetail(const SearchResult& result);

} // namespace vornel::search
