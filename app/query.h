#pragma once

#include "search/search_index.h"

#include <QStringView>
#include <string_view>
#include <vector>

namespace vornel {

// The longest query searched, all of it: no designation or drill is near
// this long, and a caller's megabytes are not worth normalizing. The same
// text finds the same at every door, whatever its length.
inline constexpr qsizetype kLongestQuery = 256;

// A text as the index reads it, without a copy.
inline std::u16string_view view(QStringView text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// What every door searches with (the search window, --find, GNOME Shell and
// KRunner): the results of `query` in `index`, those of the chart at
// `preferredPosition` first; none where the query is longer than
// kLongestQuery.
std::vector<search::SearchResult> findQuery(const search::SearchIndex& index, QStringView query,
                                            int preferredPosition = 0);

// What the desktop's search and --find answer with: the results of
// findQuery less the words on why a measurement names no thread (it cannot
// be read, or fits none), which only the search window shows.
std::vector<search::SearchResult> findAnswers(const search::SearchIndex& index, QStringView query);

} // namespace vornel
