#pragma once

#include "search/search_index.h"

#include <QString>
#include <optional>

namespace vornel::search {

// A ひっかかり率 as the results show it, "89 %"; empty where there is none.
QString engagementText(std::optional<int> percent);

// The ひっかかり率 as a copied result's last field, "ひっかかり率 89 %", with
// the drill where the query names one: "ひっかかり率 81 %（ドリル径 6.9）".
// Empty where there is none.
QString engagementField(const SearchResult& result);

// What the detail area says of a result, one line each: the chart and the
// designation; the chart's drill and its ひっかかり率; the drill the query
// names, its ひっかかり率 and where it lies; the limits; and "使えるドリル径",
// every drill of the series within the limits with its ひっかかり率, the
// chart's own marked, or that none lies within them.
QString resultDetail(const SearchResult& result);

} // namespace vornel::search
