#include "app/query.h"

namespace vornel {

std::vector<search::SearchResult> findQuery(const search::SearchIndex& index, QStringView query,
                                            int preferredPosition) {
    if (query.size() > kLongestQuery)
        return {};
    return index.find(view(query), preferredPosition);
}

} // namespace vornel
