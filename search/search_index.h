#pragma once

#include "chart_model/chart_definition.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace vornel::search {

// A length in millionths of its unit, a millimetre unless it says an inch:
// the charts' values and the differences between them, exactly.
using Millionths = std::int64_t;

// Why a row matched a drill.
enum class DrillMatch {
    None,
    Drill,        // the query is the row's own drill
    WithinLimits, // the query lies within the row's limits, ends included
};

// One row of one chart that a query found; where a chart gives several kinds
// of thread side by side, one result per kind. Every text points into the
// chart's lines.
struct SearchResult {
    int position = 0; // the chart's position in the registry, 1 to 10
    const ChartDefinition* chart = nullptr;
    int line = 0;                    // the row's index among the chart's lines
    std::u16string_view designation; // as the chart writes it, without its padding
    std::u16string_view kind;        // empty where the chart has one kind
    std::u16string_view drill;       // the drill in millimetres, or empty
    std::u16string_view drillInch;   // the drill in inches, where the chart gives one
    Limits limits = Limits::None;    // what `minimum` and `maximum` bound
    std::u16string_view minimum;
    std::u16string_view maximum;
    bool byDesignation = false; // the query names this thread
    DrillMatch drillMatch = DrillMatch::None;
    bool withinLimits = false;   // for a drill query: minimum <= drill <= maximum
    Millionths aboveMinimum = 0; // then: how far the drill lies above the minimum
    Millionths belowMaximum = 0; // and below the maximum

    friend bool operator==(const SearchResult&, const SearchResult&) = default;
};

// Why a result matched, as the results table says it: "呼び", "ドリル径と同じ",
// "範囲内（最小 +0.153／最大 −0.112）" ...
std::u16string matchDescription(const SearchResult& result);

// A length as the charts write one: "." as decimal point, no trailing zeros.
std::u16string formatMillimetres(Millionths value);

// The text that queries and designations are compared in: NFKC, lower case,
// one sign for "×", one for the hyphens, dashes and the long-vowel mark, one
// for the marks of a diameter, "/" for the fraction slash, without spaces,
// zero-width characters and "※".
std::u16string normalizedText(std::u16string_view text);

// Finds threads by their designation and drills by their diameter in the
// charts of a registry. The charts' values stay text; the index reads the
// numbers from them once, the first time it is asked.
class SearchIndex {
public:
    // `charts` in registry order: the first is position 1. Null charts are
    // left out.
    explicit SearchIndex(std::span<const ChartDefinition* const> charts);
    ~SearchIndex();
    SearchIndex(const SearchIndex&) = delete;
    SearchIndex& operator=(const SearchIndex&) = delete;

    // The rows that `query` names or whose drill or limits hold it: those of
    // the chart at `preferredPosition` first, then threads named before
    // drills, each in chart and row order. An empty query finds nothing.
    std::vector<SearchResult> find(std::u16string_view query, int preferredPosition = 0) const;

    // The charts searched, in registry order.
    std::span<const ChartDefinition* const> charts() const { return charts_; }

    // Reads the charts' numbers now, where the first query would: for a
    // window that is about to take queries.
    void build() const { entries(); }

    // The number of indexed rows (one per row and kind); builds the index.
    std::size_t size() const;

    struct Entry;

private:
    const std::vector<Entry>& entries() const;

    std::vector<const ChartDefinition*> charts_;
    mutable std::unique_ptr<std::vector<Entry>> entries_;
};

} // namespace vornel::search
