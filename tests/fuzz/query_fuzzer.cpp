// Feeds any bytes to the search as a query typed in the desktop's overview
// would arrive: read as UTF-8, searched across the charts and the standards,
// and every text of every result made, as every door makes them. Traps where
// a figure is one that cannot be: a ひっかかり率 below 0 %, or above 100 %
// without its warning.
#include "charts/charts.h"
#include "search/engagement.h"
#include "search/result_detail.h"
#include "search/result_texts.h"
#include "search/search_index.h"

#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto charts = vornel::charts::allCharts();
    static const vornel::search::SearchIndex index(charts);
    const QString query =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::u16string_view text(reinterpret_cast<const char16_t*>(query.utf16()),
                                   static_cast<std::size_t>(query.size()));
    for (const vornel::search::SearchResult& result : index.find(text, 1)) {
        for (int column = 0; column < vornel::search::ColumnCount; ++column)
            (void)vornel::search::accessibleCellText(result, column);
        (void)vornel::search::resultDescription(result);
        (void)vornel::search::resultDetail(result);
        using Kind = vornel::threads::Engagement::Kind;
        const vornel::threads::Engagement e = vornel::search::resultEngagement(result);
        if (e.percent < 0 || (e.kind == Kind::Percent && e.percent > 100) ||
            // Below the tap's root (113 %) a drill has words, not a figure.
            (e.kind == Kind::AboveBasic && (e.percent <= 100 || e.percent > 113)))
            __builtin_trap();
    }
    return 0;
}
