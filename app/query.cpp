#include "app/query.h"

#include "search/identify.h"

namespace vornel {

std::vector<search::SearchResult> findQuery(const search::SearchIndex& index, QStringView query,
                                            int preferredPosition) {
    if (query.size() > kLongestQuery)
        return {};
    return index.find(view(query), preferredPosition);
}

std::vector<search::SearchResult> findAnswers(const search::SearchIndex& index, QStringView query) {
    std::vector<search::SearchResult> results = findQuery(index, query);
    std::erase_if(results,
                  [](const search::SearchResult& r) { return r.measured && !r.measured->thread; });
    return results;
}

} // namespace vornel
